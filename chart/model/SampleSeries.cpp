#include "chart/model/SampleSeries.h"

#include "chart/model/BarTime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace zarvchart {
namespace {

/// A tiny generator of our own: the standard library's distributions differ between
/// implementations, and the sample must not.
class Noise {
public:
    /// Uniform in [0, 1).
    double uniform()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(state_ >> 11) / double(1ULL << 53);
    }
    /// Roughly normal, mean 0 and deviation 1: the sum of four uniforms, centred and scaled.
    double normal() { return (uniform() + uniform() + uniform() + uniform() - 2.0) * std::sqrt(3.0); }

private:
    std::uint64_t state_ = 20240102;
};

} // namespace

Series sampleSeries(int bars)
{
    Noise noise;
    Series series;
    series.reserve(std::size_t(std::max(bars, 0)));
    QDate date(2024, 1, 2);
    double close = 100;
    for (int i = 0; i < bars; ++i) {
        while (date.dayOfWeek() > 5)
            date = date.addDays(1);
        // A slow swing and a faster one over a gentle rise, so the tools have highs and lows to
        // be drawn between.
        const double t = double(i);
        const double drift = 0.0004 + 0.006 * std::cos(2 * std::numbers::pi * t / 140)
            + 0.004 * std::cos(2 * std::numbers::pi * t / 45);
        Bar bar;
        bar.time = barTime(date);
        bar.open = close * (1 + 0.003 * noise.normal());
        close = bar.open * (1 + drift + 0.011 * noise.normal());
        bar.close = close;
        bar.high = std::max(bar.open, bar.close) * (1 + 0.006 * std::abs(noise.normal()));
        bar.low = std::min(bar.open, bar.close) * (1 - 0.006 * std::abs(noise.normal()));
        bar.volume = std::round(800000 * (1 + 0.5 * noise.uniform()));
        // Prices in cents, as a quote shows them; rounding keeps low <= open, close <= high.
        for (double* price : {&bar.open, &bar.high, &bar.low, &bar.close})
            *price = std::round(*price * 100) / 100;
        series.push_back(bar);
        date = date.addDays(1);
    }
    return series;
}

} // namespace zarvchart
