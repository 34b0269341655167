#include "chart/tools/geometry/Sketch.h"

#include <algorithm>

namespace zarvchart::geometry {

// From the first anchor, one line through each of the points that retrace the move to the second
// anchor by 38.2%, 50%, 61.8% and 76.4% on that anchor's bar, each with its show switch and
// colour; with "Extend to end" they run on to the plot's edge. "Horizontal Line" adds each shown
// line's level, from the first anchor's bar to the second's (or the right edge).
void drawFan(Sketch& sketch)
{
    static constexpr double ratios[] = {0.382, 0.5, 0.618, 0.764};
    static const char* const names[] = {"38.2% line", "50% line", "61.8% line", "76.4/23.6% line"};
    const ChartPoint a = sketch.anchor(0);
    const ChartPoint b = sketch.anchor(1);
    const Mapping& m = sketch.mapping();
    const int show = sketch.whole("FanShow");
    const bool extend = sketch.whole("AteFim") & 1;
    const double fromX = m.xToPixel(a.x);
    const double toX = m.xToPixel(b.x);

    sketch.line(sketch.pixel(0), sketch.pixel(1), sketch.colour("Cor(1)"), "Trend", true);
    for (int k = 0; k < 4; ++k) {
        if (!(show & (1 << k)))
            continue;
        const QColor colour = sketch.colour(member("Cor", k + 1));
        const QPointF target = sketch.pixel(ChartPoint{b.x, b.y - ratios[k] * (b.y - a.y)});
        if (extend)
            sketch.ray(sketch.pixel(0), target, colour, names[k]);
        else
            sketch.line(sketch.pixel(0), target, colour, names[k]);
        if (sketch.on("HLines"))
            sketch.line({extend ? std::min(fromX, toX) : fromX, target.y()},
                        {extend ? sketch.plot().right() : toX, target.y()}, colour, "HLines");
    }
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"FanShow", 0x0F}, {"HLines", 0}, {"AteFim", 1}};
    indexed(m, "Cor", {colours::red, colours::green, colours::blue, colours::teal});
    return m;
}

const ToolKindEntry entry{"zarvFanParmClass", "Fan", 2, defaults(), drawFan};

} // namespace

} // namespace zarvchart::geometry
