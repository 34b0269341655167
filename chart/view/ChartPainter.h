#pragma once

// Paints the chart: grid, candlesticks, the drawings, the selected drawing's handles and the two
// axes. It only paints; where things go comes from the Mapping and the tools' geometry.
//
// The picture is painted in three parts, each over the one before: the base (background, grid,
// axes and candles), the settled drawings (those the user is not working on), and the live part
// (the drawings he is working on, the handles, the label). The first two change seldom and are
// kept as images (ChartLayers); the live part is painted anew every time. Anything that follows
// the pointer alone belongs to the live part, so that it costs no more than itself.

#include "chart/model/ChartTypes.h"
#include "chart/model/Mapping.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

namespace zarvchart {

struct ChartScene {
    const Series* series = nullptr;
    Mapping mapping;
    /// The drawings as shown, each over those before it: first the settled ones, then those the
    /// user is working on (selected, edited, dragged, being placed).
    std::vector<Drawing> drawings;
    /// How many of `drawings`, from the first, are settled.
    std::size_t settled = 0;
    /// The anchors that show their handles: the selected drawing's, as shown.
    std::vector<ChartPoint> handles;
    /// Written in the plot's top left corner: where the prices come from.
    QString label;
};

/// The plot's rectangle in a chart of `size`: the axes take the right and bottom edges.
QRectF plotArea(const QSizeF& size);

/// Half the side of an anchor's handle, in pixels.
inline constexpr double handleRadius = 4;

/// The background, grid, axes and candles of a chart of `size`.
void paintBase(QPainter& painter, const QSizeF& size, const ChartScene& scene);
/// The settled drawings, over the base.
void paintSettled(QPainter& painter, const ChartScene& scene);
/// The drawings being worked on, the handles and the label, over the settled drawings.
void paintLive(QPainter& painter, const ChartScene& scene);

/// The whole chart at once: the three parts, one over the other. Each part leaves the painter as
/// it found it, so this paints what the three painted apart and laid over each other show.
void paintChart(QPainter& painter, const QSizeF& size, const ChartScene& scene);

} // namespace zarvchart
