#pragma once

#include "frame/RecordDialog.h"
#include "tools/ratio/ExpansionRecord.h"

#include <array>
#include <string>

namespace ZarvLinesParm::frame {
class CheckBox;
class Swatch;
class TextBox;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::ratio {

/// `FExpParm`: four rows of colour, value and "Show", then "Extend to end"; titled by the host.
/// Two captions give a reduced layout without the value boxes and "Extend to end".
class ExpansionDialog final : public frame::RecordDialog<ExpansionRecord> {
public:
    ExpansionDialog(frame::Records<ExpansionRecord>& records, std::string caption);

    void load() override;
    void applyHostTexts() override;

private:
    void readControls(ExpansionRecord& into) const override;

    static constexpr std::size_t lines = 4;
    static constexpr int extendBit = 4;

    std::string caption_;
    std::array<frame::Swatch*, lines> colours_;
    std::array<frame::TextBox*, lines> values_;
    std::array<frame::CheckBox*, lines> show_;
    frame::CheckBox* extend_;
};

} // namespace ZarvLinesParm::ratio
