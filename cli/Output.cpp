#include "Output.h"

#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace zarvcli {

std::optional<std::string> savePng(const QPixmap& picture, const QString& file)
{
    // The PNG writer warns of a failed write itself; the caller's one line is enough.
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString&) {});
    QSaveFile out(file);
    // commit() misses a write that fails while it flushes the last of the data; flush() does not.
    const bool saved = out.open(QIODevice::WriteOnly) && picture.save(&out, "PNG") && out.flush() && out.commit();
    qInstallMessageHandler(previous);
    if (saved)
        return std::nullopt;
    return out.errorString().toStdString();
}

std::optional<std::string> closeStandardOutput()
{
    // std::cout writes through stdout's buffer; a write that failed on the way leaves its mark.
    errno = 0;
    std::cout.flush();
    const bool delivered = std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good();
    const int why = errno;
    if (std::fclose(stdout) == 0 && delivered)
        return std::nullopt;
    const int error = delivered ? errno : why;
    return error ? std::strerror(error) : "a write failed";
}

} // namespace zarvcli
