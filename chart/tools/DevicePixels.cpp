#include "chart/tools/DevicePixels.h"

#include "chart/tools/Clip.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cstring>

#include <cmath>

namespace zarvchart {

namespace {

/// Sets `count` pixels from `p` on to `pixel`; a long run is copied from its own start in doubling
/// steps, as the C library copies many pixels at a time.
void fillRun(quint32* p, int count, quint32 pixel)
{
    constexpr int seed = 16;
    std::fill_n(p, std::min(count, seed), pixel);
    for (int done = seed; done < count; done *= 2)
        std::memcpy(p + done, p, sizeof(quint32) * std::size_t(std::min(done, count - done)));
}

/// `pixel`, opaque, laid over `*p` by `coverage` of 256.
inline void blend(quint32* p, quint32 pixel, quint32 coverage)
{
    const quint32 rest = 256 - coverage;
    const quint32 under = *p;
    const quint32 redBlue = (((pixel & 0xFF00FF) * coverage + (under & 0xFF00FF) * rest) >> 8) & 0xFF00FF;
    const quint32 alphaGreen = (((pixel >> 8) & 0xFF00FF) * coverage + ((under >> 8) & 0xFF00FF) * rest) & 0xFF00FF00;
    *p = redBlue | alphaGreen;
}

/// Strokes the line from `a` to `b` (device pixels, `a` the nearer along its length) into the
/// pixels `bits`, within `clip`; `Steep` when it runs more down than across, and then x and y
/// are swapped in `a`, `b` and `clip` alike. The line's height in a column is taken at its left
/// (`edge` 0) or right edge (1).
template <bool Steep>
void strokeLine(uchar* bits, qsizetype bytesPerLine, QRect clip, QPointF a, QPointF b, double edge, quint32 pixel)
{
    const double slope = (b.y() - a.y()) / (b.x() - a.x());
    // The columns whose middles lie on the line, at least one.
    int first = int(std::ceil(a.x() - 0.5));
    int last = int(std::ceil(b.x() - 0.5)) - 1;
    if (last < first)
        first = last = int(std::floor((a.x() + b.x()) / 2));
    first = std::max(first, clip.left());
    last = std::min(last, clip.right());
    const int top = clip.top(), bottom = clip.bottom();
    auto at = [&](int x, int row) {
        return Steep ? reinterpret_cast<quint32*>(bits + x * bytesPerLine) + row
                     : reinterpret_cast<quint32*>(bits + row * bytesPerLine) + x;
    };
    // Down the columns in 65536ths of a pixel: how far the line lies below the middle of the
    // pixel row above it, shared between that row and the next, measured at the column's `edge`.
    qint64 y = std::llround((a.y() + (first + edge - a.x()) * slope - 0.5) * 65536);
    const qint64 step = std::llround(slope * 65536);
    for (int x = first; x <= last; ++x, y += step) {
        const int row = int(y >> 16);
        const quint32 below = quint32(y >> 8) & 0xFF;
        if (unsigned(row - top) < unsigned(bottom - top)) {
            // Both pixels within the clip, as all but the ends of a line are.
            quint32* p = at(x, row);
            blend(p, pixel, 256 - below);
            blend(Steep ? p + 1 : reinterpret_cast<quint32*>(reinterpret_cast<uchar*>(p) + bytesPerLine), pixel, below);
            continue;
        }
        if (row >= top && row <= bottom)
            blend(at(x, row), pixel, 256 - below);
        if (below != 0 && row + 1 >= top && row + 1 <= bottom)
            blend(at(x, row + 1), pixel, below);
    }
}

bool whole(const QRectF& r)
{
    for (double v : {r.left(), r.top(), r.right(), r.bottom()})
        if (v != std::round(v))
            return false;
    return true;
}

} // namespace

DevicePixels::DevicePixels(const QPainter& painter) : transform_(painter.deviceTransform())
{
    scale_ = transform_.m11();
    straight_ = transform_.type() <= QTransform::TxScale && scale_ > 0 && transform_.m22() == scale_;

    QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = engine && engine->type() == QPaintEngine::Raster ? engine->paintDevice() : nullptr;
    if (!straight_ || !device || device->devType() != QInternal::Image || painter.opacity() != 1
        || (painter.compositionMode() != QPainter::CompositionMode_SourceOver
            && painter.compositionMode() != QPainter::CompositionMode_Source))
        return;
    const auto* image = static_cast<const QImage*>(device);
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
        return;
    QRegion clip(image->rect());
    if (!engine->systemClip().isEmpty())
        clip &= engine->systemClip();
    if (painter.hasClipping()) {
        const QRectF bounds = transform_.mapRect(painter.clipBoundingRect());
        if (!whole(bounds) || painter.clipRegion().rectCount() != 1)
            return;
        clip &= bounds.toRect();
    }
    if (clip.rectCount() > 1)
        return;
    image_ = image;
    clip_ = clip.boundingRect();
}

QRect DevicePixels::line(QPointF a, QPointF b, double width) const
{
    if (!straight_ || (a.x() != b.x() && a.y() != b.y()))
        return {};
    a = transform_.map(a);
    b = transform_.map(b);
    // Far beyond any device: no mark to fill (the caller clipped what it meant to show).
    constexpr double reach = 1 << 24;
    for (double v : {a.x(), a.y(), b.x(), b.y()})
        if (!(std::abs(v) < reach))
            return {};
    QRectF span(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    const double device = width * scale_;
    if (device <= 1) {
        // A thin line covers the pixels that hold its ends and those between.
        return QRect(QPoint(int(std::floor(span.left())), int(std::floor(span.top()))),
                     QPoint(int(std::floor(span.right())), int(std::floor(span.bottom()))));
    }
    // A wide one is filled as its outline: the pixels whose middles lie within it, those on its
    // left and top edges left to the neighbours.
    const double half = device / 2;
    span.adjust(-half, -half, half, half);
    auto first = [](double edge) { return int(std::floor(edge - 0.5)) + 1; };
    auto last = [](double edge) { return int(std::floor(edge - 0.5)); };
    return QRect(QPoint(first(span.left()), first(span.top())), QPoint(last(span.right()), last(span.bottom())));
}

void DevicePixels::fill(QPainter& painter, const std::vector<QRect>& rects, const QColor& colour) const
{
    if (rects.empty())
        return;
    if (image_ && colour.alpha() == 255) {
        // The very memory the painter paints in: the image is its own while it paints.
        uchar* bits = const_cast<uchar*>(image_->constBits());
        const qsizetype bytesPerLine = image_->bytesPerLine();
        const quint32 pixel = colour.rgba();
        for (const QRect& r : rects) {
            const QRect seen = r & clip_;
            for (int y = seen.top(); y <= seen.bottom(); ++y)
                fillRun(reinterpret_cast<quint32*>(bits + y * bytesPerLine) + seen.left(), seen.width(), pixel);
        }
        return;
    }
    painter.save();
    // Coordinates made the device's own, so that each rectangle is filled exactly as given.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setWorldTransform(painter.deviceTransform().inverted() * painter.worldTransform());
    for (const QRect& r : rects)
        painter.fillRect(r, colour);
    painter.restore();
}

void DevicePixels::stroke(QPainter& painter, const std::vector<QLineF>& lines, const QColor& colour) const
{
    if (lines.empty())
        return;
    if (!image_ || colour.alpha() != 255) {
        painter.save();
        QPen pen(colour, 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawLines(lines.data(), int(lines.size()));
        painter.restore();
        return;
    }
    uchar* bits = const_cast<uchar*>(image_->constBits());
    const quint32 pixel = colour.rgba();
    const QRect across = clip_, down(clip_.top(), clip_.left(), clip_.height(), clip_.width());
    const QRectF reach = QRectF(across).adjusted(-1, -1, 1, 1), downReach = QRectF(down).adjusted(-1, -1, 1, 1);
    for (const QLineF& line : lines) {
        QPointF a = transform_.map(line.p1()), b = transform_.map(line.p2());
        if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
            continue;
        const bool steep = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
        if (steep)
            a = a.transposed(), b = b.transposed();
        if (a.x() > b.x())
            std::swap(a, b);
        // The painter takes a column's right edge when the line starts in the left half of a
        // pixel, its left edge otherwise: so placed, a line looks the same whichever of the two
        // paints it.
        const double edge = a.x() - std::floor(a.x()) < 0.5 ? 1 : 0;
        const std::optional<QLineF> seen = clipped(a, b, steep ? downReach : reach);
        if (!seen)
            continue;
        a = seen->p1(), b = seen->p2();
        if (a.x() == b.x())
            b.rx() += 1e-9;
        if (steep)
            strokeLine<true>(bits, image_->bytesPerLine(), down, a, b, edge, pixel);
        else
            strokeLine<false>(bits, image_->bytesPerLine(), across, a, b, edge, pixel);
    }
}

} // namespace zarvchart
