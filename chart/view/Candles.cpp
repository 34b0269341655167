#include "chart/view/Candles.h"

#include "chart/tools/DevicePixels.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zarvchart {
namespace {

/// Bars as they stand when there is room: the wicks as lines, the bodies as rectangles.
void paintCandlesticks(QPainter& p, const Series& series, const Mapping& m, std::size_t first, std::size_t last,
                       double bodyWidth)
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

/// Bars too close for bodies: one mark a column of pixels for the falling bars there, from the
/// highest to the lowest that `span` gives of them (low and high, or none and the volume), and one
/// over it for the rising bars, as the marks of every bar would have covered the column one over
/// the other. However many bars are in view, no more than two marks a column are painted.
void paintColumns(QPainter& p, const Series& series, const Mapping& m, std::size_t first, std::size_t last, auto span,
                  const QColor (&colours)[2])
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
        const auto [low, high] = span(bar);
        column.high[rising] = std::max(column.high[rising], high);
        column.low[rising] = std::min(column.low[rising], low);
    }
    mark();
    for (int rising : {0, 1}) {
        device.fill(p, pixels[rising], colours[rising]);
        p.setPen(QPen(colours[rising], 1));
        p.drawLines(logical[rising].data(), int(logical[rising].size()));
    }
}

/// The positions of the first and last bar of `series` that `m` shows, at least partly.
std::pair<std::size_t, std::size_t> inView(const Series& series, const Mapping& m)
{
    return {std::size_t(std::clamp(std::floor(m.firstX()), 0.0, double(series.size() - 1))),
            std::size_t(std::clamp(std::ceil(m.lastX()), 0.0, double(series.size() - 1)))};
}

} // namespace

void paintCandles(QPainter& p, const Series& series, const Mapping& m)
{
    if (series.empty())
        return;
    const auto [first, last] = inView(series, m);
    const double bodyWidth = std::floor(m.pixelsPerBar() * 0.7);
    p.save();
    if (bodyWidth >= 2) {
        paintCandlesticks(p, series, m, first, last, bodyWidth);
    } else {
        const QColor colours[2] = {fallingColour, risingColour};
        paintColumns(
            p, series, m, first, last, [](const Bar& bar) { return std::pair(bar.low, bar.high); }, colours);
    }
    p.restore();
}

void paintVolume(QPainter& p, const Series& series, const Mapping& m, const QRectF& pane)
{
    if (series.empty() || pane.isEmpty())
        return;
    const auto [first, last] = inView(series, m);
    double most = 0;
    for (std::size_t i = first; i <= last; ++i)
        most = std::max(most, series[i].volume);
    if (!(most > 0) || !std::isfinite(most))
        return;
    // The volume as the prices' plot shows the bars, from nothing at the pane's foot to the most
    // in view a little under its top.
    const Mapping v(pane, m.firstX(), m.lastX(), 0, most * 1.05);
    const QColor colours[2] = {fallingVolumeColour, risingVolumeColour};
    const double bodyWidth = std::floor(m.pixelsPerBar() * 0.7);
    p.save();
    if (bodyWidth >= 2) {
        std::vector<QRectF> bars[2];
        for (std::size_t i = first; i <= last; ++i) {
            const Bar& bar = series[i];
            const double x = std::round(v.xToPixel(double(i))) + 0.5;
            const double top = std::round(v.yToPixel(bar.volume));
            bars[bar.close >= bar.open ? 1 : 0].emplace_back(x - 0.5 - std::floor(bodyWidth / 2), top, bodyWidth,
                                                             pane.bottom() - top);
        }
        p.setPen(Qt::NoPen);
        for (int rising : {0, 1}) {
            p.setBrush(colours[rising]);
            p.drawRects(bars[rising].data(), int(bars[rising].size()));
        }
    } else {
        paintColumns(
            p, series, v, first, last, [](const Bar& bar) { return std::pair(0.0, bar.volume); }, colours);
    }
    p.restore();
}

} // namespace zarvchart
