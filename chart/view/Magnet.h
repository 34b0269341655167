#pragma once

// The magnet: an anchor set or dragged near one of the prices of the bar under the pointer takes
// that price exactly, at that bar, as traders place their lines on highs and lows.

#include "chart/model/ChartTypes.h"
#include "chart/model/Mapping.h"

#include <QPointF>

#include <optional>

class QPainter;

namespace zarvchart {

/// How near, in pixels up or down, the pointer must come to a price to take it.
inline constexpr double magnetReach = 8;

/// The open, high, low or close of the bar under `pixel` whose row is nearest it, at that bar,
/// when it lies within magnetReach; none over no bar or far from its prices.
std::optional<ChartPoint> snapToBar(const Series& series, const Mapping& mapping, QPointF pixel);

/// Marks `at`, where the magnet took the pointer, with a ring.
void paintSnapMark(QPainter& painter, QPointF at);

} // namespace zarvchart
