#pragma once

namespace ZarvLinesParm::frame {

/// Fails with error 68 when the widgets toolkit, started now, would find nothing to show windows
/// on (and so end the process): every platform it would try has no plugin installed, or is X11
/// and its display cannot be opened. Those platforms are the ones QT_QPA_PLATFORM names, or
/// else Wayland in a Wayland session and then X11. The error's detail says which display or
/// platform failed. A Wayland platform whose plugin is installed is left to the toolkit.
void requireDisplay();

} // namespace ZarvLinesParm::frame
