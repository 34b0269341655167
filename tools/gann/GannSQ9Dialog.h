#pragma once

#include "frame/RecordDialog.h"
#include "tools/gann/GannSQ9Record.h"

#include <array>

namespace ZarvLinesParm::gann {

/// `GannSQ9Parm`: the eight angles in a "Price" and a "Time" column, the line colour, the
/// direction and the step.
class GannSQ9Dialog final : public frame::RecordDialog<GannSQ9Record> {
public:
    explicit GannSQ9Dialog(frame::Records<GannSQ9Record>& records);

    void load() override;

private:
    void readControls(GannSQ9Record& into) const override;
    void showStored(const GannSQ9Record& stored) override;

    frame::Swatch* cor_;
    std::array<frame::CheckBox*, 8> price_;
    std::array<frame::CheckBox*, 8> time_;
    std::array<frame::OptionButton*, 2> direction_;
    frame::TextBox* step_;
};

} // namespace ZarvLinesParm::gann
