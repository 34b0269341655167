#include "frame/WindowManager.h"

#include <QWidget>

namespace ZarvLinesParm::frame {

WindowHandle windowHandle(QWidget& window)
{
    return static_cast<WindowHandle>(window.winId());
}

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags)
{
    QWidget* widget = QWidget::find(static_cast<WId>(window));
    if (!widget || !widget->isWindow())
        return false;
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        const bool topmost = insertAfter == HWND_TOPMOST;
        if (widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
            // Changing a window's flags recreates it: hidden, and placed anew. Put back what the
            // window had: its visibility, and a position or size it had been given.
            const bool visible = widget->isVisible();
            const bool moved = widget->testAttribute(Qt::WA_Moved);
            const bool resized = widget->testAttribute(Qt::WA_Resized);
            const QRect geometry = widget->geometry();
            widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
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
