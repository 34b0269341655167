#include "chart/tools/geometry/Sketch.h"

#include "chart/tools/Clip.h"
#include "chart/tools/Labels.h"

#include <QGuiApplication>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <string_view>

namespace zarvchart::geometry {

namespace {

// An ellipse wider or taller than this many pixels is left out: zoomed that far, none of it
// would be seen, and the painter's arithmetic is not meant for it.
constexpr double largest = 1e6;

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// Whether `r` (normalized) and `plot` share a point, edges included: a flat ellipse still counts.
bool touches(const QRectF& r, const QRectF& plot)
{
    return r.left() <= plot.right() && r.right() >= plot.left() && r.top() <= plot.bottom() && r.bottom() >= plot.top();
}

// Whether an ellipse in `r` can be drawn and could be seen.
bool placeable(const QRectF& r, const QRectF& plot)
{
    return finite(r.topLeft()) && finite(r.bottomRight()) && r.width() <= largest && r.height() <= largest
        && touches(r, plot);
}

} // namespace

QString member(const char* name, int index)
{
    // Asked for every line of every drawing on every repaint: each name is made once.
    static std::map<std::pair<std::string, int>, QString> made;
    auto key = std::pair(std::string(name), index);
    auto it = made.find(key);
    if (it == made.end())
        it = made.emplace(std::move(key), memberKey(QLatin1String(name), index)).first;
    return it->second;
}

QFont labelFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

Sketch::Sketch(const Drawing& drawing, const ToolKind& kind, const Series& series, const Mapping& mapping)
    : drawing_(drawing), kind_(kind), series_(series), mapping_(mapping)
{
}

double Sketch::number(const QString& member) const
{
    QVariant value = drawing_.parameters.value(member);
    if (!value.isValid())
        value = kind_.builtInDefaults.value(member);
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? d : std::numeric_limits<double>::quiet_NaN();
}

double Sketch::boxNumber(const QString& member) const
{
    double value = number(member);
    if (std::isnan(value))
        return 0;
    if (std::isinf(value))
        value = std::copysign(double(std::numeric_limits<float>::max()), value);
    // Seven significant digits of the exact value, ties to even, as the box writes them.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
    double shown = 0;
    std::from_chars(text, written.ptr, shown);
    return double(float(shown));
}

int Sketch::whole(const QString& member) const
{
    const double d = std::round(number(member));
    return d >= std::numeric_limits<int>::min() && d <= std::numeric_limits<int>::max() ? static_cast<int>(d) : 0;
}

QColor Sketch::colour(const QString& member) const
{
    const int bgr = whole(member);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

ChartPoint Sketch::anchor(int i) const
{
    const auto last = static_cast<int>(drawing_.anchors.size()) - 1;
    return drawing_.anchors[static_cast<std::size_t>(std::clamp(i, 0, last))];
}

std::optional<QLineF> Sketch::line(QPointF a, QPointF b, const QColor& colour, const QString& role, bool dashed)
{
    std::optional<QLineF> seen = clipped(a, b, plot());
    if (seen && !(seen->length() >= 1))
        seen.reset();
    if (seen) {
        Shape s;
        s.kind = Shape::Kind::Line;
        s.points = {seen->p1(), seen->p2()};
        s.colour = colour;
        s.dashed = dashed;
        s.role = role;
        shapes_.push_back(std::move(s));
    }
    return seen;
}

namespace {

const QString& roleNamed(const char* role)
{
    static std::map<std::string, QString, std::less<>> made;
    auto it = made.find(std::string_view(role));
    if (it == made.end())
        it = made.emplace(role, QString::fromUtf8(role)).first;
    return it->second;
}

} // namespace

std::optional<QLineF> Sketch::line(QPointF a, QPointF b, const QColor& colour, const char* role, bool dashed)
{
    return line(a, b, colour, roleNamed(role), dashed);
}

std::optional<QLineF> Sketch::ray(QPointF from, QPointF through, const QColor& colour, const char* role)
{
    return ray(from, through, colour, roleNamed(role));
}

std::optional<QLineF> Sketch::ray(QPointF from, QPointF through, const QColor& colour, const QString& role)
{
    const QPointF d = through - from;
    const double length = std::hypot(d.x(), d.y());
    if (!(length > 0) || !std::isfinite(length))
        return std::nullopt;
    // Far enough along to have left the plot, whichever side `from` starts on.
    const QPointF off = from - plot().center();
    const double reach = std::hypot(off.x(), off.y()) + std::hypot(plot().width(), plot().height());
    return line(from, from + d * (reach / length), colour, role);
}

void Sketch::ellipse(const QRectF& rect, const QColor& colour, const QColor& fill, const QString& role)
{
    if (!placeable(rect.normalized(), plot()))
        return;
    Shape s;
    s.kind = Shape::Kind::Ellipse;
    s.rect = rect.normalized();
    s.colour = colour;
    s.fill = fill;
    s.role = role;
    shapes_.push_back(std::move(s));
}

void Sketch::arc(const QRectF& rect, double startAngle, double spanAngle, const QColor& colour, const QString& role)
{
    if (!placeable(rect.normalized(), plot()) || !std::isfinite(startAngle) || !std::isfinite(spanAngle))
        return;
    Shape s;
    s.kind = Shape::Kind::Arc;
    s.rect = rect.normalized();
    s.startAngle = startAngle;
    s.spanAngle = std::clamp(spanAngle, -360.0, 360.0);
    s.colour = colour;
    s.role = role;
    shapes_.push_back(std::move(s));
}

void Sketch::text(QPointF at, const QString& text, const QColor& colour, const QString& role)
{
    if (!finite(at))
        return;
    // Measured in the font it is painted in; with no GUI application there is no font to ask.
    QRectF box;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        box = labelBounds(text, labelFont());
    else
        box = QRectF(0, -labelFont().pixelSize(), 0.6 * labelFont().pixelSize() * text.size(), labelFont().pixelSize());
    box.translate(at);
    if (!touches(box, plot()))
        return;
    Shape s;
    s.kind = Shape::Kind::Text;
    s.points = {at};
    s.rect = box;
    s.text = text;
    s.colour = colour;
    s.role = role;
    shapes_.push_back(std::move(s));
}

bool Spacing::clear(double position) const
{
    // The nearest taken on either side.
    const auto above = taken_.lower_bound(position);
    if (above != taken_.end() && *above - position < 1)
        return false;
    return above == taken_.begin() || position - *std::prev(above) >= 1;
}

} // namespace zarvchart::geometry
