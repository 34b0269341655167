#include "chart/tools/geometry/Sketch.h"

#include <cmath>

namespace zarvchart::geometry {

// Circles on the screen about the second anchor; the one of value v has v times the distance
// between the anchors as its radius, so it crosses the trend line where a retracement by v
// would. Without "Full Circle", only the half facing the first anchor is drawn.
void drawArcs(Sketch& sketch)
{
    const QPointF from = sketch.pixel(0);
    const QPointF centre = sketch.pixel(1);
    const QPointF back = from - centre;
    const double radius = std::hypot(back.x(), back.y());
    // Qt's angles turn counter-clockwise on the screen, whose y axis points down.
    const double facing = std::atan2(-back.y(), back.x()) * 180 / M_PI;
    const QColor colour = sketch.colour("Cor(1)");
    const bool fullCircle = sketch.on("FullCircle");

    sketch.line(from, centre, colour, "Trend", true);
    for (int i = 1; i <= 6; ++i) {
        const QString role = member("V", i);
        const double r = std::abs(sketch.boxNumber(role)) * radius;
        if (!(r > 0))
            continue;
        const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        if (fullCircle)
            sketch.ellipse(box, colour, QColor(), role);
        else
            sketch.arc(box, facing - 90, 180, colour, role);
    }
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"FullCircle", 0}, {"Cor(1)", colours::darkBlue}};
    indexed(m, "V", {0.236f, 0.382f, 0.5f, 0.618f, 0.786f, 1.0f});
    return m;
}

const ToolKindEntry entry{"ZarvArcsParmClass", "Arcs", 2, defaults(), drawArcs};

} // namespace

} // namespace zarvchart::geometry
