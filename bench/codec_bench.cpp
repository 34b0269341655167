// The short number form and the number reading against the standard conversions, per value.
//
// Every benchmark walks the same 4096 floats (or their short forms), one value per iteration,
// so the reported time is the time per value.

#include "frame/NumberReading.h"
#include "frame/NumberText.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace ZarvLinesParm::frame;

constexpr std::size_t kValueCount = 4096; // a power of two: the index wraps with a mask

// Half are what value boxes mostly hold - ratios, round figures, a few decimals - and half are
// random magnitudes over the whole float range, where all seven digits are in play.
const std::vector<float>& sampleValues()
{
    static const std::vector<float> values = [] {
        std::mt19937 random(4096);
        std::uniform_int_distribution<int> small(1, 1000);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        std::uniform_real_distribution<float> decade(-30.0f, 30.0f);
        std::vector<float> out;
        out.reserve(kValueCount);
        while (out.size() < kValueCount) {
            const int numerator = small(random);
            const int denominator = small(random);
            const float mantissa = unit(random);
            const float scale = std::pow(10.0f, decade(random));
            switch (out.size() % 4) {
            case 0: out.push_back(static_cast<float>(numerator) / denominator); break;
            case 1: out.push_back(static_cast<float>(numerator) / 100.0f); break;
            case 2: out.push_back(mantissa * scale); break;
            default: out.push_back(-mantissa * scale); break;
            }
        }
        return out;
    }();
    return values;
}

const std::vector<std::string>& sampleTexts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        for (const float value : sampleValues())
            out.push_back(shortNumberForm(value));
        return out;
    }();
    return texts;
}

// from_chars takes no leading blank; strtod skips it itself.
const std::vector<std::string>& sampleTextsWithoutBlank()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        for (const std::string& text : sampleTexts())
            out.push_back(text[0] == ' ' ? text.substr(1) : text);
        return out;
    }();
    return texts;
}

// ---- Showing ----------------------------------------------------------------------------------

void ShortNumberForm(benchmark::State& state)
{
    const auto& values = sampleValues();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(shortNumberForm(values[i++ & (kValueCount - 1)]));
}
BENCHMARK(ShortNumberForm);

void ToCharsShortestFloat(benchmark::State& state)
{
    const auto& values = sampleValues();
    char text[32];
    std::size_t i = 0;
    for (auto _ : state) {
        auto result = std::to_chars(text, text + sizeof text, values[i++ & (kValueCount - 1)]);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(ToCharsShortestFloat);

// The same rounding job as the short number form, by the standard function alone: seven
// significant digits of the float's exact value.
void ToCharsSevenDigits(benchmark::State& state)
{
    const auto& values = sampleValues();
    char text[32];
    std::size_t i = 0;
    for (auto _ : state) {
        const double value = values[i++ & (kValueCount - 1)];
        auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(ToCharsSevenDigits);

void SnprintfPrecision7G(benchmark::State& state)
{
    const auto& values = sampleValues();
    char text[32];
    std::size_t i = 0;
    for (auto _ : state) {
        const double value = values[i++ & (kValueCount - 1)];
        benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%.7G", value));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(SnprintfPrecision7G);

// ---- Reading ----------------------------------------------------------------------------------

void ReadSingle(benchmark::State& state)
{
    const auto& texts = sampleTexts();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(readSingle(texts[i++ & (kValueCount - 1)]));
}
BENCHMARK(ReadSingle);

void ReadNumber(benchmark::State& state)
{
    const auto& texts = sampleTexts();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(readNumber(texts[i++ & (kValueCount - 1)]));
}
BENCHMARK(ReadNumber);

void Strtod(benchmark::State& state)
{
    const auto& texts = sampleTexts();
    std::size_t i = 0;
    for (auto _ : state) {
        char* end = nullptr;
        benchmark::DoNotOptimize(std::strtod(texts[i++ & (kValueCount - 1)].c_str(), &end));
        benchmark::DoNotOptimize(end);
    }
}
BENCHMARK(Strtod);

void FromCharsDouble(benchmark::State& state)
{
    const auto& texts = sampleTextsWithoutBlank();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& text = texts[i++ & (kValueCount - 1)];
        double value = 0.0;
        benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(FromCharsDouble);

void FromCharsFloat(benchmark::State& state)
{
    const auto& texts = sampleTextsWithoutBlank();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& text = texts[i++ & (kValueCount - 1)];
        float value = 0.0f;
        benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(FromCharsFloat);

} // namespace

BENCHMARK_MAIN();
