// Each class's members as JSON text, for bindings that learn a class at run time. The one writer
// of that text: `zarvlinesparm describe` prints what zlp_describe hands out.
//
// Written here rather than through a JSON library: the library links none, the text has one
// fixed shape, and its strings are names the library itself declares. Laid out as a reader
// wants it (and as the command-line program always printed it): one value a line, two spaces an
// indent, the keys of a member in the order name, kind, type or arguments, index.

#include "frame/ClassRegistry.h"
#include "frame/component/Component.h"

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Types.h>

#include <cstdio>
#include <string>
#include <vector>

namespace ZarvLinesParm::frame::component {
namespace {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// An array of scalars, one a line, its closing bracket at `indent`.
std::string array(const std::vector<std::string>& items, const std::string& indent)
{
    if (items.empty())
        return "[]";
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\n" : "\n") + indent + "  " + items[i];
    return out + "\n" + indent + "]";
}

std::string member(const MemberInfo& info)
{
    const std::string indent = "      ";
    std::string out = "    {\n" + indent + "\"name\": " + quoted(info.name) + ",\n" + indent;
    if (info.kind == MemberInfo::Kind::Property) {
        out += "\"kind\": \"property\",\n" + indent + "\"type\": " + quoted(typeName(info.type));
        if (info.index)
            out += ",\n" + indent + "\"index\": "
                + array({std::to_string(info.index->first), std::to_string(info.index->second)}, indent);
    } else {
        std::vector<std::string> types;
        for (const ValueType t : info.arguments)
            types.push_back(quoted(typeName(t)));
        out += "\"kind\": \"method\",\n" + indent + "\"arguments\": " + array(types, indent);
    }
    return out + "\n    }";
}

} // namespace

std::string describeJson(std::string_view progId)
{
    const ClassEntry* entry = findClass(progId);
    if (!entry)
        throw Error(429, std::string(progId));
    std::string members;
    for (const Member& m : *entry->members)
        members += (members.empty() ? "\n" : ",\n") + member(m.info);
    return "{\n  \"class\": " + quoted(entry->progId) + ",\n  \"members\": [" + members
        + (members.empty() ? "]" : "\n  ]") + "\n}";
}

} // namespace ZarvLinesParm::frame::component
