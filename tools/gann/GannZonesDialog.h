#pragma once

#include "frame/RecordDialog.h"
#include "tools/gann/GannZonesRecord.h"

namespace ZarvLinesParm::gann {

/// `GannParm`: the number of zones and the colours of the odd and the even lines.
class GannZonesDialog final : public frame::RecordDialog<GannZonesRecord> {
public:
    explicit GannZonesDialog(frame::Records<GannZonesRecord>& records);

    void load() override;

private:
    void readControls(GannZonesRecord& into) const override;

    frame::TextBox* nZones_;
    frame::Swatch* odd_;
    frame::Swatch* even_;
};

} // namespace ZarvLinesParm::gann
