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

/// The bars from position `firstX` to `lastX` that start a new day, week, month, quarter or
/// year, whichever is the finest unit that leaves at least `spacing` bars between two marks;
/// January shows its year, other months their name.
std::vector<Tick> dateTicks(const Series& series, double firstX, double lastX, double spacing);

} // namespace zarvchart
