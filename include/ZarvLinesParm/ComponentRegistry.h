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
// lock) sees the old registry or the new one, never half of one.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ZarvLinesParm::registry {

inline constexpr std::string_view formatLine = "# component registry, format 1";

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

/// The registry's lines, in file order.
class Registry {
public:
    /// Parses the text of a registry file; `source` names it in errors. Empty text is an empty
    /// registry.
    static Registry parse(std::string_view text, const std::string& source)
    {
        Registry r;
        if (text.empty())
            return r;
        std::size_t number = 0;
        auto corrupt = [&](const std::string& why) {
            return RegistryError("the component registry " + source + " is corrupt at line " +
                                 std::to_string(number) + ": " + why);
        };
        if (text.back() != '\n')
            throw corrupt("the last line is cut short");
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            const std::string_view line = text.substr(start, end - start);
            start = end + 1;
            ++number;
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
            const std::optional<std::string> value = unescape(line.substr(tab + 1));
            if (!value || line.find('\t', tab + 1) != std::string_view::npos)
                throw corrupt("a value with a bad escape or a second tab");
            if (r.find(key))
                throw corrupt("the key " + std::string(key) + " appears twice");
            r.lines_.push_back({std::string(key), *value, {}});
        }
        return r;
    }

    /// Reads the file at `path`; a missing file is an empty registry.
    static Registry load(const std::string& path)
    {
        errno = 0;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) {
            if (errno == ENOENT)
                return {};
            throw RegistryError("the component registry " + path + " cannot be read: " + std::strerror(errno));
        }
        std::string text;
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        const bool failed = std::ferror(file);
        const int why = errno;
        std::fclose(file);
        if (failed)
            throw RegistryError("the component registry " + path + " cannot be read: " + std::strerror(why));
        return parse(text, path);
    }

    /// The file's text, format line first.
    std::string text() const
    {
        std::string out(formatLine);
        out += '\n';
        for (const Line& l : lines_)
            out += (l.key.empty() ? l.comment : l.key + '\t' + escape(l.value)) + '\n';
        return out;
    }

    const std::string* find(std::string_view key) const
    {
        for (const Line& l : lines_)
            if (!l.key.empty() && l.key == key)
                return &l.value;
        return nullptr;
    }

    /// Sets `key`, where it stands if it is there already, else at the end.
    void set(const std::string& key, const std::string& value)
    {
        for (Line& l : lines_)
            if (l.key == key) {
                l.value = value;
                return;
            }
        lines_.push_back({key, value, {}});
    }

    /// Removes every entry whose key starts with `prefix`; true when there was one.
    bool removeUnder(std::string_view prefix)
    {
        const auto before = lines_.size();
        std::erase_if(lines_, [&](const Line& l) { return !l.key.empty() && l.key.starts_with(prefix); });
        return lines_.size() != before;
    }

    const std::vector<Line>& lines() const { return lines_; }

private:
    std::vector<Line> lines_;
};

} // namespace ZarvLinesParm::registry
