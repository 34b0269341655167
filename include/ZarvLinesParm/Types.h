#pragma once

#include <ZarvLinesParm/Export.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace ZarvLinesParm {

/// A late-bound value. `std::monostate` is the empty variant that `Start` returns.
using Variant = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, std::string>;

/// A failed call. Nothing the call would have written has changed. `what()` is exactly the
/// number's text in this table; anything more the library knows of the failure is in `detail()`.
///
/// | number | text |
/// |---|---|
/// | 5   | "Invalid procedure call or argument" (a call off the thread that owns the library; a widgets application the dialogs cannot use; the C interface: a null pointer) |
/// | 6   | "Overflow" |
/// | 7   | "Out of memory" (the C interface only) |
/// | 9   | "Subscript out of range" |
/// | 13  | "Type mismatch" |
/// | 51  | "Internal error" (the C interface: an unexpected failure inside a call) |
/// | 68  | "Device unavailable" (`Start` with no application of the host's own, and no display or window system the library could make one on; `detail()` says which display or platform failed) |
/// | 75  | "Path/File access error" (the component registry cannot be read, parsed or written) |
/// | 91  | "Object variable or With block variable not set" (the C interface: no live handle) |
/// | 380 | "Invalid property value" |
/// | 400 | "Form already displayed; can't show modally" |
/// | 429 | "Can't create object" |
/// | 438 | "Object doesn't support this property or method" |
/// | 450 | "Wrong number of arguments or invalid property assignment" |
///
/// Threads: the library's state belongs to one thread, the thread of the widgets application
/// (before there is one, the first thread that calls a member). A member called on any other
/// thread (a getter, a setter, `Start`, a late-bound call) fails with error 5 and changes
/// nothing. Creating and releasing objects, `CreateObject`, `ProgIds` and `Describe` work from
/// any thread.
class ZARVLINESPARM_EXPORT Error : public std::runtime_error {
public:
    /// The error with its text from the table.
    explicit Error(int number);
    /// The same, with `detail` for a host's log: the member's name, the ProgID, the display
    /// that could not be opened. It never changes `what()`.
    Error(int number, const std::string& detail);

    int number() const noexcept { return number_; }

    /// What else the library knows of the failure; empty when nothing.
    const char* detail() const noexcept { return detail_.what(); }

    /// The text of an error number ("Overflow" for 6); empty for numbers the library never raises.
    static std::string standardText(int number);

private:
    int number_;
    // Held as an exception's text, whose copy cannot throw, so that Error's cannot either.
    std::runtime_error detail_;
};

} // namespace ZarvLinesParm
