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
        Line, ///< a segment from points[0] to points[1]
        Polyline, ///< through every point (a curve, a regression line clipped to the plot)
        Ellipse, ///< the ellipse inscribed in `rect`, filled with `fill` when that is valid
        Arc, ///< part of the ellipse inscribed in `rect`, from `startAngle` spanning `spanAngle` degrees
             ///< (counter-clockwise, 0 at three o'clock)
        Text, ///< `text` with its baseline's left end at points[0]; `rect` is its box
    };
    Kind kind = Kind::Line;
    QPolygonF points;
    QRectF rect;
    double startAngle = 0;
    double spanAngle = 0;
    QColor colour;
    QColor fill;
    /// A guide (the trend between a tool's anchors) rather than one of its lines.
    bool dashed = false;
    QString text;
    /// Which part of the drawing this is: the member that places or switches it ("V(3)",
    /// "HLines") or the part's name ("Trend", "Fork", "Upper"); tests find a drawing's parts by it.
    QString role;
};

/// The shapes of `drawing` on a chart of `series` mapped by `mapping`. Lines that the drawing's
/// parameters extend "to the end" reach the plot's right edge. Lines are clipped to the plot and
/// what lies wholly outside it is left out; a parameter the drawing lacks takes its kind's built-in default. A drawing
/// with fewer anchors than its kind needs (one being placed) is drawn with its last anchor standing for the missing
/// ones; with none, or of an unknown kind, it has no shapes.
std::vector<Shape> shapesOf(const Drawing& drawing, const Series& series, const Mapping& mapping);

/// Paints `shapes`, the shapes of one drawing, with cosmetic pens one pixel wide, each in its
/// colour (the view draws selection handles itself): fills first, then lines, then labels. A solid
/// line that runs exactly across or down fills the row or column of device pixels that holds it;
/// every other line and curve is antialiased, those of one pen stroked together, and a curve only
/// where it can be seen within the painter's clip. Labels are laid out once and kept.
void paintShapes(QPainter& painter, const std::vector<Shape>& shapes);
/// Paints the shapes of several drawings, each drawing's over those before it, as paintShapes
/// would one drawing after the other; a line across or down is not painted where an opaque one
/// painted after it covers it anyway.
void paintShapes(QPainter& painter, const std::vector<std::vector<Shape>>& drawings);

/// The distance in pixels from `point` to the nearest of `shapes` (a filled ellipse's inside and a
/// text's box are distance 0); infinity when there are none.
double distanceTo(const std::vector<Shape>& shapes, QPointF point);

} // namespace zarvchart
