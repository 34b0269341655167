#pragma once

#include <ZarvLinesParm/Export.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace ZarvLinesParm {

/// A late-bound value. `std::monostate` is the empty variant that `Start` returns.
using Variant = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, std::string>;

/// A failed call. Nothing the call would have written has changed.
///
/// | number | text |
/// |---|---|
/// | 5   | "Invalid procedure call or argument" (no widgets application, or not its thread) |
/// | 6   | "Overflow" |
/// | 7   | "Out of memory" (the C interface only) |
/// | 9   | "Subscript out of range" |
/// | 13  | "Type mismatch" |
/// | 51  | "Internal error" (the C interface: an unexpected failure inside a call) |
/// | 75  | "Path/File access error" (the component registry cannot be read, parsed or written) |
/// | 91  | "Object variable or With block variable not set" (the C interface: no live handle) |
/// | 380 | "Invalid property value" |
/// | 400 | "Form already displayed; can't show modally" |
/// | 429 | "Can't create object" |
/// | 438 | "Object doesn't support this property or method" |
/// | 450 | "Wrong number of arguments or invalid property assignment" |
class ZARVLINESPARM_EXPORT Error : public std::runtime_error {
public:
    /// The error with its standard text.
    explicit Error(int number);
    /// The error with the standard text followed by ": " and `detail`.
    Error(int number, const std::string& detail);

    int number() const noexcept { return number_; }

    /// The standard text of an error number ("Overflow" for 6); empty for numbers the library never raises.
    static std::string standardText(int number);

private:
    int number_;
};

} // namespace ZarvLinesParm
