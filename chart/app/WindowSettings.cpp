#include "chart/app/WindowSettings.h"

#include "chart/model/SampleSeries.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace zarvchart {
namespace {

constexpr qsizetype mostRecent = 10;

const QString recentKey = QStringLiteral("Prices/recent");
const QString folderKey = QStringLiteral("Prices/folder");
const QString geometryKey = QStringLiteral("Window/geometry");
const QString volumeKey = QStringLiteral("Window/volume");

} // namespace

QStringList recentPrices() { return QSettings().value(recentKey).toStringList().mid(0, mostRecent); }

void notePricesOpened(const QString& path)
{
    // Named by the full path, so that one file is one entry however it was reached.
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentPrices();
    recent.removeAll(full);
    recent.prepend(full);
    QSettings().setValue(recentKey, recent.mid(0, mostRecent));
}

QString pricesFolder(const QString& otherwise)
{
    const QString folder = QSettings().value(folderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : otherwise;
}

void setPricesFolder(const QString& folder) { QSettings().setValue(folderKey, folder); }

WindowLook rememberedLook()
{
    const QSettings settings;
    return {settings.value(geometryKey).toByteArray(), settings.value(volumeKey, true).toBool()};
}

void rememberLook(const WindowLook& look)
{
    QSettings settings;
    settings.setValue(geometryKey, look.geometry);
    settings.setValue(volumeKey, look.volume);
}

StartingPrices startingPrices(const QString& csvPath, bool remembered)
{
    if (!csvPath.isEmpty())
        return {readCsv(csvPath), csvPath, {}};
    const QString last = remembered ? recentPrices().value(0) : QString();
    if (!last.isEmpty()) {
        // Never a reason not to start: the sample stands in, and the user is told why.
        try {
            return {readCsv(last), last, {}};
        } catch (const ChartError& e) {
            return {{sampleSeries(), 0},
                    {},
                    QCoreApplication::translate("zarvchart",
                                                "The prices opened last could not be read, so the sample is shown: %1")
                        .arg(e.message())};
        }
    }
    return {{sampleSeries(), 0}, {}, {}};
}

} // namespace zarvchart
