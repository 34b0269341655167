#pragma once

#include "frame/RecordDialog.h"
#include "tools/ratio/ForkRecord.h"

#include <array>

namespace ZarvLinesParm::frame {
class CheckBox;
class Swatch;
} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm::ratio {

/// `ForkParm`: internal, external and fork lines, each a swatch and a name; the first two also
/// a "shown" box. The record's fourth colour has no swatch.
class ForkDialog final : public frame::RecordDialog<ForkRecord> {
public:
    explicit ForkDialog(frame::Records<ForkRecord>& records);

    void load() override;

private:
    void readControls(ForkRecord& into) const override;

    std::array<frame::Swatch*, 3> colours_;
    std::array<frame::CheckBox*, 2> shown_;
};

} // namespace ZarvLinesParm::ratio
