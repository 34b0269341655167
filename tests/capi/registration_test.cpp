// Registration in the per-user component registry, against the class table as it is in this
// build: what is entered, that nothing else is touched, and failures that lose nothing.

#include "frame/component/Component.h"

#include <ZarvLinesParm/ComponentLoader.h>
#include <ZarvLinesParm/ComponentRegistry.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace ZarvLinesParm;
using registry::Registry;

std::string read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// Everything under `top`, each path with what it is: a file's text (its size when large), a
// link's target, or its kind.
std::map<fs::path, std::string> snapshot(const fs::path& top)
{
    std::map<fs::path, std::string> seen;
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
        const fs::file_status s = entry.symlink_status();
        seen[entry.path()] = fs::is_symlink(s) ? "link to " + fs::read_symlink(entry).string()
            : !fs::is_regular_file(s)          ? "kind " + std::to_string(static_cast<int>(s.type()))
            : entry.file_size() > 65536        ? "file of " + std::to_string(entry.file_size()) + " bytes"
                                               : "file " + read(entry);
    }
    return seen;
}

// Another component's entries, a comment and escaped values: all must survive untouched.
// clang-format off
const std::string foreign = std::string(registry::formatLine) + "\n"
                            "# kept by hand\n"
                            "ProgID/Other.Thing/CLSID\t{11111111-2222-3333-4444-555555555555}\n"
                            "\n"
                            "CLSID/{11111111-2222-3333-4444-555555555555}/InprocServer\t/opt/odd\\tname\\\\lib\\n.so\n";
// clang-format on

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/registration-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        home_ = pattern;
        ::setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
        file_ = home_ / "data/components/registry.tsv";
    }
    void TearDown() override { fs::remove_all(home_); }

    fs::path home_;
    fs::path file_;
};

TEST_F(Registration, EntersEveryClassAndRemovesExactlyThat)
{
    // From nothing: removing creates nothing; entering makes a private folder.
    ASSERT_EQ(DllUnregisterServer(), ZLP_OK);
    EXPECT_FALSE(fs::exists(file_.parent_path()));
    // By a host that closed its standard input, as a daemon does: the folder may be descriptor 0.
    const int input = ::dup(0);
    ::close(0);
    const zlp_status entered = DllRegisterServer();
    if (input >= 0 && ::dup2(input, 0) == 0)
        ::close(input);
    ASSERT_EQ(entered, ZLP_OK) << zlp_last_error_detail();
    EXPECT_EQ(fs::status(file_.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
    ASSERT_EQ(DllUnregisterServer(), ZLP_OK);
    EXPECT_EQ(read(file_), std::string(registry::formatLine) + "\n");

    // Among another component's entries, with a reader that opened the file before.
    write(file_, foreign);
    const int reader = ::open(file_.c_str(), O_RDONLY);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK) << zlp_last_error_detail();
    EXPECT_EQ(read("/proc/self/fd/" + std::to_string(reader)), foreign) << "replaced whole, never in place";
    ::close(reader);
    const std::string registered = read(file_);
    EXPECT_TRUE(registered.starts_with(foreign)) << "other entries keep their place and text";
    const Registry r = Registry::parse(registered, file_);
    EXPECT_EQ(*r.find("CLSID/{11111111-2222-3333-4444-555555555555}/InprocServer"), "/opt/odd\tname\\lib\n.so");

    const std::string lib = "TypeLib/" + std::string(frame::component::libraryId) + "/";
    EXPECT_EQ(*r.find(lib + "Description"), "Corvane Lines Parameters");
    EXPECT_EQ(*r.find(lib + "Version"), "1.00.0021");
    const std::string file = frame::component::libraryFile();
    EXPECT_TRUE(file.starts_with('/')) << file;
    EXPECT_EQ(*r.find(lib + "Path"), file);
    for (const std::string& progId : ProgIds()) {
        const std::string* id = r.find("ProgID/" + progId + "/CLSID");
        ASSERT_NE(id, nullptr) << progId;
        EXPECT_EQ(frame::component::progIdOfClassId(*id), progId) << "an identifier of its own";
        EXPECT_EQ(*r.find("CLSID/" + *id + "/ProgID"), progId);
        EXPECT_EQ(*r.find("CLSID/" + *id + "/InprocServer"), file);
        EXPECT_EQ(*r.find("CLSID/" + *id + "/TypeLib"), frame::component::libraryId);
    }

    // Twice is once: the file is not even rewritten, and nothing is left beside it.
    struct stat before {
    }, after{};
    ASSERT_EQ(::stat(file_.c_str(), &before), 0);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK);
    ASSERT_EQ(::stat(file_.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(snapshot(file_.parent_path()), (std::map<fs::path, std::string>{{file_, "file " + registered}}));
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(DllUnregisterServer(), ZLP_OK) << zlp_last_error_detail();
        EXPECT_EQ(read(file_), foreign);
    }
}

// Whether `entry` fails with error 75 saying `says`, run in a child whose files may grow to
// `limit` bytes: beyond it a write comes back short, the next one fails, as on a full disk.
bool refused(zlp_status (*entry)(), const std::string& says, rlim_t limit)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(10); // a writer that retries for ever fails too
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        const bool ok = entry() == 75 && std::string(zlp_last_error_detail()).find(says) != std::string::npos;
        if (!ok)
            std::fprintf(stderr, "error %d: %s\n", zlp_last_error_number(), zlp_last_error_detail());
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(Registration, RefusesWhatItCannotReadOrWriteAndChangesNothing)
{
    const fs::path folder = file_.parent_path();
    const std::string corrupt = file_.string() + " is corrupt at line ";
    const std::string ours = "TypeLib/" + std::string(frame::component::libraryId) + "/Version\t0.9\n";
    // `foreign` has five lines; a fault after it is on the sixth.
    // clang-format off
    const struct {
        std::string what;
        std::function<void()> make;
        std::string says;
        rlim_t limit = RLIM_INFINITY;
    } cases[] = {
        {"not a registry", [&] { write(file_, "not a registry\n"); }, corrupt + "1: "},
        {"no tab", [&] { write(file_, foreign + "a line without a tab\n"); }, corrupt + "6: "},
        {"a key twice", [&] { write(file_, foreign + "ProgID/Other.Thing/CLSID\tagain\n"); }, corrupt + "6: "},
        {"a bad escape", [&] { write(file_, foreign + "Key\tbad \\q escape\n"); }, corrupt + "6: "},
        {"two tabs", [&] { write(file_, foreign + "Key\ttwo\ttabs\n"); }, corrupt + "6: "},
        {"cut short", [&] { write(file_, foreign + "Key\tcut short"); }, corrupt + "6: "},
        {"a NUL", [&] { write(file_, foreign + std::string("Key\tnul\0here\n", 14)); }, corrupt + "6: "},
        // A reader that waited for a FIFO's writer would hold the folder's lock for good.
        {"a FIFO", [&] { ::mkfifo(file_.c_str(), 0600); }, " is not a regular file"},
        {"a link to a device", [&] { fs::create_symlink("/dev/zero", file_); }, " is not a regular file"},
        {"a folder", [&] { fs::create_directories(file_); }, " is not a regular file"},
        {"a link to nothing", [&] { fs::create_symlink(home_ / "gone.tsv", file_); }, " is a link to a missing file"},
        {"one byte too large", [&] { write(file_, foreign); fs::resize_file(file_, registry::maxFileSize + 1); },
         " is larger than 32 MiB"},
        {"a file where its folder belongs", [&] { fs::remove(folder); write(folder, "in the way"); },
         "the folder " + folder.string()},
        // Both entry points have something to write, and the disk fills up 100 bytes into it.
        {"a full disk", [&] { write(file_, foreign + ours); }, "cannot write " + file_.string() + ".tmp.", 100},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(home_ / "data");
        fs::create_directories(folder);
        c.make();
        const auto before = snapshot(home_);
        EXPECT_TRUE(refused(DllRegisterServer, c.says, c.limit));
        EXPECT_TRUE(refused(DllUnregisterServer, c.says, c.limit));
        EXPECT_EQ(snapshot(home_), before);
    }
}

// Through a one-page pipe whose reader, each time the writer must be waiting for it, signals
// the writer twice: the write under way comes back short, the next one interrupted.
TEST(RegistryWriting, EveryByteArrivesThroughShortAndInterruptedWrites)
{
    std::string text(65000, '\0'); // not a whole number of pages
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>(i % 251);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::fcntl(ends[1], F_SETPIPE_SZ, 4096), 4096);
    struct sigaction nothing {
    }, before{};
    nothing.sa_handler = [](int) {}; // without SA_RESTART, so that the write returns
    ::sigaction(SIGUSR1, &nothing, &before);
    const pthread_t writer = ::pthread_self();
    std::string arrived;
    std::thread reader([&] {
        char chunk[4096];
        for (;;) {
            for (int i = 0; i < 2; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                ::pthread_kill(writer, SIGUSR1);
            }
            const ssize_t n = ::read(ends[0], chunk, sizeof chunk);
            if (n <= 0)
                return;
            arrived.append(chunk, static_cast<std::size_t>(n));
        }
    });
    const int error = frame::component::writeAll(ends[1], text);
    ::close(ends[1]);
    reader.join();
    ::close(ends[0]);
    ::sigaction(SIGUSR1, &before, nullptr);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(arrived == text) << arrived.size() << " of " << text.size() << " bytes, or others";
}

TEST_F(Registration, WaitsForAnotherWriterOfTheSameRegistry)
{
    write(file_, foreign);
    const int other = ::open(file_.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    zlp_status status = -1;
    std::thread registering([&] { status = DllRegisterServer(); });
    // The other writer, holding the folder's lock, adds its entry meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::string late = foreign + "ProgID/Late.Thing/CLSID\t{66666666-7777-8888-9999-000000000000}\n";
    write(file_, late);
    ::flock(other, LOCK_UN);
    ::close(other);
    registering.join();
    ASSERT_EQ(status, ZLP_OK);
    const std::string now = read(file_);
    EXPECT_TRUE(now.starts_with(late)) << now;
    EXPECT_NE(now.find("ProgID/ZarvLinesParm.CircleElipseCls/CLSID"), std::string::npos);
}

TEST_F(Registration, RewriteKeepsModeOwnerGroupAndLink)
{
    // Modes a user may have chosen; where this process may give files away, other owners too.
    const bool root = ::geteuid() == 0;
    // clang-format off
    const struct { mode_t mode; uid_t uid; gid_t gid; } files[] = {
        {0600, root ? 4321 : ::getuid(), root ? 8765 : ::getgid()},
        {0444, root ? 4321 : ::getuid(), ::getgid()},
        {0640, ::getuid(),               root ? 8765 : ::getgid()},
    };
    // clang-format on
    for (const auto& f : files) {
        write(file_, foreign);
        ASSERT_EQ(::chmod(file_.c_str(), f.mode), 0);
        ASSERT_EQ(::chown(file_.c_str(), f.uid, f.gid), 0);
        for (auto entry : {DllRegisterServer, DllUnregisterServer}) {
            ASSERT_EQ(entry(), ZLP_OK) << zlp_last_error_detail();
            struct stat after {};
            ASSERT_EQ(::stat(file_.c_str(), &after), 0);
            EXPECT_EQ(after.st_mode & 07777, f.mode) << std::oct << f.mode;
            EXPECT_EQ(after.st_uid, f.uid);
            EXPECT_EQ(after.st_gid, f.gid);
        }
    }

    // A registry kept elsewhere and linked in: written through the link, which stays.
    const fs::path target = home_ / "elsewhere/registry.tsv";
    write(target, foreign);
    fs::remove(file_);
    fs::create_symlink(target, file_);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK) << zlp_last_error_detail();
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_NE(read(target).find("ProgID/ZarvLinesParm.CircleElipseCls/CLSID"), std::string::npos);
    ASSERT_EQ(DllUnregisterServer(), ZLP_OK);
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(read(target), foreign);
}

TEST_F(Registration, RemovesWhatDeadWritersLeftAndNothingElse)
{
    write(file_, foreign);
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
    const fs::path folder = file_.parent_path();
    // A writer killed between making its temporary file and renaming it leaves this.
    const fs::path stale = folder / ("registry.tsv.tmp." + std::to_string(dead) + ".Ab12Cd");
    write(stale, "# component regis");
    // A live writer's (this process: signalling it would end the test) and a user's own files stay.
    for (const std::string& kept : {"registry.tsv.tmp." + std::to_string(::getpid()) + ".Ab12Cd",
                                    std::string("registry.tsv.backup"), std::string("registry.tsv.tmp.mine.Ab12Cd")})
        write(folder / kept, foreign);
    auto expected = snapshot(home_);
    expected.erase(stale);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK) << zlp_last_error_detail();
    expected[file_] = "file " + read(file_);
    EXPECT_EQ(snapshot(home_), expected);
}

TEST_F(Registration, LoaderRefusesALibraryFileNotNamedInFull)
{
    // Loading "" would give the host program itself, a bare name whatever the search path finds.
    const std::pair<std::string, std::string> cases[] = {
        {"", "is empty"},
        {"libZarvLinesParm.so.1", "is not an absolute path: libZarvLinesParm.so.1"},
    };
    for (const auto& [library, says] : cases) {
        write(file_, foreign + "ProgID/Some.Thing/CLSID\t{A}\nCLSID/{A}/InprocServer\t" + library + "\n");
        try {
            loader::CreateObjectFromRegistry("some.thing");
            ADD_FAILURE() << "created from \"" << library << "\"";
        } catch (const loader::ComponentError& e) {
            EXPECT_EQ(e.number(), 429);
            EXPECT_NE(std::string(e.what()).find(file_.string() + ", line 7: CLSID/{A}/InprocServer " + says),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST_F(Registration, PlaceIgnoresARelativeXdgDataHome)
{
    ::setenv("HOME", home_.c_str(), 1);
    for (const char* dataHome : {"relative/data", ""}) {
        ::setenv("XDG_DATA_HOME", dataHome, 1);
        EXPECT_EQ(registry::registryPath(), (home_ / ".local/share/components/registry.tsv").string());
    }
}

TEST(RegistryFormat, EntriesAreFoundByKeyAfterOthersAreRemoved)
{
    Registry r = Registry::parse(foreign + "A/1\ta\nB/1\tb\nA/2\tc\nC/1\td\n", "test");
    EXPECT_EQ(r.lineOf("B/1"), 7u);
    EXPECT_TRUE(r.removeUnder({"A/", "Z/"}));
    EXPECT_FALSE(r.removeUnder({"A/"}));
    EXPECT_EQ(r.find("A/2"), nullptr);
    EXPECT_EQ(*r.find("C/1"), "d");
    EXPECT_EQ(r.lineOf("C/1"), 7u);
    EXPECT_FALSE(r.set("B/1", "b"));
    EXPECT_EQ(r.text(), foreign + "B/1\tb\nC/1\td\n");
}

} // namespace
