#include "chart/tools/geometry/Sketch.h"

#include <algorithm>

namespace zarvchart::geometry {

// The move runs from the first anchor to the second; level v lies v of the way back from the
// second toward the first (0 at the second anchor, 1 at the first), a horizontal line from the
// first anchor to the second, or from the left one to the plot's right edge with "Extend to end".
// A level within a pixel of one drawn before (a move of no height) is not drawn again, and a
// value is written only beside its line.
void drawRetracement(Sketch& sketch)
{
    const ChartPoint from = sketch.anchor(0);
    const ChartPoint to = sketch.anchor(1);
    const QColor colour = sketch.colour("Cor(1)");
    const double fromX = sketch.mapping().xToPixel(from.x);
    const double toX = sketch.mapping().xToPixel(to.x);
    const bool extend = sketch.on("Extend");
    const double left = extend ? std::min(fromX, toX) : fromX;
    const double right = extend ? sketch.plot().right() : toX;

    sketch.line(sketch.pixel(0), sketch.pixel(1), colour, "Trend", true);
    Spacing levels;
    for (int i = 1; i <= 6; ++i) {
        const QString role = member("V", i);
        const double v = sketch.boxNumber(role);
        const double y = sketch.mapping().yToPixel(to.y - v * (to.y - from.y));
        if (!levels.clear(y))
            continue;
        const std::optional<QLineF> level = sketch.line({left, y}, {right, y}, colour, role);
        if (level)
            levels.take(y);
        if (level && sketch.on("Numbers"))
            sketch.text(QPointF(std::min(level->x1(), level->x2()) + 3, y - 3), QString::number(v, 'g', 6), colour,
                        role);
    }
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"Extend", 1}, {"Numbers", 1}, {"Cor(1)", colours::orange}};
    indexed(m, "V", {0.236f, 0.382f, 0.5f, 0.618f, 0.786f, 1.0f});
    return m;
}

const ToolKindEntry entry{"RetracementParmClass", "Retracement", 2, defaults(), drawRetracement};

} // namespace

} // namespace zarvchart::geometry
