// The number reading (decimal, "&H"/"&O", blanks, saturation, rounding and long texts) and the
// short number form, alone and round trip.

#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/NumberReading.h"
#include "frame/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace ZarvLinesParm::frame {
namespace {

constexpr double kDoubleMax = std::numeric_limits<double>::max();
constexpr float kFloatMax = std::numeric_limits<float>::max();

TEST(NumberReading, TakesTheLongestLeadingNumber)
{
    const std::string zeros(10'000, '0');
    const std::string blanks(1 << 20, ' ');
    const std::string tie = "1.00000000000000011102230246251565404236316680908203125"; // between 1 and the next double
    // clang-format off
    const struct {
        std::string text;
        double value;
    } cases[] = {
        // Blanks, tabs and line feeds are ignored wherever they stand; a carriage return is no blank.
        {"1 2", 12}, {" \t-1 .\n5 ", -1.5}, {"1 e 2", 100}, {"& H F F", 255}, {"1\r2", 1},
        {blanks + "7" + blanks + "5", 75}, {blanks, 0},
        // "&H" and "&O" read a whole number in base 16 or 8, rounded once however long.
        {"&HFF", 255}, {"&hff", 255}, {"&hFf", 255}, {"&H89AF", 35247}, {"&h9a", 154},
        {"&O17", 15},  {"&o17", 15},  {"&H", 0},     {"&O", 0},         {"&HFG1", 15},
        {"&O78", 7},   {"&H-1", 0},   {"&B101", 0},  {"-&H10", 0},      {"&", 0},
        {"&H7FFFFFFF", 2147483647.0}, {"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0}, {"&H" + zeros + "F", 15},
        {"&H20000000000001", 9007199254740992.0}, {"&O" + std::string(30, '7'), std::ldexp(1.0, 90)},
        {"&H20000000000001" + std::string(20, '0') + "1", std::ldexp(9007199254740994.0, 84)},
        // Otherwise the longest leading decimal number.
        {"0.5abc", 0.5}, {"abc", 0},   {"", 0},            {"1,5", 1},   {".5", 0.5},
        {"5.", 5},       {"+.5", 0.5}, {"-1.5E+3", -1500}, {"1D2", 100}, {"1d-2", 0.01},
        {"2e3", 2000},   {"1e", 1},    {"1e+", 1},         {"1ee5", 1},  {"1.2.3", 1.2},
        {"1e2e3", 100},  {"--1", 0},   {"+-1", 0},         {".e5", 0},   {"1\xC3\xA9", 1},
        {"\xC2\xA0" "1", 0}, {std::string("7\0" "5", 3), 7}, {zeros + "42", 42}, {"0." + zeros + "1e10005", 1e4},
        {"1" + zeros + "e-10000", 1}, {"-0." + std::string(10'000, '9'), -1}, {"1." + zeros + "1", 1}, {tie + zeros, 1},
        {tie + zeros + "1", std::nextafter(1.0, 2.0)},
        // Saturated beyond the range, flushed below it.
        {"1e400", kDoubleMax}, {"-1e400", -kDoubleMax}, {"1.8e308", kDoubleMax}, {"1" + zeros, kDoubleMax},
        {"1e99999999999999999999999999999", kDoubleMax}, {"&H" + std::string(300, 'F'), kDoubleMax},
        {"1e-400", 0}, {"-1e-400", 0}, {"0." + zeros + "1", 0}, {"1e-99999999999999999999999999999", 0},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()}, // still a double
        {"1e-99999999999999999999999999999e99999999999999999999", 0},
    };
    // clang-format on
    for (const auto& read : cases)
        EXPECT_EQ(readNumber(read.text), read.value) << '"' << read.text.substr(0, 40) << '"';
    // Text without digits reads positive zero.
    for (const char* text : {".", "-", "+", "-.", "-e5", "&H"})
        EXPECT_TRUE(readNumber(text) == 0 && !std::signbit(readNumber(text)) && !std::signbit(readSingle(text)))
            << text;
}

// 1 + 2^-24 lies exactly halfway between 1 and the next float (and is a double).
const std::string kFloatHalfway = "1.000000059604644775390625";

TEST(NumberReading, AFloatFieldTakesTheFloatNearestTheNearestDoubleWithinTheFloatRange)
{
    const std::string zeros(25, '0');
    // clang-format off
    const struct {
        std::string text;
        float value;
    } cases[] = {
        {kFloatHalfway, 1.0f}, // a tie goes to the even neighbour
        // Digits too far down to move the double off the halfway point, which then ties down.
        {kFloatHalfway + "1", 1.0f}, {"-" + kFloatHalfway + "1", -1.0f},
        {kFloatHalfway + std::string(10'000, '0') + "1", 1.0f}, {"16777217.000000001", 16777216.0f},
        {"1.0000000596046449", std::nextafter(1.0f, 2.0f)}, // its double lies past the halfway point
        // 2^24 + 1 is halfway between two floats; a set bit beyond a double's reach changes nothing.
        {"&H1000001", 16777216.0f}, {"&H1000003", 16777220.0f}, {"&H1000001" + zeros, std::ldexp(16777216.0f, 100)},
        {"&H1000001" + zeros.substr(1) + "1", std::ldexp(16777216.0f, 100)},
        // Saturated beyond the float range, flushed below it.
        {"1e400", kFloatMax}, {"-1e400", -kFloatMax}, {"3.5e38", kFloatMax}, {std::string(10'000, '9'), kFloatMax},
        {"&H" + std::string(40, 'F'), kFloatMax}, {"-&H" + std::string(40, 'F'), 0.0f}, // the "-" leaves no number
        {"1e-400", 0.0f}, {"1e-45", std::numeric_limits<float>::denorm_min()}, {"7e-46", 0.0f},
    };
    // clang-format on
    for (const auto& read : cases)
        EXPECT_EQ(readSingle(read.text), read.value) << read.text.substr(0, 40);
}

// ---- Sixteen-bit integers ---------------------------------------------------------------------

TEST(ReadInteger16, TakesTheNearestWholeNumberHalvesToEven)
{
    // clang-format off
    const struct {
        const char* text;
        std::optional<std::int16_t> value;
    } cases[] = {
        {"12.5", 12},  {"13.5", 14}, {"-12.5", -12}, {"-13.5", -14},
        {"12.51", 13}, {"0.5", 0},   {"-0.5", 0},    {"1.5", 2},
        {"32767", 32767},        {"32767.4", 32767},       {"32767.5", std::nullopt},
        {"-32768.4", -32768},    {"-32768.5", -32768},     {"-32768.6", std::nullopt},
        {"32768", std::nullopt}, {"-32769", std::nullopt}, {"1e400", std::nullopt},
        {"&H7FFF", 32767},       {"&HFFFF", std::nullopt}, {"abc", 0}, {"8 0", 80},
    };
    // clang-format on
    for (const auto& read : cases)
        EXPECT_EQ(readInteger16(read.text), read.value) << read.text;
}

TEST(ToWholeAndToSingle, RejectWhatHasNoValueOfTheTypeAndSaturate)
{
    EXPECT_EQ(toWhole<std::int16_t>(std::nan("")), std::nullopt);
    EXPECT_EQ(toWhole<std::int16_t>(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(toWhole<std::int16_t>(-std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(toWhole<std::int16_t>(std::nextafter(32767.5, 0.0)), std::optional<std::int16_t>(32767));
    EXPECT_EQ(toWhole<std::int32_t>(2147483647.4), std::optional<std::int32_t>(2147483647));
    EXPECT_EQ(toWhole<std::int32_t>(2147483647.5), std::nullopt);
    EXPECT_EQ(toWhole<std::int32_t>(-2147483648.5), std::optional<std::int32_t>(-2147483648));
    EXPECT_EQ(toSingle(1e300), kFloatMax);
    EXPECT_EQ(toSingle(-std::numeric_limits<double>::infinity()), -kFloatMax);
    EXPECT_EQ(toSingle(3.4028235e38), kFloatMax); // rounds down onto the largest float
    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_TRUE(std::isnan(toSingle(std::nan(""))));
}

// ---- Whatever the host's rounding mode -------------------------------------------------------

struct WholeRecord {
    std::int16_t Whole;
    std::int16_t SaveDefault;
};
Records<WholeRecord> wholeRecords;
constexpr WholeAsFloatField wholeAsFloat{"Whole", wholeRecords, &WholeRecord::Whole};

Variant failureOr(const std::function<Variant()>& convert)
{
    try {
        return convert();
    } catch (const Error& e) {
        return "error " + std::to_string(e.number());
    }
}

TEST(Conversions, RoundToNearestInEveryRoundingModeAndGiveTheHostItsModeBack)
{
    // clang-format off
    const struct {
        const char* what;
        std::function<Variant()> convert;
        Variant expected;
    } cases[] = {
        {"decimal", [] { return Variant(readNumber("0.1")); }, 0.1},
        {"hexadecimal, a tie", [] { return Variant(readNumber("&H20000000000003")); }, 9007199254740996.0},
        {"float field", [] { return Variant(readSingle("0.1")); }, 0.1f},
        {"float field, a tie", [] { return Variant(readSingle("16777217.000000001")); }, 16777216.0f},
        {"whole field", [] { return Variant(readInteger16("-2.5").value_or(99)); }, std::int16_t{-2}},
        {"short form", [] { return Variant(shortNumberForm(0.1f)); }, std::string(" .1")},
        {"short form read back", [] { return Variant(readSingle(shortNumberForm(0.1f))); }, 0.1f},
        {"fixed form", [] { return Variant(fixedNumberForm(0.0625f, 3)); }, std::string("0.062")},
        {"late-bound 16 bits", [] { return convert(2.6, ValueType::Int16); }, std::int16_t{3}},
        {"late-bound 16 bits down", [] { return convert(2.1, ValueType::Int16); }, std::int16_t{2}},
        {"late-bound 32 bits", [] { return convert(100.2f, ValueType::Int32); }, std::int32_t{100}},
        {"late-bound float", [] { return convert(0.1, ValueType::Float); }, 0.1f},
        {"late-bound float at the top", [] { return convert(3.4028235e38, ValueType::Float); },
         std::numeric_limits<float>::max()},
        {"late-bound overflow", [] { return convert(1e300, ValueType::Int16); }, std::string("error 6")},
        {"whole carried as a float", [] { wholeAsFloat.let(100.5f); return Variant(wholeRecords.parameter.Whole); },
         std::int16_t{100}},
    };
    // clang-format on
    for (const int mode : {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO}) {
        for (const auto& c : cases) {
            ASSERT_EQ(std::fesetround(mode), 0);
            const Variant got = failureOr(c.convert);
            const int left = std::fegetround();
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(got, c.expected) << c.what << ", rounding mode " << mode;
            EXPECT_EQ(left, mode) << c.what;
        }
    }
}

// ---- The short number form --------------------------------------------------------------------

TEST(ShortNumberForm, ShowsFloatsAsTheValueBoxesDo)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    // clang-format off
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.382f, " .382"}, {1.618f, " 1.618"}, {2.0f, " 2"},          {0.0f, " 0"},
        {-0.5f, "-.5"},    {100.0f, " 100"},   {-100.25f, "-100.25"}, {0.1f, " .1"},
        // The exact binary value rounded to seven digits: 0.12345675f lies a little below ...675,
        // where rounding its shortest text would go up; exact ties go to the even digit.
        {0.12345675f, " .1234567"}, {std::nextafter(0.12345675f, 1.0f), " .1234568"},
        {12345.125f, " 12345.12"}, {12345.375f, " 12345.38"}, {1234567.5f, " 1234568"}, {1234566.5f, " 1234566"},
        {10000005.0f, " 1E+07"}, {std::nextafter(1.0f, 0.0f), " .9999999"}, {std::nextafter(0.1f, 0.0f), " .09999999"},
        {-2.0f / 3.0f, "-.6666667"},
        // Exponent form beyond seven integer digits and below one ten-thousandth.
        {9999999.0f, " 9999999"}, {10000000.0f, " 1E+07"}, {-12345678.0f, "-1.234568E+07"},
        {std::numeric_limits<float>::max(), " 3.402823E+38"}, {0.0001f, " .0001"},
        {std::nextafter(0.0001f, 0.0f), " 9.999999E-05"}, {0.00012345f, " .00012345"}, {-0.00001f, "-1E-05"},
        {std::numeric_limits<float>::denorm_min(), " 1.401298E-45"},
        // What the reading would store for values it cannot yield.
        {inf, " 3.402823E+38"}, {-inf, "-3.402823E+38"}, {std::numeric_limits<float>::quiet_NaN(), " 0"},
        {-std::numeric_limits<float>::quiet_NaN(), " 0"}, {-0.0f, " 0"},
    };
    // clang-format on
    for (const auto& shown : cases)
        EXPECT_EQ(shortNumberForm(shown.value), shown.text) << std::hexfloat << shown.value;
}

// printf's "%.7G" in the C locale, its leading "0" dropped and a blank before a value that is
// not negative: an independent account of the same form.
std::string printfForm(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.7G", static_cast<double>(value));
    std::string form = text[0] == '-' ? text : ' ' + std::string(text);
    if (form.compare(1, 2, "0.") == 0)
        form.erase(1, 1);
    return form;
}

TEST(ShortNumberForm, AgreesWithPrintfOnSampledBitPatterns)
{
    ASSERT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");
    std::mt19937 random(20240611);
    int compared = 0;
    while (compared < 200'000) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(value) || value == 0.0f)
            continue;
        ASSERT_EQ(shortNumberForm(value), printfForm(value)) << std::hexfloat << value;
        ++compared;
    }
}

TEST(FixedForms, WholeNumbersShowDigitsOnlyOrInTheShortFormAndConstantsExactlyThreeDecimals)
{
    // Small whole numbers are the Range and Gann zones dialogs' to show.
    EXPECT_EQ(shortNumberForm(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(wholeNumberForm(std::int16_t{-32768}), "-32768");
    // clang-format off
    const std::pair<float, const char*> constants[] = {
        {0.618f, "0.618"}, {0.61849f, "0.618"}, {1.0f, "1.000"}, {-0.5f, "-0.500"},
        {0.0625f, "0.062"}, // an exact tie goes to the even digit
        {0.0f, "0.000"}, {std::numeric_limits<float>::quiet_NaN(), "0.000"},
    };
    // clang-format on
    for (const auto& [value, text] : constants)
        EXPECT_EQ(fixedNumberForm(value, 3), text) << value;
    const std::string largest = fixedNumberForm(std::numeric_limits<float>::infinity(), 3);
    EXPECT_EQ(readSingle(largest), std::numeric_limits<float>::max()) << largest;
    EXPECT_EQ(readSingle(fixedNumberForm(-std::numeric_limits<float>::max(), 3)), -std::numeric_limits<float>::max());
}

// ---- Shown, then read back --------------------------------------------------------------------

TEST(ShownAndReadBack, ValuesOfUpToSixSignificantDigitsComeBackBitForBit)
{
    std::mt19937_64 random(0x5eed);
    std::uniform_int_distribution<int> mantissas(1, 999'999);
    std::uniform_int_distribution<int> exponents(-35, 30); // mantissa x 10^e spans ~1e-35..1e36
    for (int i = 0; i < 1'000'000; ++i) {
        const std::string text = std::to_string(mantissas(random)) + 'e' + std::to_string(exponents(random));
        float value = 0.0f;
        std::from_chars(text.data(), text.data() + text.size(), value);
        if (i % 2 == 1)
            value = -value;

        const std::string shown = shortNumberForm(value);
        const float back = readSingle(shown);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(value))
            << text << " shown as \"" << shown << "\"";
    }
}

// A comma-decimal locale changes neither direction: "." stays the point, "," ends a number.
TEST(UnderCommaLocale, BothDirectionsKeepThePoint)
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(shortNumberForm(1.618f), " 1.618");
    EXPECT_EQ(shortNumberForm(-0.5f), "-.5");
    EXPECT_EQ(shortNumberForm(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(readNumber("1.5"), 1.5);
    EXPECT_EQ(readSingle(" .382"), 0.382f);
    EXPECT_EQ(readNumber("1,5"), 1.0);
    EXPECT_EQ(readInteger16("12,9"), std::optional<std::int16_t>(12));
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace ZarvLinesParm::frame
