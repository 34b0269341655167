// zarvlinesparm: a host for the parameter classes on the command line. It lists them, describes
// their members, and runs a class's dialog the way a charting host does: create it by name, set
// values, Start, read every getter back.

#include "Arguments.h"
#include "Assignments.h"
#include "DialogDriver.h"
#include "Display.h"
#include "Gallery.h"
#include "Json.h"
#include "Output.h"

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
using ZarvLinesParm::Variant;

constexpr std::string_view progIdPrefix = "ZarvLinesParm.";

/// The canonical ProgID for `name`, which may leave out the prefix and ignore letter case.
/// A name the library does not publish is returned with the prefix, for the library to refuse.
std::string progIdOf(std::string_view name)
{
    std::string progId(name);
    if (progId.size() < progIdPrefix.size()
        || !sameName(std::string_view(progId).substr(0, progIdPrefix.size()), progIdPrefix))
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

/// The library's own description of the class, the one a binding reads through the C interface.
int describe(const std::string& className)
{
    char* text = nullptr;
    if (zlp_describe(progIdOf(className).c_str(), &text) != ZLP_OK)
        throw ZarvLinesParm::Error(zlp_last_error_number(), zlp_last_error_detail());
    const std::unique_ptr<char, decltype(&zlp_free)> json(text, &zlp_free);
    std::cout << json.get() << '\n';
    return 0;
}

/// Every getter, "Member" or "Member(i)" for each index, in declaration order.
std::string outcome(ZarvLinesParm::Object& object, const std::vector<MemberInfo>& members)
{
    Json json = Json::object();
    for (const MemberInfo& m : members) {
        if (m.kind != MemberInfo::Kind::Property)
            continue;
        if (!m.index) {
            json[m.name] = toJson(object.invoke(m.name, Invoke::Get, {}));
            continue;
        }
        for (int i = m.index->first; i <= m.index->second; ++i) {
            const Variant value = object.invoke(m.name, Invoke::Get, {Variant(static_cast<std::int16_t>(i))});
            json[m.name + "(" + std::to_string(i) + ")"] = toJson(value);
        }
    }
    return jsonText(json, false);
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

int run(int argc, char** argv)
{
    try {
        const Command command = parseArguments(argc, argv);
        switch (command.kind) {
        case Command::Kind::Usage: std::cerr << usage(); return 2;
        case Command::Kind::Help: std::cout << command.help; return 0;
        case Command::Kind::List: return list();
        case Command::Kind::Describe: return describe(command.className);
        case Command::Kind::Show: return show(command.show);
        case Command::Kind::Gallery: return gallery(command.directory, argv[0]);
        case Command::Kind::Register: return enter(true);
        case Command::Kind::Unregister: return enter(false);
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

} // namespace

int main(int argc, char** argv)
{
    const int status = run(argc, argv);
    // Output that never arrived (a full disk, a closed pipe) is no success.
    if (const std::optional<std::string> lost = closeStandardOutput()) {
        std::cerr << "zarvlinesparm: cannot write the output: " << *lost << '\n';
        return status != 0 ? status : 1;
    }
    return status;
}
