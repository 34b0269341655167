#pragma once

#include "frame/RecordDialog.h"
#include "tools/ratio/ArcsRecord.h"

#include <array>

namespace ZarvLinesParm::frame {
class CheckBox;
class Swatch;
class TextBox;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::ratio {

/// `ZarvArcsParm`: one swatch, the "Full Circle" box and six value boxes.
class ArcsDialog final : public frame::RecordDialog<ArcsRecord> {
public:
    explicit ArcsDialog(frame::Records<ArcsRecord>& records);

    void load() override;

private:
    void readControls(ArcsRecord& into) const override;

    frame::Swatch* colour_;
    frame::CheckBox* fullCircle_;
    std::array<frame::TextBox*, 6> values_;
};

} // namespace ZarvLinesParm::ratio
