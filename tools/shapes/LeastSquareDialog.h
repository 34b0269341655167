#pragma once

#include "frame/RecordDialog.h"
#include "tools/shapes/LeastSquareRecord.h"

#include <array>

namespace ZarvLinesParm::shapes {

/// `LeastSquareParm`: the three lines' colours, the upper and lower standard deviations, and
/// the price the line is fitted to.
class LeastSquareDialog final : public frame::RecordDialog<LeastSquareRecord> {
public:
    explicit LeastSquareDialog(frame::Records<LeastSquareRecord>& records);

    void load() override;

private:
    void readControls(LeastSquareRecord& into) const override;

    std::array<frame::Swatch*, 3> cor_;
    std::array<frame::TextBox*, 2> v_;
    frame::DropDownList* use_;
};

} // namespace ZarvLinesParm::shapes
