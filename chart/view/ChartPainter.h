#pragma once

// Paints the chart: grid, candlesticks, volume, the drawings, the selected drawing's handles, the
// two axes and the crosshair. It only paints; where things go comes from the Mapping and the
// tools' geometry.
//
// The picture is painted in three parts, each over the one before: the base (background, grid,
// axes, candles and volume), the settled drawings (those the user is not working on), and the
// live part (the drawings he is working on, the handles, the label, the crosshair). The first two
// change seldom and are kept as images (ChartLayers); the live part is painted anew every time.
// Anything that follows the pointer alone belongs to the live part, so that it costs no more
// than itself and the kept images stay as they are.

#include "chart/model/ChartTypes.h"
#include "chart/model/Mapping.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace zarvchart {

/// What follows the pointer while it is over the chart.
struct ChartPointer {
    /// Where the crosshair's lines cross: across at the pointer, down through the bar under it.
    QPointF at;
    /// Whether the pointer is over the prices rather than the volume pane: the price under it is
    /// marked on the price axis only then.
    bool overPrices = true;
    /// The bar under the pointer, written after the label: its time, prices and volume.
    QString readout;
    /// The price under the pointer, marked on the price axis.
    QString price;
    /// Whether the magnet took the crosshair to a price of the bar: it is marked where it crosses.
    bool snapped = false;
};

struct ChartScene {
    const Series* series = nullptr;
    Mapping mapping;
    /// The volume pane under the prices; empty when it is not shown.
    QRectF volume;
    /// The drawings as shown, each over those before it: first the settled ones, then those the
    /// user is working on (selected, edited, dragged, being placed).
    std::vector<Drawing> drawings;
    /// How many of `drawings`, from the first, are settled.
    std::size_t settled = 0;
    /// The anchors that show their handles: the selected drawing's, as shown.
    std::vector<ChartPoint> handles;
    /// Written in the plot's top left corner: where the prices come from.
    QString label;
    /// The crosshair, when the pointer is over the chart.
    std::optional<ChartPointer> pointer;
    /// The drawing of `drawings` under the pointer, which a click would take, or -1.
    int highlighted = -1;
};

/// Where the parts of a chart of `size` go: the prices' plot, and under it the volume pane when
/// `volume` is asked for (else empty). The axes take the right and bottom edges.
struct ChartLayout {
    QRectF plot;
    QRectF volume;
};
ChartLayout chartLayout(const QSizeF& size, bool volume);

/// Half the side of an anchor's handle, in pixels.
inline constexpr double handleRadius = 4;

/// The background, grid, axes, candles and volume of a chart of `size`.
void paintBase(QPainter& painter, const QSizeF& size, const ChartScene& scene);
/// The settled drawings, over the base.
void paintSettled(QPainter& painter, const ChartScene& scene);
/// The drawings being worked on, the handles, the label and what follows the pointer (the
/// crosshair, the readout, the price marker, the highlight), over the settled drawings.
void paintLive(QPainter& painter, const QSizeF& size, const ChartScene& scene);

/// The whole chart at once: the three parts, one over the other. Each part leaves the painter as
/// it found it, so this paints what the three painted apart and laid over each other show.
void paintChart(QPainter& painter, const QSizeF& size, const ChartScene& scene);

} // namespace zarvchart
