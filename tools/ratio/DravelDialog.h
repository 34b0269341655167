#pragma once

#include "frame/RecordDialog.h"
#include "tools/ratio/DravelRecord.h"

#include <array>

namespace ZarvLinesParm::frame {
class Swatch;
class TextBox;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::ratio {

/// `DravelParm`: the external and internal lines' colours and the two factors.
class DravelDialog final : public frame::RecordDialog<DravelRecord> {
public:
    explicit DravelDialog(frame::Records<DravelRecord>& records);

    void load() override;

private:
    void readControls(DravelRecord& into) const override;

    std::array<frame::Swatch*, 2> colours_;
    std::array<frame::TextBox*, 2> factors_;
};

} // namespace ZarvLinesParm::ratio
