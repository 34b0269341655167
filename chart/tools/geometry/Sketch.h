#pragma once

// What every tool's drawing is built from: its parameters read by member name, its anchors in
// pixels, and the shapes it adds. The shapes are kept sane here, once: lines are clipped to the
// plot, and anything not finite, too large or wholly outside the plot is left out, so no
// parameter value or zoom can hand the painter a coordinate it cannot handle.

#include "chart/tools/Geometry.h"
#include "chart/tools/ToolKinds.h"

#include <QFont>
#include <QLineF>

#include <initializer_list>
#include <optional>
#include <set>

namespace zarvchart::geometry {

/// An indexed member's name: member("V", 3) is "V(3)", made once and kept.
QString member(const char* name, int index);

/// The colours of the kinds' built-in defaults, 0x00BBGGRR as the library carries them.
namespace colours {
constexpr int orange = 0x0080FF;
constexpr int red = 0x0000FF;
constexpr int green = 0x00A000;
constexpr int blue = 0xFF0000;
constexpr int darkBlue = 0xC00000;
constexpr int teal = 0x808000;
constexpr int grey = 0x808080;
} // namespace colours

/// Built-in defaults "Name(1)" to "Name(n)", one for each value in turn.
template <typename T>
void indexed(QVariantMap& map, const char* name, std::initializer_list<T> values)
{
    int i = 0;
    for (T value : values)
        map.insert(memberKey(QLatin1String(name), ++i), value);
}

/// The font the labels are measured and painted in.
QFont labelFont();

class Sketch {
public:
    Sketch(const Drawing& drawing, const ToolKind& kind, const Series& series, const Mapping& mapping);

    /// A parameter as a number; NaN when it is missing or not a number.
    double number(const QString& member) const;
    /// A parameter the dialog shows in a value box, as "OK" on the untouched box gives it back:
    /// shown to seven significant digits and read back to the nearest float (NaN shows as 0,
    /// an infinity as the largest float). Drawn so, the drawing does not move when "OK" is pressed.
    double boxNumber(const QString& member) const;
    /// A parameter as a whole number (a flag, a flag set, a count); 0 when it is none.
    int whole(const QString& member) const;
    bool on(const QString& member) const { return whole(member) != 0; }
    /// A 0x00BBGGRR colour parameter.
    QColor colour(const QString& member) const;

    /// Anchor `i` in data units; the last one placed stands for any not placed yet.
    ChartPoint anchor(int i) const;
    /// Anchor `i`, or any point in data units, in pixels.
    QPointF pixel(int i) const { return mapping_.toPixel(anchor(i)); }
    QPointF pixel(ChartPoint p) const { return mapping_.toPixel(p); }

    const Series& series() const { return series_; }
    const Mapping& mapping() const { return mapping_; }
    QRectF plot() const { return mapping_.plot(); }

    /// The segment from `a` to `b` in pixels, clipped to the plot; what was added, if anything.
    /// What is left shorter than a pixel is no line, and is left out.
    std::optional<QLineF> line(QPointF a, QPointF b, const QColor& colour, const QString& role, bool dashed = false);
    /// From `from` through `through` on to the plot's edge.
    std::optional<QLineF> ray(QPointF from, QPointF through, const QColor& colour, const QString& role);
    /// The same with the role named by literal text, made into a string once rather than on every
    /// line of every repaint.
    std::optional<QLineF> line(QPointF a, QPointF b, const QColor& colour, const char* role, bool dashed = false);
    std::optional<QLineF> ray(QPointF from, QPointF through, const QColor& colour, const char* role);
    /// The ellipse inscribed in `rect`, filled when `fill` is valid.
    void ellipse(const QRectF& rect, const QColor& colour, const QColor& fill, const QString& role);
    /// Part of the ellipse inscribed in `rect` (degrees, counter-clockwise from three o'clock).
    void arc(const QRectF& rect, double startAngle, double spanAngle, const QColor& colour, const QString& role);
    /// `text` with its baseline's left end at `at`.
    void text(QPointF at, const QString& text, const QColor& colour, const QString& role);

    std::vector<Shape> take() { return std::move(shapes_); }

private:
    const Drawing& drawing_;
    const ToolKind& kind_;
    const Series& series_;
    const Mapping& mapping_;
    std::vector<Shape> shapes_;
};

/// Where the lines of one family of parallels (levels, zones) were drawn, so that no two are
/// drawn closer than a pixel, where they would show as one line or a band of colour.
class Spacing {
public:
    /// Whether a line at `position` (pixels across the lines) keeps a pixel from every one taken.
    bool clear(double position) const;
    void take(double position) { taken_.insert(position); }

private:
    std::set<double> taken_;
};

} // namespace zarvchart::geometry
