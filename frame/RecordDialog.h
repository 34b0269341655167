#pragma once

#include "frame/Preview.h"
#include "frame/Records.h"
#include "frame/forms/ParmDialog.h"
#include "frame/forms/Swatch.h"

#include <QMetaObject>

#include <optional>

namespace ZarvLinesParm::frame {

/// A tool's dialog over its records. The tool builds its controls in its constructor and
/// supplies what is its own: the load handler, what "OK" reads, and, for the dialogs titled
/// by the host, the host's texts. The buttons behave the same for every tool:
///
/// - "OK": `readControls()` into the working record, then hide, which ends the modal display;
/// - "Cancel": the whole parameter record over the working record, then hide;
/// - "Save as Default": working `SaveDefault` = 1, then what "OK" does.
///
/// Colours are never read by "OK": a bound swatch writes its working colour when it is chosen.
template <class R>
class RecordDialog : public ParmDialog {
public:
    using Record = R;

    RecordDialog(Records<Record>& records, const QString& objectName, const QString& designTitle)
        : ParmDialog(objectName, designTitle), records_(records)
    {
    }

    /// The load handler: fills the controls (some tools also write a record here).
    virtual void load() {}
    /// Titles and captions that come from the host, set on every `Start` after the load.
    virtual void applyHostTexts() {}

    /// How the dialog ended: by its buttons, or else closed from its title bar.
    PreviewStage ending() const { return ending_; }

    /// Shows the host's preview handler, from now on, what "OK" would store: after each user
    /// edit, at most once per pass of the event loop, and only when that differs from what the
    /// handler saw last (at first, from what "OK" would have stored now).
    void watchForPreview()
    {
        reported_ = wouldStore();
        watchUserEdits(*this, [this] {
            if (previewPending_)
                return;
            previewPending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    previewPending_ = false;
                    Record outcome = wouldStore();
                    if (outcome == *reported_)
                        return;
                    *reported_ = std::move(outcome);
                    showPreview(records_, *reported_, PreviewStage::Editing);
                },
                Qt::QueuedConnection);
        });
    }

protected:
    /// What "OK" reads from the controls into `into`: the working record, or a copy of it for
    /// the preview. It writes no control and no other record.
    virtual void readControls(Record& into) const = 0;
    /// What "OK" shows once it has stored `stored`, where the tool shows what it stored in place
    /// of what was typed. Nothing, for most tools.
    virtual void showStored(const Record& /*stored*/) {}

    Record& working() { return records_.working; }
    Record& parameter() { return records_.parameter; }

    /// A swatch showing, and editing, a colour of the working record.
    Swatch* colourSwatch(const QString& objectName, std::int32_t& workingColour)
    {
        Swatch* s = swatch(objectName);
        s->bind(workingColour);
        return s;
    }

private:
    Record wouldStore() const
    {
        Record outcome = records_.working;
        readControls(outcome);
        return outcome;
    }

    void ok() final { finish(PreviewStage::Ok); }
    void cancel() final
    {
        records_.working = records_.parameter;
        ending_ = PreviewStage::Cancel;
        hide();
    }
    void saveAsDefault() final
    {
        records_.working.SaveDefault = 1;
        finish(PreviewStage::SaveAsDefault);
    }
    void finish(PreviewStage how)
    {
        readControls(records_.working);
        showStored(records_.working);
        ending_ = how;
        hide();
    }

    Records<Record>& records_;
    PreviewStage ending_ = PreviewStage::Closed;
    std::optional<Record> reported_; // what the preview last saw; empty while nothing watches
    bool previewPending_ = false;
};

} // namespace ZarvLinesParm::frame
