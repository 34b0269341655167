// zarvlinesparm: a host for the parameter classes on the command line. It lists them, describes
// their members, and runs a class's dialog the way a charting host does: create it by name, set
// values, Start, read every getter back.

#include "Arguments.h"
#include "Assignments.h"
#include "DialogDriver.h"
#include "Display.h"
#include "Gallery.h"
#include "JsonWriter.h"

#include <ZarvLinesParm/ComponentRegistry.h>
#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace zarvcli;
using ZarvLinesParm::Invoke;
using ZarvLinesParm::MemberInfo;
using ZarvLinesParm::ValueType;
using ZarvLinesParm::Variant;

constexpr std::string_view progIdPrefix = "ZarvLinesParm.";

/// The canonical ProgID for `name`, which may leave out the prefix and ignore letter case.
/// A name the library does not publish is returned with the prefix, for the library to refuse.
std::string progIdOf(std::string_view name)
{
    std::string progId(name);
    if (progId.size() < progIdPrefix.size() || !sameName(std::string_view(progId).substr(0, progIdPrefix.size()), progIdPrefix))
        progId = std::string(progIdPrefix) + progId;
    for (const std::string& known : ZarvLinesParm::ProgIds()) {
        if (sameName(known, progId))
            return known;
    }
    return progId;
}

int list()
{
    for (const std::string& progId : ZarvLinesParm::ProgIds())
        std::cout << progId << '\n';
    return 0;
}

/// Runs DllRegisterServer or DllUnregisterServer and says where the registry is.
int enter(bool add)
{
    const zlp_status status = add ? DllRegisterServer() : DllUnregisterServer();
    if (status != ZLP_OK) {
        std::cerr << "zarvlinesparm: error " << status << ": " << zlp_last_error_text();
        if (*zlp_last_error_detail())
            std::cerr << ": " << zlp_last_error_detail();
        std::cerr << '\n';
        return 1;
    }
    std::cout << (add ? "registered in " : "unregistered from ") << ZarvLinesParm::registry::registryPath() << '\n';
    return 0;
}

int describe(const std::string& className)
{
    const std::string progId = progIdOf(className);
    const std::vector<MemberInfo> members = ZarvLinesParm::Describe(progId);
    JsonWriter json(JsonWriter::Layout::Indented);
    json.beginObject().key("class").value(progId).key("members").beginArray();
    for (const MemberInfo& m : members) {
        json.beginObject().key("name").value(m.name);
        if (m.kind == MemberInfo::Kind::Property) {
            json.key("kind").value("property").key("type").value(ZarvLinesParm::typeName(m.type));
            if (m.index) {
                json.key("index").beginArray().value(std::int64_t{m.index->first}).value(std::int64_t{m.index->second})
                    .endArray();
            }
        } else {
            json.key("kind").value("method").key("arguments").beginArray();
            for (const ValueType t : m.arguments)
                json.value(ZarvLinesParm::typeName(t));
            json.endArray();
        }
        json.endObject();
    }
    json.endArray().endObject();
    std::cout << json.text() << '\n';
    return 0;
}

/// Every getter, "Member" or "Member(i)" for each index, in declaration order.
std::string outcome(ZarvLinesParm::Object& object, const std::vector<MemberInfo>& members)
{
    JsonWriter json(JsonWriter::Layout::Compact);
    json.beginObject();
    for (const MemberInfo& m : members) {
        if (m.kind != MemberInfo::Kind::Property)
            continue;
        if (!m.index) {
            json.key(m.name).value(object.invoke(m.name, Invoke::Get, {}));
            continue;
        }
        for (int i = m.index->first; i <= m.index->second; ++i) {
            const Variant value = object.invoke(m.name, Invoke::Get, {Variant(static_cast<std::int16_t>(i))});
            json.key(m.name + "(" + std::to_string(i) + ")").value(value);
        }
    }
    json.endObject();
    return json.text();
}

int show(const ShowOptions& options)
{
    if (!options.press && windowsUnseen())
        throw ArgumentError("show: no display: nobody could answer the dialog; use --press");

    const std::string progId = progIdOf(options.className);
    const std::vector<MemberInfo> members = ZarvLinesParm::Describe(progId);
    const std::vector<Assignment> assignments = assignmentsFor(options, members);
    const std::vector<Variant> startArgs = startArguments(members, options);

    const std::unique_ptr<ZarvLinesParm::Object> object = ZarvLinesParm::CreateObject(progId);
    for (const Assignment& a : assignments)
        a.applyTo(*object);

    // The library makes the application in Start, and fails with error 68 where it cannot.
    selectPlatform();
    quietOffscreenNotes();
    {
        DialogDriver driver({options.screenshot, options.press});
        object->invoke("Start", Invoke::Method, startArgs);
        if (driver.failure()) {
            std::cerr << "zarvlinesparm: " << *driver.failure() << '\n';
            return 1;
        }
    }
    std::cout << outcome(*object, members) << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const Command command = parseArguments(std::vector<std::string_view>(argv + 1, argv + argc));
        switch (command.kind) {
        case Command::Kind::Usage:
            std::cerr << usage();
            return 2;
        case Command::Kind::Help:
            std::cout << usage();
            return 0;
        case Command::Kind::List:
            return list();
        case Command::Kind::Describe:
            return describe(command.className);
        case Command::Kind::Show:
            return show(command.show);
        case Command::Kind::Gallery:
            return gallery(command.directory, argv[0]);
        case Command::Kind::Register:
            return enter(true);
        case Command::Kind::Unregister:
            return enter(false);
        }
    } catch (const ArgumentError& e) {
        std::cerr << "zarvlinesparm: " << e.what() << '\n';
        return 2;
    } catch (const ZarvLinesParm::Error& e) {
        std::cerr << "zarvlinesparm: error " << e.number() << ": " << e.what();
        if (*e.detail())
            std::cerr << ": " << e.detail();
        std::cerr << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "zarvlinesparm: " << e.what() << '\n';
        return 1;
    }
    return 1;
}
