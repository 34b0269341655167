#include "frame/ClassRegistry.h"
#include "frame/Names.h"

#include <ZarvLinesParm/Describe.h>

#include <algorithm>
#include <deque>

namespace ZarvLinesParm::frame {
namespace {

// A deque keeps entries where they are as more arrive, so pointers handed out stay valid.
std::deque<ClassEntry>& table()
{
    static std::deque<ClassEntry> entries;
    return entries;
}

} // namespace

const ClassEntry& registerClass(ClassEntry entry) { return table().emplace_back(std::move(entry)); }

const ClassEntry* findClass(std::string_view progId)
{
    for (const ClassEntry& e : table())
        if (sameName(e.progId, progId))
            return &e;
    return nullptr;
}

std::vector<const ClassEntry*> allClasses()
{
    std::vector<const ClassEntry*> out;
    for (const ClassEntry& e : table())
        out.push_back(&e);
    std::sort(out.begin(), out.end(),
              [](const ClassEntry* a, const ClassEntry* b) { return nameBefore(a->progId, b->progId); });
    return out;
}

std::string progIdOf(std::string_view className) { return std::string(libraryName) + "." + std::string(className); }

} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm {

std::unique_ptr<Object> CreateObject(std::string_view progId)
{
    const frame::ClassEntry* entry = frame::findClass(progId);
    if (!entry)
        throw Error(429, std::string(progId));
    return entry->create();
}

std::vector<std::string> ProgIds()
{
    std::vector<std::string> out;
    for (const frame::ClassEntry* e : frame::allClasses())
        out.push_back(e->progId);
    return out;
}

std::vector<MemberInfo> Describe(std::string_view progId)
{
    const frame::ClassEntry* entry = frame::findClass(progId);
    if (!entry)
        throw Error(429, std::string(progId));
    std::vector<MemberInfo> out;
    for (const frame::Member& m : *entry->members)
        out.push_back(m.info);
    return out;
}

std::string_view typeName(ValueType type)
{
    switch (type) {
    case ValueType::Int16: return "Int16";
    case ValueType::Int32: return "Int32";
    case ValueType::Float: return "Float";
    case ValueType::String: return "String";
    }
    return "?";
}

} // namespace ZarvLinesParm
