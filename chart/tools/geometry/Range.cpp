#include "chart/tools/geometry/Sketch.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace zarvchart::geometry {

namespace {

// A constant as the dialog shows it, to three decimals, and "OK" reads it back; one left at zero
// (or not a number) the dialog shows as its default.
double constant(const Sketch& sketch, const char* name, float byDefault)
{
    const double value = sketch.number(name);
    if (value == 0 || std::isnan(value))
        return byDefault;
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, std::clamp(value, -double(FLT_MAX), double(FLT_MAX)),
                                       std::chars_format::fixed, 3);
    double shown = 0;
    std::from_chars(text, written.ptr, shown);
    return shown == 0 ? byDefault : double(float(shown));
}

// A colour left at 0 the dialog shows as its default, and keeps showing so after "OK".
QColor colourOr(const Sketch& sketch, const char* name, const QColor& byDefault)
{
    return sketch.whole(name) == 0 ? byDefault : sketch.colour(name);
}

} // namespace

// The range is the highest high and lowest low of the "Periods" bars that end at the first
// anchor's bar, boxed in the "Range" colour with its high and low carried on. From that bar to
// the second anchor (or the plot's right edge with "Extend Right") run the targets: in "Up" the
// high plus Const1 and Const2 times the range, in "Down" the low minus them. Each is drawn as the
// dialog would store it.
void drawRange(Sketch& sketch)
{
    const Series& bars = sketch.series();
    const double anchorBar = std::round(sketch.anchor(0).x);
    if (bars.empty() || !std::isfinite(anchorBar))
        return;
    const auto last = static_cast<std::size_t>(std::clamp<double>(anchorBar, 0, static_cast<double>(bars.size() - 1)));
    // A field left at 0 means the dialog's default, 3.
    const int stored = sketch.whole("Periodos");
    const std::size_t periods = std::clamp<std::size_t>(stored > 0 ? static_cast<std::size_t>(stored) : 3, 1, last + 1);
    const std::size_t first = last + 1 - periods;

    double high = -INFINITY;
    double low = INFINITY;
    for (std::size_t i = first; i <= last; ++i) {
        if (std::isfinite(bars[i].high))
            high = std::max(high, bars[i].high);
        if (std::isfinite(bars[i].low))
            low = std::min(low, bars[i].low);
    }
    if (!(low <= high))
        return;
    const double range = high - low;

    const Mapping& m = sketch.mapping();
    const double rangeStart = m.xToPixel(static_cast<double>(first));
    const double rangeEnd = m.xToPixel(static_cast<double>(last));
    const double to = sketch.on("ExtendRight") ? sketch.plot().right() : m.xToPixel(sketch.anchor(1).x);

    const QColor rangeColour = sketch.colour("Cor3");
    for (double x : {rangeStart, rangeEnd})
        sketch.line({x, m.yToPixel(high)}, {x, m.yToPixel(low)}, rangeColour, "Range");
    for (double price : {high, low})
        sketch.line({rangeStart, m.yToPixel(price)}, {to, m.yToPixel(price)}, rangeColour, "Range");

    const QColor up = colourOr(sketch, "Cor1", QColor(0, 255, 0));
    const QColor down = colourOr(sketch, "Cor2", QColor(255, 0, 0));
    for (const double c : {constant(sketch, "Cte1", 0.618f), constant(sketch, "Cte2", 1.382f)}) {
        const double off = c * range;
        sketch.line({rangeEnd, m.yToPixel(high + off)}, {to, m.yToPixel(high + off)}, up, "Up");
        sketch.line({rangeEnd, m.yToPixel(low - off)}, {to, m.yToPixel(low - off)}, down, "Down");
    }
}

namespace {

QVariantMap defaults()
{
    // The same numbers the range dialog puts into fields left at zero.
    return {{"Periodos", 3},    {"Cte1", 0.618f},
            {"Cte2", 1.382f},   {"Cor1", 0x00FF00},
            {"Cor2", 0x0000FF}, {"Cor3", colours::grey},
            {"ExtendRight", 0}, {"ExtendRightCaption", QStringLiteral("Extend Right")}};
}

const ToolKindEntry entry{"ZarvRangerParmClass", "Range", 2, defaults(), drawRange, "Range Parameters"};

} // namespace

} // namespace zarvchart::geometry
