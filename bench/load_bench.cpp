// Library load time: from dlopen of the shared library to the first CreateObject returning, in a
// fresh process each time (a library already loaded loads again for free). The program runs
// itself as a child for each sample and prints the median and the spread.
//
//     load_bench [--samples N]      (default 30)

#include <ZarvLinesParm/Object.h>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The two exported functions the host calls first, by their C++ names.
using CreateObjectFn = std::unique_ptr<ZarvLinesParm::Object> (*)(std::string_view);
using ProgIdsFn = std::vector<std::string> (*)();
constexpr const char* createObjectSymbol =
    "_ZN13ZarvLinesParm12CreateObjectESt17basic_string_viewIcSt11char_traitsIcEE";
constexpr const char* progIdsSymbol = "_ZN13ZarvLinesParm7ProgIdsB5cxx11Ev";

// One sample: prints the microseconds from dlopen to the first object.
int loadOnce()
{
    const auto start = std::chrono::steady_clock::now();
    void* library = dlopen(ZARVLINESPARM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    auto progIds = reinterpret_cast<ProgIdsFn>(dlsym(library, progIdsSymbol));
    auto createObject = reinterpret_cast<CreateObjectFn>(dlsym(library, createObjectSymbol));
    if (!progIds || !createObject) {
        std::fprintf(stderr, "symbols not found\n");
        return 1;
    }
    auto object = createObject(progIds().front());
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f\n", us);
    object.reset();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0)
        return loadOnce();
    int samples = 30;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--samples") == 0)
            samples = std::max(1, std::atoi(argv[i + 1]));

    std::vector<double> times;
    for (int i = 0; i < samples; ++i) {
        int out[2];
        if (pipe(out) != 0)
            return 1;
        const pid_t child = fork();
        if (child == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl("/proc/self/exe", argv[0], "--once", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char text[64] = {};
        const ssize_t got = read(out[0], text, sizeof text - 1);
        close(out[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return 1;
        times.push_back(std::atof(text));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "library load, dlopen to first CreateObject: median %.0f us, min %.0f us, max %.0f us (%d fresh processes)\n",
        times[times.size() / 2], times.front(), times.back(), samples);
    return 0;
}
