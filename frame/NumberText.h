#pragma once

#include <cstdint>
#include <string>

namespace ZarvLinesParm::frame {

// Neither form depends on the rounding mode the host left its thread in.

/// The short number form, how value boxes show a number:
///
/// - the value rounded to 7 significant digits (an exact tie goes to the even digit);
/// - trailing zeros after the decimal point dropped, then a trailing point;
/// - "." as the decimal point whatever the locale;
/// - no zero before the point when the magnitude is below 1;
/// - one leading blank before a value that is not negative (zero of either sign included),
///   a leading "-" before a negative one;
/// - exponent form "d.ddddddE+XX" once the magnitude needs more than 7 integer digits, and
///   below 1E-4 ("E-05"), with at least two exponent digits.
///
/// 0.382 -> " .382", 1.618 -> " 1.618", 2 -> " 2", 0 -> " 0", -0.5 -> "-.5",
/// 12345678 -> " 1.234568E+07", 0.00001 -> " 1E-05".
///
/// A value of up to 6 significant digits read back by the number reading gives the same float.
/// Infinities show as the largest float of their sign (" 3.402823E+38"), and a value that is
/// not a number shows " 0": what "OK" would store for them, since the number reading yields
/// neither.
std::string shortNumberForm(float value);

/// A 16-bit whole number in the same form: " 8", "-3".
std::string shortNumberForm(std::int16_t value);

/// A whole number as digits only, "-" before a negative one and no blank: "3", "-2".
std::string wholeNumberForm(std::int16_t value);

/// A float rounded to exactly `decimals` decimals, at least one digit before the point, "."
/// whatever the locale: "0.618", "1.000", "-0.500" for three. A value lying exactly halfway
/// between two such texts goes to the even last digit of the float's exact binary value (so
/// 0.0625 shows "0.062"). A negative value that rounds to zero keeps its sign ("-0.000"), which
/// reads back as 0. Infinities show as the largest float of their sign and a value that is not
/// a number as zero: what the number reading gives back for them anyway.
std::string fixedNumberForm(float value, int decimals);

} // namespace ZarvLinesParm::frame
