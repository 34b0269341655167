#pragma once

// The library's class table: every class the library publishes, by name and by class identifier.
// A tool's class enters itself, once, at load (see `ToolClass`), after which
// `CreateObject("ZarvLinesParm.CircleElipseCls")` (letter case ignored) makes one, `ProgIds()`
// lists it, `Describe()` gives its member table and the component entry points find it by its
// identifier.

#include "frame/Members.h"

#include <ZarvLinesParm/Object.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ZarvLinesParm::frame {

inline constexpr std::string_view libraryName = "ZarvLinesParm";

struct ClassEntry {
    std::string progId; // "ZarvLinesParm.<class>"
    std::string classId; // "{...}": fixed for good, since hosts may have stored it
    std::unique_ptr<Object> (*create)();
    const MemberTable* members;
    PreviewHandler* previewHandler; // the one in the class's records
};

/// Enters a class; called from static initialisation, so the table is built on first use. The
/// entry stays where it is for as long as the library is loaded.
const ClassEntry& registerClass(ClassEntry entry);

/// The class whose ProgID is `progId`, letter case ignored; null when there is none.
const ClassEntry* findClass(std::string_view progId);

/// Every class, ordered by ProgID.
std::vector<const ClassEntry*> allClasses();

std::string progIdOf(std::string_view className);

} // namespace ZarvLinesParm::frame
