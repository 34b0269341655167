#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ZarvLinesParm::frame {

// Each function here gives the same result whatever rounding mode the host left its thread in,
// and leaves that mode as it found it.

/// The number reading, how "OK" and the change handlers read a value box. Nothing is ever
/// rejected; text that holds no number reads as 0.
///
/// 1. Blanks, tabs and line feeds are ignored wherever they stand ("1 2" reads 12).
/// 2. A leading "&H" or "&O" (either letter case) reads the rest as a hexadecimal or octal
///    whole number, up to the first character that is no digit of that base ("&HFF" 255).
/// 3. Otherwise the number is the longest leading part that forms a decimal number: an optional
///    sign, digits, an optional "." and digits, an optional exponent ("E" or "D", either letter
///    case, an optional sign, digits). "." is the decimal point whatever the locale.
/// 4. Reading stops at the first character that does not fit ("0.5abc" 0.5, "1,5" 1, "abc" 0).
///
/// `text` is UTF-8; anything outside ASCII simply ends the number.
///
/// A number beyond the range of a double reads as the largest double of its sign; one nearer 0
/// than to the smallest subnormal reads as 0 of its sign. Text with no digits reads as +0.
double readNumber(std::string_view text);

/// What a field of 32-bit float stores: the float nearest the double readNumber gives. So the
/// text's decimal is rounded twice, to the nearest double and that to the nearest float
/// ("16777217.000000001" reads the double 16777217, which lies halfway between two floats and
/// goes to the even one, 16777216). A number beyond the float range stores the largest float of
/// its sign (+-3.4028235E+38), never an infinity; one too small for any float reads as 0 of
/// its sign.
float readSingle(std::string_view text);

/// The whole number nearest the double readNumber gives, an exact half going to the even
/// neighbour ("12.5" 12, "13.5" 14); empty when it falls outside -32768 to 32767.
std::optional<std::int16_t> readInteger16(std::string_view text);

/// The float nearest `value`; beyond the float range, the largest float of its sign; a value
/// that is not a number stays one.
float toSingle(double value);

/// `value` rounded to a whole number of type `Whole` (16 or 32 bits), an exact half to the even
/// neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); empty when not a number or outside Whole's range.
template <class Whole>
std::optional<Whole> toWhole(double value);

extern template std::optional<std::int16_t> toWhole(double);
extern template std::optional<std::int32_t> toWhole(double);

} // namespace ZarvLinesParm::frame
