#include "chart/app/DrawingsKeeper.h"

#include "chart/host/DrawingsStore.h"
#include "chart/model/ChartError.h"

#include <QDir>
#include <QFileInfo>

namespace zarvchart {
namespace {

constexpr int momentMs = 1000; // after the last change, before the drawings are written

} // namespace

DrawingsKeeper::DrawingsKeeper(const ChartDocument& document, const QString& path, QObject* parent)
    : QObject(parent), document_(document), path_(path), lock_(path + QStringLiteral(".lock"))
{
    // Held for as long as the window is open, however long: stale only when its process is gone.
    lock_.setStaleLockTime(0);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!lock_.tryLock(0) && lock_.error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, program;
        lock_.getLockInfo(&pid, &host, &program);
        whyNot_ = tr("another window keeps the drawings of %1 (%2, process %3)").arg(path, program).arg(pid);
    }
    // A lock that cannot be made at all (a folder that cannot be written) leaves writing to
    // find out, and to say so.

    later_.setSingleShot(true);
    later_.setInterval(momentMs);
    connect(&later_, &QTimer::timeout, this, [this] {
        try {
            keepNow();
        } catch (const ChartError& e) {
            Q_EMIT failed(e.message());
        }
    });
    connect(&document, &ChartDocument::changed, this, [this] {
        pending_ = true;
        if (whyNot_.isEmpty())
            later_.start();
    });
}

void DrawingsKeeper::keepNow()
{
    later_.stop();
    if (!pending_)
        return;
    if (!whyNot_.isEmpty())
        throw ChartError(whyNot_);
    keepDrawings(path_, document_.drawings());
    pending_ = false;
}

} // namespace zarvchart
