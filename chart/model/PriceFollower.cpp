#include "chart/model/PriceFollower.h"

#include "chart/model/ReadLimited.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarvchart {
namespace {

constexpr int settleMs = 50; // after the file system's word, for the writer to finish its rows
constexpr int pollMs = 500; // how often the file is looked at anyway
// Up to this size the bytes read are compared whole; beyond, their first and last 64 KiB only:
// each look is made on the window's thread, and a look at 45 MB of minute bars, read and hashed
// whole, would take a tenth of a second.
constexpr qint64 wholeComparison = mebibyte;
constexpr qint64 edge = 64 * 1024;

/// Up to `length` bytes of `fd` from `offset` on; fewer where the file ends sooner.
QByteArray readAt(int fd, qint64 offset, qint64 length)
{
    QByteArray bytes(qsizetype(length), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + got, std::size_t(bytes.size() - got), off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

/// What tells a change of the file of `st` without reading it.
auto stampOf(const struct stat& st)
{
    return std::tuple{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
                      qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                      qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

/// What the first `length` bytes are, read through `range(offset, length)`.
std::size_t fingerprint(qint64 length, auto range)
{
    if (length <= wholeComparison)
        return qHash(range(0, length));
    return qHashMulti(0, range(0, edge), range(length - edge, edge), length);
}

} // namespace

PriceFollower::PriceFollower(PriceData& prices, QObject* parent) : QObject(parent), prices_(prices)
{
    settle_.setSingleShot(true);
    settle_.setInterval(settleMs);
    poll_.setInterval(pollMs);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &PriceFollower::check);
    connect(&poll_, &QTimer::timeout, this, &PriceFollower::check);
    connect(&prices, &PriceData::replaced, this, &PriceFollower::start);
    start();
}

void PriceFollower::start()
{
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    poll_.stop();
    settle_.stop();
    stamp_.reset();
    failing_ = false;
    path_ = prices_.path();
    if (path_.isEmpty())
        return;
    poll_.start();
    watcher_.addPath(path_);
    // Where the file is now is where the bars just read from it end, unless it was written
    // between: then its last row is not one of the bars at either end, and it is read again.
    struct stat st {};
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        stamp_ = std::make_from_tuple<Stamp>(stampOf(st));
        device_ = stamp_->device;
        inode_ = stamp_->inode;
        read_ = stamp_->size;
        fingerprint_ = fingerprint(read_, [fd](qint64 at, qint64 n) { return readAt(fd, at, n); });
        const QByteArray head = readAt(fd, 0, edge);
        header_ = head.indexOf('\n') < 0 ? QByteArray() : head.left(head.indexOf('\n'));
        if (!endsAsRead(readAt(fd, std::max<qint64>(0, read_ - edge), edge)))
            QMetaObject::invokeMethod(this, &PriceFollower::readWhole, Qt::QueuedConnection);
    }
    ::close(fd);
}

bool PriceFollower::endsAsRead(const QByteArray& tail) const
{
    const Series& bars = prices_.series();
    qsizetype end = tail.size();
    while (end > 0 && (tail[end - 1] == '\n' || tail[end - 1] == '\r'))
        --end;
    const qsizetype start = tail.lastIndexOf('\n', end - 1) + 1;
    if (header_.isEmpty() || start == 0 || bars.empty())
        return true; // too small or odd a file to tell; it was read whole a moment ago
    try {
        const Series last = parseCsv(header_ + '\n' + tail.mid(start, end - start), path_).series;
        return last.size() == 1 && (last[0] == bars.back() || last[0] == bars.front());
    } catch (const ChartError&) {
        return false;
    }
}

void PriceFollower::check()
{
    if (path_.isEmpty())
        return;
    const QByteArray name = QFile::encodeName(path_);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        // Perhaps for a moment, while another file is renamed over it.
        if (stamp_) {
            stamp_.reset();
            refuse(tr("%1 is gone; the chart shows the bars read last").arg(path_));
        }
        return;
    }
    // A file renamed over the one watched is not watched any more.
    if (!watcher_.files().contains(path_))
        watcher_.addPath(path_);
    const Stamp now = std::make_from_tuple<Stamp>(stampOf(st));
    if (stamp_ == now)
        return;
    stamp_ = now;
    if (now.device != device_ || now.inode != inode_ || now.size < read_ || !S_ISREG(st.st_mode)) {
        readWhole();
        return;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        refuse(tr("%1: cannot be read (%2)").arg(path_, QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    const auto range = [fd](qint64 at, qint64 n) { return readAt(fd, at, n); };
    const bool same = fingerprint(read_, range) == fingerprint_;
    const bool taken = same && (now.size == read_ || readAdded(fd, now));
    ::close(fd);
    if (!taken) {
        readWhole();
    } else if (failing_) {
        failing_ = false;
        Q_EMIT recovered();
    }
}

bool PriceFollower::readAdded(int fd, const Stamp& now)
{
    if (header_.isEmpty() || now.size > largestPriceFile || prices_.series().empty())
        return false;
    const QByteArray added = readAt(fd, read_, now.size - read_);
    // A row is taken once its line has ended: the writer may be in the middle of it.
    const qsizetype end = added.lastIndexOf('\n') + 1;
    if (end == 0)
        return true;
    // A last row without a line end may only have been followed by one, not continued.
    const bool lastEnded = readAt(fd, read_ - 1, 1) == "\n";
    if (!lastEnded && added[0] != '\n' && added[0] != '\r')
        return false;
    PriceFile file;
    try {
        file = parseCsv(header_ + '\n' + added.left(end), path_);
    } catch (const ChartError&) {
        return false; // read whole, the message then names the line
    }
    if (!file.series.empty() && file.series.front().time <= prices_.series().back().time)
        return false;
    read_ += end;
    fingerprint_ = fingerprint(read_, [fd](qint64 at, qint64 n) { return readAt(fd, at, n); });
    prices_.append(file.series);
    return true;
}

bool PriceFollower::readWhole()
{
    const QByteArray name = QFile::encodeName(path_);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        refuse(tr("%1: cannot be read (%2)").arg(path_, QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    PriceFile file;
    QByteArray bytes;
    try {
        bytes = readLimited(path_, largestPriceFile);
        file = parseCsv(bytes, path_);
    } catch (const ChartError& e) {
        refuse(e.message());
        return false;
    }
    device_ = quint64(st.st_dev);
    inode_ = quint64(st.st_ino);
    read_ = bytes.size();
    fingerprint_ = fingerprint(
        read_, [&bytes](qint64 at, qint64 n) { return QByteArray(bytes.mid(qsizetype(at), qsizetype(n))); });
    header_ = bytes.indexOf('\n') < 0 ? QByteArray() : bytes.left(bytes.indexOf('\n'));
    prices_.reread(std::move(file));
    if (failing_) {
        failing_ = false;
        Q_EMIT recovered();
    }
    return true;
}

void PriceFollower::refuse(const QString& why)
{
    failing_ = true;
    Q_EMIT refused(why);
}

} // namespace zarvchart
