#include "SmallDisk.h"

#include <QDirIterator>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>

namespace chartsupport {
namespace {

const QString filler = QStringLiteral(".filler");
constexpr const char* options = "size=256k";

} // namespace

SmallDisk::SmallDisk()
{
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options) != 0)
        whyNot_ = QStringLiteral("no tmpfs can be mounted here (%1; it takes root), so no disk can be filled")
                      .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

SmallDisk::~SmallDisk()
{
    if (whyNot_.isEmpty())
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill(qint64 leave)
{
    QFile file(path(filler));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, '\0');
    while (file.write(block) == block.size()) {
    }
    file.resize(std::max<qint64>(0, file.size() - leave));
}

void SmallDisk::empty()
{
    setReadOnly(false);
    QFile::remove(path(filler));
}

void SmallDisk::setReadOnly(bool readOnly)
{
    ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_REMOUNT | (readOnly ? MS_RDONLY : 0),
            options);
}

std::map<std::string, std::string> SmallDisk::files() const
{
    std::map<std::string, std::string> out;
    QDirIterator it(dir_.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next();
        if (name == path(filler))
            continue;
        QFile file(name);
        out[name.mid(dir_.path().size() + 1).toStdString()] = file.open(QIODevice::ReadOnly)
            ? file.readAll().toStdString()
            : "(unreadable)";
    }
    return out;
}

} // namespace chartsupport
