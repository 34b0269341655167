#pragma once

// `zarvlinesparm gallery DIR`: every dialog, filled with representative values, rendered
// offscreen to DIR/<Class>.png and, at device pixel ratio 2, DIR/<Class>@2x.png.

#include <string>

namespace zarvcli {

/// Renders every class's dialog into `directory` (made when missing); returns the exit status.
int gallery(const std::string& directory, const char* programName);

} // namespace zarvcli
