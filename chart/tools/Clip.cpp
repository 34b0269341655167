#include "chart/tools/Clip.h"

#include <algorithm>
#include <cmath>

namespace zarvchart {

std::optional<QLineF> clipped(QPointF a, QPointF b, const QRectF& r)
{
    const QPointF d = b - a;
    const auto finite = [](QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
    if (!finite(a) || !finite(b) || !finite(d))
        return std::nullopt;
    double t0 = 0;
    double t1 = 1;
    // Keeps the part where p * t <= q.
    auto keep = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        return t0 <= t1;
    };
    if (!keep(-d.x(), a.x() - r.left()) || !keep(d.x(), r.right() - a.x()) || !keep(-d.y(), a.y() - r.top())
        || !keep(d.y(), r.bottom() - a.y()))
        return std::nullopt;
    // Inside already but for rounding, which far-off ends make large.
    auto within = [&r](QPointF p) {
        return QPointF(std::clamp(p.x(), r.left(), r.right()), std::clamp(p.y(), r.top(), r.bottom()));
    };
    return QLineF(within(t0 == 0 ? a : a + t0 * d), within(t1 == 1 ? b : a + t1 * d));
}

} // namespace zarvchart
