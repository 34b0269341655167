#include "chart/tools/geometry/Sketch.h"

#include <algorithm>
#include <cmath>

namespace zarvchart::geometry {

namespace {

// The first turn k of a sequence whose lines move apart as k grows, (s + 2k)^2 units from its
// start with 4 * unit * (s + 2k - 1) between turn k - 1 and turn k, whose line is at least
// `apart` units from its neighbours: none nearer the start is.
double firstApart(double s, double unit, double apart)
{
    if (4 * unit * (s + 1) >= apart)
        return 0;
    return std::ceil((apart / (4 * unit) - s + 1) / 2);
}

} // namespace

// The square of nine about the anchor. In units of Step, a price's square root grows by 2 with
// each whole turn, so the angle a (in degrees) k turns on is Step * (sqrt(price / Step) ± (a /
// 180 + 2k))^2: for each angle of the Price set, a horizontal line from the anchor to the plot's
// right edge at every such level, upward ("Up") or downward ("Down"), while it lies within the
// prices shown. For each angle of the Time set, an upright line (a / 180 + 2k)^2 bars after the
// anchor, while it lies within the bars shown. A small cross marks the anchor.
//
// The lines run on across the chart however many turns that takes, but only where the turns lie
// at least a pixel apart: where they are closer (a tiny step, a chart zoomed far out) they would
// show as a band of colour, and are left out. No line is drawn within a pixel of another.
void drawSquareOfNine(Sketch& sketch)
{
    const ChartPoint anchor = sketch.anchor(0);
    const QPointF at = sketch.pixel(0);
    const QColor colour = sketch.colour("Cor");
    const Mapping& m = sketch.mapping();
    // The flags as the class stores a float given for them: rounded, halves to even.
    const double flags = std::nearbyint(sketch.number("Price"));
    const int price = std::abs(flags) <= 32768 ? static_cast<int>(flags) : 0;
    const int time = sketch.whole("Time");
    const bool down = sketch.on("UpDown");
    // A step of 0 means 0.1, as the dialog's "OK" makes it.
    double step = std::abs(sketch.boxNumber("Step"));
    if (!(step > 0) || !std::isfinite(step))
        step = double(0.1f);
    const double root = std::sqrt(anchor.y / step);
    // A pixel in prices and in bars; no more lines of a set than the plot has pixels.
    const double pricePixel = std::abs(1 / m.pixelsPerPrice());
    const double barPixel = std::abs(1 / m.pixelsPerBar());
    const double rows = sketch.plot().height() + 2;
    const double columns = sketch.plot().width() + 2;

    sketch.line(at - QPointF(5, 0), at + QPointF(5, 0), colour, "Anchor");
    sketch.line(at - QPointF(0, 5), at + QPointF(0, 5), colour, "Anchor");
    Spacing levels, bars;
    auto level = [&](double y) {
        if (levels.clear(y) && sketch.line({at.x(), y}, {sketch.plot().right(), y}, colour, "Price"))
            levels.take(y);
    };
    for (int bit = 0; bit < 8; ++bit) {
        const double shift = bit * 45 / 180.0; // a / 180
        if ((price >> bit & 1) && std::isfinite(root) && pricePixel > 0 && std::isfinite(pricePixel)) {
            if (!down) {
                // Upward the turns move apart: from the first a pixel apart on, every one.
                const double first = firstApart(root + shift, step, pricePixel);
                for (double k = first, n = 0; n < rows && k + 1 > k; ++k, ++n) {
                    const double value = step * std::pow(root + shift + 2 * k, 2);
                    if (!(value <= m.highPrice()))
                        break;
                    level(m.yToPixel(value));
                }
            } else {
                // Downward they close up toward zero: every one while the next is a pixel away.
                for (double k = 0, n = 0; n < rows; ++k, ++n) {
                    const double r = root - shift - 2 * k;
                    if (r < 0 || !(step * r * r >= m.lowPrice()))
                        break;
                    if (r >= 2 && 4 * step * (r - 1) < pricePixel)
                        break;
                    level(m.yToPixel(step * r * r));
                }
            }
        }
        if ((time >> bit & 1) && barPixel > 0 && std::isfinite(barPixel)) {
            const double first = firstApart(shift, 1, barPixel);
            for (double k = first, n = 0; n < columns && k + 1 > k; ++k, ++n) {
                const double x = anchor.x + (shift + 2 * k) * (shift + 2 * k);
                if (!(x <= m.lastX()))
                    break;
                const double px = m.xToPixel(x);
                if (bars.clear(px)
                    && sketch.line({px, sketch.plot().top()}, {px, sketch.plot().bottom()}, colour, "Time"))
                    bars.take(px);
            }
        }
    }
}

namespace {

QVariantMap defaults()
{
    // Price: the angles 0, 90, 180 and 270; Time: 0. `Price` is a float member.
    return {{"Cor", colours::orange}, {"Price", 85.0f}, {"Time", 1}, {"UpDown", 0}, {"Step", 1.0f}};
}

const ToolKindEntry entry{"GannSQ9ParmClass", "Gann Square of Nine", 1, defaults(), drawSquareOfNine};

} // namespace

} // namespace zarvchart::geometry
