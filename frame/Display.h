#pragma once

#include <memory>

namespace ZarvLinesParm::frame {

/// What the display check leaves open: keep it until the toolkit has made its own connection.
using DisplayProbe = std::shared_ptr<void>;

/// Fails with error 68 when the widgets toolkit, started now, would find nothing to show windows
/// on (and so end the process): every platform it would try has no plugin installed, or is X11
/// and its display cannot be opened. Those platforms are the ones QT_QPA_PLATFORM names, or
/// else Wayland in a Wayland session and then X11. The error's detail says which display or
/// platform failed. A Wayland platform whose plugin is installed is left to the toolkit.
///
/// The X display is checked by connecting to it. That connection is handed back open, to be
/// closed only once the toolkit has connected: an X server may drop a connection that follows
/// another's close by a millisecond or so, and the toolkit ends the process when it is dropped.
[[nodiscard]] DisplayProbe requireDisplay();

} // namespace ZarvLinesParm::frame
