#pragma once

#include <ZarvLinesParm/Export.h>
#include <ZarvLinesParm/Object.h>

#include <functional>
#include <string_view>
#include <utility>

namespace ZarvLinesParm {

/// Why a preview handler is called: the user is editing, or `Start` is ending, and how.
enum class PreviewStage {
    Editing,       ///< the user changed what "OK" would store; the dialog is still open
    Ok,            ///< "OK" was pressed
    SaveAsDefault, ///< "Save as Default" was pressed
    Cancel,        ///< "Cancel" was pressed
    Closed,        ///< the dialog was closed from its title bar
};

/// A host's live preview of a class's dialog.
///
/// `view` is an object of the class, made by the library for this call and valid only during
/// it. Its getters, typed and late-bound, return the would-be outcome: at `Editing`, what the
/// getters would return if "OK" were pressed now; at the one last call when `Start` ends (every
/// other stage), what they return now. Every other object of the class keeps reading what the
/// getters read without a preview.
///
/// The handler runs on the application's thread, inside the dialog's event loop: at most once
/// per pass of the loop, after a user action (a keystroke in a value box, a click on a check
/// box or option, a list choice or typed list text, a chosen colour), and only when the
/// would-be outcome differs from the one it last saw (at first, from what "OK" would have
/// stored when the dialog opened).
///
/// A handler may call every getter, of the view and of any other object, and the setters, which
/// take effect at the next `Start` as always. `Start` of the same class fails with error 400 (its
/// dialog is still showing, also at the last call); showing other dialogs from a handler is not
/// recommended. An exception thrown by a handler is caught and reported as a Qt warning; the
/// dialog stays usable.
using PreviewHandler = std::function<void(Object& view, PreviewStage stage)>;

/// Registers (replaces) the handler of the class named `progId` (letter case ignored; an
/// unknown name fails with error 429). An empty handler removes it. A handler registered while
/// the class's dialog is showing is first called at its next `Start`.
ZARVLINESPARM_EXPORT void SetPreviewHandler(std::string_view progId, PreviewHandler handler);

/// The same for the class `Cls`, with the view as that class:
///
///     SetPreviewHandler<RetracementParmClass>([](const RetracementParmClass& v, PreviewStage s) {
///         redraw(v.V(1), v.Cor(1));
///     });
template <class Cls>
void SetPreviewHandler(std::function<void(const Cls& view, PreviewStage stage)> handler)
{
    PreviewHandler untyped;
    if (handler) {
        // The library makes the view by the class's ProgID, so it is a `Cls`.
        untyped = [typed = std::move(handler)](Object& view, PreviewStage stage) {
            typed(static_cast<const Cls&>(view), stage);
        };
    }
    SetPreviewHandler(Cls{}.progId(), std::move(untyped));
}

} // namespace ZarvLinesParm
