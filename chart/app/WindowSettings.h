#pragma once

// What the chart's window remembers between runs, in the user's settings (QSettings, beside the
// tools' defaults): its size and place, whether the volume pane shows, the price files opened
// last and the folder the last one was chosen in.

#include "chart/model/CsvSeries.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zarvchart {

/// The price files opened, the last one first, at most ten.
QStringList recentPrices();
/// `path` opened: first among the recent ones from now on.
void notePricesOpened(const QString& path);

/// The folder the price file dialog opens in: the one a file was last chosen in, else `otherwise`.
QString pricesFolder(const QString& otherwise);
void setPricesFolder(const QString& folder);

/// What the window was like when it last closed.
struct WindowLook {
    /// As QWidget::saveGeometry gives it; empty: never kept.
    QByteArray geometry;
    bool volume = true;
};
WindowLook rememberedLook();
void rememberLook(const WindowLook& look);

/// The prices a chart starts with, and from which file (empty: the sample).
struct StartingPrices {
    PriceFile file;
    QString path;
    /// Why the last price file is not shown, when it is not; empty when all is well.
    QString message;
};

/// The prices of `csvPath` (a file that cannot be read is a ChartError). Without one, and with
/// `remembered`, those of the price file opened last; if it cannot be read any more, the sample,
/// with a message saying why.
StartingPrices startingPrices(const QString& csvPath, bool remembered);

} // namespace zarvchart
