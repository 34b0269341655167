#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace ZarvLinesParm {

/// Expansions: four lines, each with a value, a colour and a show switch, and "Extend to end"
/// for all of them. The dialog's title is `Caption`; the captions "Brastel Options" and
/// "Zarv Impulse Options" (exactly) give a reduced dialog with colours and show switches only.
class ZARVLINESPARM_EXPORT ZarvExpParmClass : public Object {
public:
    /// The dialog's title. One library-wide value: `Start` and "Cancel" never change it.
    std::string Caption() const;
    void Caption(std::string_view S);
    /// Bits 0 to 3: line 1 to 4 is shown; bit 4: "Extend to end". Clearing any box in the dialog
    /// also clears bits 8 to 15, which keep their value only while every box is checked.
    std::int16_t FExpShow() const;
    void FExpShow(std::int16_t S);
    /// The colour of line `i`, 1 to 4; other indexes fail with error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// 1 after "Save as Default".
    void SaveDefault(std::int16_t S);
    std::int16_t SaveDefault() const;
    /// The value of line `i`, 1 to 4; other indexes fail with error 9. "OK" takes a typed value
    /// from -3.2 to 3.2 (from 0 to 32 in the reduced dialog) and silently keeps the line's value
    /// for any other.
    float V(std::int16_t i) const;

    /// Runs the dialog titled `Caption` (also when empty); "Save as Default" shows when `FDef` is
    /// non-zero. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    void Cor(std::int16_t i, std::int32_t S);
    void V(std::int16_t i, float S);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
