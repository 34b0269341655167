#pragma once

// What a drawing looks like, worked out from its anchors and parameters: a list of shapes in
// pixels. Painting draws the shapes; hit-testing measures the distance to them. Neither looks at
// painted pixels.

#include "chart/model/ChartTypes.h"
#include "chart/model/Mapping.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace zarvchart {

struct Shape {
    enum class Kind {
        Line,     ///< a segment from points[0] to points[1]
        Polyline, ///< through every point (a curve, a regression line clipped to the plot)
        Ellipse,  ///< the ellipse inscribed in `rect`, filled with `fill` when that is valid
        Arc,      ///< part of the ellipse inscribed in `rect`, from `startAngle` spanning `spanAngle` degrees (counter-clockwise, 0 at three o'clock)
        Text,     ///< `text` with its baseline's left end at points[0]
    };
    Kind kind = Kind::Line;
    QPolygonF points;
    QRectF rect;
    double startAngle = 0;
    double spanAngle = 0;
    QColor colour;
    QColor fill;
    QString text;
    /// Set on the shapes of a sub-feature a parameter switched on (an extension, a level):
    /// tests find a drawing's parts by it ("V(3)", "Extend", "Upper").
    QString role;
};

/// The shapes of `drawing` on a chart of `series` mapped by `mapping`. Lines that the drawing's
/// parameters extend "to the end" reach the plot's right edge.
std::vector<Shape> shapesOf(const Drawing& drawing, const Series& series, const Mapping& mapping);

/// Paints `shapes`, antialiased, each in its colour (the view draws selection handles itself).
void paintShapes(QPainter& painter, const std::vector<Shape>& shapes);

/// The distance in pixels from `point` to the nearest of `shapes` (a filled ellipse's inside is
/// distance 0).
double distanceTo(const std::vector<Shape>& shapes, QPointF point);

} // namespace zarvchart
