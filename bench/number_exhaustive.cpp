// Every float through the short number form and the number reading, checked against rules
// worked out here independently of the library's code:
//
// 1. For each of the 2^32 bit patterns, the short form is the text the rules give (seven
//    significant digits of the exact value, ties to even; trailing zeros and point dropped; no
//    zero before the point; one blank or "-"; exponent form past seven integer digits and
//    below 1E-4; infinities as the largest float, NaN as " 0"), and reading that text gives
//    what a float field stores: the decimal's nearest double, then that double's nearest float
//    (the largest float beyond the range).
// 2. For each decimal of up to six significant digits within the float range, its nearest
//    float shown and read back is that float again.
//
// The expected digits come from long double arithmetic, which is far more precise than the
// seven digits asked for; where a value lies too near a rounding boundary for that to settle
// it, glibc's printf and strtod (exact) decide. Runs on every core. Usage:
//
//     number_exhaustive [--stride N]     check every Nth bit pattern (default 1: all)

#include "frame/NumberReading.h"
#include "frame/NumberText.h"

#include <atomic>
#include <bit>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using ZarvLinesParm::frame::readSingle;
using ZarvLinesParm::frame::shortNumberForm;

constexpr float kLargest = std::numeric_limits<float>::max();

// ---- Powers of ten ----------------------------------------------------------------------------

constexpr int kMinPower = -70;
constexpr int kMaxPower = 60;

struct Powers {
    long double p[kMaxPower - kMinPower + 1];
    Powers()
    {
        for (int k = kMinPower; k <= kMaxPower; ++k)
            p[k - kMinPower] = std::pow(10.0L, static_cast<long double>(k));
    }
    long double operator()(int k) const { return p[k - kMinPower]; }
};
const Powers tenTo;

// ---- The expected text -------------------------------------------------------------------------

// |value| = digits x 10^(exponent - 6), 10^6 <= digits < 10^7.
struct Seven {
    bool negative = false;
    std::uint32_t digits = 0;
    int exponent = 0;
};

// Exact, from glibc's printf: "d.ddddddE+XX".
Seven sevenByPrintf(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6E", static_cast<double>(value));
    Seven s;
    const char* p = text;
    if (*p == '-') {
        s.negative = true;
        ++p;
    }
    s.digits = static_cast<std::uint32_t>(p[0] - '0');
    for (int i = 2; i < 8; ++i)
        s.digits = s.digits * 10 + static_cast<std::uint32_t>(p[i] - '0');
    s.exponent = std::atoi(p + 9);
    return s;
}

// Long double carries 64 bits, 11 more than needed to tell 7 digits apart: only values within a
// hair of a halfway point (exact ties among them) go to printf.
Seven sevenDigits(float value, std::uint64_t& slowPaths)
{
    const long double x = std::fabs(static_cast<long double>(value));
    // The decimal exponent from the binary one (log10(2) = 0.30103), put right below; a
    // subnormal's binary exponent field says nothing, so it takes the logarithm.
    const int binaryExponent = static_cast<int>((std::bit_cast<std::uint32_t>(value) >> 23) & 0xFF) - 127;
    int exponent = binaryExponent > -127 ? static_cast<int>(std::floor(binaryExponent * 0.30102999566398120))
                                         : static_cast<int>(std::floor(std::log10(x)));
    long double scaled = x * tenTo(6 - exponent);
    while (scaled >= 1e7L) {
        ++exponent;
        scaled = x * tenTo(6 - exponent);
    }
    while (scaled < 1e6L) {
        --exponent;
        scaled = x * tenTo(6 - exponent);
    }
    const long double whole = std::floor(scaled);
    const long double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5L) < 1e-6L || scaled - 1e6L < 1e-6L || 1e7L - scaled < 1e-6L) {
        ++slowPaths;
        return sevenByPrintf(value);
    }
    Seven s;
    s.negative = std::signbit(value);
    s.digits = static_cast<std::uint32_t>(whole) + (fraction > 0.5L ? 1 : 0);
    s.exponent = exponent;
    if (s.digits == 10'000'000) {
        s.digits = 1'000'000;
        ++s.exponent;
    }
    return s;
}

std::string textOf(const Seven& s)
{
    char digits[7];
    for (std::uint32_t rest = s.digits, i = 7; i-- > 0; rest /= 10)
        digits[i] = static_cast<char>('0' + rest % 10);
    int kept = 7;
    while (kept > 1 && digits[kept - 1] == '0')
        --kept;

    std::string text(1, s.negative ? '-' : ' ');
    if (s.exponent >= 7 || s.exponent < -4) {
        text += digits[0];
        if (kept > 1) {
            text += '.';
            text.append(digits + 1, static_cast<std::size_t>(kept - 1));
        }
        const int magnitude = std::abs(s.exponent); // at most 45 for a float
        text += 'E';
        text += s.exponent < 0 ? '-' : '+';
        text += static_cast<char>('0' + magnitude / 10);
        text += static_cast<char>('0' + magnitude % 10);
    } else if (s.exponent < 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        text.append(digits, static_cast<std::size_t>(kept));
    } else {
        const int integerDigits = s.exponent + 1;
        text.append(digits, static_cast<std::size_t>(integerDigits));
        if (kept > integerDigits) {
            text += '.';
            text.append(digits + integerDigits, static_cast<std::size_t>(kept - integerDigits));
        }
    }
    return text;
}

// ---- The expected reading ---------------------------------------------------------------------

// Exact: glibc's strtod gives the decimal's nearest double, and the conversion (in the default
// rounding mode) that double's nearest float.
float nearestByStrtod(const std::string& text)
{
    const float f = static_cast<float>(std::strtod(text.c_str(), nullptr));
    return std::isinf(f) ? std::copysign(kLargest, f) : f;
}

// The float nearest the double nearest `decimal`, decided in long double unless the decimal lies
// within a hair of a point halfway between two floats; `text` is its written form, for strtod.
// Elsewhere the two roundings agree with one: the nearest double is within 2^-53 of the decimal,
// relatively, far inside the hair (1e-15), so it lies on the decimal's side of every halfway
// point.
float nearestFloat(long double decimal, const std::string& text, std::uint64_t& slowPaths)
{
    if (std::fabs(decimal) > static_cast<long double>(kLargest) * (1 + 1e-9L))
        return nearestByStrtod(text);
    const float guess = static_cast<float>(decimal);
    if (std::isinf(guess))
        return nearestByStrtod(text);
    const long double margin = std::fabs(decimal) * 1e-15L;
    const long double g = guess;
    const long double below = (g + std::nextafter(guess, -INFINITY)) / 2;
    const long double above = (g + std::nextafter(guess, INFINITY)) / 2;
    if (std::fabs(decimal - below) <= margin || std::fabs(decimal - above) <= margin || margin == 0) {
        ++slowPaths;
        return nearestByStrtod(text);
    }
    return guess;
}

long double decimalOf(const Seven& s)
{
    const long double v = static_cast<long double>(s.digits) * tenTo(s.exponent - 6);
    return s.negative ? -v : v;
}

// ---- Bookkeeping --------------------------------------------------------------------------------

struct Counts {
    std::uint64_t checked = 0;
    std::uint64_t textViolations = 0;
    std::uint64_t readingViolations = 0;
    std::uint64_t slowPaths = 0;
};

std::mutex reportLock;
int reported = 0;

void report(const char* what, std::uint32_t bits, const std::string& got, const std::string& want)
{
    std::lock_guard lock(reportLock);
    if (reported++ < 40)
        std::printf("  %s: bits %08" PRIx32 " (%.9g): got \"%s\", want \"%s\"\n", what, bits,
                    static_cast<double>(std::bit_cast<float>(bits)), got.c_str(), want.c_str());
}

std::string hexOf(float f)
{
    char text[48];
    std::snprintf(text, sizeof text, "%a (%.9g)", static_cast<double>(f), static_cast<double>(f));
    return text;
}

// ---- Pass 1: every bit pattern -------------------------------------------------------------------

void checkPattern(std::uint32_t bits, Counts& counts)
{
    const float value = std::bit_cast<float>(bits);
    const std::string text = shortNumberForm(value);
    ++counts.checked;

    // NaN and zero show " 0"; an infinity shows as the largest float of its sign.
    std::string want = " 0";
    float nearest = 0.0f;
    if (!std::isnan(value) && value != 0.0f) {
        const Seven seven = sevenDigits(std::isinf(value) ? std::copysign(kLargest, value) : value, counts.slowPaths);
        want = textOf(seven);
        nearest = nearestFloat(decimalOf(seven), want, counts.slowPaths);
    }
    if (text != want) {
        ++counts.textViolations;
        report("text", bits, text, want);
        return;
    }
    const float read = readSingle(text);
    if (std::bit_cast<std::uint32_t>(read) != std::bit_cast<std::uint32_t>(nearest)) {
        ++counts.readingViolations;
        report("reading", bits, hexOf(read), hexOf(nearest));
    }
}

// ---- Pass 2: decimals of up to six significant digits ------------------------------------------

// m x 10^e for m in [100000, 999999] covers every such decimal (shorter ones are the same
// numbers with trailing zeros). Exponents from the smallest subnormal's neighbourhood up to
// the top of the float range.
constexpr int kFirstExponent = -51;
constexpr int kLastExponent = 33;

void checkDecimal(std::uint32_t mantissa, int exponent, Counts& counts)
{
    char text[32];
    std::snprintf(text, sizeof text, "%" PRIu32 "E%d", mantissa, exponent);
    const long double decimal = static_cast<long double>(mantissa) * tenTo(exponent);
    if (decimal > static_cast<long double>(kLargest))
        return;
    const float nearest = nearestFloat(decimal, text, counts.slowPaths);
    for (const float value : {nearest, -nearest}) {
        ++counts.checked;
        const std::string shown = shortNumberForm(value);
        const float back = readSingle(shown);
        // Compared as numbers: a negative zero shows " 0" by rule, and reads back as zero.
        if (back != value) {
            ++counts.readingViolations;
            report("round trip", std::bit_cast<std::uint32_t>(value), shown + " -> " + hexOf(back), hexOf(value));
        }
    }
}

// ---- Driver --------------------------------------------------------------------------------------

template <class Work>
Counts onEveryCore(std::uint64_t blocks, Work work)
{
    std::atomic<std::uint64_t> next{0};
    std::vector<Counts> perThread(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (Counts& counts : perThread)
        threads.emplace_back([&] {
            for (std::uint64_t block = next++; block < blocks; block = next++)
                work(block, counts);
        });
    for (std::thread& t : threads)
        t.join();
    Counts total;
    for (const Counts& c : perThread) {
        total.checked += c.checked;
        total.textViolations += c.textViolations;
        total.readingViolations += c.readingViolations;
        total.slowPaths += c.slowPaths;
    }
    return total;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    std::uint64_t stride = 1;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--stride") == 0)
            stride = std::max<std::uint64_t>(1, std::strtoull(argv[i + 1], nullptr, 10));
    std::printf("threads: %u, stride %" PRIu64 "\n", std::max(1u, std::thread::hardware_concurrency()), stride);
    std::fflush(stdout);

    // Pass 1, in blocks of 2^20 patterns.
    constexpr std::uint64_t kBlock = 1 << 20;
    const auto start1 = std::chrono::steady_clock::now();
    const Counts one = onEveryCore((std::uint64_t{1} << 32) / kBlock, [&](std::uint64_t block, Counts& counts) {
        const std::uint64_t first = block * kBlock;
        const std::uint64_t offset = (stride - first % stride) % stride;
        for (std::uint64_t bits = first + offset; bits < first + kBlock; bits += stride)
            checkPattern(static_cast<std::uint32_t>(bits), counts);
    });
    const double time1 = secondsSince(start1);
    std::printf("every bit pattern: %" PRIu64 " checked, %" PRIu64 " text violations, %" PRIu64
                " reading violations, %" PRIu64 " settled by printf/strtod, %.1f s\n",
                one.checked, one.textViolations, one.readingViolations, one.slowPaths, time1);
    std::fflush(stdout);

    // Pass 2, one block per (exponent, first mantissa digit).
    const auto start2 = std::chrono::steady_clock::now();
    constexpr int kExponents = kLastExponent - kFirstExponent + 1;
    const Counts two = onEveryCore(std::uint64_t{kExponents} * 9, [&](std::uint64_t block, Counts& counts) {
        const int exponent = kFirstExponent + static_cast<int>(block / 9);
        const std::uint32_t from = 100000 * static_cast<std::uint32_t>(block % 9 + 1);
        for (std::uint32_t m = from; m < from + 100000; m += static_cast<std::uint32_t>(stride))
            checkDecimal(m, exponent, counts);
    });
    const double time2 = secondsSince(start2);
    std::printf("six-digit decimals: %" PRIu64 " floats checked, %" PRIu64 " round-trip violations, %" PRIu64
                " settled by strtod, %.1f s\n",
                two.checked, two.readingViolations, two.slowPaths, time2);
    const bool clean = one.textViolations + one.readingViolations + two.readingViolations == 0;
    std::printf("%s\n", clean ? "no violations" : "VIOLATIONS FOUND");
    return clean ? 0 : 1;
}
