#pragma once

#include "frame/RecordDialog.h"
#include "tools/gann/GannFanRecord.h"

#include <array>

namespace ZarvLinesParm::gann {

/// `GannFanParm`: the lines' colour and the six values in two columns of three.
class GannFanDialog final : public frame::RecordDialog<GannFanRecord> {
public:
    explicit GannFanDialog(frame::Records<GannFanRecord>& records);

    void load() override;

private:
    void readControls(GannFanRecord& into) const override;

    frame::Swatch* cor_;
    std::array<frame::TextBox*, 6> v_;
};

} // namespace ZarvLinesParm::gann
