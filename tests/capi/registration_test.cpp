// Registration in the per-user component registry, against the class table as it is in this
// build: what is entered, that nothing else is touched, and failures that lose nothing.

#include "frame/component/Component.h"

#include <ZarvLinesParm/ComponentLoader.h>
#include <ZarvLinesParm/ComponentRegistry.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
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

// Another component's entries, a comment and an escaped value: all must survive untouched.
const std::string foreign = std::string(registry::formatLine) + "\n"
                            "# kept by hand\n"
                            "ProgID/Other.Thing/CLSID\t{11111111-2222-3333-4444-555555555555}\n"
                            "\n"
                            "CLSID/{11111111-2222-3333-4444-555555555555}/InprocServer\t/opt/odd\\tname\\\\lib.so\n";

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
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(home_ / "data/components", fs::perms::owner_all, ignored);
        fs::remove_all(home_, ignored);
    }

    fs::path home_;
    fs::path file_;
};

TEST(ClassIdentifiers, EveryPublishedClassHasOneOfItsOwn)
{
    const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
    std::set<std::string> seen{std::string(frame::component::libraryId)};
    for (const auto& c : frame::component::classIds) {
        EXPECT_TRUE(std::regex_match(std::string(c.id), form)) << c.id;
        EXPECT_TRUE(seen.insert(std::string(c.id)).second) << c.id;
    }

    size_t count = 0;
    ASSERT_EQ(zlp_class_count(&count), ZLP_OK);
    const std::vector<std::string> progIds = ProgIds();
    ASSERT_EQ(count, progIds.size());
    for (size_t i = 0; i < count; ++i) {
        const char* progId = nullptr;
        const char* id = nullptr;
        ASSERT_EQ(zlp_class_progid(i, &progId), ZLP_OK);
        ASSERT_EQ(zlp_class_id(i, &id), ZLP_OK) << "no class identifier for " << progIds[i];
        EXPECT_EQ(progId, progIds[i]);
        EXPECT_EQ(frame::component::progIdOfClassId(id), progIds[i]);
    }
}

TEST_F(Registration, EntersEveryClassAndRemovesExactlyThat)
{
    write(file_, foreign);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK) << zlp_last_error_text();
    const std::string registered = read(file_);
    const Registry r = Registry::parse(registered, file_);

    const std::string lib = "TypeLib/" + std::string(frame::component::libraryId) + "/";
    EXPECT_EQ(*r.find(lib + "Description"), "Corvane Lines Parameters");
    EXPECT_EQ(*r.find(lib + "Version"), "1.00.0021");
    const std::string file = frame::component::libraryFile();
    EXPECT_TRUE(fs::path(file).is_absolute());
    EXPECT_EQ(*r.find(lib + "Path"), file);

    std::size_t classes = 0;
    for (const registry::Line& l : r.lines())
        classes += l.key.starts_with("ProgID/") && l.key.ends_with("/CLSID") ? 1 : 0;
    EXPECT_EQ(classes, ProgIds().size() + 1); // and the other component's
    for (const std::string& progId : ProgIds()) {
        const std::string* id = r.find("ProgID/" + progId + "/CLSID");
        ASSERT_NE(id, nullptr) << progId;
        EXPECT_EQ(*r.find("CLSID/" + *id + "/ProgID"), progId);
        EXPECT_EQ(*r.find("CLSID/" + *id + "/InprocServer"), file);
        EXPECT_EQ(*r.find("CLSID/" + *id + "/TypeLib"), frame::component::libraryId);
    }
    EXPECT_TRUE(registered.starts_with(foreign)) << "other entries keep their place and text";

    // Twice is once: same text, and the file is not even rewritten.
    struct stat before {};
    ASSERT_EQ(::stat(file_.c_str(), &before), 0);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK);
    struct stat after {};
    ASSERT_EQ(::stat(file_.c_str(), &after), 0);
    EXPECT_EQ(read(file_), registered);
    EXPECT_EQ(before.st_ino, after.st_ino);

    ASSERT_EQ(DllUnregisterServer(), ZLP_OK) << zlp_last_error_text();
    EXPECT_EQ(read(file_), foreign);
    ASSERT_EQ(DllUnregisterServer(), ZLP_OK);
    EXPECT_EQ(read(file_), foreign);
}

TEST_F(Registration, NoRegistryYet)
{
    ASSERT_EQ(DllUnregisterServer(), ZLP_OK);
    EXPECT_FALSE(fs::exists(file_)) << "removing nothing creates nothing";
    ASSERT_EQ(DllRegisterServer(), ZLP_OK) << zlp_last_error_text();
    EXPECT_EQ(fs::status(file_.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
    ASSERT_EQ(DllUnregisterServer(), ZLP_OK);
    EXPECT_EQ(read(file_), std::string(registry::formatLine) + "\n");
}

TEST_F(Registration, ReplacesTheFileWholeNeverInPlace)
{
    write(file_, foreign);
    // A reader that opened the registry before the change reads the old registry to its end.
    const int reader = ::open(file_.c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK);
    std::string seen(foreign.size() + 100, '\0');
    const ssize_t n = ::read(reader, seen.data(), seen.size());
    ::close(reader);
    EXPECT_EQ(seen.substr(0, static_cast<std::size_t>(n > 0 ? n : 0)), foreign);
    for (const auto& entry : fs::directory_iterator(file_.parent_path()))
        EXPECT_EQ(entry.path(), file_) << "no temporary file left behind";
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

TEST_F(Registration, CorruptRegistryIsRefusedAndKept)
{
    // `foreign` has five lines; the fault is on the sixth.
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"not a registry\n", 1},
        {foreign + "a line without a tab\n", 6},
        {foreign + "ProgID/Other.Thing/CLSID\tagain\n", 6},
        {foreign + "Key\tbad \\q escape\n", 6},
        {foreign + "Key\ttwo\ttabs\n", 6},
        {foreign + "Key\tcut short", 6},
        {foreign + std::string("Key\tnul\0here\n", 14), 6},
    };
    for (const auto& [text, line] : cases) {
        write(file_, text);
        EXPECT_EQ(DllRegisterServer(), 75) << text;
        const std::string where = file_.string() + " is corrupt at line " + std::to_string(line) + ": ";
        EXPECT_NE(std::string(zlp_last_error_detail()).find(where), std::string::npos) << zlp_last_error_detail();
        EXPECT_EQ(DllUnregisterServer(), 75);
        EXPECT_EQ(read(file_), text);
    }
}

TEST_F(Registration, OnlyARegularFileOfBoundedSizeIsRead)
{
    fs::create_directories(file_.parent_path());
    const struct {
        const char* what;
        std::function<void()> make;
        std::string says;
    } cases[] = {
        // A reader that waited for a FIFO's writer would hold the folder's lock for good.
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0); }, " is not a regular file"},
        {"a link to a device", [&] { fs::create_symlink("/dev/zero", file_); }, " is not a regular file"},
        {"one byte too large", [&] { write(file_, foreign); fs::resize_file(file_, registry::maxFileSize + 1); },
         " is larger than 32 MiB"},
    };
    for (const auto& c : cases) {
        c.make();
        const fs::file_status before = fs::symlink_status(file_);
        EXPECT_EQ(DllRegisterServer(), 75) << c.what;
        EXPECT_NE(std::string(zlp_last_error_detail()).find(file_.string() + c.says), std::string::npos)
            << c.what << ": " << zlp_last_error_detail();
        EXPECT_EQ(DllUnregisterServer(), 75) << c.what;
        EXPECT_THROW(Registry::load(file_), registry::RegistryError) << c.what << ": the loader's reading";
        EXPECT_EQ(fs::symlink_status(file_).type(), before.type()) << c.what;
        fs::remove(file_);
    }
}

TEST_F(Registration, RewriteKeepsModeOwnerGroupAndLink)
{
    // Modes a user may have chosen; and, where this process may give files away, another owner.
    const bool root = ::geteuid() == 0;
    for (const mode_t mode : {0600, 0444, 0640}) {
        write(file_, foreign);
        ASSERT_EQ(::chmod(file_.c_str(), mode), 0);
        if (root) {
            ASSERT_EQ(::chown(file_.c_str(), 4321, 8765), 0);
        }
        struct stat before {};
        ASSERT_EQ(::stat(file_.c_str(), &before), 0);
        for (auto entry : {DllRegisterServer, DllUnregisterServer}) {
            ASSERT_EQ(entry(), ZLP_OK) << zlp_last_error_text();
            struct stat after {};
            ASSERT_EQ(::stat(file_.c_str(), &after), 0);
            EXPECT_EQ(after.st_mode, before.st_mode) << std::oct << mode;
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
        }
        EXPECT_EQ(read(file_), foreign);
    }

    // A registry kept elsewhere and linked in: written through the link, which stays.
    const fs::path target = home_ / "elsewhere/registry.tsv";
    write(target, foreign);
    fs::remove(file_);
    fs::create_symlink(target, file_);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK) << zlp_last_error_text();
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
    // A live writer's (pid 1 is always there) and a user's own files stay.
    const fs::path kept[] = {folder / "registry.tsv.tmp.1.Ab12Cd", folder / "registry.tsv.backup",
                             folder / "registry.tsv.tmp.mine.Ab12Cd"};
    write(stale, "# component regis");
    for (const fs::path& f : kept)
        write(f, foreign);
    ASSERT_EQ(DllRegisterServer(), ZLP_OK) << zlp_last_error_text();
    EXPECT_FALSE(fs::exists(stale));
    for (const fs::path& f : kept)
        EXPECT_EQ(read(f), foreign) << f;
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
                      std::string::npos) << e.what();
        }
    }
}

TEST_F(Registration, UnwritablePlaceIsAnErrorAndLosesNothing)
{
    // A file where the registry's folder belongs: no folder, no temporary file, no rename.
    write(home_ / "data/components", "in the way");
    EXPECT_EQ(DllRegisterServer(), 75);
    EXPECT_NE(std::string(zlp_last_error_detail()).find("components"), std::string::npos) << zlp_last_error_text();
    EXPECT_EQ(read(home_ / "data/components"), "in the way");
    fs::remove(home_ / "data/components");

    // A folder where the registry file belongs.
    fs::create_directories(file_);
    EXPECT_EQ(DllRegisterServer(), 75);
    EXPECT_EQ(DllUnregisterServer(), 75);
    EXPECT_TRUE(fs::is_directory(file_));
    fs::remove(file_);

    // A folder the user may not write; root may write anywhere, so this one only as a user.
    if (::geteuid() != 0) {
        write(file_, foreign);
        fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(DllRegisterServer(), 75);
        EXPECT_EQ(read(file_), foreign);
    }
}

TEST_F(Registration, PlaceFollowsXdgDataHome)
{
    EXPECT_EQ(registry::registryPath(), file_.string());
    // A relative XDG_DATA_HOME is to be ignored; HOME's default takes its place.
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    ::setenv("HOME", home_.c_str(), 1);
    EXPECT_EQ(registry::registryPath(), (home_ / ".local/share/components/registry.tsv").string());
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(registry::registryPath(), (home_ / ".local/share/components/registry.tsv").string());
}

TEST(RegistryFormat, ValuesWithTabsLineFeedsAndBackslashesComeBack)
{
    Registry r;
    r.set("CLSID/{X}/InprocServer", "/a\tb\nc\\d");
    const Registry back = Registry::parse(r.text(), "test");
    EXPECT_EQ(*back.find("CLSID/{X}/InprocServer"), "/a\tb\nc\\d");
    EXPECT_EQ(back.text(), r.text());
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
