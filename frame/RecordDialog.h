#pragma once

#include "frame/Records.h"
#include "frame/forms/ParmDialog.h"
#include "frame/forms/Swatch.h"

namespace ZarvLinesParm::frame {

/// A tool's dialog over its records. The tool builds its controls in its constructor and
/// supplies what is its own: the load handler, what "OK" reads, and, for the dialogs titled
/// by the host, the host's texts. The buttons behave the same for every tool:
///
/// - "OK": `readControls()`, then hide, which ends the modal display;
/// - "Cancel": the whole parameter record over the working record, then hide;
/// - "Save as Default": working `SaveDefault` = 1, then what "OK" does.
///
/// Colours are never read by "OK": a bound swatch writes its working colour when it is chosen.
template <class R>
class RecordDialog : public ParmDialog {
public:
    using Record = R;

    RecordDialog(Records<Record>& records, const QString& objectName, const QString& designTitle)
        : ParmDialog(objectName, designTitle), records_(records) {}

    /// The load handler: fills the controls (some tools also write a record here).
    virtual void load() {}
    /// Titles and captions that come from the host, set on every `Start` after the load.
    virtual void applyHostTexts() {}

protected:
    /// What "OK" reads from the controls into the working record.
    virtual void readControls() = 0;

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
    void ok() final
    {
        readControls();
        hide();
    }
    void cancel() final
    {
        records_.working = records_.parameter;
        hide();
    }
    void saveAsDefault() final
    {
        records_.working.SaveDefault = 1;
        ok();
    }

    Records<Record>& records_;
};

} // namespace ZarvLinesParm::frame
