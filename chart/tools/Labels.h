#pragma once

// Text laid out once and painted often. A chart writes the same few labels again on every
// repaint (the axes' marks, the retracement's values); shaping a text is the dear part of
// painting it, so each text is shaped the first time it is asked for in a font and kept.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace zarvchart {

/// Paints `text` in the painter's font and pen with its baseline's left end at `baseline`, as
/// QPainter::drawText(baseline, text) does.
void drawLabel(QPainter& painter, QPointF baseline, const QString& text);

/// How far `text` in `font` advances, as QFontMetricsF::horizontalAdvance says.
double labelAdvance(const QString& text, const QFont& font);

/// The box of `text` in `font` about its baseline's left end, as QFontMetricsF::boundingRect says.
QRectF labelBounds(const QString& text, const QFont& font);

} // namespace zarvchart
