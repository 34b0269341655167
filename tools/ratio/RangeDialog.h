#pragma once

#include "frame/RecordDialog.h"
#include "tools/ratio/RangeRecord.h"

#include <string>

namespace ZarvLinesParm::frame {
class CheckBox;
class Swatch;
class TextBox;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::ratio {

/// `ZARVRANGER`: periods, two constants, three colours and "Extend Right"; its title and the
/// check box's caption come from the host.
///
/// Unlike the other dialogs, its load handler works on the parameter record: it puts the
/// defaults into the fields the host left at zero there, and fills the controls from it.
class RangeDialog final : public frame::RecordDialog<RangeRecord> {
public:
    RangeDialog(frame::Records<RangeRecord>& records, std::string caption, std::string extendRightCaption);

    void load() override;
    void applyHostTexts() override;

private:
    void readControls(RangeRecord& into) const override;

    std::string caption_;
    std::string extendRightCaption_;
    frame::TextBox* periods_;
    frame::TextBox* const1_;
    frame::TextBox* const2_;
    frame::Swatch* up_;
    frame::Swatch* down_;
    frame::Swatch* range_;
    frame::CheckBox* extendRight_;
};

} // namespace ZarvLinesParm::ratio
