#pragma once

// The library's class table: every class the library publishes, by name.
//
// A tool enters its class from its own file, once, at load, with its records:
//
//     const frame::ClassRegistration<CircleElipseCls> registration{"CircleElipseCls", members, records};
//
// after which `CreateObject("ZarvLinesParm.CircleElipseCls")` (letter case ignored) makes one,
// `ProgIds()` lists it and `Describe()` gives its member table.

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
    std::unique_ptr<Object> (*create)();
    const MemberTable& (*members)();
    PreviewHandler* previewHandler; // the one in the class's records
};

/// Enters a class; called from static initialisation, so the table is built on first use.
void registerClass(ClassEntry entry);

/// The class whose ProgID is `progId`, letter case ignored; null when there is none.
const ClassEntry* findClass(std::string_view progId);

/// Every class, ordered by ProgID.
std::vector<const ClassEntry*> allClasses();

std::string progIdOf(std::string_view className);

template <class Class>
struct ClassRegistration {
    template <class Record>
    ClassRegistration(std::string_view className, const MemberTable& (*members)(), Records<Record>& records)
    {
        const auto create = [] { return std::unique_ptr<Object>(new Class()); };
        records.makeView = create;
        registerClass({progIdOf(className), create, members, &records.previewHandler});
    }
};

} // namespace ZarvLinesParm::frame
