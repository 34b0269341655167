#include "chart/tools/geometry/Sketch.h"

#include <algorithm>

namespace zarvchart::geometry {

// The prices from the first anchor to the second cut into NZones equal zones: NZones + 1
// horizontal lines across the anchors' bars, counted from the first anchor's price, the odd ones
// in the odd colour and the even ones in the even colour. A number outside 1 to 50 draws 8, as
// the dialog's "OK" would make it. Zones on one bar have no lines, and a line within a pixel of
// the last one drawn is left out.
void drawGannZones(Sketch& sketch)
{
    const ChartPoint a = sketch.anchor(0);
    const ChartPoint b = sketch.anchor(1);
    const int stored = sketch.whole("NZones");
    const int zones = stored >= 1 && stored <= 50 ? stored : 8;
    const Mapping& m = sketch.mapping();
    const double left = m.xToPixel(std::min(a.x, b.x));
    const double right = m.xToPixel(std::max(a.x, b.x));

    Spacing lines;
    for (int k = 0; k <= zones; ++k) {
        const double y = m.yToPixel(a.y + (b.y - a.y) * k / zones);
        const bool odd = k % 2 == 0; // the first line is line 1
        if (lines.clear(y)
            && sketch.line({left, y}, {right, y}, sketch.colour(odd ? "Cor(1)" : "Cor(2)"), odd ? "Odd" : "Even"))
            lines.take(y);
    }
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"NZones", 8}};
    indexed(m, "Cor", {colours::red, colours::blue}); // odd, even
    return m;
}

const ToolKindEntry entry{"ZarvGannParmClass", "Gann Zones", 2, defaults(), drawGannZones};

} // namespace

} // namespace zarvchart::geometry
