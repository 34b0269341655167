#include "chart/view/ChartPainter.h"

#include "chart/model/Ticks.h"
#include "chart/tools/Geometry.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zarvchart {
namespace {

constexpr double priceAxisWidth = 64;
constexpr double dateAxisHeight = 24;
constexpr double margin = 8;
constexpr double priceTickSpacing = 48; // pixels between price marks, about
constexpr double dateTickSpacing = 80;  // at least, between date marks

const QColor background(0xFF, 0xFF, 0xFF);
const QColor gridColour(0xEC, 0xEE, 0xF2);
const QColor axisColour(0x9A, 0xA0, 0xA8);
const QColor textColour(0x40, 0x46, 0x50);
const QColor upColour(0x26, 0xA6, 0x9A);
const QColor downColour(0xEF, 0x53, 0x50);

void paintGridAndAxes(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    const Mapping& m = scene.mapping;
    const QRectF plot = m.plot();
    const QFontMetricsF metrics(p.font());
    const auto prices = priceTicks(m.lowPrice(), m.highPrice(), std::max(1, int(plot.height() / priceTickSpacing)));
    const auto dates = dateTicks(*scene.series, m.firstX(), m.lastX(), dateTickSpacing / m.pixelsPerBar());

    p.setPen(QPen(gridColour, 1));
    for (const Tick& t : prices)
        p.drawLine(QLineF(plot.left(), std::round(m.yToPixel(t.value)) + 0.5, plot.right(), std::round(m.yToPixel(t.value)) + 0.5));
    for (const Tick& t : dates)
        p.drawLine(QLineF(std::round(m.xToPixel(t.value)) + 0.5, plot.top(), std::round(m.xToPixel(t.value)) + 0.5, plot.bottom()));

    p.setPen(QPen(axisColour, 1));
    p.drawLine(QLineF(plot.right() + 0.5, plot.top(), plot.right() + 0.5, plot.bottom() + 0.5));
    p.drawLine(QLineF(plot.left(), plot.bottom() + 0.5, plot.right() + 0.5, plot.bottom() + 0.5));
    p.setPen(textColour);
    for (const Tick& t : prices) {
        const double y = m.yToPixel(t.value);
        p.drawLine(QLineF(plot.right(), y, plot.right() + 4, y));
        p.drawText(QPointF(plot.right() + 7, y + metrics.ascent() / 2 - 1), t.label);
    }
    for (const Tick& t : dates) {
        const double x = m.xToPixel(t.value);
        const double w = metrics.horizontalAdvance(t.label);
        p.drawLine(QLineF(x, plot.bottom(), x, plot.bottom() + 4));
        p.drawText(QPointF(std::clamp(x - w / 2, 0.0, size.width() - w), plot.bottom() + 6 + metrics.ascent()), t.label);
    }
}

void paintCandles(QPainter& p, const Series& series, const Mapping& m)
{
    if (series.empty())
        return;
    const auto first = std::size_t(std::clamp(std::floor(m.firstX()), 0.0, double(series.size() - 1)));
    const auto last = std::size_t(std::clamp(std::ceil(m.lastX()), 0.0, double(series.size() - 1)));
    const double bodyWidth = std::floor(m.pixelsPerBar() * 0.7);
    std::vector<QLineF> wicks[2];
    std::vector<QRectF> bodies[2];
    for (std::size_t i = first; i <= last; ++i) {
        const Bar& bar = series[i];
        const int rising = bar.close >= bar.open ? 1 : 0;
        const double x = std::round(m.xToPixel(double(i))) + 0.5;
        wicks[rising].emplace_back(x, m.yToPixel(bar.high), x, m.yToPixel(bar.low));
        if (bodyWidth >= 2) {
            const double top = std::round(m.yToPixel(std::max(bar.open, bar.close)));
            const double bottom = std::round(m.yToPixel(std::min(bar.open, bar.close)));
            bodies[rising].emplace_back(x - 0.5 - std::floor(bodyWidth / 2), top, bodyWidth, std::max(1.0, bottom - top));
        }
    }
    for (int rising : {0, 1}) {
        const QColor colour = rising ? upColour : downColour;
        p.setPen(QPen(colour, 1));
        p.drawLines(wicks[rising].data(), int(wicks[rising].size()));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRects(bodies[rising].data(), int(bodies[rising].size()));
    }
    p.setBrush(Qt::NoBrush);
}

void paintHandles(QPainter& p, const Drawing& drawing, const Mapping& m)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(textColour, 1));
    p.setBrush(background);
    for (const ChartPoint& anchor : drawing.anchors) {
        const QPointF c = m.toPixel(anchor);
        p.drawRect(QRectF(std::round(c.x() - handleRadius) + 0.5, std::round(c.y() - handleRadius) + 0.5,
                          2 * handleRadius, 2 * handleRadius));
    }
    p.setBrush(Qt::NoBrush);
}

void paintLabel(QPainter& p, const QRectF& plot, const QString& label)
{
    if (label.isEmpty())
        return;
    const QFontMetricsF metrics(p.font());
    const QRectF box(plot.left() + 6, plot.top() + 6, metrics.horizontalAdvance(label) + 12, metrics.height() + 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF4, 0xF5, 0xF7, 230));
    p.drawRect(box);
    p.setBrush(Qt::NoBrush);
    p.setPen(textColour);
    p.drawText(box, Qt::AlignCenter, label);
}

} // namespace

QRectF plotArea(const QSizeF& size)
{
    return QRectF(margin, margin, std::max(1.0, size.width() - margin - priceAxisWidth),
                  std::max(1.0, size.height() - margin - dateAxisHeight));
}

void paintChart(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    const Mapping& m = scene.mapping;
    p.fillRect(QRectF(QPointF(0, 0), size), background);
    paintGridAndAxes(p, size, scene);
    p.save();
    p.setClipRect(m.plot());
    paintCandles(p, *scene.series, m);
    for (const Drawing& d : scene.drawings)
        paintShapes(p, shapesOf(d, *scene.series, m));
    if (scene.selected >= 0 && std::size_t(scene.selected) < scene.drawings.size())
        paintHandles(p, scene.drawings[std::size_t(scene.selected)], m);
    p.restore();
    paintLabel(p, m.plot(), scene.label);
}

} // namespace zarvchart
