#include "chart/view/ChartPainter.h"

#include "chart/model/Ticks.h"
#include "chart/tools/DevicePixels.h"
#include "chart/tools/Geometry.h"
#include "chart/tools/Labels.h"
#include "chart/view/Candles.h"
#include "chart/view/Magnet.h"

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
constexpr double dateTickSpacing = 80; // at least, between date marks
constexpr double volumeShare = 0.2; // of the height under the prices, for the volume pane
constexpr double fewestVolumePixels = 24;

const QColor background(0xFF, 0xFF, 0xFF);
const QColor gridColour(0xEC, 0xEE, 0xF2);
const QColor dayColour(0xC6, 0xCB, 0xD3); // where a day starts on an intraday chart
const QColor crosshairColour(0x7A, 0x80, 0x8A);
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
    // The time runs under the volume pane where there is one.
    const double bottom = scene.volume.isEmpty() ? plot.bottom() : scene.volume.bottom();
    const QFontMetricsF metrics(p.font());
    const auto prices = priceTicks(m.lowPrice(), m.highPrice(), std::max(1, int(plot.height() / priceTickSpacing)));
    const auto dates = dateTicks(*scene.series, m.firstX(), m.lastX(), dateTickSpacing / m.pixelsPerBar());

    // Every line here runs across or down, on whole pixels: filled, not stroked. Where a day
    // starts among times of day, a darker line stands between its first bar and the last of the
    // day before instead of a grid line.
    const DevicePixels device(p);
    std::vector<QLineF> grid, days, axes, marks;
    for (const Tick& t : prices)
        grid.emplace_back(plot.left(), std::round(m.yToPixel(t.value)) + 0.5, plot.right(),
                          std::round(m.yToPixel(t.value)) + 0.5);
    for (const TimeTick& t : dates) {
        const double x = std::round(m.xToPixel(t.newDay ? t.value - 0.5 : t.value)) + 0.5;
        (t.newDay ? days : grid).emplace_back(x, plot.top(), x, bottom);
    }
    axes.emplace_back(plot.right() + 0.5, plot.top(), plot.right() + 0.5, bottom + 0.5);
    axes.emplace_back(plot.left(), bottom + 0.5, plot.right() + 0.5, bottom + 0.5);
    if (!scene.volume.isEmpty())
        axes.emplace_back(plot.left(), plot.bottom() + 0.5, plot.right() + 0.5, plot.bottom() + 0.5);
    for (const Tick& t : prices)
        marks.emplace_back(plot.right(), m.yToPixel(t.value), plot.right() + 4, m.yToPixel(t.value));
    for (const Tick& t : dates)
        marks.emplace_back(m.xToPixel(t.value), bottom, m.xToPixel(t.value), bottom + 4);
    paintLines(p, device, grid, gridColour);
    paintLines(p, device, days, dayColour);
    paintLines(p, device, axes, axisColour);
    paintLines(p, device, marks, textColour);

    p.setPen(textColour);
    for (const Tick& t : prices)
        drawLabel(p, QPointF(plot.right() + 7, m.yToPixel(t.value) + metrics.ascent() / 2 - 1), t.label);
    for (const Tick& t : dates) {
        const double w = labelAdvance(t.label, p.font());
        drawLabel(
            p, QPointF(std::clamp(m.xToPixel(t.value) - w / 2, 0.0, size.width() - w), bottom + 6 + metrics.ascent()),
            t.label);
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

/// The label, and after it the readout of the bar under the pointer, in a box at the plot's top
/// left corner.
void paintLabel(QPainter& p, const QRectF& plot, const QString& label, const QString& readout)
{
    if (label.isEmpty() && readout.isEmpty())
        return;
    const QFontMetricsF metrics(p.font());
    const double gap = label.isEmpty() || readout.isEmpty() ? 0 : metrics.horizontalAdvance(QLatin1Char(' ')) * 3;
    // The readout changes with every bar: laid out as it comes rather than kept.
    const double width = labelAdvance(label, p.font()) + gap + metrics.horizontalAdvance(readout);
    const QRectF box(plot.left() + 6, plot.top() + 6, width + 12, metrics.height() + 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF4, 0xF5, 0xF7, 230));
    p.drawRect(box);
    p.setPen(textColour);
    const QPointF baseline(box.left() + 6, box.top() + 3 + metrics.ascent());
    drawLabel(p, baseline, label);
    p.drawText(baseline + QPointF(labelAdvance(label, p.font()) + gap, 0), readout);
}

/// The drawing under the pointer, lit: its lines and curves made bolder by painting them again a
/// device pixel to each side, as cheap as painting it a few times (a wide stroke through QPainter
/// would cost a whole repaint for a drawing with long curves).
void paintHighlight(QPainter& p, const std::vector<Shape>& shapes)
{
    std::vector<Shape> lines;
    for (const Shape& s : shapes)
        if (s.kind != Shape::Kind::Text) {
            lines.push_back(s);
            lines.back().fill = QColor();
        }
    const double pixel = 1 / p.deviceTransform().m11();
    for (const QPointF by : {QPointF(-pixel, 0), QPointF(pixel, 0), QPointF(0, -pixel), QPointF(0, pixel)}) {
        p.translate(by);
        paintShapes(p, lines);
        p.translate(-by);
    }
}

/// The crosshair: a line down through the bar under the pointer over the prices and the volume,
/// one across at the pointer, and the price there marked on the price axis.
void paintCrosshair(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    const ChartPointer& pointer = *scene.pointer;
    const QRectF plot = scene.mapping.plot();
    const QRectF across = pointer.overPrices || scene.volume.isEmpty() ? plot : scene.volume;
    const double bottom = scene.volume.isEmpty() ? plot.bottom() : scene.volume.bottom();
    const double x = std::round(pointer.at.x()) + 0.5, y = std::floor(pointer.at.y()) + 0.5;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(crosshairColour, 0, Qt::DashLine));
    p.save();
    p.setClipRect(QRectF(plot.topLeft(), QPointF(plot.right(), bottom)));
    if (plot.left() <= x && x < plot.right())
        p.drawLine(QLineF(x, plot.top(), x, bottom));
    p.drawLine(QLineF(across.left(), y, across.right(), y));
    if (pointer.snapped)
        paintSnapMark(p, QPointF(x, y));
    p.restore();
    if (!pointer.overPrices || pointer.price.isEmpty())
        return;
    const QFontMetricsF metrics(p.font());
    const QRectF marker(plot.right() + 1, y - metrics.height() / 2 - 2, size.width() - plot.right() - 1,
                        metrics.height() + 4);
    p.fillRect(marker, textColour);
    p.setPen(background);
    p.drawText(QPointF(plot.right() + 7, y + metrics.ascent() / 2 - 1), pointer.price);
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

ChartLayout chartLayout(const QSizeF& size, bool volume)
{
    const double width = std::max(1.0, size.width() - margin - priceAxisWidth);
    const double height = std::max(1.0, size.height() - margin - dateAxisHeight);
    const double pane = std::round(height * volumeShare);
    if (!volume || pane < fewestVolumePixels)
        return {QRectF(margin, margin, width, height), {}};
    // The pane starts under the line that ends the prices.
    const QRectF plot(margin, margin, width, height - pane);
    return {plot, QRectF(margin, plot.bottom() + 1, width, pane - 1)};
}

void paintBase(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    p.save();
    p.fillRect(QRectF(QPointF(0, 0), size), background);
    paintGridAndAxes(p, size, scene);
    p.setClipRect(scene.mapping.plot());
    paintCandles(p, *scene.series, scene.mapping);
    if (!scene.volume.isEmpty()) {
        p.setClipRect(scene.volume);
        paintVolume(p, *scene.series, scene.mapping, scene.volume);
    }
    p.restore();
}

void paintSettled(QPainter& p, const ChartScene& scene)
{
    p.save();
    p.setClipRect(scene.mapping.plot());
    paintDrawings(p, scene, 0, scene.settled);
    p.restore();
}

void paintLive(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    p.save();
    p.setClipRect(scene.mapping.plot());
    // The drawing a click would take, made bold (those worked on are painted over it anyway).
    if (scene.highlighted >= 0 && std::size_t(scene.highlighted) < scene.drawings.size())
        paintHighlight(p, shapesOf(scene.drawings[std::size_t(scene.highlighted)], *scene.series, scene.mapping));
    paintDrawings(p, scene, scene.settled, scene.drawings.size());
    paintHandles(p, scene.handles, scene.mapping);
    p.restore();
    p.save();
    if (scene.pointer)
        paintCrosshair(p, size, scene);
    paintLabel(p, scene.mapping.plot(), scene.label, scene.pointer ? scene.pointer->readout : QString());
    p.restore();
}

void paintChart(QPainter& p, const QSizeF& size, const ChartScene& scene)
{
    paintBase(p, size, scene);
    paintSettled(p, scene);
    paintLive(p, size, scene);
}

} // namespace zarvchart
