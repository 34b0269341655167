// The short number form, and its round trip through the number reading.

#include "frame/NumberReading.h"
#include "frame/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace ZarvLinesParm::frame {
namespace {

TEST(ShortNumberForm, ShowsFloatsAsTheValueBoxesDo)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.382f, " .382"},
        {1.618f, " 1.618"},
        {2.0f, " 2"},
        {0.0f, " 0"},
        {-0.5f, "-.5"},
        {100.0f, " 100"},
        {-100.25f, "-100.25"},
        {0.1f, " .1"},
        // The exact binary value rounded to seven digits: 0.12345675f lies a little below ...675,
        // where rounding its shortest text would go up; exact ties go to the even digit.
        {0.12345675f, " .1234567"},
        {std::nextafter(0.12345675f, 1.0f), " .1234568"},
        {12345.125f, " 12345.12"},
        {12345.375f, " 12345.38"},
        {1234567.5f, " 1234568"},
        {1234566.5f, " 1234566"},
        {10000005.0f, " 1E+07"},
        {std::nextafter(1.0f, 0.0f), " .9999999"},
        {std::nextafter(0.1f, 0.0f), " .09999999"},
        {-2.0f / 3.0f, "-.6666667"},
        // Exponent form beyond seven integer digits and below one ten-thousandth.
        {9999999.0f, " 9999999"},
        {10000000.0f, " 1E+07"},
        {-12345678.0f, "-1.234568E+07"},
        {std::numeric_limits<float>::max(), " 3.402823E+38"},
        {0.0001f, " .0001"},
        {std::nextafter(0.0001f, 0.0f), " 9.999999E-05"},
        {0.00012345f, " .00012345"},
        {-0.00001f, "-1E-05"},
        {std::numeric_limits<float>::denorm_min(), " 1.401298E-45"},
        // What the reading would store for values it cannot yield.
        {inf, " 3.402823E+38"},
        {-inf, "-3.402823E+38"},
        {std::numeric_limits<float>::quiet_NaN(), " 0"},
        {-std::numeric_limits<float>::quiet_NaN(), " 0"},
        {-0.0f, " 0"},
    };
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
    const std::pair<float, const char*> constants[] = {
        {0.618f, "0.618"},  {0.61849f, "0.618"},
        {1.0f, "1.000"},    {-0.5f, "-0.500"},
        {0.0625f, "0.062"}, // an exact tie goes to the even digit
        {0.0f, "0.000"},    {std::numeric_limits<float>::quiet_NaN(), "0.000"},
    };
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
