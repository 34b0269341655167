#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// The Gann fan: one colour for its lines and six values, carried as typed.
class ZARVLINESPARM_EXPORT GannFanParmClass : public Object {
public:
    /// The lines' colour of the working record; `i` must be 1, anything else fails with error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// 1 after "Save as Default".
    void SaveDefault(std::int16_t S);
    std::int16_t SaveDefault() const;
    /// Value `i` (1 to 6) of the working record; other indexes fail with error 9.
    float V(std::int16_t i) const;

    /// Runs the dialog "GannFan Parameters"; "Save as Default" shows when `FDef` is non-zero.
    /// "OK" stores the six boxes in their order, unsorted and unclamped; a number beyond the
    /// float range stores the largest float of its sign. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    /// The lines' colour of the parameter record; `i` must be 1 (error 9).
    void Cor(std::int16_t i, std::int32_t S);
    /// Value `i` (1 to 6) of the parameter record; other indexes fail with error 9.
    void V(std::int16_t i, float S);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
