#pragma once

// Follows the open price file while other programs write it, as terminals and downloaders do:
// rows added at its end become new bars within a moment, read with the same checks as the whole
// file; a file written anew (shorter, its earlier bytes changed, or another file renamed over it)
// is read again whole. What cannot be read leaves the bars as they were, and says why. Whether
// the bytes read before are still there is told from all of them in a file of up to 1 MiB, and
// from their first and last 64 KiB in a larger one, so a change to the middle alone of a larger
// file that keeps its length is not seen.
//
// The file is looked at when the file system says it changed and, since it does not always say
// (a file renamed over the one watched, some network and container file systems), every half
// second: a look that finds its size, time and identity as before costs one stat.

#include "chart/model/PriceData.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <optional>

namespace zarvchart {

class PriceFollower : public QObject {
    Q_OBJECT
public:
    /// Follows the file of `prices` (none for the sample), and the next one when they are replaced.
    explicit PriceFollower(PriceData& prices, QObject* parent = nullptr);

    /// Looks at the file now.
    void check();

Q_SIGNALS:
    /// The file changed but could not be taken, for `why`; the bars are as they were.
    void refused(const QString& why);
    /// The file changed and its bars were taken, after it had been refused.
    void recovered();

private:
    /// What tells a change without reading: the file's identity, size and times.
    struct Stamp {
        quint64 device = 0, inode = 0;
        qint64 size = 0, modified = 0, changed = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };

    /// Starts on the file of the prices as they were just read.
    void start();
    /// Reads the whole file again; false, with `refused`, when it cannot be.
    bool readWhole();
    /// Whether the last row in `tail`, the file's end, is a bar at either end of those read.
    bool endsAsRead(const QByteArray& tail) const;
    /// Takes the rows after those read; false when the file must be read whole instead.
    bool readAdded(int fd, const Stamp& now);
    void refuse(const QString& why);

    PriceData& prices_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QTimer poll_;
    QString path_;
    /// The file as last looked at.
    std::optional<Stamp> stamp_;
    /// The file's identity when it was last read.
    quint64 device_ = 0, inode_ = 0;
    /// How many bytes were read: to the end of the last whole row.
    qint64 read_ = 0;
    /// What those bytes were, to tell whether they are still there.
    std::size_t fingerprint_ = 0;
    /// The header row, which the added rows are read under.
    QByteArray header_;
    bool failing_ = false;
};

} // namespace zarvchart
