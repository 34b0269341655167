#pragma once

// Where the axes put their marks and what they write there.

#include "chart/model/ChartTypes.h"

#include <QString>

#include <vector>

namespace zarvchart {

struct Tick {
    double value = 0; ///< a price, or a bar position
    QString label;
};

/// Round prices from `low` to `high`, at most `count` + 1 of them and each above the one before:
/// steps of 1, 2 or 5 times a power of ten, written with as many decimals as the step needs.
std::vector<Tick> priceTicks(double low, double high, int count);

/// A mark on the time axis, and whether its bar is the first of a day on an intraday chart.
struct TimeTick : Tick {
    bool newDay = false;
};

/// The bars from position `firstX` to `lastX` that start a new second, minute, hour, day, week,
/// month or year, counted in the finest of the usual steps (1, 5, 15 minutes, 1, 4 hours, a day,
/// a month, a quarter, 1, 10 years and so on) that leaves at least `spacing` bars between two
/// marks. Times of day read "09:30", days "4 Mar", months "Mar" and years "2024"; where a day
/// starts among times of day it is written instead, and so is a year among days or months.
/// Bars stand at their index, so nights and weekends take no room.
std::vector<TimeTick> dateTicks(const Series& series, double firstX, double lastX, double spacing);

} // namespace zarvchart
