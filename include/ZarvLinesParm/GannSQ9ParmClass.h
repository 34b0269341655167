#pragma once

#include <ZarvLinesParm/Object.h>

#include <cstdint>

namespace ZarvLinesParm {

/// The Gann square of nine: the eight angles 0, 45, ... 315, each selectable in a "Price" and
/// a "Time" column, a direction, a step and a line colour.
///
/// `Price` and `Time` are flag sets: bit i (value 2^i) stands for the angle 45 * i. "OK" reads
/// the eight boxes of a column into its field; a cleared box ANDs the field with 255 - 2^i, so
/// clearing any box also clears bits 8 to 15, which keep their value only while every box of
/// the column is checked.
class ZARVLINESPARM_EXPORT GannSQ9ParmClass : public Object {
public:
    /// The line colour of the working record.
    std::int32_t Cor() const;
    /// The working `Price` flags, exactly, as a float.
    float Price() const;
    void Cor(std::int32_t S);
    /// Sets the `Price` flags from a float: rounded to the nearest whole number, an exact half
    /// to the even neighbour (2.5 gives 2, 3.5 gives 4). Beyond -32768 to 32767 fails with
    /// error 6 and keeps the previous value.
    void Price(float S);
    void Time(std::int16_t S);
    std::int16_t Time() const;
    /// 1 after "Save as Default".
    void SaveDefault(std::int16_t S);
    std::int16_t SaveDefault() const;

    /// Runs the dialog "Gann SQ9 Parameters"; "Save as Default" shows when `FDef` is non-zero.
    /// The direction is written to the working record the moment an option is selected, also
    /// by the dialog's own loading: an `UpDown` other than 0 or 1 comes back as 1 after "OK"
    /// or a close from the title bar, and as set after "Cancel". "OK" turns a step of exactly
    /// 0 (an empty box, a text with no number) into 0.1. Returns an empty variant.
    Variant Start(std::int16_t FDef);

    void Step(float S);
    float Step() const;
    /// 0 "Up", anything else "Down"; the dialog writes 0 or 1.
    void UpDown(std::int16_t S);
    std::int16_t UpDown() const;

    Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) override;
    std::string progId() const override;
};

} // namespace ZarvLinesParm
