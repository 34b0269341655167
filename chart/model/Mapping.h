#pragma once

// Value-to-pixel mapping of the plot area: bar positions left to right, prices bottom to top, both
// linear. Painting and hit-testing go through it; nothing else converts between the two.

#include "chart/model/ChartTypes.h"

#include <QPointF>
#include <QRectF>

namespace zarvchart {

class Mapping {
public:
    Mapping() = default;
    /// `plot` in pixels shows bar positions `firstX` to `lastX` and prices `lowPrice` to `highPrice`.
    Mapping(const QRectF& plot, double firstX, double lastX, double lowPrice, double highPrice)
        : plot_(plot), firstX_(firstX), lastX_(lastX), low_(lowPrice), high_(highPrice)
    {
    }

    QRectF plot() const { return plot_; }
    double firstX() const { return firstX_; }
    double lastX() const { return lastX_; }
    double lowPrice() const { return low_; }
    double highPrice() const { return high_; }

    double xToPixel(double x) const { return plot_.left() + (x - firstX_) * plot_.width() / (lastX_ - firstX_); }
    double yToPixel(double price) const { return plot_.bottom() - (price - low_) * plot_.height() / (high_ - low_); }
    double pixelToX(double px) const { return firstX_ + (px - plot_.left()) * (lastX_ - firstX_) / plot_.width(); }
    double pixelToY(double py) const { return low_ + (plot_.bottom() - py) * (high_ - low_) / plot_.height(); }

    QPointF toPixel(ChartPoint p) const { return {xToPixel(p.x), yToPixel(p.y)}; }
    ChartPoint toValue(QPointF px) const { return {pixelToX(px.x()), pixelToY(px.y())}; }

    /// Pixels per bar and pixels per unit of price.
    double pixelsPerBar() const { return plot_.width() / (lastX_ - firstX_); }
    double pixelsPerPrice() const { return plot_.height() / (high_ - low_); }

private:
    QRectF plot_{0, 0, 1, 1};
    double firstX_ = 0;
    double lastX_ = 1;
    double low_ = 0;
    double high_ = 1;
};

} // namespace zarvchart
