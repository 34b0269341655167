#pragma once

#include "chart/model/ChartTypes.h"

namespace zarvchart {

/// The chart's sample data: `bars` weekday bars from 2 January 2024, made up by a fixed recipe
/// (a trend with swings and noise from a seeded generator), so every run shows the same chart.
Series sampleSeries(int bars = 250);

} // namespace zarvchart
