#include "chart/tools/geometry/Sketch.h"

#include <cmath>

namespace zarvchart::geometry {

namespace {

// How many whole turns of the square each angle is followed through, at most.
constexpr int turns = 64;

} // namespace

// The square of nine about the anchor. In units of Step, a price's square root grows by 2 with
// each whole turn, so the angle a (in degrees) k turns on is Step * (sqrt(price / Step) ± (a /
// 180 + 2k))^2: for each angle of the Price set, a horizontal line from the anchor to the plot's
// right edge at every such level, upward ("Up") or downward ("Down"), while it lies within the
// prices shown. For each angle of the Time set, an upright line (a / 180 + 2k)^2 bars after the
// anchor, while it lies within the bars shown. A small cross marks the anchor.
void drawSquareOfNine(Sketch& sketch)
{
    const ChartPoint anchor = sketch.anchor(0);
    const QPointF at = sketch.pixel(0);
    const QColor colour = sketch.colour("Cor");
    const Mapping& m = sketch.mapping();
    const int price = sketch.whole("Price");
    const int time = sketch.whole("Time");
    const double direction = sketch.on("UpDown") ? -1 : 1;
    // A step of 0 means 0.1, as the dialog's "OK" makes it.
    double step = std::abs(sketch.number("Step"));
    if (!(step > 0) || !std::isfinite(step))
        step = 0.1;
    const double root = std::sqrt(anchor.y / step);

    sketch.line(at - QPointF(5, 0), at + QPointF(5, 0), colour, "Anchor");
    sketch.line(at - QPointF(0, 5), at + QPointF(0, 5), colour, "Anchor");
    for (int bit = 0; bit < 8; ++bit) {
        const double shift = bit * 45 / 180.0; // a / 180
        for (int k = 0; (price >> bit & 1) && std::isfinite(root) && k < turns; ++k) {
            const double r = root + direction * (shift + 2 * k);
            const double level = step * r * r;
            if (r < 0 || (direction > 0 ? level > m.highPrice() : level < m.lowPrice()))
                break;
            const double y = m.yToPixel(level);
            sketch.line({at.x(), y}, {sketch.plot().right(), y}, colour, "Price");
        }
        for (int k = 0; (time >> bit & 1) && k < turns; ++k) {
            const double bars = (shift + 2 * k) * (shift + 2 * k);
            if (!(anchor.x + bars <= m.lastX()))
                break;
            const double x = m.xToPixel(anchor.x + bars);
            sketch.line({x, sketch.plot().top()}, {x, sketch.plot().bottom()}, colour, "Time");
        }
    }
}

} // namespace zarvchart::geometry
