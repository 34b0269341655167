#include "Assignments.h"

#include "Json.h"

#include <ZarvLinesParm/ComponentRegistry.h>

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace zarvcli {

using ZarvLinesParm::MemberInfo;
using ZarvLinesParm::ValueType;
using ZarvLinesParm::Variant;

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

/// Where an assignment came from, for messages: "--set Fill=x" or "--json-in f.json".
struct Origin {
    std::string text;
    [[noreturn]] void fail(const std::string& why) const { throw ArgumentError(text + ": " + why); }
};

const MemberInfo& propertyNamed(const std::vector<MemberInfo>& members, const std::string& name, const Origin& origin)
{
    const MemberInfo* m = findMember(members, name);
    if (!m)
        origin.fail("the class has no member " + name);
    if (m->kind != MemberInfo::Kind::Property)
        origin.fail(m->name + " is a method, not a property");
    return *m;
}

Variant numberFrom(std::string_view text, const MemberInfo& member, const Origin& origin)
{
    const std::optional<double> number = parseNumber(text);
    if (!number)
        origin.fail(member.name + " holds a number; \"" + std::string(text) + "\" is not one");
    return *number;
}

Assignment fromSet(std::string_view set, const std::vector<MemberInfo>& members)
{
    const Origin origin{"--set " + std::string(set)};
    const auto eq = set.find('=');
    const std::optional<Target> target = parseTarget(set.substr(0, eq)); // checked when parsed
    const std::string_view text = set.substr(eq + 1);
    const MemberInfo& member = propertyNamed(members, target->name, origin);
    Variant value = member.type == ValueType::String ? Variant(std::string(text)) : numberFrom(text, member, origin);
    return {member.name, target->index, std::move(value)};
}

/// The most --json-in reads: far more than any class's members take, and a bound on what a
/// device or a runaway pipe can make this program hold.
constexpr std::size_t maxJsonSize = std::size_t{1} << 20;

std::string readSource(const std::string& source, const Origin& origin)
{
    if (source != "-") {
        std::optional<std::string> text;
        try {
            // Only a regular file, so that a FIFO or a device is refused before it is read.
            text = ZarvLinesParm::registry::readRegularFile(source, maxJsonSize, origin.text);
        } catch (const ZarvLinesParm::registry::RegistryError& e) {
            throw ArgumentError(e.what());
        }
        if (!text)
            origin.fail("no such file");
        return *text;
    }
    std::string text(maxJsonSize + 1, '\0');
    std::cin.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (std::cin.bad())
        origin.fail("cannot read standard input");
    text.resize(static_cast<std::size_t>(std::cin.gcount()));
    if (text.size() > maxJsonSize)
        origin.fail("more than 1 MiB on standard input");
    return text;
}

Json readJsonObject(const std::string& source, const Origin& origin)
{
    Json document;
    try {
        document = Json::parse(readSource(source, origin));
    } catch (const Json::parse_error& e) {
        // Its text without the library's "[json.exception.parse_error.101] " tag.
        const std::string_view why = e.what();
        origin.fail("not JSON: " + std::string(why.substr(why.find(']') + 2)));
    }
    if (!document.is_object())
        origin.fail("expected a JSON object of \"Member\" or \"Member(i)\" keys");
    return document;
}

std::vector<Assignment> fromJson(const std::string& source, const std::vector<MemberInfo>& members)
{
    const Origin origin{"--json-in " + source};
    std::vector<Assignment> out;
    const Json object = readJsonObject(source, origin);
    for (const auto& [key, v] : object.items()) {
        const std::optional<Target> target = parseTarget(key);
        if (!target)
            origin.fail("key \"" + key + "\" is not Member or Member(i)");
        const MemberInfo& member = propertyNamed(members, target->name, origin);
        Variant value;
        if (v.is_number())
            value = v.get<double>();
        else if (v.is_string() && member.type == ValueType::String)
            value = v.get<std::string>();
        else if (v.is_string())
            value = numberFrom(v.get<std::string>(), member, origin);
        else if (!v.is_null())
            origin.fail("the value of \"" + key + "\" is neither a number nor a string");
        out.push_back({member.name, target->index, std::move(value)});
    }
    return out;
}

} // namespace

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return lower(x) == lower(y); });
}

const MemberInfo* findMember(const std::vector<MemberInfo>& members, std::string_view name)
{
    const auto it = std::ranges::find_if(members, [&](const MemberInfo& m) { return sameName(m.name, name); });
    return it == members.end() ? nullptr : &*it;
}

void Assignment::applyTo(ZarvLinesParm::Object& object) const
{
    std::vector<Variant> args;
    if (index)
        args.emplace_back(static_cast<double>(*index));
    args.push_back(value);
    object.invoke(member, ZarvLinesParm::Invoke::Let, args);
}

std::vector<Assignment> assignmentsFor(const ShowOptions& show, const std::vector<MemberInfo>& members)
{
    std::vector<Assignment> out;
    if (show.jsonIn)
        out = fromJson(*show.jsonIn, members);
    for (const std::string& set : show.sets)
        out.push_back(fromSet(set, members));
    return out;
}

std::vector<ZarvLinesParm::Variant> startArguments(const std::vector<ZarvLinesParm::MemberInfo>& members,
                                                   const ShowOptions& show)
{
    const ZarvLinesParm::MemberInfo* start = findMember(members, "Start");
    if (!start || start->kind != ZarvLinesParm::MemberInfo::Kind::Method)
        return {show.fdef}; // the library reports what is wrong with that
    std::vector<ZarvLinesParm::Variant> args;
    bool haveFdef = false;
    bool haveCaption = false;
    for (const ZarvLinesParm::ValueType t : start->arguments) {
        if (t != ZarvLinesParm::ValueType::String && !haveFdef) {
            args.emplace_back(show.fdef);
            haveFdef = true;
        } else if (t == ZarvLinesParm::ValueType::String && !haveCaption) {
            args.emplace_back(show.caption);
            haveCaption = true;
        } else {
            throw std::runtime_error("Start's arguments are not FDef and a caption; this program cannot call it");
        }
    }
    return args;
}

} // namespace zarvcli
