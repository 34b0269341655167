#pragma once

#include "frame/Application.h"
#include "frame/Records.h"
#include "frame/WindowManager.h"

#include <ZarvLinesParm/Types.h>

#include <QPushButton>

#include <cstdint>
#include <memory>
#include <utility>

namespace ZarvLinesParm::frame {

/// `Start` for every class: the one road from the host's values through the modal dialog
/// back to the getters. `Dialog` is the tool's `RecordDialog`, made from the records and
/// `dialogArgs`.
///
/// 1. Copy the whole parameter record over the working record.
/// 2. Load the dialog: build its controls, run its load handler.
/// 3. Show "Save as Default" when `FDef` is non-zero, hide it when it is 0.
/// 4. Place the dialog above all other windows with `SetWindowPos`.
/// 5. Set the titles and captions that come from the host; then order the controls for the
///    keyboard and name them for screen readers, which the protocol does not see.
/// 6. Show the dialog modally, with no owner, until it is hidden or closed.
/// 7. Unload the dialog: it and any chooser it opened are destroyed here, not later.
/// 8. Return an empty variant.
///
/// With a preview handler registered for the class, the handler sees the would-be outcome while
/// the dialog is shown, and once more, with how the dialog ended, after it is unloaded.
///
/// A failure before the dialog is shown (a check box refusing a value: error 380) leaves both
/// records as they were. A second `Start` of the class while its dialog is shown fails with
/// error 400 and changes nothing.
template <class Dialog, class... DialogArgs>
Variant start(Records<typename Dialog::Record>& records, std::int16_t FDef, DialogArgs&&... dialogArgs)
{
    ensureApplication();
    if (records.showing)
        throw Error(400);

    std::unique_ptr<Dialog> dialog;
    {
        const typename Dialog::Record parameterBefore = records.parameter, workingBefore = records.working;
        try {
            records.working = records.parameter;
            dialog = std::make_unique<Dialog>(records, std::forward<DialogArgs>(dialogArgs)...);
            dialog->load();
            dialog->saveAsDefaultButton().setVisible(FDef != 0);
            SetWindowPos(windowHandle(*dialog), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            dialog->applyHostTexts();
            dialog->prepareForUser();
        } catch (...) {
            dialog.reset();
            records.parameter = parameterBefore;
            records.working = workingBefore;
            throw;
        }
    }

    struct Showing {
        bool& flag;
        explicit Showing(bool& f) : flag(f) { flag = true; }
        ~Showing() { flag = false; }
    } showing(records.showing);
    const bool previewed = static_cast<bool>(records.previewHandler);
    if (previewed)
        dialog->watchForPreview();
    dialog->exec();
    const PreviewStage ending = dialog->ending();
    dialog.reset();
    if (previewed)
        showPreview(records, records.working, ending);
    return {};
}

} // namespace ZarvLinesParm::frame
