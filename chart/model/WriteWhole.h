#pragma once

// Writing a file the chart keeps (drawings, a picture) whole or not at all: into a file beside
// it, renamed over it only once every byte is written and flushed, so that a full disk or a
// failed write leaves the old file as it was and nothing beside it.

#include "chart/model/ChartError.h"

#include <QByteArray>
#include <QString>

namespace zarvchart {

/// Replaces the file at `path` by `bytes`; a failure is a ChartError that names `path` and says
/// why ("No space left on device"), and then nothing has changed.
void writeWhole(const QString& path, const QByteArray& bytes);

} // namespace zarvchart
