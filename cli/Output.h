#pragma once

// What the program writes, written whole or reported: a file appears complete or the old one
// stays, and output that could not be delivered is a failure, never a success.

#include <QPixmap>
#include <QString>

#include <optional>
#include <string>

namespace zarvcli {

/// Saves `picture` as a PNG at `file` through a temporary file beside it, renamed into place
/// once complete and flushed; nullopt when done, else why not (the old file is then as it was).
std::optional<std::string> savePng(const QPixmap& picture, const QString& file);

/// Flushes and closes standard output; nullopt when everything written reached it, else why not.
std::optional<std::string> closeStandardOutput();

} // namespace zarvcli
