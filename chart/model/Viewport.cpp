#include "chart/model/Viewport.h"

#include <algorithm>
#include <cmath>

namespace zarvchart {
namespace {

constexpr double pricePadding = 0.06; // of the price range, above and below
constexpr double fewestBars = 10; // zooming in stops there

/// `range` widened by the padding; a flat range gets a little height of its own.
std::pair<double, double> padded(std::pair<double, double> range)
{
    const double height = range.second - range.first;
    const double pad = height > 0 ? height * pricePadding : std::max(std::abs(range.first) * 0.01, 1.0);
    return {range.first - pad, range.second + pad};
}

} // namespace

std::optional<std::pair<double, double>> priceRange(const Series& series, double firstX, double lastX)
{
    const long long n = static_cast<long long>(series.size());
    const long long first = std::max(0LL, static_cast<long long>(std::ceil(firstX)));
    const long long last = std::min(n - 1, static_cast<long long>(std::floor(lastX)));
    if (first > last)
        return std::nullopt;
    double low = series[std::size_t(first)].low, high = series[std::size_t(first)].high;
    for (long long i = first + 1; i <= last; ++i) {
        low = std::min(low, series[std::size_t(i)].low);
        high = std::max(high, series[std::size_t(i)].high);
    }
    return std::pair{low, high};
}

Viewport Viewport::fitted(const Series& series)
{
    if (series.empty())
        return {};
    const double last = double(series.size() - 1);
    Viewport view;
    view.firstX = -1;
    view.lastX = last + std::max(3.0, std::round(last * 0.08));
    std::tie(view.low, view.high) = padded(*priceRange(series, 0, last));
    return view;
}

Viewport Viewport::zoomed(double factor, double aroundX, const Series& series) const
{
    const double span = lastX - firstX;
    const double widest = std::max(2.0 * double(series.size()), 4 * fewestBars);
    const double newSpan = std::clamp(span / factor, fewestBars, widest);
    Viewport view = *this;
    view.firstX = aroundX - (aroundX - firstX) * newSpan / span;
    view.lastX = view.firstX + newSpan;
    if (const auto range = priceRange(series, view.firstX, view.lastX))
        std::tie(view.low, view.high) = padded(*range);
    return view;
}

Viewport Viewport::refitted(const Series& series) const
{
    Viewport view = *this;
    if (const auto range = priceRange(series, firstX, lastX))
        std::tie(view.low, view.high) = padded(*range);
    return view;
}

Viewport Viewport::panned(double bars, double price) const
{
    return {firstX + bars, lastX + bars, low + price, high + price};
}

} // namespace zarvchart
