#pragma once

#include "frame/Members.h"

#include <ZarvLinesParm/Object.h>

#include <string_view>
#include <vector>

namespace ZarvLinesParm::frame {

/// Converts a late-bound argument to `type` as a late-bound caller expects: numbers to a
/// whole type by rounding half to even (error 6 when the result does not fit, or is not a
/// number), numbers to float by nearest (error 6 beyond the float range), the empty variant
/// as 0 or "", a string where a number is expected or a number where a string is: error 13.
Variant convert(const Variant& value, ValueType type);

/// The member named `name` (letter case ignored), or null.
const Member* findMember(const MemberTable& table, std::string_view name);

/// Late binding over a class's member table on the object `caller`: finds the member (438),
/// checks the kind and the number of arguments (450), converts every argument (6, 13), then
/// calls, where the index is checked (9). A failure changes nothing.
Variant invoke(const MemberTable& table, const Object* caller, std::string_view name, Invoke kind,
               const std::vector<Variant>& args);

} // namespace ZarvLinesParm::frame
