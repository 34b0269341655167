#include "chart/tools/Geometry.h"

#include "chart/tools/DevicePixels.h"
#include "chart/tools/Labels.h"
#include "chart/tools/geometry/Sketch.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace zarvchart {
namespace {

/// What one pen strokes of a drawing: its lines in one call, its polylines, its curves in one path.
struct Stroke {
    QColor colour;
    bool dashed = false;
    std::vector<QLineF> lines;
    std::vector<const QPolygonF*> polylines;
    QPainterPath curves;
};

/// Lines filled as device pixels, by colour.
struct Crisp {
    QColor colour;
    std::vector<QRect> pixels;
};

Crisp& crispOf(std::vector<Crisp>& groups, const QColor& colour)
{
    for (Crisp& g : groups)
        if (g.colour == colour)
            return g;
    groups.push_back({colour, {}});
    return groups.back();
}

Stroke& strokeOf(std::vector<Stroke>& strokes, const Shape& s)
{
    for (Stroke& st : strokes)
        if (st.colour == s.colour && st.dashed == s.dashed)
            return st;
    strokes.push_back({s.colour, s.dashed, {}, {}, {}});
    return strokes.back();
}

/// The angles, in degrees, at which the ellipse inscribed in `r` crosses the lines that bound `clip`.
std::vector<double> crossings(const QRectF& r, const QRectF& clip)
{
    const double rx = r.width() / 2, ry = r.height() / 2;
    std::vector<double> angles;
    auto add = [&](double radians) { angles.push_back(radians * 180 / std::numbers::pi); };
    for (double x : {clip.left(), clip.right()})
        if (const double c = (x - r.center().x()) / rx; std::abs(c) <= 1)
            add(std::acos(c)), add(-std::acos(c));
    for (double y : {clip.top(), clip.bottom()})
        if (const double s = (r.center().y() - y) / ry; std::abs(s) <= 1)
            add(std::asin(s)), add(std::numbers::pi - std::asin(s));
    return angles;
}

/// Adds to `path` the parts of the arc of the ellipse in `r`, from `start` spanning `span`
/// degrees, that may show within `clip`: a large arc of which a little is in view is stroked
/// only where it can be seen.
void addVisibleArc(QPainterPath& path, const QRectF& r, double start, double span, const QRectF& clip)
{
    if (clip.contains(r) || !(r.width() > 0 && r.height() > 0)) {
        path.arcMoveTo(r, start);
        path.arcTo(r, start, span);
        return;
    }
    if (span < 0)
        start += span, span = -span;
    std::vector<double> cuts{start, start + span};
    for (double a : crossings(r, clip))
        for (double k = std::ceil((start - a) / 360); a + 360 * k <= start + span; ++k)
            cuts.push_back(a + 360 * k);
    std::sort(cuts.begin(), cuts.end());
    // A piece shows when its middle does; the margin keeps a stroke that grazes the edge.
    const QRectF seen = clip.adjusted(-1, -1, 1, 1);
    const double rx = r.width() / 2, ry = r.height() / 2;
    double from = NAN;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double middle = (cuts[i] + cuts[i + 1]) / 2 * std::numbers::pi / 180;
        const bool shows = seen.contains(r.center() + QPointF(rx * std::cos(middle), -ry * std::sin(middle)));
        if (shows && std::isnan(from))
            from = cuts[i];
        if ((!shows || i + 2 == cuts.size()) && !std::isnan(from)) {
            const double to = shows ? cuts[i + 1] : cuts[i];
            path.arcMoveTo(r, from);
            path.arcTo(r, from, to - from);
            from = NAN;
        }
    }
}

QPen penOf(const QColor& colour, bool dashed)
{
    QPen pen(colour, 1, dashed ? Qt::DashLine : Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

/// How one drawing is painted: its shapes sorted into the passes of paintShapes.
struct Plan {
    std::vector<const Shape*> fills;
    std::vector<Crisp> crisp;
    std::vector<Stroke> strokes;
    std::vector<const Shape*> texts;
};

Plan planOf(const std::vector<Shape>& shapes, const DevicePixels& device, const QRectF& clip)
{
    Plan plan;
    for (const Shape& s : shapes) {
        switch (s.kind) {
        case Shape::Kind::Line:
            if (s.points.size() < 2)
                break;
            // A line of no length runs neither across nor down: it is stroked, as a point.
            if (const QRect pixels = s.dashed || s.points[0] == s.points[1] ? QRect()
                                                                            : device.line(s.points[0], s.points[1]);
                !pixels.isEmpty())
                crispOf(plan.crisp, s.colour).pixels.push_back(pixels);
            else
                strokeOf(plan.strokes, s).lines.emplace_back(s.points[0], s.points[1]);
            break;
        case Shape::Kind::Polyline: strokeOf(plan.strokes, s).polylines.push_back(&s.points); break;
        case Shape::Kind::Ellipse:
            if (s.fill.isValid())
                plan.fills.push_back(&s);
            if (clip.isNull() || clip.contains(s.rect))
                strokeOf(plan.strokes, s).curves.addEllipse(s.rect);
            else
                addVisibleArc(strokeOf(plan.strokes, s).curves, s.rect, 0, 360, clip);
            break;
        case Shape::Kind::Arc:
            addVisibleArc(strokeOf(plan.strokes, s).curves, s.rect, s.startAngle, s.spanAngle,
                          clip.isNull() ? s.rect : clip);
            break;
        case Shape::Kind::Text:
            if (!s.points.isEmpty())
                plan.texts.push_back(&s);
            break;
        }
    }
    return plan;
}

void paint(QPainter& painter, const Plan& plan, const DevicePixels& device)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Shape* s : plan.fills) {
        painter.setBrush(s->fill);
        painter.drawEllipse(s->rect);
    }
    for (const Crisp& c : plan.crisp)
        device.fill(painter, c.pixels, c.colour);
    painter.setBrush(Qt::NoBrush);
    for (const Stroke& st : plan.strokes) {
        if (!st.dashed)
            device.stroke(painter, st.lines, st.colour);
        painter.setPen(penOf(st.colour, st.dashed));
        if (st.dashed && !st.lines.empty())
            painter.drawLines(st.lines.data(), int(st.lines.size()));
        for (const QPolygonF* points : st.polylines)
            painter.drawPolyline(*points);
        if (!st.curves.isEmpty())
            painter.drawPath(st.curves);
    }
    painter.setFont(geometry::labelFont());
    for (const Shape* s : plan.texts) {
        painter.setPen(s->colour);
        drawLabel(painter, s->points[0], s->text);
    }
    painter.restore();
}

/// The pixels of each row (or column) that lines painted later cover, as sorted runs.
class Covered {
public:
    /// Adds to `open` the parts of `from` to `to` (inclusive) on `line` not covered yet; with
    /// `cover`, covers them all from now on.
    void take(int line, int from, int to, bool cover, std::vector<std::pair<int, int>>& open)
    {
        auto& runs = runs_[line];
        const auto endingBefore = [](const std::pair<int, int>& run, int v) { return run.second < v; };
        int at = from;
        for (auto r = std::lower_bound(runs.begin(), runs.end(), from, endingBefore); r != runs.end() && r->first <= to;
             ++r) {
            if (r->first > at)
                open.emplace_back(at, r->first - 1);
            at = std::max(at, r->second + 1);
        }
        if (at <= to)
            open.emplace_back(at, to);
        if (!cover)
            return;
        auto first = std::lower_bound(runs.begin(), runs.end(), from - 1, endingBefore);
        auto last = first;
        for (; last != runs.end() && last->first <= to + 1; ++last)
            from = std::min(from, last->first), to = std::max(to, last->second);
        runs.insert(runs.erase(first, last), {from, to});
    }

private:
    std::unordered_map<int, std::vector<std::pair<int, int>>> runs_;
};

/// Leaves out of the lines across and down of `plans`, painted in order, the pixels that an opaque
/// one painted after them covers anyway: whatever lies between, the later line's colour is what
/// those pixels show. Long lines that run to the plot's edge, many on a row, are painted once.
void leaveOutCovered(std::vector<Plan>& plans)
{
    Covered rows, columns;
    std::vector<std::pair<int, int>> open;
    for (auto plan = plans.rbegin(); plan != plans.rend(); ++plan) {
        for (auto group = plan->crisp.rbegin(); group != plan->crisp.rend(); ++group) {
            const bool opaque = group->colour.alpha() == 255;
            std::vector<QRect> kept;
            for (auto r = group->pixels.rbegin(); r != group->pixels.rend(); ++r) {
                open.clear();
                if (r->height() == 1) {
                    rows.take(r->top(), r->left(), r->right(), opaque, open);
                    for (auto [from, to] : open)
                        kept.emplace_back(from, r->top(), to - from + 1, 1);
                } else if (r->width() == 1) {
                    columns.take(r->left(), r->top(), r->bottom(), opaque, open);
                    for (auto [from, to] : open)
                        kept.emplace_back(r->left(), from, 1, to - from + 1);
                } else {
                    kept.push_back(*r);
                }
            }
            group->pixels = std::move(kept);
        }
    }
}

QRectF clipOf(const QPainter& painter) { return painter.hasClipping() ? painter.clipBoundingRect() : QRectF(); }

} // namespace

void paintShapes(QPainter& painter, const std::vector<Shape>& shapes)
{
    const DevicePixels device(painter);
    paint(painter, planOf(shapes, device, clipOf(painter)), device);
}

void paintShapes(QPainter& painter, const std::vector<std::vector<Shape>>& drawings)
{
    const DevicePixels device(painter);
    const QRectF clip = clipOf(painter);
    std::vector<Plan> plans;
    plans.reserve(drawings.size());
    for (const auto& shapes : drawings)
        plans.push_back(planOf(shapes, device, clip));
    leaveOutCovered(plans);
    for (const Plan& plan : plans)
        paint(painter, plan, device);
}

} // namespace zarvchart
