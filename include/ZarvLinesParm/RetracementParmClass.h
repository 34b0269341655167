#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// Retracements: lines at six ratio values in one colour, with "Extend to end" and "Show
/// values". Every value is 0 until the host sets it; the library gives no defaults.
class ZARVLINESPARM_EXPORT RetracementParmClass : public Object {
public:
    /// The colour of all the lines; `i` is 1 only, any other index fails with error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// 1 after "Save as Default".
    void SaveDefault(std::int16_t S);
    std::int16_t SaveDefault() const;
    /// Ratio value `i`, 1 to 6 (boxes "1" to "6"); other indexes fail with error 9.
    float V(std::int16_t i) const;

    /// Runs the dialog "Retracement Parameters"; "Save as Default" shows when `FDef` is
    /// non-zero. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    void Cor(std::int16_t i, std::int32_t S);
    void V(std::int16_t i, float S);
    /// Non-zero: the lines extend to the end. "OK" writes 1 or 0.
    void Extend(std::int16_t S);
    std::int16_t Extend() const;
    /// Non-zero: each line shows its value. "OK" writes 1 or 0.
    void Numbers(std::int16_t S);
    std::int16_t Numbers() const;

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
