#pragma once

// Where a segment is seen: for the tools' shapes and for the thin lines painted straight into an
// image alike, so that both cut a line at the same place.

#include <QLineF>
#include <QRectF>

#include <optional>

namespace zarvchart {

/// The part of the segment from `a` to `b` within `r`, edges included (Liang and Barsky's
/// clipping); none when no part is, or when an end is not finite.
std::optional<QLineF> clipped(QPointF a, QPointF b, const QRectF& r);

} // namespace zarvchart
