#include "frame/component/Component.h"

#include "frame/ClassRegistry.h"
#include "frame/Names.h"

#include <ZarvLinesParm/ComponentRegistry.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ZarvLinesParm::frame::component {
namespace {

using registry::Registry;
using registry::RegistryError;

[[noreturn]] void fail(const std::string& what)
{
    throw Error(75, what + ": " + std::strerror(errno));
}

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.rfind('/'));
}

void makeFolders(const std::string& folder)
{
    if (folder.empty())
        return;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) {
            errno = ENOTDIR;
            fail("cannot make the folder " + folder);
        }
        return;
    }
    makeFolders(folderOf(folder));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        fail("cannot make the folder " + folder);
}

// Serialises the writers of one registry: two components registering at once must not lose
// each other's entries between reading the file and replacing it. Readers need no lock, since
// the file is only ever replaced whole.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
    {
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0)
            fail("cannot open the folder " + folder);
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int why = errno;
                ::close(fd_);
                errno = why;
                fail("cannot lock the folder " + folder);
            }
        }
    }
    ~FolderLock() { ::close(fd_); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

std::string stripBraces(std::string_view id)
{
    if (id.size() >= 2 && id.front() == '{' && id.back() == '}')
        id = id.substr(1, id.size() - 2);
    return std::string(id);
}

std::string pathOfRegistry()
{
    try {
        return registry::registryPath();
    } catch (const RegistryError& e) {
        throw Error(75, e.what());
    }
}

// The registry as it is now, for changing; read and parse failures become error 75.
Registry current(const std::string& path)
{
    try {
        return Registry::load(path);
    } catch (const RegistryError& e) {
        throw Error(75, std::string(e.what()) + "; left unchanged");
    }
}

void store(const std::string& path, const Registry& before, const Registry& after)
{
    // Nothing changes: no write, so registering twice does not even touch the file.
    if (after.text() == before.text())
        return;
    replaceFile(path, after.text());
}

} // namespace

std::optional<std::string_view> classIdOfProgId(std::string_view progId)
{
    for (const ClassId& c : classIds)
        if (sameName(progIdOf(c.className), progId))
            return c.id;
    return std::nullopt;
}

std::optional<std::string> progIdOfClassId(std::string_view classId)
{
    const std::string wanted = stripBraces(classId);
    for (const ClassId& c : classIds) {
        if (!sameName(stripBraces(c.id), wanted))
            continue;
        if (const ClassEntry* entry = findClass(progIdOf(c.className)))
            return entry->progId;
        return std::nullopt;
    }
    return std::nullopt;
}

std::string libraryFile()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&libraryFile), &info) || !info.dli_fname)
        throw Error(75, "cannot tell which file holds the library");
    // Keep the name the library was loaded by (its SONAME link survives an upgrade); only make
    // it absolute.
    std::string file = info.dli_fname;
    if (!file.starts_with('/')) {
        char resolved[PATH_MAX];
        if (!::realpath(file.c_str(), resolved))
            fail("cannot find the library file " + file);
        file = resolved;
    }
    return file;
}

void registerServer()
{
    const std::string path = pathOfRegistry();
    makeFolders(folderOf(path));
    const FolderLock lock(folderOf(path));
    const Registry before = current(path);
    Registry after = before;
    const std::string file = libraryFile();
    const std::string lib = "TypeLib/" + std::string(libraryId) + "/";
    after.set(lib + "Description", std::string(Description));
    after.set(lib + "Version", std::string(FileVersion));
    after.set(lib + "Path", file);
    for (const ClassEntry* entry : allClasses()) {
        const std::optional<std::string_view> id = classIdOfProgId(entry->progId);
        if (!id)
            throw Error(75, "the class " + entry->progId + " has no class identifier; nothing registered");
        const std::string clsid = "CLSID/" + std::string(*id) + "/";
        after.set("ProgID/" + entry->progId + "/CLSID", std::string(*id));
        after.set(clsid + "ProgID", entry->progId);
        after.set(clsid + "InprocServer", file);
        after.set(clsid + "TypeLib", std::string(libraryId));
    }
    store(path, before, after);
}

void unregisterServer()
{
    const std::string path = pathOfRegistry();
    // No folder, no registry, nothing to remove; and nothing is created for it.
    if (::access(folderOf(path).c_str(), F_OK) != 0 && errno == ENOENT)
        return;
    const FolderLock lock(folderOf(path));
    const Registry before = current(path);
    Registry after = before;
    // Every identifier the library has ever published, so that entries of classes missing
    // from this build go too; they are all ours, nothing of another component's.
    after.removeUnder("TypeLib/" + std::string(libraryId) + "/");
    for (const ClassId& c : classIds) {
        after.removeUnder("ProgID/" + progIdOf(c.className) + "/");
        after.removeUnder("CLSID/" + std::string(c.id) + "/");
    }
    store(path, before, after);
}

void replaceFile(const std::string& path, const std::string& text)
{
    const std::string folder = folderOf(path);
    makeFolders(folder);
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        fail("cannot write beside " + path);
    auto abandon = [&](const std::string& what) {
        const int why = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = why;
        fail(what);
    };
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            abandon("cannot write " + temporary);
        }
        written += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file 0600; the registry is the user's, readable as any data file.
    if (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0)
        abandon("cannot write " + temporary);
    if (::close(fd) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        errno = why;
        fail("cannot write " + temporary);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        errno = why;
        fail("cannot replace " + path);
    }
    // The rename is durable once the folder's entry is on disk.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace ZarvLinesParm::frame::component
