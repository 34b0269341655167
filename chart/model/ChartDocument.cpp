#include "chart/model/ChartDocument.h"

#include <QUndoCommand>

namespace zarvchart {

/// One step: the whole list before and after. Drawings share their parameter maps when copied,
/// so keeping both lists costs little, and one kind of step serves every change.
class DrawingsStep : public QUndoCommand {
public:
    DrawingsStep(ChartDocument& document, std::vector<Drawing> after, const QString& what, int burst)
        : QUndoCommand(what), document_(document), before_(document.drawings()), after_(std::move(after)), burst_(burst)
    {
    }
    void redo() override { document_.set(after_); }
    void undo() override { document_.set(before_); }
    // Steps of one burst of keys take the next one in: it started where this one ends.
    int id() const override { return burst_ < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const DrawingsStep*>(other);
        if (next->burst_ != burst_ || next->before_ != after_)
            return false;
        after_ = next->after_;
        // Moved back to where the burst started: no step at all.
        setObsolete(after_ == before_);
        return true;
    }

private:
    ChartDocument& document_;
    std::vector<Drawing> before_;
    std::vector<Drawing> after_;
    int burst_;
};

ChartDocument::ChartDocument(QObject* parent) : QObject(parent) {}

void ChartDocument::change(std::vector<Drawing> after, const QString& what, int burst)
{
    if (after != drawings_)
        undo_.push(new DrawingsStep(*this, std::move(after), what, burst));
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

void ChartDocument::nudge(int index, const std::vector<ChartPoint>& anchors, int burst)
{
    auto after = drawings_;
    after.at(std::size_t(index)).anchors = anchors;
    change(std::move(after), tr("Move"), burst);
}

void ChartDocument::duplicate(int index, const std::vector<ChartPoint>& anchors)
{
    auto after = drawings_;
    Drawing copy = after.at(std::size_t(index));
    copy.anchors = anchors;
    copy.locked = false;
    after.push_back(std::move(copy));
    change(std::move(after), tr("Duplicate"));
}

void ChartDocument::setLocked(int index, bool locked)
{
    auto after = drawings_;
    after.at(std::size_t(index)).locked = locked;
    change(std::move(after), locked ? tr("Lock") : tr("Unlock"));
}

void ChartDocument::removeAll() { change({}, tr("Delete All")); }

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

void ChartDocument::replaceAll(const std::vector<Drawing>& drawings, const QString& what) { change(drawings, what); }

void ChartDocument::reset(const std::vector<Drawing>& drawings)
{
    undo_.clear();
    set(drawings);
}

} // namespace zarvchart
