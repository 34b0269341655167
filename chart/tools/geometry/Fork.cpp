#include "chart/tools/geometry/Sketch.h"

namespace zarvchart::geometry {

// The fork lines: the median from the first anchor through the midpoint of the other two, and
// the two tines through those anchors, parallel to it, all running on to the plot's edge, with
// the segment joining the tines' starts. The internal lines run parallel halfway between the
// median and each tine, the external ones as far beyond each tine as the tine is from the median.
void drawFork(Sketch& sketch)
{
    const QPointF handle = sketch.pixel(0);
    const QPointF upper = sketch.pixel(1);
    const QPointF lower = sketch.pixel(2);
    const QPointF middle = (upper + lower) / 2;
    const QPointF along = middle - handle;
    const int show = sketch.whole("ForkShow");

    // Parallel to the median, starting at `offset` times the tine's distance on either side.
    auto pair = [&](double offset, const QColor& colour, const QString& role) {
        for (QPointF tine : {upper, lower}) {
            const QPointF start = middle + offset * (tine - middle);
            sketch.ray(start, start + along, colour, role);
        }
    };
    const QColor forkColour = sketch.colour("Cor(3)");
    sketch.ray(handle, middle, forkColour, "Fork");
    pair(1, forkColour, "Fork");
    sketch.line(upper, lower, forkColour, "Fork");
    if (show & 1)
        pair(0.5, sketch.colour("Cor(1)"), "Internal");
    if (show & 2)
        pair(2, sketch.colour("Cor(2)"), "External");
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"ForkShow", 3}};
    indexed(m, "Cor", {colours::green, colours::red, colours::blue}); // internal, external, fork
    return m;
}

const ToolKindEntry entry{"ZarvForkParmClass", "Fork", 3, defaults(), drawFork};

} // namespace

} // namespace zarvchart::geometry
