#pragma once

// Which part of the chart is in view, in data units: bar positions `firstX` to `lastX` and prices
// `low` to `high`. Fitting, zooming and panning change it; resizing the window does not.

#include "chart/model/ChartTypes.h"
#include "chart/model/Mapping.h"

#include <QRectF>

#include <optional>
#include <utility>

namespace zarvchart {

struct Viewport {
    double firstX = 0;
    double lastX = 1;
    double low = 0;
    double high = 1;

    /// Every bar, with room on the right for lines extended to the end, and every price of them.
    static Viewport fitted(const Series& series);

    /// Bar positions `factor` times closer together (above 1 zooms in), keeping `aroundX` where
    /// it is, and the prices refitted to the bars then in view.
    Viewport zoomed(double factor, double aroundX, const Series& series) const;

    /// Moved by `bars` to the right and `price` up.
    Viewport panned(double bars, double price) const;

    /// The same bars, the prices refitted to them.
    Viewport refitted(const Series& series) const;

    /// The mapping that shows this view in `plot`.
    Mapping mapping(const QRectF& plot) const { return Mapping(plot, firstX, lastX, low, high); }

    friend bool operator==(const Viewport&, const Viewport&) = default;
};

/// The lowest low and highest high of the bars at positions `firstX` to `lastX`, if any is there.
std::optional<std::pair<double, double>> priceRange(const Series& series, double firstX, double lastX);

} // namespace zarvchart
