#pragma once

// The bars as candlesticks: a wick from high to low and a body from open to close, in the rising
// or the falling colour. Where bars stand too close for bodies, a wick alone; where more than one
// bar falls on a column of pixels, one mark for them all.

#include "chart/model/ChartTypes.h"
#include "chart/model/Mapping.h"

#include <QColor>

class QPainter;

namespace zarvchart {

inline const QColor risingColour(0x26, 0xA6, 0x9A);
inline const QColor fallingColour(0xEF, 0x53, 0x50);

/// Paints the bars of `series` that `mapping` shows (the painter's clip keeps them in the plot).
void paintCandles(QPainter& painter, const Series& series, const Mapping& mapping);

} // namespace zarvchart
