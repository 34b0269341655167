#include "chart/tools/geometry/Sketch.h"

namespace zarvchart::geometry {

// Rays from the first anchor: the 1x1 through the second anchor, and for each value v the ray
// rising v times as steeply (on the second anchor's bar it has moved v times as far in price),
// so 2 is the 2x1 line and 0.5 the 1x2 line; all run on to the plot's edge.
void drawGannFan(Sketch& sketch)
{
    const ChartPoint a = sketch.anchor(0);
    const ChartPoint b = sketch.anchor(1);
    const QColor colour = sketch.colour("Cor(1)");

    sketch.ray(sketch.pixel(0), sketch.pixel(1), colour, "1x1");
    for (int i = 1; i <= 6; ++i) {
        const double v = sketch.boxNumber(member("V", i));
        sketch.ray(sketch.pixel(0), sketch.pixel(ChartPoint{b.x, a.y + v * (b.y - a.y)}), colour, member("V", i));
    }
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"Cor(1)", 0x008000}};
    indexed(m, "V", {0.125f, 0.25f, 0.5f, 2.0f, 4.0f, 8.0f});
    return m;
}

const ToolKindEntry entry{"GannFanParmClass", "Gann Fan", 2, defaults(), drawGannFan};

} // namespace

} // namespace zarvchart::geometry
