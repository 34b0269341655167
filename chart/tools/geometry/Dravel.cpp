#include "chart/tools/geometry/Sketch.h"

#include <cmath>

namespace zarvchart::geometry {

// A channel: the external lines are the line from the first anchor to the second and its
// parallel through the third; the internal lines run parallel between them at factor 1 and
// factor 2 of the way from the first line to the second (0.5 is the channel's middle).
void drawDravel(Sketch& sketch)
{
    const QPointF a = sketch.pixel(0);
    const QPointF b = sketch.pixel(1);
    const QPointF c = sketch.pixel(2);
    // The channel's width is measured straight up or down from the first line to the third
    // anchor, or across when the first line stands upright.
    QPointF width;
    if (std::abs(b.x() - a.x()) > 1e-9)
        width = QPointF(0, c.y() - (a.y() + (c.x() - a.x()) * (b.y() - a.y()) / (b.x() - a.x())));
    else if (std::abs(b.y() - a.y()) > 1e-9)
        width = QPointF(c.x() - a.x(), 0);
    else
        return;

    const QColor external = sketch.colour("Cor(1)");
    sketch.line(a, b, external, "External");
    sketch.line(a + width, b + width, external, "External");
    for (int i = 1; i <= 2; ++i) {
        const double factor = sketch.boxNumber(member("V", i));
        sketch.line(a + factor * width, b + factor * width, sketch.colour("Cor(2)"), member("V", i));
    }
}

namespace {

QVariantMap defaults()
{
    QVariantMap m;
    indexed(m, "Cor", {colours::red, colours::blue}); // external, internal
    indexed(m, "V", {0.382f, 0.618f});
    return m;
}

const ToolKindEntry entry{"ZarvDravelPArmClass", "Dravel Lines", 3, defaults(), drawDravel};

} // namespace

} // namespace zarvchart::geometry
