#pragma once

// The bars as candlesticks: a wick from high to low and a body from open to close, in the rising
// or the falling colour; and their volume as bars of its own. Where bars stand too close for
// bodies, a wick alone; where more than one bar falls on a column of pixels, one mark for them all.

#include "chart/model/ChartTypes.h"
#include "chart/model/Mapping.h"

#include <QColor>

class QPainter;

namespace zarvchart {

inline const QColor risingColour(0x26, 0xA6, 0x9A);
inline const QColor fallingColour(0xEF, 0x53, 0x50);
inline const QColor risingVolumeColour(0xA8, 0xDB, 0xD6);
inline const QColor fallingVolumeColour(0xF8, 0xBA, 0xB9);

/// Paints the bars of `series` that `mapping` shows (the painter's clip keeps them in the plot).
void paintCandles(QPainter& painter, const Series& series, const Mapping& mapping);

/// Paints the volume of the bars that `mapping` shows as bars in `pane`, each in its bar's colour,
/// the most in view reaching near the pane's top (the painter's clip keeps them in the pane).
void paintVolume(QPainter& painter, const Series& series, const Mapping& mapping, const QRectF& pane);

} // namespace zarvchart
