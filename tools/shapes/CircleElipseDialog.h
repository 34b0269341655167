#pragma once

#include "frame/RecordDialog.h"
#include "tools/shapes/CircleElipseRecord.h"

#include <string>

namespace ZarvLinesParm::frame {
class CheckBox;
class Swatch;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::shapes {

/// `CircleElipse`: two swatches and the "Fill" box, titled by the host.
class CircleElipseDialog final : public frame::RecordDialog<CircleElipseRecord> {
public:
    CircleElipseDialog(frame::Records<CircleElipseRecord>& records, std::string captionF);

    void load() override;
    void applyHostTexts() override;

private:
    void readControls(CircleElipseRecord& into) const override;

    std::string captionF_;
    frame::Swatch* outline_;
    frame::Swatch* fillColour_;
    frame::CheckBox* fill_;
};

} // namespace ZarvLinesParm::shapes
