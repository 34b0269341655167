#include "chart/tools/geometry/Sketch.h"

#include <cmath>

namespace zarvchart::geometry {

// The move from the first anchor to the second, projected from the third: line k lies at the
// third anchor's price plus V(k) times the move, from the third anchor for as many bars as the
// move took, or to the plot's right edge with "Extend to end". Each line has its show switch.
void drawExpansion(Sketch& sketch)
{
    const ChartPoint a = sketch.anchor(0);
    const ChartPoint b = sketch.anchor(1);
    const ChartPoint c = sketch.anchor(2);
    const int show = sketch.whole("FExpShow");
    const Mapping& m = sketch.mapping();
    const double left = m.xToPixel(c.x);
    const double right = (show & 16) ? sketch.plot().right() : m.xToPixel(c.x + std::abs(b.x - a.x));

    sketch.line(sketch.pixel(0), sketch.pixel(1), sketch.colour("Cor(1)"), "Trend", true);
    sketch.line(sketch.pixel(1), sketch.pixel(2), sketch.colour("Cor(1)"), "Trend", true);
    for (int k = 1; k <= 4; ++k) {
        if (!(show & (1 << (k - 1))))
            continue;
        const double y = m.yToPixel(c.y + sketch.boxNumber(member("V", k)) * (b.y - a.y));
        sketch.line({left, y}, {right, y}, sketch.colour(member("Cor", k)), member("V", k));
    }
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"FExpShow", 0x0F}};
    indexed(m, "Cor", {colours::red, colours::green, colours::blue, colours::teal});
    indexed(m, "V", {0.618f, 1.0f, 1.618f, 2.618f});
    return m;
}

// Not "Brastel Options" nor "Zarv Impulse Options": those titles hide the value boxes.
const ToolKindEntry entry{"ZarvExpParmClass", "Expansion", 3, defaults(), drawExpansion, "Expansion Parameters"};

} // namespace

} // namespace zarvchart::geometry
