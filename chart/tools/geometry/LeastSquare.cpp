#include "chart/tools/geometry/Sketch.h"

#include <algorithm>
#include <cmath>

namespace zarvchart::geometry {

namespace {

// The price the line is fitted to, as the dialog's list names them. The dialog shows 0 as
// "Open" and "OK" stores 1 for it; a value with no entry it stores as 0. So anything else is
// the open.
double basedOn(const Bar& bar, int useToCalc)
{
    switch (useToCalc) {
    case 2: return bar.high;
    case 3: return bar.low;
    case 4: return bar.close;
    case 5: return (bar.open + bar.high + bar.low) / 3;
    default: return bar.open;
    }
}

} // namespace

// The ordinary least-squares line through the chosen price of every bar from the first anchor's
// bar to the second's, drawn across those bars; the upper line V(1) and the lower line V(2)
// standard deviations of the residuals above and below it (the deviation over all n residuals,
// divided by n).
void drawLeastSquare(Sketch& sketch)
{
    const Series& bars = sketch.series();
    const double a = sketch.anchor(0).x;
    const double b = sketch.anchor(1).x;
    if (bars.empty() || !std::isfinite(a) || !std::isfinite(b))
        return;
    const double lo = std::max(std::ceil(std::min(a, b)), 0.0);
    const double hi = std::min(std::floor(std::max(a, b)), static_cast<double>(bars.size() - 1));
    if (!(lo <= hi))
        return;
    const int useToCalc = sketch.whole("UseToCalc");
    // Calls f(x, price) for every bar between the anchors whose price is a number.
    auto each = [&](auto f) {
        for (auto i = static_cast<std::size_t>(lo); i <= static_cast<std::size_t>(hi); ++i)
            if (const double y = basedOn(bars[i], useToCalc); std::isfinite(y))
                f(static_cast<double>(i), y);
    };

    // About the means, so that prices far from zero lose no digits.
    double n = 0, meanX = 0, meanY = 0;
    each([&](double x, double y) { n += 1, meanX += x, meanY += y; });
    if (n == 0)
        return;
    meanX /= n;
    meanY /= n;
    double sxx = 0, sxy = 0;
    each([&](double x, double y) { sxx += (x - meanX) * (x - meanX), sxy += (x - meanX) * (y - meanY); });
    const double slope = sxx > 0 ? sxy / sxx : 0;
    double squares = 0;
    each([&](double x, double y) { squares += std::pow(y - meanY - slope * (x - meanX), 2); });
    const double deviation = std::sqrt(squares / n);

    auto fitted = [&](double x, double off) { return sketch.pixel(ChartPoint{x, meanY + slope * (x - meanX) + off}); };
    sketch.line(fitted(lo, 0), fitted(hi, 0), sketch.colour("Cor(1)"), "Fit");
    const double upper = sketch.boxNumber("V(1)") * deviation;
    const double lower = -sketch.boxNumber("V(2)") * deviation;
    sketch.line(fitted(lo, upper), fitted(hi, upper), sketch.colour("Cor(2)"), "Upper");
    sketch.line(fitted(lo, lower), fitted(hi, lower), sketch.colour("Cor(3)"), "Lower");
}

namespace {

QVariantMap defaults()
{
    QVariantMap m{{"UseToCalc", 4}};
    indexed(m, "Cor", {colours::blue, colours::green, colours::red}); // the line, the upper line, the lower line
    indexed(m, "V", {2.0f, 2.0f});
    return m;
}

const ToolKindEntry entry{"ZarvLeastSquareClass", "Least Square Channel", 2, defaults(), drawLeastSquare};

} // namespace

} // namespace zarvchart::geometry
