#pragma once

// Paints the chart: grid, candlesticks, the drawings, the selected drawing's handles and the two
// axes. It only paints; where things go comes from the Mapping and the tools' geometry.

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
    std::vector<Drawing> drawings;
    /// The drawing whose handles show, or -1.
    int selected = -1;
    /// Written in the plot's top left corner: where the prices come from.
    QString label;
};

/// The plot's rectangle in a chart of `size`: the axes take the right and bottom edges.
QRectF plotArea(const QSizeF& size);

/// Half the side of an anchor's handle, in pixels.
inline constexpr double handleRadius = 4;

void paintChart(QPainter& painter, const QSizeF& size, const ChartScene& scene);

} // namespace zarvchart
