#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// Gann zones: how many zones are drawn, and the colours of the odd and of the even lines.
class ZARVLINESPARM_EXPORT ZarvGannParmClass : public Object {
public:
    /// Colour `i` (1 odd lines, 2 even lines) of the working record; other indexes fail with
    /// error 9.
    std::int32_t Cor(std::int16_t i) const;
    /// 1 after "Save as Default".
    void SaveDefault(std::int16_t S);
    std::int16_t SaveDefault() const;

    /// Runs the dialog "Gann Parameters"; "Save as Default" shows when `FDef` is non-zero.
    ///
    /// The number of zones is written to the working record on every change of its box, each
    /// keystroke included, so a close from the title bar returns the last number typed as it
    /// stands. "OK" reads no control: it replaces a number of zones outside 1 to 50 by 8.
    /// A typed number that does not fit 16 bits ("99999", "1e400") is held as the nearest
    /// 16-bit value, 32767 or -32768: the box stays usable, nothing is rejected, and "OK" turns
    /// it into 8 like any other number out of range. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    /// Colour `i` (1 or 2) of the parameter record; other indexes fail with error 9.
    void Cor(std::int16_t i, std::int32_t S);
    std::int16_t NZones() const;
    /// Taken as given, with no range check.
    void NZones(std::int16_t S);

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
