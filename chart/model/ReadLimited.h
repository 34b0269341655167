#pragma once

// Reading a file the chart takes whole (prices, drawings): a regular file only, of at most a
// stated size, both checked before a byte is read, so that a FIFO, a device or a huge file
// neither hangs the chart nor fills its memory.

#include "chart/model/ChartError.h"

#include <QByteArray>
#include <QString>

namespace zarvchart {

inline constexpr qint64 mebibyte = qint64{1} << 20;

/// The bytes of the regular file at `path`, at most `limit` of them. No such file, a FIFO, a
/// device, a folder, a larger file or a failed read is a ChartError that names `path`.
QByteArray readLimited(const QString& path, qint64 limit);

/// `text` as a message quotes it: whole when it is short, else its first `most` characters and
/// an ellipsis, so that a line of a million characters makes a message of one line.
QString excerpt(const QString& text, qsizetype most = 60);

} // namespace zarvchart
