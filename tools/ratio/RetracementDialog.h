#pragma once

#include "frame/RecordDialog.h"
#include "tools/ratio/RetracementRecord.h"

#include <array>

namespace ZarvLinesParm::frame {
class CheckBox;
class Swatch;
class TextBox;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::ratio {

/// `RetracementParm`: the lines' colour, "Extend to end", "Show values" and six value boxes.
class RetracementDialog final : public frame::RecordDialog<RetracementRecord> {
public:
    explicit RetracementDialog(frame::Records<RetracementRecord>& records);

    void load() override;

private:
    void readControls(RetracementRecord& into) const override;

    frame::Swatch* colour_;
    frame::CheckBox* extend_;
    frame::CheckBox* numbers_;
    std::array<frame::TextBox*, 6> values_;
};

} // namespace ZarvLinesParm::ratio
