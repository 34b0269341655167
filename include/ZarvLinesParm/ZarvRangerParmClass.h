#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace ZarvLinesParm {

/// The range tool: a number of periods, two constants, the "Up", "Down" and "Range" colours and
/// "Extend Right". The dialog's title and the check box's caption come from `Caption` and
/// `ExtendRightCaption`.
///
/// Defaults: on every `Start` the dialog puts 3 periods, 0.618 and 1.382, green (65280) and red
/// (255) into the fields the host left at zero, in the values set through the setters, not in
/// those the getters read. So "OK" without edits after a first `Start` with nothing set gives
/// back colours 0, and "Cancel", or "OK" on any later `Start`, gives the defaults.
class ZARVLINESPARM_EXPORT ZarvRangerParmClass : public Object {
public:
    /// The number of periods. "OK" reads the box as a whole number, an exact half going to the
    /// even neighbour ("2.5" 2, "3.5" 4); a typed number beyond -32768 to 32767 does not fail
    /// but stores the nearest of those two.
    void Periodos(std::int16_t S);
    std::int16_t Periodos() const;
    /// The two constants, shown with three decimals ("0.618"), so a value set with more comes
    /// back from "OK" rounded to three.
    void Cte1(float S);
    float Cte1() const;
    void Cte2(float S);
    float Cte2() const;
    /// "Up", "Down" and "Range" colours (0x00BBGGRR).
    void Cor1(std::int32_t S);
    std::int32_t Cor1() const;
    void Cor2(std::int32_t S);
    std::int32_t Cor2() const;
    void Cor3(std::int32_t S);
    std::int32_t Cor3() const;
    /// The host's own text, carried through the dialog unchanged (and copied, never shared).
    void ONH(std::string_view S);
    std::string ONH() const;
    /// The dialog's title. One library-wide value: `Start` and "Cancel" never change it.
    void Caption(std::string_view S);
    std::string Caption() const;
    /// The caption of the "Extend Right" box; library-wide like `Caption`.
    std::string ExtendRightCaption() const;
    void ExtendRightCaption(std::string_view S);
    /// Non-zero: the drawing extends to the right. "OK" writes 1 or 0.
    void ExtendRight(std::int16_t S);
    std::int16_t ExtendRight() const;

    /// Runs the dialog titled `Caption` (also when empty); "Save as Default" shows when `FDef`
    /// is non-zero. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    /// 1 after "Save as Default".
    void SaveDefault(std::int16_t S);
    std::int16_t SaveDefault() const;

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
