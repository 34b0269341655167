#pragma once

// The chart's picture kept between repaints, so that a keystroke in a dialog or a step of a drag
// repaints one drawing, not the bars and every drawing. Two images of the view's size, at the
// device's pixel ratio: the base (background, grid, axes, candles, volume) and the base with the
// settled drawings over it. A repaint lays the second down and paints the live part over it
// (what follows the pointer among it); each image is painted again only when what it shows has
// changed, which is told by comparing what it was painted from (the size, pixel ratio, font,
// viewport, volume pane, bars, and the settled drawings themselves) with what is to be shown.
// When the base itself changes (a pan, a zoom, a resize) it is painted straight under the settled
// drawings, and kept apart again only when they change over it (a new selection): a pan repaints
// everything anyway, and copying the base would only add to it.

#include "chart/view/ChartPainter.h"

#include <QFont>
#include <QImage>

#include <memory>
#include <optional>

namespace zarvchart {

class ChartLayers {
public:
    /// Paints `scene` on `painter` in a chart of `size`, showing what paintChart shows. Where the
    /// painter's pixels cannot take an image pixel for pixel (not a raster device, a rotation, a
    /// pixel ratio that splits pixels), it paints the whole chart anew.
    void paint(QPainter& painter, const QSizeF& size, const ChartScene& scene);

    /// Forgets both images: their next use paints them anew (the bars changed in place).
    void clear();

    /// How many times the base and the settled drawings have been painted into their images: a
    /// keystroke in a dialog or a step of a drag should paint neither.
    int basePaints() const { return basePaints_; }
    int settledPaints() const { return settledPaints_; }

private:
    /// What the base is painted from.
    struct BaseKey {
        QSize pixels;
        double scale = 1;
        QImage::Format format = QImage::Format_Invalid;
        QFont font;
        QRectF plot;
        QRectF volume;
        double firstX = 0, lastX = 0, low = 0, high = 0;
        const Bar* bars = nullptr;
        std::size_t barCount = 0;
        friend bool operator==(const BaseKey&, const BaseKey&) = default;
    };

    /// An image that keeps its memory when it is made again at about its size: while the window
    /// is resized every step repaints the layers, and fresh memory from the system would cost
    /// more than the painting.
    class Layer {
    public:
        QImage& image() { return image_; }
        /// The image made `pixels` large in `format`, its content undefined.
        QImage& make(QSize pixels, QImage::Format format, double scale);
        void clear();

    private:
        std::unique_ptr<uchar[]> memory_;
        std::size_t capacity_ = 0;
        QImage image_;
    };

    /// What the base image shows, when it shows a base at all.
    std::optional<BaseKey> baseKey_;
    Layer base_;
    /// What the second image shows: a base and the settled drawings over it.
    std::optional<BaseKey> settledBase_;
    std::optional<std::vector<Drawing>> settled_;
    Layer withSettled_;
    int basePaints_ = 0;
    int settledPaints_ = 0;
};

} // namespace zarvchart
