#pragma once

#include <ZarvLinesParm/Types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ZarvLinesParm {

/// The type of a member's value, or of one of `Start`'s arguments.
enum class ValueType { Int16, Int32, Float, String };

/// "Int16", "Int32", "Float" or "String".
ZARVLINESPARM_EXPORT std::string_view typeName(ValueType type);

/// One member of a class as late binding sees it.
struct MemberInfo {
    enum class Kind { Property, Method };

    std::string name;
    Kind kind = Kind::Property;
    /// A property's value type; unused for a method.
    ValueType type = ValueType::Int16;
    /// The first and last valid index of an indexed property.
    std::optional<std::pair<std::int16_t, std::int16_t>> index;
    /// A method's argument types, in order.
    std::vector<ValueType> arguments;
};

/// The members of the class named `progId`, in declaration order. Unknown names fail with error
/// 429. Works from any thread.
ZARVLINESPARM_EXPORT std::vector<MemberInfo> Describe(std::string_view progId);

} // namespace ZarvLinesParm
