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

// Runs `convert` on one input per iteration, walking `inputs` round and round.
template <class Inputs, class Convert>
void perInput(benchmark::State& state, const Inputs& inputs, Convert convert)
{
    std::size_t i = 0;
    for (auto _ : state)
        convert(inputs[i++ & (kValueCount - 1)]);
}

// ---- Showing ----------------------------------------------------------------------------------

void ShortNumberForm(benchmark::State& state)
{
    perInput(state, sampleValues(), [](float value) { benchmark::DoNotOptimize(shortNumberForm(value)); });
}
BENCHMARK(ShortNumberForm);

void ToCharsShortestFloat(benchmark::State& state)
{
    char text[32];
    perInput(state, sampleValues(), [&](float value) {
        benchmark::DoNotOptimize(std::to_chars(text, text + sizeof text, value));
        benchmark::DoNotOptimize(text);
    });
}
BENCHMARK(ToCharsShortestFloat);

// The same rounding job as the short number form, by the standard function alone: seven
// significant digits of the float's exact value.
void ToCharsSevenDigits(benchmark::State& state)
{
    char text[32];
    perInput(state, sampleValues(), [&](float value) {
        benchmark::DoNotOptimize(
            std::to_chars(text, text + sizeof text, double(value), std::chars_format::scientific, 6));
        benchmark::DoNotOptimize(text);
    });
}
BENCHMARK(ToCharsSevenDigits);

void SnprintfPrecision7G(benchmark::State& state)
{
    char text[32];
    perInput(state, sampleValues(), [&](float value) {
        benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%.7G", double(value)));
        benchmark::DoNotOptimize(text);
    });
}
BENCHMARK(SnprintfPrecision7G);

// ---- Reading ----------------------------------------------------------------------------------

void ReadSingle(benchmark::State& state)
{
    perInput(state, sampleTexts(), [](const std::string& text) { benchmark::DoNotOptimize(readSingle(text)); });
}
BENCHMARK(ReadSingle);

void ReadNumber(benchmark::State& state)
{
    perInput(state, sampleTexts(), [](const std::string& text) { benchmark::DoNotOptimize(readNumber(text)); });
}
BENCHMARK(ReadNumber);

void Strtod(benchmark::State& state)
{
    perInput(state, sampleTexts(), [](const std::string& text) {
        char* end = nullptr;
        benchmark::DoNotOptimize(std::strtod(text.c_str(), &end));
        benchmark::DoNotOptimize(end);
    });
}
BENCHMARK(Strtod);

template <class Number>
void FromChars(benchmark::State& state)
{
    perInput(state, sampleTextsWithoutBlank(), [](const std::string& text) {
        Number value{};
        benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
        benchmark::DoNotOptimize(value);
    });
}
BENCHMARK(FromChars<double>);
BENCHMARK(FromChars<float>);

} // namespace

BENCHMARK_MAIN();
