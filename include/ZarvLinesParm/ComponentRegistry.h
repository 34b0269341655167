#pragma once

// The per-user component registry: where in-process components are entered by name, so that a
// host can find, load and create them at run time without linking them. Header-only: the
// library writes it (DllRegisterServer), hosts read it without linking anything.
//
// Place: $XDG_DATA_HOME/components/registry.tsv, or ~/.local/share/components/registry.tsv
// when XDG_DATA_HOME is unset, empty or relative.
//
// Format: UTF-8 text, one entry a line, a key and a value separated by one tab. The first line
// is the format line below; lines starting with "#" and blank lines are comments, kept as they
// are. A key is a path of "/"-separated parts; a value escapes backslash, tab and line feed as
// "\\", "\t" and "\n". No key appears twice. Per component:
//
//   ProgID/<progId>/CLSID         the class identifier, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
//   CLSID/<classId>/ProgID        the ProgID
//   CLSID/<classId>/InprocServer  the absolute path of the library file to load
//   CLSID/<classId>/TypeLib       the identifier of the library's description
//   TypeLib/<libId>/Description   the library's description
//   TypeLib/<libId>/Version       the library's file version
//   TypeLib/<libId>/Path          the library file again
//
// Writers hold an exclusive flock() on the registry's folder from reading the file to replacing
// it, and replace it as a whole through a temporary file and a rename, so a reader (who needs no
// lock) sees the old registry or the new one, never half of one. A registry.tsv that is a link
// is written through to its target; the file keeps its mode, owner and group.
//
// Only a regular file of at most maxFileSize bytes is read: a registry that is a FIFO, a device
// or larger is refused before a byte of it is read.

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ZarvLinesParm::registry {

inline constexpr std::string_view formatLine = "# component registry, format 1";

/// The largest registry read: 32 MiB, some 300,000 entries of the usual length. A component
/// registry holds a few lines per component; anything near this size is not one.
inline constexpr std::size_t maxFileSize = std::size_t{32} << 20;

/// The registry cannot be read or parsed; the text says which file and why.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The registry file of the user running this process.
inline std::string registryPath()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome && dataHome[0] == '/') {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/')
            throw RegistryError("the component registry has no place: neither XDG_DATA_HOME nor HOME is an absolute path");
        base = std::string(home) + "/.local/share";
    }
    return base + "/components/registry.tsv";
}

/// One line of the file: an entry, or a comment kept verbatim (`key` empty).
struct Line {
    std::string key;
    std::string value;
    std::string comment;
};

inline std::string escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

inline std::optional<std::string> unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

/// The whole of the regular file at `path`, at most `limit` bytes; nullopt when there is no
/// such file. Anything else (a FIFO, a device, a folder, a larger file) throws RegistryError
/// naming `what` before a byte is read: opening does not wait for a FIFO's writer. The
/// registry's own reader, fit for any small file a host reads whole.
inline std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, const std::string& what)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw RegistryError(what + " cannot be read: " + std::strerror(errno));
    }
    const struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw RegistryError(what + " cannot be read: " + std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        throw RegistryError(what + " is not a regular file");
    const std::string tooLarge = what + " is larger than " + std::to_string(limit >> 20) + " MiB, the most it may be";
    if (static_cast<unsigned long long>(st.st_size) > limit)
        throw RegistryError(tooLarge);
    // The size may change while it is read; never more than the limit and one byte to tell.
    std::string text(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == text.size()) {
            if (text.size() > limit)
                throw RegistryError(tooLarge);
            text.resize(std::min(limit + 1, 2 * text.size()));
        }
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw RegistryError(what + " cannot be read: " + std::strerror(errno));
        }
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    return text;
}

/// The registry's lines, in file order, with an index by key.
class Registry {
public:
    /// Parses the text of a registry file; `source` names it in errors. Empty text is an empty
    /// registry.
    static Registry parse(std::string_view text, const std::string& source)
    {
        Registry r;
        if (text.empty())
            return r;
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        r.lines_.reserve(lines);
        r.index_.reserve(lines);
        std::size_t number = 0;
        auto corrupt = [&](const std::string& why) {
            return RegistryError("the component registry " + source + " is corrupt at line " +
                                 std::to_string(number) + ": " + why);
        };
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            const std::string_view line = text.substr(start, end - start);
            ++number;
            if (end == std::string_view::npos)
                throw corrupt("the line is cut short (it has no line feed at its end)");
            start = end + 1;
            if (number == 1) {
                if (line != formatLine)
                    throw corrupt("not a component registry (the first line is not \"" + std::string(formatLine) + "\")");
                continue;
            }
            if (line.find('\0') != std::string_view::npos)
                throw corrupt("a NUL character");
            if (line.empty() || line.front() == '#') {
                r.lines_.push_back({{}, {}, std::string(line)});
                continue;
            }
            const std::size_t tab = line.find('\t');
            if (tab == std::string_view::npos || tab == 0)
                throw corrupt("no key and tab-separated value");
            const std::string_view key = line.substr(0, tab);
            std::optional<std::string> value = unescape(line.substr(tab + 1));
            if (!value || line.find('\t', tab + 1) != std::string_view::npos)
                throw corrupt("a value with a bad escape or a second tab");
            if (!r.index_.emplace(key, r.lines_.size()).second)
                throw corrupt("the key " + std::string(key) + " appears twice");
            r.lines_.push_back({std::string(key), std::move(*value), {}});
        }
        return r;
    }

    /// Reads the file at `path`; a missing file is an empty registry.
    static Registry load(const std::string& path)
    {
        const std::optional<std::string> text = readRegularFile(path, maxFileSize, "the component registry " + path);
        return text ? parse(*text, path) : Registry();
    }

    /// The file's text, format line first.
    std::string text() const
    {
        std::string out(formatLine);
        out += '\n';
        for (const Line& l : lines_) {
            if (l.key.empty()) {
                out += l.comment;
            } else {
                out += l.key;
                out += '\t';
                out += escape(l.value);
            }
            out += '\n';
        }
        return out;
    }

    const std::string* find(std::string_view key) const
    {
        const auto it = index_.find(key);
        return it == index_.end() ? nullptr : &lines_[it->second].value;
    }

    /// The line of the file that holds `key` (the format line is line 1), as parsed; 0 when
    /// there is no such entry.
    std::size_t lineOf(std::string_view key) const
    {
        const auto it = index_.find(key);
        return it == index_.end() ? 0 : it->second + 2;
    }

    /// Sets `key`, where it stands if it is there already, else at the end; true when that
    /// changed anything.
    bool set(const std::string& key, const std::string& value)
    {
        if (const auto it = index_.find(key); it != index_.end()) {
            std::string& old = lines_[it->second].value;
            if (old == value)
                return false;
            old = value;
            return true;
        }
        index_.emplace(key, lines_.size());
        lines_.push_back({key, value, {}});
        return true;
    }

    /// Removes every entry whose key starts with one of `prefixes`; true when there was one.
    bool removeUnder(const std::vector<std::string>& prefixes)
    {
        // Where each line moves to, or npos for those that go; the index follows without rehashing.
        constexpr std::size_t gone = std::string::npos;
        std::vector<std::size_t> moved(lines_.size());
        std::size_t kept = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string& key = lines_[i].key;
            const bool goes = !key.empty() && std::ranges::any_of(prefixes, [&](const std::string& p) { return key.starts_with(p); });
            moved[i] = goes ? gone : kept++;
            if (!goes && moved[i] != i)
                lines_[moved[i]] = std::move(lines_[i]);
        }
        if (kept == lines_.size())
            return false;
        lines_.resize(kept);
        std::erase_if(index_, [&](const auto& entry) { return moved[entry.second] == gone; });
        for (auto& [key, at] : index_)
            at = moved[at];
        return true;
    }

    const std::vector<Line>& lines() const { return lines_; }

private:
    // Lets the index be searched with a string_view, without making a string of it.
    struct KeyHash : std::hash<std::string_view> {
        using is_transparent = void;
    };

    std::vector<Line> lines_;
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> index_;
};

} // namespace ZarvLinesParm::registry
