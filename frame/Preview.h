#pragma once

// The host's live preview of a dialog (see <ZarvLinesParm/Preview.h>): what the dialog watches,
// and how the handler is called. With no handler registered none of this runs.

#include "frame/Records.h"

#include <ZarvLinesParm/Preview.h>

#include <functional>

class QWidget;

namespace ZarvLinesParm::frame {

/// Calls `edited` after every user action on a control of `dialog` that can change what "OK"
/// stores: a keystroke in a value box or in a list's text, a click on a check box or option, a
/// list choice, a colour chosen in a swatch. Actions of the library's own code do not count.
void watchUserEdits(QWidget& dialog, std::function<void()> edited);

/// Calls the registered handler (there is one: `showPreview` asks first) with a fresh object made
/// by `makeView` and `stage`, with `view` pointing at that object meanwhile. Contains whatever the
/// handler throws, as a Qt warning.
void callPreviewHandler(const PreviewHandler& registered, std::unique_ptr<Object> (*makeView)(), const Object*& view,
                        PreviewStage stage) noexcept;

/// Shows the host `outcome` as the would-be outcome at `stage`.
template <class Record>
void showPreview(Records<Record>& records, const Record& outcome, PreviewStage stage)
{
    if (!records.previewHandler)
        return;
    records.preview = outcome;
    callPreviewHandler(records.previewHandler, records.makeView, records.view, stage);
}

} // namespace ZarvLinesParm::frame
