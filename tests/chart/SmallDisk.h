#pragma once

// A small disk of the test's own: a tmpfs mounted on a temporary folder, which a test can fill up
// or make read-only, to see what the chart does when a write fails. Mounting takes root (or
// CAP_SYS_ADMIN); where it is refused, the disk says why and the test is skipped.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <string>

namespace chartsupport {

class SmallDisk {
public:
    SmallDisk();
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    /// Empty when the disk is there; else why not.
    const QString& whyNot() const { return whyNot_; }
    /// `name` on the disk.
    QString path(const QString& name) const { return dir_.filePath(name); }
    /// Fills the disk but for `leave` bytes.
    void fill(qint64 leave);
    /// Room again, and writable.
    void empty();
    void setReadOnly(bool readOnly);
    /// Every file on it by name, with its bytes (but what fills it).
    std::map<std::string, std::string> files() const;

private:
    QTemporaryDir dir_;
    QString whyNot_;
};

} // namespace chartsupport
