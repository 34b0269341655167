#include "chart/view/Magnet.h"

#include <QPainter>

#include <cmath>

namespace zarvchart {

std::optional<ChartPoint> snapToBar(const Series& series, const Mapping& mapping, QPointF pixel)
{
    const double x = std::round(mapping.pixelToX(pixel.x()));
    if (!(x >= 0 && x < double(series.size())))
        return std::nullopt;
    const Bar& bar = series[std::size_t(x)];
    std::optional<ChartPoint> nearest;
    double best = magnetReach;
    // In this order, so that of prices on one row the open is taken, then the high, the low.
    for (double price : {bar.open, bar.high, bar.low, bar.close}) {
        const double distance = std::abs(mapping.yToPixel(price) - pixel.y());
        if (distance <= best && (!nearest || distance < best)) {
            best = distance;
            nearest = ChartPoint{x, price};
        }
    }
    return nearest;
}

void paintSnapMark(QPainter& painter, QPointF at)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0, 120, 215), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 4.5, 4.5);
    painter.restore();
}

} // namespace zarvchart
