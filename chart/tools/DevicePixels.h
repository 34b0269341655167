#pragma once

// The painter's own pixels, for the marks a chart paints by the thousand: lines one device pixel
// wide. A line that runs exactly across or down covers a row or column of whole pixels, which are
// filled outright, several times cheaper than stroking them and the same to look at. Where the
// painter paints on a 32-bit image with nothing clipped but to a rectangle, those pixels, and the
// antialiased thin lines, are written straight into the image's memory: the painter spends a call
// on every pixel of a thin line, a direct write a few instructions. Elsewhere (a printer, a
// rotated painter, a clip of another shape) everything goes through the painter as usual.

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QTransform>

#include <vector>

class QColor;
class QPainter;

namespace zarvchart {

class DevicePixels {
public:
    /// How `painter` maps its coordinates onto the device's pixels right now.
    explicit DevicePixels(const QPainter& painter);

    /// The device pixels that a line from `a` to `b` covers without antialiasing, when it runs
    /// exactly across or down, as QPainter draws it: with a cosmetic pen one device pixel wide
    /// (`width` 0), or with a pen `width` wide in the painter's coordinates and square ends.
    /// Empty for any other line, and when the painter's mapping is not straight.
    QRect line(QPointF a, QPointF b, double width = 0) const;

    /// Fills `rects`, in device pixels, with `colour`, as the painter would (its clip applies).
    void fill(QPainter& painter, const std::vector<QRect>& rects, const QColor& colour) const;

    /// Strokes `lines`, in the painter's coordinates, one device pixel wide and antialiased, in
    /// `colour`, as a cosmetic pen would: each column (or row, for a steep line) whose middle the
    /// line passes shares the pixel of coverage between the two pixels nearest the line.
    void stroke(QPainter& painter, const std::vector<QLineF>& lines, const QColor& colour) const;

private:
    QTransform transform_;
    /// Device pixels per unit of the painter's coordinates.
    double scale_ = 1;
    /// Whether the mapping only scales, alike in both directions, and moves: then a line across or
    /// down stays one.
    bool straight_ = false;
    /// The image the painter paints on, when an opaque colour may be written into its pixels
    /// directly: premultiplied 32 bits a pixel, nothing clipped but to one rectangle (`clip_`),
    /// drawn over at full opacity.
    const QImage* image_ = nullptr;
    QRect clip_;
};

} // namespace zarvchart
