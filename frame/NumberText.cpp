#include "frame/NumberText.h"

#include "frame/NearestRounding.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace ZarvLinesParm::frame {

namespace {

constexpr int kSignificantDigits = 7;

// The value rounded to seven significant digits, as digits d0 d1..d6 and the decimal exponent
// of d0 (value ~ d0.d1..d6 x 10^exponent). The digits are never all zero unless the value is.
struct RoundedDecimal {
    bool negative = false;
    char digits[kSignificantDigits] = {};
    int exponent = 0;
};

// A float widened to double is exact, and to_chars with a precision rounds the exact binary value
// (ties to even) without looking at the locale: the rounding printf("%.7G") would do, minus
// printf's locale and its cost.
RoundedDecimal roundToSevenDigits(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                                      kSignificantDigits - 1);
    // "[-]d.dddddde(+|-)XX": the buffer is far larger than the longest such text.
    std::string_view written(text, static_cast<std::size_t>(result.ptr - text));

    RoundedDecimal rounded;
    if (written.front() == '-') {
        rounded.negative = true;
        written.remove_prefix(1);
    }
    rounded.digits[0] = written[0];
    for (int i = 1; i < kSignificantDigits; ++i)
        rounded.digits[i] = written[static_cast<std::size_t>(i) + 1];

    const std::string_view exponentText = written.substr(kSignificantDigits + 2); // past "e"
    const bool exponentNegative = exponentText.front() == '-';
    int magnitude = 0;
    for (const char c : exponentText.substr(1))
        magnitude = magnitude * 10 + (c - '0');
    rounded.exponent = exponentNegative ? -magnitude : magnitude;
    return rounded;
}

// How many of the seven digits remain once the trailing zeros go.
int keptDigitCount(const RoundedDecimal& rounded)
{
    int count = kSignificantDigits;
    while (count > 1 && rounded.digits[count - 1] == '0')
        --count;
    return count;
}

// "d.ddddddE+XX": a point only when digits follow it; a float's exponent (-45..38) always
// takes exactly two digits. Returns the end of what was written.
char* writeExponentForm(char* out, const RoundedDecimal& rounded, int kept)
{
    *out++ = rounded.digits[0];
    if (kept > 1) {
        *out++ = '.';
        for (int i = 1; i < kept; ++i)
            *out++ = rounded.digits[i];
    }
    *out++ = 'E';
    *out++ = rounded.exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(rounded.exponent);
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// Positional form for exponents -4..6: the point goes after digit `exponent`; below 1 the digits
// follow ".", zero-padded, with no zero in front of the point.
char* writePositionalForm(char* out, const RoundedDecimal& rounded, int kept)
{
    if (rounded.exponent < 0) {
        *out++ = '.';
        for (int i = -rounded.exponent - 1; i > 0; --i)
            *out++ = '0';
        for (int i = 0; i < kept; ++i)
            *out++ = rounded.digits[i];
        return out;
    }
    const int integerDigits = rounded.exponent + 1;
    for (int i = 0; i < integerDigits; ++i)
        *out++ = rounded.digits[i];
    if (kept > integerDigits) {
        *out++ = '.';
        for (int i = integerDigits; i < kept; ++i)
            *out++ = rounded.digits[i];
    }
    return out;
}

} // namespace

std::string shortNumberForm(float value)
{
    // What storing the shown text would give: the number reading yields neither an infinity nor a
    // value that is not a number.
    if (std::isnan(value))
        value = 0.0f;
    else if (std::isinf(value))
        value = std::copysign(std::numeric_limits<float>::max(), value);
    if (value == 0.0f)
        value = 0.0f; // a negative zero shows as zero, not "-0"

    const NearestRounding nearest;
    const RoundedDecimal rounded = roundToSevenDigits(static_cast<double>(value));
    const int kept = keptDigitCount(rounded);

    // At most 13 characters ("-1.234568E-38"); written in place,
    // then copied once into a string small enough never to allocate.
    char text[16];
    char* out = text;
    *out++ = rounded.negative ? '-' : ' ';
    if (rounded.exponent < -4 || rounded.exponent >= kSignificantDigits)
        out = writeExponentForm(out, rounded, kept);
    else
        out = writePositionalForm(out, rounded, kept);
    return std::string(text, static_cast<std::size_t>(out - text));
}

std::string shortNumberForm(std::int16_t value)
{
    char text[8];
    text[0] = value < 0 ? '-' : ' ';
    const int magnitude = std::abs(static_cast<int>(value)); // -32768 has no int16 magnitude
    const auto result = std::to_chars(text + 1, text + sizeof text, magnitude);
    return std::string(text, result.ptr);
}

std::string wholeNumberForm(std::int16_t value)
{
    char text[8];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<int>(value));
    return std::string(text, result.ptr);
}

std::string fixedNumberForm(float value, int decimals)
{
    if (std::isnan(value))
        value = 0.0f;
    else if (std::isinf(value))
        value = std::copysign(std::numeric_limits<float>::max(), value);
    // The largest float takes 39 integer digits; to_chars with a precision rounds the exact
    // binary value, ties to even, without looking at the locale.
    const NearestRounding nearest;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed,
                                      decimals);
    return std::string(text, result.ptr);
}

} // namespace ZarvLinesParm::frame
