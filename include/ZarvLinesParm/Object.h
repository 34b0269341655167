#pragma once

#include <ZarvLinesParm/Types.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ZarvLinesParm {

/// How a late-bound call reaches a member.
enum class Invoke { Get, Let, Method };

/// A parameter class seen through late binding. Every typed class derives from it.
///
/// - `Invoke::Get`: `args` are the index, if the member takes one.
/// - `Invoke::Let`: the index, if any, then the value last.
/// - `Invoke::Method`: `Start`'s arguments.
///
/// Arguments convert before anything else is checked: to a whole type by rounding half to
/// even (error 6 when it does not fit), to `float` by nearest, `std::monostate` as 0 or "";
/// a string where a number is expected, or a number where a string is, is error 13. An unknown
/// member is error 438; a wrong kind or number of arguments is error 450. Member names match
/// without regard to letter case.
///
/// Threads: every member, typed or late-bound, belongs to the thread of the widgets application
/// (before there is one, the first thread that calls a member). Called on any other thread it
/// fails with error 5 and changes nothing; the library takes no locks. Creating and destroying
/// objects works from any thread.
class ZARVLINESPARM_EXPORT Object {
public:
    virtual ~Object();
    virtual Variant invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args) = 0;
    /// The canonical ProgID, "ZarvLinesParm.<class>".
    virtual std::string progId() const = 0;

protected:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
};

/// Creates the class named `progId` ("ZarvLinesParm.CircleElipseCls"), letter case ignored.
/// Unknown names fail with error 429, the name in its `detail()`. Works from any thread, as does
/// `ProgIds`.
ZARVLINESPARM_EXPORT std::unique_ptr<Object> CreateObject(std::string_view progId);

/// The ProgIDs of every class the library publishes, in canonical spelling.
ZARVLINESPARM_EXPORT std::vector<std::string> ProgIds();

inline constexpr std::string_view Description = "Corvane Lines Parameters";
inline constexpr std::string_view FileVersion = "1.00.0021";

} // namespace ZarvLinesParm
