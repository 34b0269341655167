#include "chart/tools/geometry/Sketch.h"

namespace zarvchart::geometry {

// The ellipse inscribed in the rectangle whose opposite corners are the two anchors (a circle
// when that rectangle is square on the screen), outlined in colour 1 and, with "Fill", filled in
// colour 2 let a little translucent, so that the bars beneath still show.
void drawCircleEllipse(Sketch& sketch)
{
    QColor fill;
    if (sketch.on("Fill")) {
        fill = sketch.colour("Cor(2)");
        fill.setAlpha(96);
    }
    sketch.ellipse(QRectF(sketch.pixel(0), sketch.pixel(1)), sketch.colour("Cor(1)"), fill, "Ellipse");
}

namespace {

QVariantMap defaults() { return {{"Cor(1)", colours::blue}, {"Cor(2)", 0xFFE0C0}, {"Fill", 0}}; }

const ToolKindEntry entry{"CircleElipseCls", "Circle / Ellipse", 2,
                          defaults(),        drawCircleEllipse,  "Circle / Ellipse Parameters"};

} // namespace

} // namespace zarvchart::geometry
