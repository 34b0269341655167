#include "frame/component/Component.h"

#include "frame/ClassRegistry.h"
#include "frame/Names.h"

#include <ZarvLinesParm/ComponentRegistry.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ZarvLinesParm::frame::component {
namespace {

using registry::Registry;
using registry::RegistryError;

[[noreturn]] void fail(const std::string& what) { throw Error(75, what + ": " + std::strerror(errno)); }

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

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

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// A writer's temporary file is "<registry>.tmp.<pid>.XXXXXX" beside the file it replaces, so
// that one a dead writer left can be told from anything a user keeps there.
std::string temporaryPrefix(const std::string& target) { return nameOf(target) + ".tmp."; }

// The pid in a temporary file's name, when `name` is one.
std::optional<pid_t> writerOf(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix))
        return std::nullopt;
    name.remove_prefix(prefix.size());
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    const std::string_view rest(end, static_cast<std::size_t>(name.data() + name.size() - end));
    if (ec != std::errc() || pid <= 0 || rest.size() != 7 || rest.front() != '.')
        return std::nullopt;
    return pid;
}

// Removes the temporary files of writers that died before renaming them. Called under the
// folder's lock, so no live writer of this registry is between making one and renaming it; a
// writer that still runs (a registry reached through another folder's link) keeps its own.
void removeStaleTemporaries(const std::string& target)
{
    const std::string folder = folderOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = temporaryPrefix(target);
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<pid_t> writer = writerOf(entry->d_name, prefix);
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH)
            ::unlink((folder + '/' + entry->d_name).c_str());
    }
    ::closedir(dir);
}

// The file the registry's path names: a link's target, so that writing through the link keeps
// it. A link to nowhere is refused rather than guessed at.
std::string targetOf(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    struct stat st {};
    if (errno == ENOENT && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        errno = ENOENT;
        fail("the component registry " + path + " is a link to a missing file");
    }
    if (errno != ENOENT)
        fail("cannot resolve " + path);
    return path;
}

} // namespace

int writeAll(int fd, std::string_view text)
{
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return {};
}

namespace {

// Replaces `target` with `text` so that a reader, or a crash, sees the old file or the new one
// and never a mixture: a temporary file beside it, flushed to disk, then renamed over it. The
// new file keeps the old one's mode, owner and group.
void writeWhole(const std::string& target, const std::string& text)
{
    const std::string folder = folderOf(target);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    std::string temporary = folder + '/' + temporaryPrefix(target) + std::to_string(::getpid()) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        fail("cannot write beside " + target);
    auto abandon = [&](const std::string& what) {
        const int why = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = why;
        fail(what);
    };
    if (const int why = writeAll(fd, text)) {
        errno = why;
        abandon("cannot write " + temporary);
    }
    struct stat made {};
    if (::fstat(fd, &made) != 0)
        abandon("cannot write " + temporary);
    if (existed && (made.st_uid != old.st_uid || made.st_gid != old.st_gid)
        && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        abandon("cannot give the new " + target + " the owner and group of the old");
    // mkstemp makes the file 0600; a new registry is readable as any data file.
    if (::fchmod(fd, existed ? old.st_mode & 07777 : 0644) != 0 || ::fsync(fd) != 0)
        abandon("cannot write " + temporary);
    if (::close(fd) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        errno = why;
        fail("cannot write " + temporary);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        errno = why;
        fail("cannot replace " + target);
    }
    // The rename is durable once the folder's entry is on disk.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Changes the registry at `path` under its folder's lock: `edit` returns whether it changed
// anything, and only then is the file written (registering twice does not even touch it).
template <class Edit>
void change(const std::string& path, Edit edit)
{
    const FolderLock lock(folderOf(path));
    const std::string target = targetOf(path);
    removeStaleTemporaries(target);
    Registry r = current(path);
    if (edit(r))
        writeWhole(target, r.text());
}

} // namespace

std::optional<std::string> progIdOfClassId(std::string_view classId)
{
    const std::string wanted = stripBraces(classId);
    for (const ClassEntry* entry : allClasses())
        if (sameName(stripBraces(entry->classId), wanted))
            return entry->progId;
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
    change(path, [](Registry& r) {
        const std::string file = libraryFile();
        const std::string lib = "TypeLib/" + std::string(libraryId) + "/";
        bool changed = r.set(lib + "Description", std::string(Description));
        changed |= r.set(lib + "Version", std::string(FileVersion));
        changed |= r.set(lib + "Path", file);
        for (const ClassEntry* entry : allClasses()) {
            const std::string clsid = "CLSID/" + entry->classId + "/";
            changed |= r.set("ProgID/" + entry->progId + "/CLSID", entry->classId);
            changed |= r.set(clsid + "ProgID", entry->progId);
            changed |= r.set(clsid + "InprocServer", file);
            changed |= r.set(clsid + "TypeLib", std::string(libraryId));
        }
        return changed;
    });
}

void unregisterServer()
{
    const std::string path = pathOfRegistry();
    // No folder, no registry, nothing to remove; and nothing is created for it.
    if (::access(folderOf(path).c_str(), F_OK) != 0 && errno == ENOENT)
        return;
    change(path, [](Registry& r) {
        // Exactly what registering enters; nothing of another component's.
        std::vector<std::string> ours{"TypeLib/" + std::string(libraryId) + "/"};
        for (const ClassEntry* entry : allClasses()) {
            ours.push_back("ProgID/" + entry->progId + "/");
            ours.push_back("CLSID/" + entry->classId + "/");
        }
        return r.removeUnder(ours);
    });
}

} // namespace ZarvLinesParm::frame::component
