#include "chart/view/ChartLayers.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <cstring>

namespace zarvchart {
namespace {

bool whole(double v) { return std::abs(v - std::round(v)) < 1e-9; }

/// The format of the pixels `painter` paints on, so that an image laid down on them is copied.
QImage::Format formatOf(const QPainter& painter)
{
    const QPaintDevice* device = painter.paintEngine()->paintDevice();
    if (device && device->devType() == QInternal::Image)
        return static_cast<const QImage*>(device)->format();
    if (device && device->devType() == QInternal::Pixmap && !static_cast<const QPixmap*>(device)->hasAlphaChannel())
        return QImage::Format_RGB32;
    return QImage::Format_ARGB32_Premultiplied;
}

/// A painter on `image` that paints as `like` would: its font and render hints.
void paintLike(QImage& image, const QPainter& like, auto paint)
{
    QPainter p(&image);
    p.setFont(like.font());
    p.setRenderHints(p.renderHints(), false);
    p.setRenderHints(like.renderHints(), true);
    paint(p);
}

} // namespace

void ChartLayers::paint(QPainter& painter, const QSizeF& size, const ChartScene& scene)
{
    const QTransform t = painter.deviceTransform();
    const double scale = t.m11();
    const QSizeF device = size * scale;
    const bool layered = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster
        && t.type() <= QTransform::TxScale && scale > 0 && t.m22() == scale && whole(t.dx()) && whole(t.dy())
        && whole(device.width()) && whole(device.height()) && !device.isEmpty();
    if (!layered) {
        paintChart(painter, size, scene);
        return;
    }

    const Mapping& m = scene.mapping;
    const BaseKey key{QSize(int(std::lround(device.width())), int(std::lround(device.height()))),
                      scale,
                      formatOf(painter),
                      painter.font(),
                      m.plot(),
                      scene.volume,
                      m.firstX(),
                      m.lastX(),
                      m.lowPrice(),
                      m.highPrice(),
                      scene.series->data(),
                      scene.series->size()};
    const auto settledEnd = scene.drawings.begin() + std::ptrdiff_t(std::min(scene.settled, scene.drawings.size()));
    if (key != settledBase_ || !settled_
        || !std::equal(settled_->begin(), settled_->end(), scene.drawings.begin(), settledEnd)) {
        QImage& image = withSettled_.make(key.pixels, key.format, scale);
        if (key != settledBase_) {
            // All is new (a pan, a zoom, a resize): the base is painted where it is shown, and
            // kept apart only once the settled drawings change over it.
            paintLike(image, painter, [&](QPainter& p) { paintBase(p, size, scene); });
            baseKey_.reset();
            ++basePaints_;
        } else {
            if (key != baseKey_) {
                paintLike(base_.make(key.pixels, key.format, scale), painter,
                          [&](QPainter& p) { paintBase(p, size, scene); });
                baseKey_ = key;
                ++basePaints_;
            }
            std::memcpy(image.bits(), base_.image().constBits(), std::size_t(image.sizeInBytes()));
        }
        paintLike(image, painter, [&](QPainter& p) { paintSettled(p, scene); });
        settledBase_ = key;
        settled_.emplace(scene.drawings.begin(), settledEnd);
        ++settledPaints_;
    }

    // Copied as it is: the image is opaque, and blending it would only cost.
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPointF(0, 0), withSettled_.image());
    painter.restore();
    paintLive(painter, size, scene);
}

void ChartLayers::clear()
{
    baseKey_.reset();
    settledBase_.reset();
    settled_.reset();
    base_.clear();
    withSettled_.clear();
}

QImage& ChartLayers::Layer::make(QSize pixels, QImage::Format format, double scale)
{
    const int bytesPerLine = (pixels.width() * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const std::size_t needed = std::size_t(bytesPerLine) * std::size_t(pixels.height());
    // Kept while it is no more than an eighth larger than needed: two images of about the view's
    // size, never more.
    if (needed > capacity_ || needed < capacity_ - capacity_ / 8) {
        image_ = QImage();
        memory_.reset(new uchar[needed]);
        capacity_ = needed;
    }
    image_ = QImage(memory_.get(), pixels.width(), pixels.height(), bytesPerLine, format);
    image_.setDevicePixelRatio(scale);
    return image_;
}

void ChartLayers::Layer::clear()
{
    image_ = QImage();
    memory_.reset();
    capacity_ = 0;
}

} // namespace zarvchart
