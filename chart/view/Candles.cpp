#include "chart/view/Candles.h"

#include "chart/tools/DevicePixels.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zarvchart {
namespace {

/// Bars as they stand when there is room: the wicks as lines, the bodies as rectangles.
void paintCandlesticks(QPainter& p, const Series& series, const Mapping& m, std::size_t first, std::size_t last, double bodyWidth)
{
    std::vector<QLineF> wicks[2];
    std::vector<QRectF> bodies[2];
    for (std::size_t i = first; i <= last; ++i) {
        const Bar& bar = series[i];
        const int rising = bar.close >= bar.open ? 1 : 0;
        const double x = std::round(m.xToPixel(double(i))) + 0.5;
        wicks[rising].emplace_back(x, m.yToPixel(bar.high), x, m.yToPixel(bar.low));
        const double top = std::round(m.yToPixel(std::max(bar.open, bar.close)));
        const double bottom = std::round(m.yToPixel(std::min(bar.open, bar.close)));
        bodies[rising].emplace_back(x - 0.5 - std::floor(bodyWidth / 2), top, bodyWidth, std::max(1.0, bottom - top));
    }
    for (int rising : {0, 1}) {
        const QColor& colour = rising ? risingColour : fallingColour;
        p.setPen(QPen(colour, 1));
        p.drawLines(wicks[rising].data(), int(wicks[rising].size()));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRects(bodies[rising].data(), int(bodies[rising].size()));
    }
}

/// Bars too close for bodies: one wick a column of pixels for the falling bars there, from their
/// highest high to their lowest low, and one over it for the rising bars, as the wicks of every
/// bar would have covered the column one over the other. However many bars are in view, no more
/// than two marks a column are painted.
void paintWicks(QPainter& p, const Series& series, const Mapping& m, std::size_t first, std::size_t last)
{
    const DevicePixels device(p);
    struct Column {
        double x = NAN;
        double high[2] = {-INFINITY, -INFINITY};
        double low[2] = {INFINITY, INFINITY};
    } column;
    std::vector<QLineF> logical[2];
    std::vector<QRect> pixels[2];
    auto mark = [&] {
        for (int rising : {0, 1}) {
            if (!(column.low[rising] <= column.high[rising]))
                continue;
            const QLineF wick(column.x, m.yToPixel(column.high[rising]), column.x, m.yToPixel(column.low[rising]));
            if (const QRect r = device.line(wick.p1(), wick.p2(), 1); !r.isEmpty())
                pixels[rising].push_back(r);
            else
                logical[rising].push_back(wick);
        }
    };
    for (std::size_t i = first; i <= last; ++i) {
        const Bar& bar = series[i];
        const double x = std::round(m.xToPixel(double(i))) + 0.5;
        if (x != column.x) {
            mark();
            column = Column{x};
        }
        const int rising = bar.close >= bar.open ? 1 : 0;
        column.high[rising] = std::max(column.high[rising], bar.high);
        column.low[rising] = std::min(column.low[rising], bar.low);
    }
    mark();
    for (int rising : {0, 1}) {
        const QColor& colour = rising ? risingColour : fallingColour;
        device.fill(p, pixels[rising], colour);
        p.setPen(QPen(colour, 1));
        p.drawLines(logical[rising].data(), int(logical[rising].size()));
    }
}

} // namespace

void paintCandles(QPainter& p, const Series& series, const Mapping& m)
{
    if (series.empty())
        return;
    const auto first = std::size_t(std::clamp(std::floor(m.firstX()), 0.0, double(series.size() - 1)));
    const auto last = std::size_t(std::clamp(std::ceil(m.lastX()), 0.0, double(series.size() - 1)));
    const double bodyWidth = std::floor(m.pixelsPerBar() * 0.7);
    p.save();
    if (bodyWidth >= 2)
        paintCandlesticks(p, series, m, first, last, bodyWidth);
    else
        paintWicks(p, series, m, first, last);
    p.restore();
}

} // namespace zarvchart
