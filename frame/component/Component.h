#pragma once

// The library as an in-process component: the registration that enters its classes in the
// per-user component registry, each under the class identifier it is entered in the class table
// with, and the description of each class that a binding in another language learns it from.

#include <optional>
#include <string>
#include <string_view>

namespace ZarvLinesParm::frame::component {

/// The identifier of the library's description (its name, description, version and file).
inline constexpr std::string_view libraryId = "{6E7E106A-26C8-4417-B8E2-7581ADE4E4AA}";

/// The ProgID of the class published under `classId` ("{...}" or without braces, letter case
/// ignored); nullopt for identifiers that are not ours.
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
