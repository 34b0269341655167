#include "chart/host/DrawingsStore.h"

#include "chart/host/ToolClass.h"
#include "chart/model/DrawingsFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zarvchart {
namespace {

// The most bytes of a price file's name that go into the name of its kept drawings: with the hash,
// ".json" and what is added beside it (a lock's, a temporary file's, a set-aside copy's ending)
// that stays within the 255 bytes a file system allows a name.
constexpr qsizetype keptNameBytes = 180;

} // namespace

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
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/drawings/");
    if (csvPath.isEmpty())
        return folder + QStringLiteral("sample.json");
    // The file's name to recognise it by, and a hash of its full path to tell apart files of one name
    // (and of long names that begin alike).
    const QFileInfo csv(csvPath);
    const QByteArray hash = QCryptographicHash::hash(csv.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1).toHex();
    QString name = csv.completeBaseName();
    while (name.toUtf8().size() > keptNameBytes)
        name.chop(name.back().isLowSurrogate() ? 2 : 1);
    return folder + name + QLatin1Char('-') + QString::fromLatin1(hash.left(12)) + QStringLiteral(".json");
}

void keepDrawings(const QString& path, const std::vector<Drawing>& drawings)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeDrawingsFile(path, drawings);
}

QString setAside(const QString& path)
{
    for (int n = 1;; ++n) {
        const QString aside = n == 1 ? path + QStringLiteral(".damaged")
                                     : QStringLiteral("%1.%2.damaged").arg(path).arg(n);
        if (QFileInfo::exists(aside) || QFileInfo(aside).isSymLink())
            continue;
        // Renaming never replaces a file that appeared meanwhile: it fails instead.
        QFile file(path);
        if (file.rename(aside))
            return aside;
        throw ChartError(
            QStringLiteral("%1 cannot be renamed %2 (%3)").arg(path, QFileInfo(aside).fileName(), file.errorString()));
    }
}

StartingDrawings startingDrawings(const QString& csvPath, const QString& openPath, bool keeping)
{
    if (!openPath.isEmpty())
        return {readCheckedDrawings(openPath), keeping ? QFileInfo(openPath).absoluteFilePath() : QString(), {}};
    const QString kept = keptDrawingsPath(csvPath);
    StartingDrawings start{{}, keeping ? kept : QString(), {}};
    if (!QFileInfo::exists(kept))
        return start;
    try {
        start.drawings = readCheckedDrawings(kept);
        return start;
    } catch (const ChartError& e) {
        start.message = e.message();
    }
    if (!keeping)
        return start;
    try {
        const QString aside = setAside(kept);
        start.message += QStringLiteral("\nThe chart starts without drawings; the file is kept as %1.").arg(aside);
    } catch (const ChartError& e) {
        // Written over, the user's only copy would be lost: this chart keeps nothing.
        start.keepIn.clear();
        start.message += QStringLiteral(
                             "\nThe chart starts without drawings and keeps none: the file could not be set aside "
                             "and is left as it is (%1). Save the drawings you make with File > Save Drawings.")
                             .arg(e.message());
    }
    return start;
}

} // namespace zarvchart
