#include "chart/model/ChartDocument.h"

#include <QUndoCommand>

namespace zarvchart {

/// One step: the whole list before and after. Drawings share their parameter maps when copied,
/// so keeping both lists costs little, and one kind of step serves every change.
class DrawingsStep : public QUndoCommand {
public:
    DrawingsStep(ChartDocument& document, std::vector<Drawing> after, const QString& what)
        : QUndoCommand(what), document_(document), before_(document.drawings()), after_(std::move(after))
    {
    }
    void redo() override { document_.set(after_); }
    void undo() override { document_.set(before_); }

private:
    ChartDocument& document_;
    std::vector<Drawing> before_;
    std::vector<Drawing> after_;
};

ChartDocument::ChartDocument(QObject* parent) : QObject(parent) {}

void ChartDocument::change(std::vector<Drawing> after, const QString& what)
{
    if (after != drawings_)
        undo_.push(new DrawingsStep(*this, std::move(after), what));
}

void ChartDocument::set(const std::vector<Drawing>& drawings)
{
    drawings_ = drawings;
    Q_EMIT changed();
}

void ChartDocument::place(const Drawing& drawing)
{
    auto after = drawings_;
    after.push_back(drawing);
    change(std::move(after), tr("Place"));
}

void ChartDocument::move(int index, const std::vector<ChartPoint>& anchors)
{
    auto after = drawings_;
    after.at(std::size_t(index)).anchors = anchors;
    change(std::move(after), tr("Move"));
}

void ChartDocument::remove(int index)
{
    if (index < 0 || std::size_t(index) >= drawings_.size())
        return;
    auto after = drawings_;
    after.erase(after.begin() + index);
    change(std::move(after), tr("Delete"));
}

void ChartDocument::setParameters(int index, const QVariantMap& parameters)
{
    auto after = drawings_;
    after.at(std::size_t(index)).parameters = parameters;
    change(std::move(after), tr("Parameters"));
}

void ChartDocument::replaceAll(const std::vector<Drawing>& drawings, const QString& what)
{
    change(drawings, what);
}

void ChartDocument::reset(const std::vector<Drawing>& drawings)
{
    undo_.clear();
    set(drawings);
}

} // namespace zarvchart
