#include "chart/tools/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarvchart {

namespace {

double toSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double squared = QPointF::dotProduct(d, d);
    const double t = squared > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / squared, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

double toPolyline(QPointF p, const QPolygonF& points)
{
    double best = points.size() == 1 ? toSegment(p, points[0], points[0]) : std::numeric_limits<double>::infinity();
    for (qsizetype i = 1; i < points.size(); ++i)
        best = std::min(best, toSegment(p, points[i - 1], points[i]));
    return best;
}

// The outline of (part of) the ellipse in `r` as a polyline of segments about 2 pixels long, at
// most 4096 of them: closer to the curve than a pixel for any ellipse a drawing may hold.
QPolygonF outline(const QRectF& r, double startAngle, double spanAngle)
{
    const double rx = r.width() / 2;
    const double ry = r.height() / 2;
    const double length = 2 * M_PI * std::max(rx, ry) * std::abs(spanAngle) / 360;
    const int segments = std::clamp(static_cast<int>(std::ceil(length / 2)), 8, 4096);
    QPolygonF points;
    points.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double a = (startAngle + spanAngle * i / segments) * M_PI / 180;
        points << QPointF(r.center().x() + rx * std::cos(a), r.center().y() - ry * std::sin(a));
    }
    return points;
}

bool inside(QPointF p, const QRectF& r)
{
    if (!(r.width() > 0 && r.height() > 0))
        return false;
    const double x = (p.x() - r.center().x()) / (r.width() / 2);
    const double y = (p.y() - r.center().y()) / (r.height() / 2);
    return x * x + y * y <= 1;
}

double toBox(QPointF p, const QRectF& r)
{
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

double toShape(const Shape& s, QPointF p)
{
    switch (s.kind) {
    case Shape::Kind::Line:
    case Shape::Kind::Polyline: return toPolyline(p, s.points);
    case Shape::Kind::Ellipse:
        return s.fill.isValid() && inside(p, s.rect) ? 0 : toPolyline(p, outline(s.rect, 0, 360));
    case Shape::Kind::Arc: return toPolyline(p, outline(s.rect, s.startAngle, s.spanAngle));
    case Shape::Kind::Text: return toBox(p, s.rect);
    }
    return std::numeric_limits<double>::infinity();
}

} // namespace

double distanceTo(const std::vector<Shape>& shapes, QPointF point)
{
    double best = std::numeric_limits<double>::infinity();
    for (const Shape& s : shapes)
        best = std::min(best, toShape(s, point));
    return best;
}

} // namespace zarvchart
