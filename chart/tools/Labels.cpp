#include "chart/tools/Labels.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QStaticText>

#include <vector>

namespace zarvchart {
namespace {

struct Label {
    QStaticText text;
    double advance = 0;
    QRectF bounds;
};

/// The labels of one font. A chart uses a handful of fonts, so they are told apart by comparison.
struct FontLabels {
    QFont font;
    double ascent = 0;
    QHash<QString, Label> labels;
};

// Enough for every label a chart shows many times over; past it they are shaped afresh.
constexpr qsizetype mostLabels = 4096;

FontLabels& labelsOf(const QFont& font)
{
    static std::vector<FontLabels> fonts;
    for (FontLabels& f : fonts)
        if (f.font == font)
            return f;
    if (fonts.size() >= 16)
        fonts.clear();
    fonts.push_back({font, QFontMetricsF(font).ascent(), {}});
    return fonts.back();
}

const Label& label(FontLabels& fonts, const QString& text)
{
    auto it = fonts.labels.find(text);
    if (it == fonts.labels.end()) {
        if (fonts.labels.size() >= mostLabels)
            fonts.labels.clear();
        const QFontMetricsF metrics(fonts.font);
        Label made{QStaticText(text), metrics.horizontalAdvance(text), metrics.boundingRect(text)};
        made.text.setTextFormat(Qt::PlainText);
        made.text.setPerformanceHint(QStaticText::AggressiveCaching);
        it = fonts.labels.insert(text, made);
    }
    return *it;
}

} // namespace

void drawLabel(QPainter& painter, QPointF baseline, const QString& text)
{
    FontLabels& fonts = labelsOf(painter.font());
    painter.drawStaticText(baseline - QPointF(0, fonts.ascent), label(fonts, text).text);
}

double labelAdvance(const QString& text, const QFont& font)
{
    FontLabels& fonts = labelsOf(font);
    return label(fonts, text).advance;
}

QRectF labelBounds(const QString& text, const QFont& font)
{
    FontLabels& fonts = labelsOf(font);
    return label(fonts, text).bounds;
}

} // namespace zarvchart
