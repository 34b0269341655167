#pragma once

// The command line: which command, and for `show` its options, checked for form only. What the
// names and values mean to a class is settled later, against the class's members.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zarvcli {

/// A command line that cannot be run as given. The text names the offending argument.
class ArgumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The command button `--press` clicks, or a close from the title bar.
enum class Press { Ok, Cancel, SaveAsDefault, Close };

struct ShowOptions {
    std::string className;
    double fdef = 1;
    std::string caption;
    /// The `--set` arguments in order, each "Member=Value" or "Member(i)=Value".
    std::vector<std::string> sets;
    /// A file name, or "-" for standard input.
    std::optional<std::string> jsonIn;
    std::optional<Press> press;
    std::optional<std::string> screenshot;
};

struct Command {
    enum class Kind { Usage, Help, List, Describe, Show, Gallery, Register, Unregister };
    Kind kind = Kind::Usage;
    /// The class named by `describe`.
    std::string className;
    /// The directory `gallery` writes to.
    std::string directory;
    ShowOptions show;
    /// The text `--help` asked for: the usage, or a command's own help.
    std::string help;
};

/// The left side of an assignment: "Member" or "Member(i)".
struct Target {
    std::string name;
    std::optional<long long> index;
};

/// "Member" or "Member(i)" with a whole-number index; nullopt for anything else.
std::optional<Target> parseTarget(std::string_view text);

/// Reads the command line, program name first.
Command parseArguments(int argc, const char* const* argv);

/// A number as the command line writes one: decimal ("255", "-1.5", "1e3") or hexadecimal
/// with a "0x" prefix ("0xFF00", "-0x10"). Nothing may follow it. Infinities, NaN and decimals
/// beyond the range of a double are not numbers here.
std::optional<double> parseNumber(std::string_view text);

/// The usage text, ending in a newline.
std::string_view usage();

} // namespace zarvcli
