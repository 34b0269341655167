#pragma once

#include <cstdint>

class QWidget;

namespace ZarvLinesParm::frame {

/// A top-level window's handle. It names the window whether or not the window has a native window
/// yet: taking it makes none, which the window would only have to replace when it is shown with
/// a changed stacking hint.
using WindowHandle = std::uintptr_t;

inline constexpr WindowHandle HWND_TOPMOST = static_cast<WindowHandle>(-1);
inline constexpr WindowHandle HWND_NOTOPMOST = static_cast<WindowHandle>(-2);
inline constexpr unsigned SWP_NOSIZE = 0x0001;
inline constexpr unsigned SWP_NOMOVE = 0x0002;

/// The handle of `window`.
WindowHandle windowHandle(QWidget& window);

/// The window manager's placement call as the dialogs use it. `HWND_TOPMOST` keeps the window
/// above all others (`Qt::WindowStaysOnTopHint`), `HWND_NOTOPMOST` lets it go; x, y, cx and cy
/// move and size it unless `SWP_NOMOVE` or `SWP_NOSIZE` say otherwise. Other insert-after
/// handles leave the stacking as it is. Returns false for a handle that is no top-level window.
/// Before the window has a native window the hint is only recorded, for the one it will be shown
/// in; after, changing the stacking gives it a new native window, as Qt does on X11 anyway.
bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags);

} // namespace ZarvLinesParm::frame
