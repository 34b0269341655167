#include "chart/view/ChartPainter.h"

#include "chart/model/Ticks.h"
#include "chart/tools/DevicePixels.h"
#include "chart/tools/Geometry.h"
#include "chart/tools/Labels.h"
#include "chart/view/Candles.h"

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

/// Lines without antialiasing, one pixel of the chart wide: the pixels a pen would cover, filled
/// where they can be.
void paintLines(QPainter& p, const DevicePixels& device, const std::vector<QLineF>& lines, const QColor& colour)
{
    std::vector<QRect> pixels;
    std::vector<QLineF> stroked;
    for (const QLineF& line : lines)
        if (const QRect r = device.line(line.p1(), line.p2(), 1); !r.isEmpty())
            pixels.push_back(r);
        else
            stroked.push_back(line);
    device.fill(p, pixels, colour);
    p.setPen(QPen(colour, 1));
    p.drawLines(stroked.data(), int(stroked.size()));
}

void paintGridAndAxes(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    const Mapping& m = scene.mapping;
    const QRectF plot = m.plot();
    const QFontMetricsF metrics(p.font());
    const auto prices = priceTicks(m.lowPrice(), m.highPrice(), std::max(1, int(plot.height() / priceTickSpacing)));
    const auto dates = dateTicks(*scene.series, m.firstX(), m.lastX(), dateTickSpacing / m.pixelsPerBar());

    // Every line here runs across or down, on whole pixels: filled, not stroked.
    const DevicePixels device(p);
    std::vector<QLineF> grid, axes, marks;
    for (const Tick& t : prices)
        grid.emplace_back(plot.left(), std::round(m.yToPixel(t.value)) + 0.5, plot.right(), std::round(m.yToPixel(t.value)) + 0.5);
    for (const Tick& t : dates)
        grid.emplace_back(std::round(m.xToPixel(t.value)) + 0.5, plot.top(), std::round(m.xToPixel(t.value)) + 0.5, plot.bottom());
    axes.emplace_back(plot.right() + 0.5, plot.top(), plot.right() + 0.5, plot.bottom() + 0.5);
    axes.emplace_back(plot.left(), plot.bottom() + 0.5, plot.right() + 0.5, plot.bottom() + 0.5);
    for (const Tick& t : prices)
        marks.emplace_back(plot.right(), m.yToPixel(t.value), plot.right() + 4, m.yToPixel(t.value));
    for (const Tick& t : dates)
        marks.emplace_back(m.xToPixel(t.value), plot.bottom(), m.xToPixel(t.value), plot.bottom() + 4);
    paintLines(p, device, grid, gridColour);
    paintLines(p, device, axes, axisColour);
    paintLines(p, device, marks, textColour);

    p.setPen(textColour);
    for (const Tick& t : prices)
        drawLabel(p, QPointF(plot.right() + 7, m.yToPixel(t.value) + metrics.ascent() / 2 - 1), t.label);
    for (const Tick& t : dates) {
        const double w = labelAdvance(t.label, p.font());
        drawLabel(p, QPointF(std::clamp(m.xToPixel(t.value) - w / 2, 0.0, size.width() - w), plot.bottom() + 6 + metrics.ascent()), t.label);
    }
}

void paintHandles(QPainter& p, const std::vector<ChartPoint>& anchors, const Mapping& m)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(textColour, 1));
    p.setBrush(background);
    for (const ChartPoint& anchor : anchors) {
        const QPointF c = m.toPixel(anchor);
        p.drawRect(QRectF(std::round(c.x() - handleRadius) + 0.5, std::round(c.y() - handleRadius) + 0.5,
                          2 * handleRadius, 2 * handleRadius));
    }
}

void paintLabel(QPainter& p, const QRectF& plot, const QString& label)
{
    if (label.isEmpty())
        return;
    const QFontMetricsF metrics(p.font());
    const QRectF box(plot.left() + 6, plot.top() + 6, labelAdvance(label, p.font()) + 12, metrics.height() + 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF4, 0xF5, 0xF7, 230));
    p.drawRect(box);
    p.setPen(textColour);
    drawLabel(p, QPointF(box.left() + 6, box.top() + 3 + metrics.ascent()), label);
}

/// Paints `scene`'s drawings from `first` to `last` (one past), clipped to the plot.
void paintDrawings(QPainter& p, const ChartScene& scene, std::size_t first, std::size_t last)
{
    std::vector<std::vector<Shape>> shapes;
    for (std::size_t i = first; i < last && i < scene.drawings.size(); ++i)
        shapes.push_back(shapesOf(scene.drawings[i], *scene.series, scene.mapping));
    paintShapes(p, shapes);
}

} // namespace

QRectF plotArea(const QSizeF& size)
{
    return QRectF(margin, margin, std::max(1.0, size.width() - margin - priceAxisWidth),
                  std::max(1.0, size.height() - margin - dateAxisHeight));
}

void paintBase(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    p.save();
    p.fillRect(QRectF(QPointF(0, 0), size), background);
    paintGridAndAxes(p, size, scene);
    p.setClipRect(scene.mapping.plot());
    paintCandles(p, *scene.series, scene.mapping);
    p.restore();
}

void paintSettled(QPainter& p, const ChartScene& scene)
{
    p.save();
    p.setClipRect(scene.mapping.plot());
    paintDrawings(p, scene, 0, scene.settled);
    p.restore();
}

void paintLive(QPainter& p, const ChartScene& scene)
{
    p.save();
    p.setClipRect(scene.mapping.plot());
    paintDrawings(p, scene, scene.settled, scene.drawings.size());
    paintHandles(p, scene.handles, scene.mapping);
    p.restore();
    p.save();
    paintLabel(p, scene.mapping.plot(), scene.label);
    p.restore();
}

void paintChart(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    paintBase(p, size, scene);
    paintSettled(p, scene);
    paintLive(p, scene);
}

} // namespace zarvchart
