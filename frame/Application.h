#pragma once

namespace ZarvLinesParm::frame {

/// Makes sure dialogs can be shown: creates a QApplication, once, when the host has none
/// (and keeps it for the life of the process). Fails with error 5 when the host's application
/// object is not a widgets application or the caller is not on its thread.
void ensureApplication();

} // namespace ZarvLinesParm::frame
