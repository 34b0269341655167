#include "chart/model/WriteWhole.h"

#include <QSaveFile>

namespace zarvchart {

void writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // A write that runs out of room part of the way says so only when asked for the rest.
    for (qint64 done = 0; written && done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        written = n > 0;
        done += std::max<qint64>(n, 0);
    }
    // commit() alone misses a write that fails while the last of the data goes out.
    if (!written || !file.flush() || !file.commit())
        throw ChartError(QStringLiteral("%1: cannot be written (%2)").arg(path, file.errorString()));
}

} // namespace zarvchart
