#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// The fan tool: which of its four lines are shown, their colours, "Horizontal Line" and
/// "Extend to end", and four values of the host's own that the dialog carries untouched.
class ZARVLINESPARM_EXPORT zarvFanParmClass : public Object {
public:
    /// Colour `i` (1 to 4: the 38.2%, 50%, 61.8% and 76.4/23.6% lines) of the working record;
    /// other indexes fail with error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// Value `i` (1 to 4), as the host set it; other indexes fail with error 9.
    float Porcento(std::int16_t i) const;
    void Cor(std::int16_t i, std::int32_t S);
    void Porcento(std::int16_t i, float S);
    /// Bits 0 to 3: the four lines shown. Clearing a box in the dialog also clears bits 8 to 15.
    void FanShow(std::int16_t S);
    /// Non-zero: horizontal lines. The dialog writes 0 or 1.
    void HLines(std::int16_t S);
    /// Bit 0: extend to the end. Clearing the box in the dialog also clears bits 8 to 15.
    void AteFim(std::int16_t S);
    std::int16_t FanShow() const;
    std::int16_t AteFim() const;
    std::int16_t HLines() const;
    void SaveDefault(std::int16_t S);
    /// 1 after "Save as Default".
    std::int16_t SaveDefault() const;
    /// Runs the dialog; "Save as Default" shows when `FDef` is non-zero. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
