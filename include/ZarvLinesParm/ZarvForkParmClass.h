#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// The fork tool: the colours of its internal, external and fork lines, whether the internal
/// and the external lines are shown, and a colour and four values of the host's own that the
/// dialog carries untouched.
class ZARVLINESPARM_EXPORT ZarvForkParmClass : public Object {
public:
    void SaveDefault(std::int16_t S);
    /// 1 after "Save as Default".
    std::int16_t SaveDefault() const;
    /// Bit 0: internal lines shown; bit 1: external lines shown. Clearing a box in the dialog
    /// also clears bits 8 to 15.
    void ForkShow(std::int16_t S);
    std::int16_t ForkShow() const;
    /// Colour `i` of the working record: 1 internal, 2 external, 3 fork lines, 4 the host's;
    /// other indexes fail with error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// Value `i` (1 to 4), as the host set it; other indexes fail with error 9.
    float Per1(std::int16_t i) const;
    /// Runs the dialog; "Save as Default" shows when `FDef` is non-zero. Returns an empty variant.
    Variant Start(std::int16_t FDef);
    void Cor(std::int16_t i, std::int32_t S);
    void Per1(std::int16_t i, float S);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
