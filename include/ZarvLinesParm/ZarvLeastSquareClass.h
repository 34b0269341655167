#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// The least-square channel: the price the line is fitted to, the standard deviations of the
/// upper and the lower line, and the colours of the three lines.
class ZARVLINESPARM_EXPORT ZarvLeastSquareClass : public Object {
public:
    /// Colour `i` of the working record: 1 the least-square line, 2 upper, 3 lower; other
    /// indexes fail with error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// 1 after "Save as Default".
    void SaveDefault(std::int16_t S);
    std::int16_t SaveDefault() const;
    /// Standard deviations `i` (1 upper, 2 lower) of the working record; other indexes fail
    /// with error 9.
    float V(std::int16_t i) const;

    /// Runs the dialog "Least Square Channel"; "Save as Default" shows when `FDef` is non-zero.
    ///
    /// Loading the dialog writes a working `UseToCalc` of 0 as 1 before the user acts, so "OK"
    /// and a close from the title bar return 1 for it and only "Cancel" returns 0. "OK" stores
    /// the chosen entry's price, or 0 when the user typed into the list's field instead.
    ///
    /// A `UseToCalc` with no entry (below 0 or above 5) does not fail: the dialog opens with no
    /// entry selected and an empty field, so "OK" stores 0 (shown as "Open" next time) unless
    /// the user chooses an entry, while "Cancel" and a close from the title bar return the value
    /// as set. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    /// Colour `i` (1 to 3) of the parameter record; other indexes fail with error 9.
    void Cor(std::int16_t i, std::int32_t S);
    /// Standard deviations `i` (1 or 2) of the parameter record; other indexes fail with error 9.
    void V(std::int16_t i, float S);
    /// 1 open, 2 high, 3 low, 4 close, 5 "O+H+L/3"; any value is taken.
    void UseToCalc(std::int16_t S);
    std::int16_t UseToCalc() const;

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
