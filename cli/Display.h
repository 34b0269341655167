#pragma once

// Whether anybody can see the dialogs this process shows, and the Qt platform to use when no
// display is there: both settled before the QApplication exists.

namespace zarvcli {

/// No X11 display, no Wayland display and no Qt platform chosen in the environment.
bool noDisplay();

/// Windows of this process show nowhere: no display, or a platform that draws off screen.
bool windowsUnseen();

/// Picks the offscreen platform when there is no display, so that the application can start.
void selectPlatform();

/// Drops the offscreen platform's note that it cannot pass a fixed-size dialog's size hints on
/// to a window system it does not have; it says so for every dialog and means no fault.
void quietOffscreenNotes();

} // namespace zarvcli
