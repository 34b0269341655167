#include "chart/app/DrawingActions.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QToolBar>

namespace zarvchart {
namespace {

const QString magnetKey = QStringLiteral("Window/magnet");
constexpr double copyOffset = 20; // pixels right and down of the drawing copied, so both show

} // namespace

DrawingActions::DrawingActions(ChartView& view, ChartDocument& document, QWidget* window)
    : QObject(window), view_(view), document_(document), window_(window)
{
    duplicate_ = new QAction(tr("D&uplicate"), this);
    duplicate_->setShortcut(Qt::CTRL | Qt::Key_D);
    connect(duplicate_, &QAction::triggered, this, &DrawingActions::duplicateSelected);

    lock_ = new QAction(tr("&Lock"), this);
    lock_->setCheckable(true);
    lock_->setShortcut(Qt::CTRL | Qt::Key_L);
    connect(lock_, &QAction::triggered, this, [this](bool on) {
        if (view_.selected() >= 0)
            document_.setLocked(view_.selected(), on);
    });

    deleteAll_ = new QAction(tr("Delete &All…"), this);
    deleteAll_->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete);
    connect(deleteAll_, &QAction::triggered, this, &DrawingActions::askDeleteAll);

    hide_ = new QAction(tr("&Hide Drawings"), this);
    hide_->setCheckable(true);
    hide_->setShortcut(Qt::CTRL | Qt::Key_H);
    connect(hide_, &QAction::toggled, &view_, &ChartView::setDrawingsHidden);
    connect(&view_, &ChartView::drawingsHiddenChanged, hide_, &QAction::setChecked);

    magnet_ = new QAction(tr("&Magnet"), this);
    magnet_->setCheckable(true);
    magnet_->setShortcut(Qt::CTRL | Qt::Key_M);
    magnet_->setToolTip(
        tr("Magnet: points set or dragged near a bar's open, high, low or close take it (Shift holds it off)"));
    connect(magnet_, &QAction::toggled, this, [this](bool on) {
        view_.setMagnet(on);
        if (remembering_)
            QSettings().setValue(magnetKey, on);
    });

    view_.setContextActions({duplicate_, lock_});
    connect(&view_, &ChartView::cloned, this, [this](int index, const std::vector<ChartPoint>& anchors) {
        document_.duplicate(index, anchors);
        view_.select(int(document_.drawings().size()) - 1);
    });
    connect(&view_, &ChartView::nudged, &document_, &ChartDocument::nudge);
    connect(&view_, &ChartView::selectionChanged, this, &DrawingActions::refresh);
    connect(&view_, &ChartView::drawingsHiddenChanged, this, &DrawingActions::refresh);
    connect(&document_, &ChartDocument::changed, this, &DrawingActions::refresh);
    refresh();
}

void DrawingActions::addToEditMenu(QMenu* menu)
{
    menu->addAction(duplicate_);
    menu->addAction(lock_);
    menu->addSeparator();
    menu->addAction(deleteAll_);
}

void DrawingActions::addToViewMenu(QMenu* menu)
{
    menu->addAction(hide_);
    menu->addAction(magnet_);
}

void DrawingActions::addToToolBar(QToolBar* toolBar) { toolBar->addAction(magnet_); }

void DrawingActions::remember()
{
    magnet_->setChecked(QSettings().value(magnetKey, false).toBool());
    remembering_ = true;
}

void DrawingActions::refresh()
{
    const int selected = view_.selected();
    duplicate_->setEnabled(selected >= 0);
    lock_->setEnabled(selected >= 0);
    lock_->setChecked(selected >= 0 && document_.drawings()[std::size_t(selected)].locked);
    deleteAll_->setEnabled(!document_.drawings().empty());
}

void DrawingActions::duplicateSelected()
{
    const int selected = view_.selected();
    if (selected < 0)
        return;
    const Mapping m = view_.mapping();
    std::vector<ChartPoint> anchors = document_.drawings()[std::size_t(selected)].anchors;
    for (ChartPoint& a : anchors)
        a = m.toValue(m.toPixel(a) + QPointF(copyOffset, copyOffset));
    document_.duplicate(selected, anchors);
    view_.select(int(document_.drawings().size()) - 1);
}

void DrawingActions::askDeleteAll()
{
    const std::size_t count = document_.drawings().size();
    if (count == 0)
        return;
    const auto answer = QMessageBox::question(
        window_, window_->windowTitle(),
        tr("Delete all %n drawing(s)? Edit > Undo brings them back.", nullptr, int(count)),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        document_.removeAll();
}

} // namespace zarvchart
