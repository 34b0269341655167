#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>
#include <string_view>

namespace ZarvLinesParm {

/// Circles and ellipses: an outline colour, a fill colour and whether the shape is filled.
/// The dialog's title is `Start`'s `CaptionF`, so one dialog serves both shapes.
class ZARVLINESPARM_EXPORT CircleElipseCls : public Object {
public:
    /// Colour `i` (1 outline, 2 fill) of the working record; other indexes fail with error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// Colour `i` (1 or 2) of the parameter record; other indexes fail with error 9.
    void Cor(std::int16_t i, std::int32_t S);
    /// Non-zero: the shape is filled. The dialog writes 1 or 0.
    std::int16_t Fill() const;
    void Fill(std::int16_t S);
    /// 1 after "Save as Default".
    std::int16_t SaveDefault() const;
    void SaveDefault(std::int16_t S);

    /// Runs the dialog titled `CaptionF` (also when empty); "Save as Default" shows when
    /// `FDef` is non-zero. Returns an empty variant.
    Variant Start(std::int16_t FDef, std::string_view CaptionF);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
