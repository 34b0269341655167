#pragma once

namespace ZarvLinesParm::frame {

/// Makes sure dialogs can be shown: creates a QApplication, once, when the host has none
/// (and keeps it for the life of the process). Fails with error 5 when the host's application
/// object is not a widgets application or the caller is not on its thread.
void ensureApplication();

/// True while the application object is one that `ensureApplication` made: it refers to the
/// library's own memory, so the library must not be unloaded under it.
bool ownsApplication();

} // namespace ZarvLinesParm::frame
