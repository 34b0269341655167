// The per-user component registry at a size no user has: registering, unregistering and creating
// a class through it with thousands of other components' entries around ours, and the reading and
// writing of the file on their own. Each should grow with the file's length, not its square.
//
// The registry lives in a scratch XDG_DATA_HOME; the argument is the number of other entries.

#include <ZarvLinesParm/ComponentLoader.h>
#include <ZarvLinesParm/ComponentRegistry.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;
using ZarvLinesParm::registry::Registry;

// Four entries for each of `lines` / 4 components, as a registering library writes them.
std::string othersRegistry(long lines)
{
    std::string text(ZarvLinesParm::registry::formatLine);
    text += '\n';
    char id[64];
    for (long i = 0; i < lines / 4; ++i) {
        std::snprintf(id, sizeof id, "{%08lX-1111-2222-3333-444455556666}", i);
        const std::string clsid = std::string("CLSID/") + id + "/";
        text += "ProgID/Vendor.Component" + std::to_string(i) + "/CLSID\t" + id + '\n';
        text += clsid + "ProgID\tVendor.Component" + std::to_string(i) + '\n';
        text += clsid + "InprocServer\t/usr/lib/x86_64-linux-gnu/vendor/libcomponent" + std::to_string(i) + ".so.1\n";
        text += clsid + "TypeLib\t{6E7E106A-26C8-4417-B8E2-" + std::to_string(100000000000 + i) + "}\n";
    }
    return text;
}

class Scratch {
public:
    Scratch()
    {
        char pattern[] = "/tmp/registry-bench-XXXXXX";
        if (!::mkdtemp(pattern))
            std::abort();
        home_ = pattern;
        ::setenv("XDG_DATA_HOME", home_.c_str(), 1);
        fs::create_directories(home_ / "components");
    }
    ~Scratch() { fs::remove_all(home_); }

    fs::path file() const { return home_ / "components/registry.tsv"; }

    void write(const std::string& text) const { std::ofstream(file(), std::ios::binary) << text; }

private:
    fs::path home_;
};

std::string read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void check(zlp_status status, benchmark::State& state)
{
    if (status != ZLP_OK)
        state.SkipWithError(zlp_last_error_text());
}

void registering(benchmark::State& state)
{
    const Scratch scratch;
    const std::string before = othersRegistry(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        scratch.write(before);
        state.ResumeTiming();
        check(DllRegisterServer(), state);
    }
}

void unregistering(benchmark::State& state)
{
    const Scratch scratch;
    scratch.write(othersRegistry(state.range(0)));
    check(DllRegisterServer(), state);
    const std::string registered = read(scratch.file());
    for (auto _ : state) {
        state.PauseTiming();
        scratch.write(registered);
        state.ResumeTiming();
        check(DllUnregisterServer(), state);
    }
}

void creatingThroughTheRegistry(benchmark::State& state)
{
    const Scratch scratch;
    scratch.write(othersRegistry(state.range(0)));
    check(DllRegisterServer(), state);
    for (auto _ : state) {
        auto object = ZarvLinesParm::loader::CreateObjectFromRegistry("ZarvLinesParm.CircleElipseCls");
        benchmark::DoNotOptimize(object.get());
    }
}

void parsing(benchmark::State& state)
{
    const std::string text = othersRegistry(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Registry::parse(text, "bench"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void writingText(benchmark::State& state)
{
    const Registry registry = Registry::parse(othersRegistry(state.range(0)), "bench");
    for (auto _ : state)
        benchmark::DoNotOptimize(registry.text());
}

} // namespace

BENCHMARK(registering)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(unregistering)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(creatingThroughTheRegistry)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(parsing)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(writingText)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
