#pragma once

// The library as an in-process component: the class identifiers it publishes under, the
// registration that enters them in the per-user component registry, and the description of each
// class that a binding in another language learns it from.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ZarvLinesParm::frame::component {

struct ClassId {
    std::string_view className;
    std::string_view id;
};

// Fixed for good: hosts may have stored them. Every class the library will publish has its
// identifier here, also while its code is not part of the build; only classes in the class
// table are registered or created.
inline constexpr std::array<ClassId, 12> classIds{{
    {"RetracementParmClass", "{C8569CD9-CC65-40F1-9A0A-BC2965D8238A}"},
    {"ZarvArcsParmClass", "{4BE56B9B-AF40-4E9A-8CEB-3EB04B96ACCE}"},
    {"ZarvRangerParmClass", "{6ACCECC7-A4A7-4B2A-806D-914D61E61B24}"},
    {"ZarvExpParmClass", "{AE01A118-85B6-464B-A5AB-0280B30BD0C3}"},
    {"zarvFanParmClass", "{D86272E1-CD0C-45E8-B220-2232260DCB92}"},
    {"ZarvForkParmClass", "{09CAF74F-DAA2-4B22-A75B-F6EB32EE9DDA}"},
    {"ZarvDravelPArmClass", "{0256CAB5-02BC-43F5-A591-03057242E0E8}"},
    {"GannSQ9ParmClass", "{A21F6E1B-AABC-4D54-BFC8-C45380B764DF}"},
    {"ZarvGannParmClass", "{AF79F937-8D64-4696-A380-B479E77A0ABD}"},
    {"GannFanParmClass", "{9C00F6C9-DD3E-4415-A23E-D39E6CAC1B3C}"},
    {"ZarvLeastSquareClass", "{B09E6DAD-5911-48CC-82E9-6182C19CDC91}"},
    {"CircleElipseCls", "{7EFD7251-C3D8-44CC-9131-7A807D4BBC0D}"},
}};

/// The identifier of the library's description (its name, description, version and file).
inline constexpr std::string_view libraryId = "{6E7E106A-26C8-4417-B8E2-7581ADE4E4AA}";

/// The class identifier of the class whose ProgID is `progId` (letter case ignored).
std::optional<std::string_view> classIdOfProgId(std::string_view progId);

/// The ProgID of the class published under `classId` ("{...}" or without braces, letter case
/// ignored); nullopt for identifiers that are not ours or classes not in this build.
std::optional<std::string> progIdOfClassId(std::string_view classId);

/// The members of the class named `progId` as the JSON text that zlp_describe hands out and
/// `zarvlinesparm describe` prints; unknown names fail with error 429.
std::string describeJson(std::string_view progId);

/// The absolute path of the file that holds the library's code.
std::string libraryFile();

/// Writes all of `text` to `fd`, carrying on after a short write or an interrupting signal;
/// 0, or the errno of the write that failed (a full disk, say).
int writeAll(int fd, std::string_view text);

/// Enter and remove the library's entries; a registry that cannot be read, parsed or written
/// fails with error 75 and is left as it was.
void registerServer();
void unregisterServer();

} // namespace ZarvLinesParm::frame::component
