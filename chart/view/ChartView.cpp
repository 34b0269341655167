#include "chart/view/ChartView.h"

#include "chart/model/BarTime.h"
#include "chart/tools/Geometry.h"
#include "chart/view/ChartPainter.h"
#include "chart/view/Magnet.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace zarvchart {
namespace {

constexpr double hitDistance = 5; // pixels from a drawing's lines that still hit it
constexpr double dragThreshold = 3; // pixels the mouse moves before a press becomes a drag
constexpr double zoomPerNotch = 1.2; // one step of the wheel
constexpr int bigStep = 10; // bars or pixels an arrow key moves a drawing with Shift

} // namespace

ChartView::ChartView(const PriceData& prices, const ChartDocument& document, QWidget* parent)
    : QWidget(parent), prices_(prices), document_(document), viewport_(Viewport::fitted(prices.series()))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&document, &ChartDocument::changed, this, &ChartView::documentChanged);
    connect(&prices, &PriceData::replaced, this, &ChartView::pricesReplaced);
    // More bars of the same file: the view stays where it is, with the drawings; the kept images
    // tell the new bars by their count. Bars written again may be as many as before: the kept
    // images cannot tell, and are painted anew.
    connect(&prices, &PriceData::grew, this, [this](std::size_t first) { follow(first); });
    connect(&prices, &PriceData::revised, this, [this](std::size_t, std::size_t before) {
        layers_.clear();
        follow(before);
    });
}

Mapping ChartView::mapping() const
{
    return viewport_.mapping(chartLayout(size(), volumeWanted_ && prices_.hasVolume()).plot);
}

QRectF ChartView::volumePane() const { return chartLayout(size(), volumeWanted_ && prices_.hasVolume()).volume; }

void ChartView::setVolumeWanted(bool wanted)
{
    volumeWanted_ = wanted;
    pointAt(pointer_);
}

void ChartView::setMagnet(bool on)
{
    magnet_ = on;
    pointAt(pointer_);
}

void ChartView::setDrawingsHidden(bool hidden)
{
    if (hidden == hidden_)
        return;
    hidden_ = hidden;
    drag_ = std::monostate{};
    preview_.reset();
    select(-1);
    Q_EMIT drawingsHiddenChanged(hidden);
}

void ChartView::fitToData()
{
    viewport_ = Viewport::fitted(prices_.series());
    pointAt(pointer_);
}

void ChartView::select(int index)
{
    const int now = !hidden_ && index >= 0 && std::size_t(index) < document_.drawings().size() ? index : -1;
    if (now != selected_) {
        selected_ = now;
        endBurst();
        Q_EMIT selectionChanged(now);
    }
    pointAt(pointer_);
}

void ChartView::beginPlacing(const ToolKind& kind, const QVariantMap& parameters)
{
    drag_ = std::monostate{};
    // A tool is placed among drawings that show.
    setDrawingsHidden(false);
    placing_ = Placing{&kind, parameters, {}, std::nullopt};
    select(-1);
    showHint();
}

void ChartView::cancelPlacing()
{
    if (!placing_)
        return;
    placing_.reset();
    update();
    showHint();
    Q_EMIT placingEnded();
}

void ChartView::preview(int index, const QVariantMap& parameters)
{
    preview_.emplace(index, parameters);
    update();
}

void ChartView::endPreview()
{
    preview_.reset();
    update();
}

std::vector<Drawing> ChartView::shownDrawings() const
{
    std::vector<Drawing> shown = hidden_ ? std::vector<Drawing>() : document_.drawings();
    auto valid = [&](int i) { return i >= 0 && std::size_t(i) < shown.size(); };
    if (const Move* move = std::get_if<Move>(&drag_); move && valid(move->index) && move->started && !move->refused) {
        if (move->copy) {
            shown.push_back(shown[std::size_t(move->index)]);
            shown.back().anchors = move->anchors;
        } else {
            shown[std::size_t(move->index)].anchors = move->anchors;
        }
    }
    if (preview_ && valid(preview_->first))
        shown[std::size_t(preview_->first)].parameters = preview_->second;
    // A tool being placed shows once its first point is set, its other points at the pointer.
    if (placing_ && !placing_->anchors.empty() && placing_->pointer) {
        Drawing d{placing_->kind->progId, placing_->anchors, placing_->parameters};
        d.anchors.resize(std::size_t(placing_->kind->anchorCount), *placing_->pointer);
        shown.push_back(std::move(d));
    }
    return shown;
}

ChartScene ChartView::scene() const
{
    const Mapping m = mapping();
    ChartScene scene{&prices_.series(), m, volumePane(), {}, 0, {}, prices_.label(), {}, -1};
    if (pointer_)
        scene.pointer = pointerAt(*pointer_, m);
    std::vector<Drawing> shown = shownDrawings();
    const std::size_t count = hidden_ ? 0 : document_.drawings().size();
    const Move* move = std::get_if<Move>(&drag_);
    if (move && move->copy)
        move = nullptr; // the drawing copied stays as it is
    // What the user works on is painted over the rest, from the moment it is selected: then a
    // keystroke in its dialog or a step of its drag repaints it alone over the settled drawings.
    auto live = [&](std::size_t i) {
        const int index = int(i);
        return index == selected_ || (move && index == move->index) || (preview_ && index == preview_->first);
    };
    scene.drawings.reserve(shown.size());
    auto add = [&](std::size_t i) {
        if (int(i) == hovered_)
            scene.highlighted = int(scene.drawings.size());
        scene.drawings.push_back(std::move(shown[i]));
    };
    for (std::size_t i = 0; i < count; ++i)
        if (!live(i))
            add(i);
    scene.settled = scene.drawings.size();
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (i >= count || live(i)) {
            if (int(i) == selected_)
                scene.handles = shown[i].anchors;
            add(i);
        }
    return scene;
}

std::optional<ChartPointer> ChartView::pointerAt(QPointF at, const Mapping& m) const
{
    const bool overPrices = m.plot().contains(at);
    if (!overPrices && !volumePane().contains(at))
        return std::nullopt;
    ChartPointer pointer{at, overPrices, {}, {}};
    // With the magnet, the crosshair shows where a point set here would go.
    const std::optional<ChartPoint> snap = overPrices && pulling() ? snapToBar(prices_.series(), m, at) : std::nullopt;
    if (snap) {
        pointer.at.setY(m.yToPixel(snap->y));
        pointer.snapped = true;
    }
    if (overPrices)
        pointer.price = prices_.priceText(snap ? snap->y : m.pixelToY(at.y()));
    // The line down goes through the bar the pointer is nearest, whose values are written out.
    const Series& series = prices_.series();
    const double x = std::round(m.pixelToX(at.x()));
    if (x >= 0 && x < double(series.size())) {
        const Bar& bar = series[std::size_t(x)];
        pointer.at.setX(m.xToPixel(x));
        pointer.readout = tr("%1   O %2   H %3   L %4   C %5")
                              .arg(timeText(bar.time, prices_.detail()), prices_.priceText(bar.open),
                                   prices_.priceText(bar.high), prices_.priceText(bar.low),
                                   prices_.priceText(bar.close));
        if (prices_.hasVolume())
            pointer.readout += tr("   V %1").arg(PriceData::volumeText(bar.volume));
    }
    return pointer;
}

void ChartView::pointAt(std::optional<QPointF> at)
{
    pointer_ = at;
    // What a press would do: set a tool's point, take a handle, take a drawing, or pan.
    int hovered = -1;
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (!at) {
    } else if (placing_) {
        shape = Qt::CrossCursor;
    } else if (std::holds_alternative<Pan>(drag_)) {
        shape = Qt::ClosedHandCursor;
    } else if (const Move* move = std::get_if<Move>(&drag_)) {
        shape = move->refused ? Qt::ForbiddenCursor : move->copy ? Qt::DragCopyCursor : Qt::SizeAllCursor;
    } else if (handleAt(*at) >= 0) {
        hovered = selected_;
        shape = locked(selected_) ? Qt::ForbiddenCursor : Qt::SizeAllCursor;
    } else if ((hovered = drawingAt(*at)) >= 0) {
        shape = Qt::PointingHandCursor;
    }
    hovered_ = hovered;
    if (cursor().shape() != shape)
        setCursor(shape);
    update();
}

void ChartView::seriesChanged()
{
    layers_.clear();
    update();
}

void ChartView::follow(std::size_t before)
{
    // A view that showed the last bar keeps showing it: new bars fill the room on the right, and
    // past it the view moves on so that the last bar stands where the one before stood. The
    // prices are refitted to the bars then in view, as after a zoom.
    const double was = double(before) - 1, last = double(prices_.series().size()) - 1;
    if (before > 0 && last >= 0 && viewport_.firstX <= was && was <= viewport_.lastX) {
        const bool shown = viewport_.firstX + 0.5 <= last && last <= viewport_.lastX - 0.5;
        viewport_ = (shown ? viewport_ : viewport_.panned(last - was, 0)).refitted(prices_.series());
    }
    pointAt(pointer_);
}

ChartPoint ChartView::anchorAt(QPointF pixel) const
{
    const Mapping m = mapping();
    if (pulling())
        if (const std::optional<ChartPoint> snap = snapToBar(prices_.series(), m, pixel))
            return *snap;
    return m.toValue(pixel);
}

bool ChartView::locked(int index) const
{
    return index >= 0 && std::size_t(index) < document_.drawings().size()
        && document_.drawings()[std::size_t(index)].locked;
}

void ChartView::pricesReplaced()
{
    // Nothing of the old bars holds: no drag, no preview, no tool half placed, and a view of all
    // the new bars.
    cancelPlacing();
    drag_ = std::monostate{};
    preview_.reset();
    selected_ = -1;
    viewport_ = Viewport::fitted(prices_.series());
    layers_.clear();
    pointAt(pointer_);
}

int ChartView::drawingAt(QPointF pixel) const
{
    const Mapping m = mapping();
    if (hidden_ || !m.plot().contains(pixel))
        return -1;
    const auto& drawings = document_.drawings();
    for (int i = int(drawings.size()) - 1; i >= 0; --i)
        if (distanceTo(shapesOf(drawings[std::size_t(i)], prices_.series(), m), pixel) <= hitDistance)
            return i;
    return -1;
}

int ChartView::handleAt(QPointF pixel) const
{
    if (selected_ < 0)
        return -1;
    const Mapping m = mapping();
    const auto& anchors = document_.drawings()[std::size_t(selected_)].anchors;
    for (int k = int(anchors.size()) - 1; k >= 0; --k) {
        const QPointF d = m.toPixel(anchors[std::size_t(k)]) - pixel;
        if (std::abs(d.x()) <= handleRadius + 2 && std::abs(d.y()) <= handleRadius + 2)
            return k;
    }
    return -1;
}

void ChartView::documentChanged()
{
    drag_ = std::monostate{};
    if (!nudging_)
        endBurst();
    if (selected_ >= 0 && std::size_t(selected_) >= document_.drawings().size()) {
        selected_ = -1;
        Q_EMIT selectionChanged(-1);
    }
    pointAt(pointer_);
}

void ChartView::showHint()
{
    if (!placing_) {
        Q_EMIT hint({});
        return;
    }
    Q_EMIT hint(tr("%1: click point %2 of %3 (Esc stops)")
                    .arg(placing_->kind->title)
                    .arg(placing_->anchors.size() + 1)
                    .arg(placing_->kind->anchorCount));
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    layers_.paint(painter, size(), scene());
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF at = event->position();
    shiftHeld_ = event->modifiers() & Qt::ShiftModifier;
    endBurst();
    if (placing_) {
        if (!mapping().plot().contains(at))
            return;
        placing_->anchors.push_back(anchorAt(at));
        if (placing_->anchors.size() < std::size_t(placing_->kind->anchorCount)) {
            showHint();
            update();
            return;
        }
        const Drawing drawing{placing_->kind->progId, placing_->anchors, placing_->parameters};
        placing_.reset();
        showHint();
        Q_EMIT placed(drawing);
        Q_EMIT placingEnded();
        return;
    }
    if (const int handle = handleAt(at); handle >= 0) {
        drag_ = Move{selected_, handle,           at, document_.drawings()[std::size_t(selected_)].anchors, false,
                     false,     locked(selected_)};
        pointAt(at);
        return;
    }
    const int hit = drawingAt(at);
    select(hit);
    if (hit >= 0) {
        // Ctrl drags a copy, which a lock does not hold.
        const bool copy = event->modifiers() & Qt::ControlModifier;
        drag_ = Move{hit, -1, at, document_.drawings()[std::size_t(hit)].anchors, false, copy, !copy && locked(hit)};
    } else {
        drag_ = Pan{at, viewport_};
    }
    pointAt(at);
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    const Mapping m = mapping();
    shiftHeld_ = event->modifiers() & Qt::ShiftModifier;
    pointAt(at);
    if (placing_) {
        placing_->pointer = anchorAt(at);
        if (!placing_->anchors.empty())
            update();
        return;
    }
    if (Pan* pan = std::get_if<Pan>(&drag_)) {
        const QPointF d = at - pan->from;
        viewport_ = pan->start.panned(-d.x() / m.pixelsPerBar(), d.y() / m.pixelsPerPrice());
        update();
        return;
    }
    Move* move = std::get_if<Move>(&drag_);
    if (!move)
        return;
    if (!move->started && QLineF(move->from, at).length() < dragThreshold)
        return;
    if (!move->started && move->refused)
        Q_EMIT hint(tr("This drawing is locked; Unlock in its context menu lets it move again"));
    move->started = true;
    if (move->refused)
        return;
    std::vector<ChartPoint> anchors = document_.drawings()[std::size_t(move->index)].anchors;
    if (move->handle >= 0) {
        anchors[std::size_t(move->handle)] = anchorAt(at);
    } else {
        const ChartPoint from = m.toValue(move->from), to = m.toValue(at);
        for (ChartPoint& a : anchors)
            a = {a.x + to.x - from.x, a.y + to.y - from.y};
    }
    move->anchors = std::move(anchors);
    update();
}

void ChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const auto drag = std::exchange(drag_, std::monostate{});
    // A locked drawing's drag ends with nothing to say but why, which stays in the status bar.
    const Move* move = std::get_if<Move>(&drag);
    if (move && move->started && move->copy)
        Q_EMIT cloned(move->index, move->anchors);
    else if (move && move->started && !move->refused)
        Q_EMIT moved(move->index, move->anchors);
    pointAt(event->position());
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || placing_)
        return;
    drag_ = std::monostate{};
    const int hit = drawingAt(event->position());
    if (hit < 0)
        return;
    select(hit);
    Q_EMIT propertiesRequested(hit);
}

void ChartView::wheelEvent(QWheelEvent* event)
{
    const Mapping m = mapping();
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    viewport_ = viewport_.zoomed(std::pow(zoomPerNotch, notches), m.pixelToX(event->position().x()), prices_.series());
    pointAt(event->position());
}

void ChartView::nudge(double bars, double pixels)
{
    if (locked(selected_)) {
        Q_EMIT hint(tr("This drawing is locked; Unlock in its context menu lets it move again"));
        return;
    }
    const double price = pixels / mapping().pixelsPerPrice();
    std::vector<ChartPoint> anchors = document_.drawings()[std::size_t(selected_)].anchors;
    for (ChartPoint& a : anchors)
        a = {a.x + bars, a.y + price};
    nudging_ = true;
    Q_EMIT nudged(selected_, anchors, burst_);
    nudging_ = false;
}

void ChartView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    shiftHeld_ = key == Qt::Key_Shift || (event->modifiers() & Qt::ShiftModifier);
    if (key == Qt::Key_Shift) {
        pointAt(pointer_);
        return;
    }
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (!arrow)
        endBurst();
    if (arrow && selected_ >= 0 && !placing_ && std::holds_alternative<std::monostate>(drag_)) {
        const int step = event->modifiers() & Qt::ShiftModifier ? bigStep : 1;
        nudge(key == Qt::Key_Left        ? -step
                  : key == Qt::Key_Right ? step
                                         : 0,
              key == Qt::Key_Up         ? step
                  : key == Qt::Key_Down ? -step
                                        : 0);
        return;
    }
    const int count = hidden_ || placing_ ? 0 : int(document_.drawings().size());
    switch (key) {
    case Qt::Key_Tab:
        if (count > 0)
            select((selected_ + 1) % count);
        return;
    case Qt::Key_Backtab:
        if (count > 0)
            select(selected_ <= 0 ? count - 1 : selected_ - 1);
        return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (selected_ >= 0)
            Q_EMIT deleteRequested(selected_);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (selected_ >= 0)
            Q_EMIT propertiesRequested(selected_);
        return;
    case Qt::Key_Escape:
        if (placing_)
            cancelPlacing();
        else
            select(-1);
        return;
    default: QWidget::keyPressEvent(event);
    }
}

void ChartView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        shiftHeld_ = false;
        pointAt(pointer_);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void ChartView::focusOutEvent(QFocusEvent* event)
{
    endBurst();
    QWidget::focusOutEvent(event);
}

bool ChartView::focusNextPrevChild(bool)
{
    // Tab goes through the drawings, not to the next widget: the chart is all there is to type in.
    return false;
}

void ChartView::changeEvent(QEvent* event)
{
    // A new style or palette may paint the kept pictures otherwise (the font is compared anyway).
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
        layers_.clear();
    QWidget::changeEvent(event);
}

void ChartView::leaveEvent(QEvent* event)
{
    pointAt(std::nullopt);
    QWidget::leaveEvent(event);
}

void ChartView::contextMenuEvent(QContextMenuEvent* event)
{
    if (placing_)
        return;
    const int hit = drawingAt(event->pos());
    if (hit < 0)
        return;
    select(hit);
    QMenu menu(this);
    const QAction* properties = menu.addAction(tr("Properties…"));
    menu.addActions(contextActions_);
    const QAction* remove = menu.addAction(tr("Delete"));
    // Acted on once the menu is gone, so that the dialog does not open inside the menu's loop.
    const QAction* chosen = menu.exec(event->globalPos());
    if (chosen == properties)
        Q_EMIT propertiesRequested(hit);
    else if (chosen == remove)
        Q_EMIT deleteRequested(hit);
}

} // namespace zarvchart
