#include "frame/NumberReading.h"

#include "frame/NearestRounding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace ZarvLinesParm::frame {

namespace {

// ---- Scan stage: walk the text as the number reading sees it ---------------------------------

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// The text with its blanks gone: they are ignored wherever they stand, so the cursor never
// rests on one. '\0' stands for the end; a '\0' inside the text ends the number just the same.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    void advance()
    {
        ++pos_;
        skipBlanks();
    }

    // Steps over `letter` in either case; `letter` is an upper-case ASCII letter.
    bool takeLetter(char letter)
    {
        const char c = peek();
        if (c != letter && c != letter - 'A' + 'a')
            return false;
        advance();
        return true;
    }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// A correctly rounded double never depends on more than about 770 significant digits
// (the longest exact midpoint between two doubles has 767). Beyond the kept ones only "is any
// of them non-zero" matters, recorded as one extra '1' digit: it lies strictly between the
// truncated value and the next number of kept digits, where no midpoint can be.
constexpr int kKeptDigits = 800;

// Exponent digit strings longer than this are clamped: any such value is far out of range.
constexpr std::int64_t kExponentClamp = 1'000'000'000;

// A decimal number as 0.digits x 10^exponent, leading zeros stripped.
struct DecimalNumber {
    bool negative = false;
    bool hasDigits = false; // "0" has digits but no significant ones; "." and "-" have none
    bool sticky = false; // a non-zero digit was dropped beyond kKeptDigits
    int count = 0;
    std::int64_t exponent = 0;
    std::array<char, kKeptDigits> digits;
};

void keepDigit(DecimalNumber& number, char digit)
{
    if (number.count == 0 && digit == '0')
        return;
    if (number.count < kKeptDigits)
        number.digits[number.count++] = digit;
    else if (digit != '0')
        number.sticky = true;
}

// Each integer digit from the first significant one on moves the point one place right.
void scanIntegerPart(Cursor& cursor, DecimalNumber& number)
{
    for (char c = cursor.peek(); isDecimalDigit(c); c = cursor.peek()) {
        number.hasDigits = true;
        keepDigit(number, c);
        if (number.count > 0)
            ++number.exponent;
        cursor.advance();
    }
}

// Each fraction zero before the first significant digit moves the point one place left.
void scanFractionPart(Cursor& cursor, DecimalNumber& number)
{
    for (char c = cursor.peek(); isDecimalDigit(c); c = cursor.peek()) {
        number.hasDigits = true;
        if (number.count == 0 && c == '0')
            --number.exponent;
        else
            keepDigit(number, c);
        cursor.advance();
    }
}

// "E" or "D", a sign, digits; without digits the marker is not part of the number.
void scanExponent(Cursor& cursor, DecimalNumber& number)
{
    if (!cursor.takeLetter('E') && !cursor.takeLetter('D'))
        return;
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }
    std::int64_t magnitude = 0;
    for (char c = cursor.peek(); isDecimalDigit(c); c = cursor.peek()) {
        if (magnitude < kExponentClamp)
            magnitude = magnitude * 10 + (c - '0');
        cursor.advance();
    }
    number.exponent += negative ? -magnitude : magnitude;
}

DecimalNumber scanDecimal(Cursor& cursor)
{
    DecimalNumber number;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        number.negative = cursor.peek() == '-';
        cursor.advance();
    }
    scanIntegerPart(cursor, number);
    if (cursor.peek() == '.') {
        cursor.advance();
        scanFractionPart(cursor, number);
    }
    if (number.hasDigits)
        scanExponent(cursor, number);
    return number;
}

// A whole number written in base 8 or 16: its leading 61 to 64 bits, then how many bits
// followed and whether any of them was set - all that rounding to a double needs.
struct WholeNumber {
    std::uint64_t top = 0;
    int shift = 0;
    bool sticky = false;
};

// Far beyond the exponent of any double; keeps the count itself from overflowing.
constexpr int kShiftClamp = 1 << 20;

int digitValue(char c, int bitsPerDigit)
{
    if (c >= '0' && c <= '7')
        return c - '0';
    if (bitsPerDigit == 3)
        return -1;
    if (c >= '8' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

WholeNumber scanWhole(Cursor& cursor, int bitsPerDigit)
{
    WholeNumber number;
    for (int digit = digitValue(cursor.peek(), bitsPerDigit); digit >= 0;
         digit = digitValue(cursor.peek(), bitsPerDigit)) {
        if (number.shift == 0 && number.top >> (64 - bitsPerDigit) == 0) {
            number.top = number.top << bitsPerDigit | static_cast<std::uint64_t>(digit);
        } else {
            number.shift = std::min(number.shift + bitsPerDigit, kShiftClamp);
            number.sticky = number.sticky || digit != 0;
        }
        cursor.advance();
    }
    return number;
}

// ---- Convert stage ---------------------------------------------------------------------------

double largest(bool negative)
{
    return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
}

double zero(bool negative) { return negative ? -0.0 : 0.0; }

// Decimal exponents (of 0.d...) beyond which no double need be asked about.
constexpr std::int64_t kExponentLimit = 400;

// "[-]0.<digits>[1]e<exponent>" in plain ASCII, for from_chars; returns the end.
char* buildDecimalText(const DecimalNumber& number, char* out)
{
    if (number.negative)
        *out++ = '-';
    *out++ = '0';
    *out++ = '.';
    for (int i = 0; i < number.count; ++i)
        *out++ = number.digits[i];
    if (number.sticky)
        *out++ = '1';
    *out++ = 'e';
    return std::to_chars(out, out + 8, number.exponent).ptr; // |exponent| <= kExponentLimit
}

double convertDecimal(const DecimalNumber& number)
{
    if (number.count == 0)
        return zero(number.negative && number.hasDigits);
    // The value lies in [10^(exponent-1), 10^exponent).
    if (number.exponent > kExponentLimit)
        return largest(number.negative);
    if (number.exponent < -kExponentLimit)
        return zero(number.negative);

    char text[kKeptDigits + 16];
    const char* end = buildDecimalText(number, text);
    double value = 0;
    const auto result = std::from_chars(text, end, value);
    // Out of range leaves `value` alone; the exponent tells overflow from underflow.
    if (result.ec == std::errc::result_out_of_range)
        return number.exponent > 0 ? largest(number.negative) : zero(number.negative);
    if (std::isinf(value))
        return largest(number.negative);
    return value;
}

double convertWhole(const WholeNumber& number)
{
    // The sticky bit sits well below a double's rounding position once bits were dropped, and
    // the integer conversion rounds to nearest, ties to even.
    const double leading = static_cast<double>(number.top | (number.sticky ? 1u : 0u));
    const double value = std::ldexp(leading, number.shift);
    return std::isinf(value) ? std::numeric_limits<double>::max() : value;
}

// "&H" or "&O" and then a whole number; "&" followed by anything else holds no number.
double readPrefixed(Cursor& cursor)
{
    cursor.advance(); // the "&"
    if (cursor.takeLetter('H'))
        return convertWhole(scanWhole(cursor, 4));
    if (cursor.takeLetter('O'))
        return convertWhole(scanWhole(cursor, 3));
    return 0.0;
}

} // namespace

double readNumber(std::string_view text)
{
    const NearestRounding nearest;
    Cursor cursor(text);
    if (cursor.peek() == '&')
        return readPrefixed(cursor);
    return convertDecimal(scanDecimal(cursor));
}

float readSingle(std::string_view text) { return toSingle(readNumber(text)); }

std::optional<std::int16_t> readInteger16(std::string_view text) { return toWhole<std::int16_t>(readNumber(text)); }

float toSingle(double value)
{
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    // Also keeps the conversion itself defined: a double beyond the float range has no float.
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return std::signbit(value) ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    const NearestRounding nearest;
    return static_cast<float>(value);
}

template <class Whole>
std::optional<Whole> toWhole(double value)
{
    const NearestRounding nearest;
    const double whole = std::nearbyint(value); // halves to even, in this rounding mode
    // Both bounds are whole numbers a double holds exactly; NaN fails both comparisons.
    if (!(whole >= std::numeric_limits<Whole>::min() && whole <= std::numeric_limits<Whole>::max()))
        return std::nullopt;
    return static_cast<Whole>(whole);
}

template std::optional<std::int16_t> toWhole(double);
template std::optional<std::int32_t> toWhole(double);

} // namespace ZarvLinesParm::frame
