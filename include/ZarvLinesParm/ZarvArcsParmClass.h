#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// The arcs tool: six ratio values drawn as arcs in one colour, or as whole circles.
class ZARVLINESPARM_EXPORT ZarvArcsParmClass : public Object {
public:
    /// The colour of the working record; `i` is 1 only, anything else fails with error 9.
    std::int32_t Cor(std::int16_t i) const;
    void SaveDefault(std::int16_t S);
    /// 1 after "Save as Default".
    std::int16_t SaveDefault() const;
    /// Ratio value `i` (1 to 6) of the working record; other indexes fail with error 9.
    float V(std::int16_t i) const;
    /// Runs the dialog; "Save as Default" shows when `FDef` is non-zero. A `FullCircle` other
    /// than 0, 1 or 2 fails with error 380 before the dialog is shown, and changes nothing.
    /// Returns an empty variant.
    Variant Start(std::int16_t FDef);
    void Cor(std::int16_t i, std::int32_t S);
    void V(std::int16_t i, float S);
    /// The "Full Circle" box: 0 cleared, 1 checked, 2 greyed.
    std::int16_t FullCircle() const;
    /// Stores any value; only `Start` insists on 0, 1 or 2.
    void FullCircle(std::int16_t S);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
