#pragma once

#include "frame/RecordDialog.h"
#include "tools/ratio/FanRecord.h"

#include <array>

namespace ZarvLinesParm::frame {
class CheckBox;
class Swatch;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::ratio {

/// `FanParm`: four rows of swatch, name and "shown" box, then "Horizontal Line" and
/// "Extend to end". No text boxes.
class FanDialog final : public frame::RecordDialog<FanRecord> {
public:
    explicit FanDialog(frame::Records<FanRecord>& records);

    void load() override;

private:
    void readControls(FanRecord& into) const override;

    std::array<frame::Swatch*, 4> colours_;
    std::array<frame::CheckBox*, 4> shown_;
    frame::CheckBox* horizontal_;
    frame::CheckBox* extend_;
};

} // namespace ZarvLinesParm::ratio
