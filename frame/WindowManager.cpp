#include "frame/WindowManager.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace ZarvLinesParm::frame {

namespace {

// QWidget's destroy() and create() are protected; a class derived from QWidget may name them
// and call them on any widget through member pointers.
struct NativeWindow : QWidget {
    static void replace(QWidget& widget)
    {
        const auto destroyNative = &NativeWindow::destroy;
        const auto createNative = &NativeWindow::create;
        (widget.*destroyNative)(true, true);
        (widget.*createNative)(0, true, true);
    }
};

} // namespace

WindowHandle windowHandle(QWidget& window) { return reinterpret_cast<WindowHandle>(&window); }

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags)
{
    // Found among the top-level windows, never followed: a made-up handle names none of them.
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [window](QWidget* w) { return reinterpret_cast<WindowHandle>(w) == window; });
    if (found == windows.end())
        return false;
    QWidget* widget = *found;
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        const bool topmost = insertAfter == HWND_TOPMOST;
        if (!widget->testAttribute(Qt::WA_WState_Created)) {
            // No native window yet (a dialog before it is first shown): the hint is simply
            // part of the one it will be shown in.
            widget->overrideWindowFlags(widget->windowFlags().setFlag(Qt::WindowStaysOnTopHint, topmost));
        } else if (widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
            // Changing a window's flags recreates it: hidden, and placed anew. Put back what the
            // window had: its visibility, and a position or size it had been given.
            const bool visible = widget->isVisible();
            const bool moved = widget->testAttribute(Qt::WA_Moved);
            const bool resized = widget->testAttribute(Qt::WA_Resized);
            const QRect geometry = widget->geometry();
            widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
            // On xcb Qt replaces the native window at the next show when this hint has changed,
            // and the widget's winId() would go on naming the destroyed one. Replace it now, so
            // that winId() from here on names the window on the screen.
            NativeWindow::replace(*widget);
            if (moved)
                widget->setGeometry(geometry);
            else if (resized)
                widget->resize(geometry.size());
            if (visible)
                widget->show();
        }
    }
    if (!(flags & SWP_NOMOVE))
        widget->move(x, y);
    if (!(flags & SWP_NOSIZE))
        widget->resize(cx, cy);
    return true;
}

} // namespace ZarvLinesParm::frame
