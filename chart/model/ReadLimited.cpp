#include "chart/model/ReadLimited.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarvchart {

QByteArray readLimited(const QString& path, qint64 limit)
{
    auto fail = [&](const QString& why) {
        return ChartError(QStringLiteral("%1: cannot be read (%2)").arg(path, why));
    };
    // Opening does not wait for a FIFO's writer; what is opened is looked at before it is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw fail(QString::fromLocal8Bit(std::strerror(errno)));
    const struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(st.st_mode))
        throw fail(QStringLiteral("it is not a regular file"));
    const QString tooLarge =
        QStringLiteral("it is larger than %1 MiB, the most this chart reads").arg(limit / mebibyte);
    if (st.st_size > limit)
        throw fail(tooLarge);
    // The file may grow while it is read: never more than the limit and one byte to tell.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                throw fail(tooLarge);
            bytes.resize(qsizetype(std::min<qint64>(limit + 1, 2 * qint64(bytes.size()))));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw fail(QString::fromLocal8Bit(std::strerror(errno)));
        }
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

QString excerpt(const QString& text, qsizetype most)
{
    if (text.size() <= most)
        return text;
    // Not through the middle of a surrogate pair.
    qsizetype cut = most;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

} // namespace zarvchart
