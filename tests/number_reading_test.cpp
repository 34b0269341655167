// The number reading: decimal, "&H"/"&O", blanks, saturation, rounding and long texts.

#include "frame/NumberReading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace ZarvLinesParm::frame {
namespace {

constexpr double kDoubleMax = std::numeric_limits<double>::max();
constexpr float kFloatMax = std::numeric_limits<float>::max();

struct Read
{
    std::string text;
    double value;
};

template <std::size_t N>
void expectRead(const Read (&cases)[N])
{
    for (const Read& read : cases)
        EXPECT_EQ(readNumber(read.text), read.value) << '"' << read.text << '"';
}

TEST(NumberReading, IgnoresBlanksTabsAndLineFeedsWherever)
{
    const Read cases[] = {
        {"1 2", 12}, {" \t-1 .\n5 ", -1.5}, {"1 e 2", 100}, {"& H F F", 255},
        {"1\r2", 1}, // a carriage return is no blank
    };
    expectRead(cases);
}

TEST(NumberReading, ReadsHexadecimalAndOctalAfterTheirPrefix)
{
    const Read cases[] = {
        {"&HFF", 255}, {"&hff", 255},  {"&hFf", 255}, {"&O17", 15}, {"&o17", 15},
        {"&H", 0},     {"&O", 0},      {"&HFG1", 15}, {"&O78", 7},  {"&H-1", 0},
        {"&B101", 0},  {"-&H10", 0},   {"&", 0},      {"&H7FFFFFFF", 2147483647.0},
        {"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0},
    };
    expectRead(cases);
}

TEST(NumberReading, TakesTheLongestLeadingDecimalNumber)
{
    const Read cases[] = {
        {"0.5abc", 0.5}, {"abc", 0},     {"", 0},         {"1,5", 1},      {".5", 0.5},
        {"5.", 5},       {"+.5", 0.5},   {"-1.5E+3", -1500}, {"1D2", 100}, {"1d-2", 0.01},
        {"2e3", 2000},   {"1e", 1},      {"1e+", 1},      {"1ee5", 1},     {"1.2.3", 1.2},
        {"1e2e3", 100},  {"--1", 0},     {"+-1", 0},      {".e5", 0},      {"1\xC3\xA9", 1},
        {"\xC2\xA0" "1", 0},             {std::string("7\0" "5", 3), 7},
    };
    expectRead(cases);
}

TEST(NumberReading, TextWithoutDigitsReadsPositiveZero)
{
    for (const char* text : {".", "-", "+", "-.", "-e5", "&H"}) {
        EXPECT_EQ(readNumber(text), 0.0) << text;
        EXPECT_FALSE(std::signbit(readNumber(text))) << text;
        EXPECT_FALSE(std::signbit(readSingle(text))) << text;
    }
}

TEST(NumberReading, SaturatesBeyondRangeAndFlushesBelowIt)
{
    const Read cases[] = {
        {"1e400", kDoubleMax},
        {"-1e400", -kDoubleMax},
        {"1.8e308", kDoubleMax},
        {"1e99999999999999999999999999999", kDoubleMax},
        {"&H" + std::string(300, 'F'), kDoubleMax},
        {"1e-400", 0},
        {"-1e-400", 0},
        {"1e-99999999999999999999999999999", 0},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()}, // still a double
        {"1e-99999999999999999999999999999e99999999999999999999", 0},
    };
    expectRead(cases);

    EXPECT_EQ(readSingle("1e400"), kFloatMax);
    EXPECT_EQ(readSingle("-1e400"), -kFloatMax);
    EXPECT_EQ(readSingle("3.5e38"), kFloatMax);
    EXPECT_EQ(readNumber("3.5e38"), 3.5e38);
    EXPECT_EQ(readSingle("-&H" + std::string(40, 'F')), 0.0f); // the "-" leaves no number
    EXPECT_EQ(readSingle("&H" + std::string(40, 'F')), kFloatMax);
    EXPECT_EQ(readSingle("1e-400"), 0.0f);
    EXPECT_EQ(readSingle("1e-45"), std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(readSingle("7e-46"), 0.0f);
}

// 1 + 2^-24 lies exactly halfway between 1 and the next float (and is a double).
const std::string kFloatHalfway = "1.000000059604644775390625";
const float kFloatAboveOne = std::nextafter(1.0f, 2.0f);

TEST(NumberReading, RoundsTheDecimalOnceToAFloat)
{
    EXPECT_EQ(readSingle(kFloatHalfway), 1.0f); // a tie goes to the even neighbour
    // Via a double this would land on the halfway point first and then tie down to 1.
    EXPECT_EQ(readSingle(kFloatHalfway + "1"), kFloatAboveOne);
    EXPECT_EQ(readSingle("-" + kFloatHalfway + "1"), -kFloatAboveOne);
    EXPECT_EQ(readSingle(kFloatHalfway + std::string(10'000, '0') + "1"), kFloatAboveOne);
    EXPECT_EQ(readSingle(kFloatHalfway + std::string(10'000, '0')), 1.0f);
}

TEST(NumberReading, RoundsWholeNumbersOfAnyLengthOnce)
{
    // 2^24 + 1 is halfway between two floats; any set bit further down breaks the tie upwards.
    EXPECT_EQ(readSingle("&H1000001"), 16777216.0f);
    EXPECT_EQ(readSingle("&H1000003"), 16777220.0f);
    const std::string halfway = "&H1000001" + std::string(25, '0');
    EXPECT_EQ(readSingle(halfway), std::ldexp(16777216.0f, 100));
    EXPECT_EQ(readSingle(halfway.substr(0, halfway.size() - 1) + "1"),
              std::ldexp(16777218.0f, 100));
    EXPECT_EQ(readNumber("&H20000000000001"), 9007199254740992.0);
    EXPECT_EQ(readNumber("&H20000000000001" + std::string(20, '0') + "1"),
              std::ldexp(9007199254740994.0, 84));
    EXPECT_EQ(readNumber("&O" + std::string(30, '7')), std::ldexp(1.0, 90));
}

TEST(NumberReading, CopesWithVeryLongTexts)
{
    const std::string zeros(10'000, '0');
    const std::string nines(10'000, '9');
    const std::string blanks(1 << 20, ' ');
    const Read cases[] = {
        {"1" + zeros, kDoubleMax},
        {"0." + zeros + "1", 0},
        {"0." + zeros + "1e10005", 1e4},
        {"1" + zeros + "e-10000", 1},
        {zeros + "42", 42},
        {"-0." + nines, -1},
        {"1." + zeros + "1", 1},
        {"1.00000000000000011102230246251565404236316680908203125" + zeros, 1}, // double tie
        {"1.00000000000000011102230246251565404236316680908203125" + zeros + "1",
         std::nextafter(1.0, 2.0)},
        {blanks + "7" + blanks + "5", 75},
        {blanks, 0},
        {"&H" + zeros + "F", 15},
    };
    expectRead(cases);
    EXPECT_EQ(readSingle(nines), kFloatMax);
}

// ---- Sixteen-bit integers ---------------------------------------------------------------------

TEST(ReadInteger16, TakesTheNearestWholeNumberHalvesToEven)
{
    const struct
    {
        const char* text;
        std::optional<std::int16_t> value;
    } cases[] = {
        {"12.5", 12},         {"13.5", 14},          {"-12.5", -12},     {"-13.5", -14},
        {"12.51", 13},        {"0.5", 0},            {"-0.5", 0},        {"1.5", 2},
        {"32767", 32767},     {"32767.4", 32767},    {"32767.5", std::nullopt},
        {"-32768.4", -32768}, {"-32768.5", -32768},  {"-32768.6", std::nullopt},
        {"32768", std::nullopt}, {"-32769", std::nullopt}, {"1e400", std::nullopt},
        {"&H7FFF", 32767},    {"&HFFFF", std::nullopt}, {"abc", 0},        {"8 0", 80},
    };
    for (const auto& read : cases)
        EXPECT_EQ(readInteger16(read.text), read.value) << read.text;
}

TEST(ToInteger16, RejectsWhatHasNoSixteenBitValue)
{
    EXPECT_EQ(toInteger16(std::nan("")), std::nullopt);
    EXPECT_EQ(toInteger16(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(toInteger16(-std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(toInteger16(2.5), std::optional<std::int16_t>(2));
    EXPECT_EQ(toInteger16(-32768.0), std::optional<std::int16_t>(-32768));
    EXPECT_EQ(toInteger16(std::nextafter(32767.5, 0.0)), std::optional<std::int16_t>(32767));
}

TEST(ToSingle, SaturatesAndKeepsNaN)
{
    EXPECT_EQ(toSingle(1e300), kFloatMax);
    EXPECT_EQ(toSingle(-std::numeric_limits<double>::infinity()), -kFloatMax);
    EXPECT_EQ(toSingle(3.4028235e38), kFloatMax); // rounds down onto the largest float
    EXPECT_EQ(toSingle(0.1), 0.1f);
    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_TRUE(std::isnan(toSingle(std::nan(""))));
}

} // namespace
} // namespace ZarvLinesParm::frame
