#include "chart/host/DrawingsStore.h"

#include "chart/host/ToolClass.h"
#include "chart/model/DrawingsFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zarvchart {

std::vector<Drawing> readCheckedDrawings(const QString& path)
{
    std::vector<Drawing> drawings = readDrawingsFile(path);
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        try {
            drawings[i] = checkedDrawing(drawings[i]);
        } catch (const ChartError& e) {
            throw ChartError(QStringLiteral("%1: drawing %2: %3").arg(path).arg(i + 1).arg(e.message()));
        }
    }
    return drawings;
}

QString keptDrawingsPath(const QString& csvPath)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/drawings/");
    if (csvPath.isEmpty())
        return folder + QStringLiteral("sample.json");
    // The file's name to recognise it by, and a hash of its full path to tell apart files of one name.
    const QFileInfo csv(csvPath);
    const QByteArray hash = QCryptographicHash::hash(csv.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1).toHex();
    return folder + csv.completeBaseName() + QLatin1Char('-') + QString::fromLatin1(hash.left(12)) + QStringLiteral(".json");
}

void keepDrawings(const QString& path, const std::vector<Drawing>& drawings)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeDrawingsFile(path, drawings);
}

} // namespace zarvchart
