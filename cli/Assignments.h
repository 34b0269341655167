#pragma once

// What `show` sets before Start: the --json-in object, then every --set, resolved against the
// class's members into late-bound Let calls.

#include "Arguments.h"

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>

#include <optional>
#include <string>
#include <vector>

namespace zarvcli {

struct Assignment {
    /// The property's name as the class spells it.
    std::string member;
    std::optional<long long> index;
    ZarvLinesParm::Variant value;

    /// The Let call; library failures throw ZarvLinesParm::Error.
    void applyTo(ZarvLinesParm::Object& object) const;
};

/// The assignments of `show`, in the order they run. A name that is no property of the class,
/// a malformed key or a value that is not a number where the property holds one throws
/// ArgumentError; indexes and ranges are left to the library.
std::vector<Assignment> assignmentsFor(const ShowOptions& show, const std::vector<ZarvLinesParm::MemberInfo>& members);

/// Start's arguments from the class's own description: its number is `show.fdef`, its string
/// (for the classes whose dialog the host titles) `show.caption`. Arguments of any other shape
/// throw std::runtime_error: this program cannot call such a Start.
std::vector<ZarvLinesParm::Variant> startArguments(const std::vector<ZarvLinesParm::MemberInfo>& members,
                                                   const ShowOptions& show);

/// The member named `name`, letter case ignored, or null.
const ZarvLinesParm::MemberInfo* findMember(const std::vector<ZarvLinesParm::MemberInfo>& members,
                                            std::string_view name);

/// Letter case ignored, ASCII only, as the library matches names.
bool sameName(std::string_view a, std::string_view b);

} // namespace zarvcli
