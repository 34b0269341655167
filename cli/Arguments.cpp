#include "Arguments.h"

#include <charconv>
#include <utility>
#include <cstdint>
#include <system_error>

namespace zarvcli {
namespace {

bool isHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

/// Walks the arguments of one command, handing out options and their values.
class Reader {
public:
    explicit Reader(const std::vector<std::string_view>& args) : args_(args) {}

    bool done() const { return next_ == args_.size(); }

    /// The next argument; for "--name=value" the name, with the value kept for `value`.
    std::string_view take()
    {
        std::string_view arg = args_[next_++];
        inlineValue_.reset();
        if (arg.starts_with("--")) {
            if (auto eq = arg.find('='); eq != std::string_view::npos) {
                inlineValue_ = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
            }
        }
        return arg;
    }

    bool hasInlineValue() const { return inlineValue_.has_value(); }

    /// The value of `option`, from "--option=value" or from the next argument.
    std::string_view value(std::string_view option)
    {
        if (inlineValue_)
            return *std::exchange(inlineValue_, std::nullopt);
        if (done())
            throw ArgumentError(std::string(option) + ": missing value");
        return args_[next_++];
    }

private:
    const std::vector<std::string_view>& args_;
    std::size_t next_ = 0;
    std::optional<std::string_view> inlineValue_;
};

template <class T>
void setOnce(std::optional<T>& slot, T value, std::string_view option)
{
    if (slot)
        throw ArgumentError(std::string(option) + ": given more than once");
    slot = std::move(value);
}

std::string nonEmpty(std::string_view value, std::string_view option)
{
    if (value.empty())
        throw ArgumentError(std::string(option) + ": empty value");
    return std::string(value);
}

Press pressFrom(std::string_view value)
{
    if (value == "ok")
        return Press::Ok;
    if (value == "cancel")
        return Press::Cancel;
    if (value == "save")
        return Press::SaveAsDefault;
    if (value == "close")
        return Press::Close;
    throw ArgumentError("--press " + std::string(value) + ": expected ok, cancel, save or close");
}

ShowOptions parseShow(Reader& in, bool& help)
{
    ShowOptions show;
    bool haveClass = false;
    std::optional<double> fdef;
    std::optional<std::string> caption;
    std::optional<Press> press;
    while (!in.done()) {
        const std::string_view arg = in.take();
        if (isHelp(arg)) {
            help = true;
            return show;
        }
        if (!arg.starts_with("-")) {
            if (haveClass)
                throw ArgumentError(std::string(arg) + ": unexpected argument (the class is " + show.className + ")");
            show.className = arg;
            haveClass = true;
        } else if (arg == "--fdef") {
            const std::string_view value = in.value(arg);
            const std::optional<double> number = parseNumber(value);
            if (!number)
                throw ArgumentError("--fdef " + std::string(value) + ": not a number");
            setOnce(fdef, *number, arg);
        } else if (arg == "--caption") {
            setOnce(caption, std::string(in.value(arg)), arg);
        } else if (arg == "--set") {
            const std::string_view value = in.value(arg);
            const auto eq = value.find('=');
            if (eq == std::string_view::npos || !parseTarget(value.substr(0, eq)))
                throw ArgumentError("--set " + std::string(value) + ": expected Member=Value or Member(i)=Value");
            show.sets.emplace_back(value);
        } else if (arg == "--json-in") {
            setOnce(show.jsonIn, nonEmpty(in.value(arg), arg), arg);
        } else if (arg == "--press") {
            setOnce(press, pressFrom(in.value(arg)), arg);
        } else if (arg == "--screenshot") {
            setOnce(show.screenshot, nonEmpty(in.value(arg), arg), arg);
        } else {
            throw ArgumentError(std::string(arg) + ": unknown option");
        }
        if (in.hasInlineValue())
            throw ArgumentError(std::string(arg) + ": takes no value");
    }
    if (!haveClass)
        throw ArgumentError("show: missing class name");
    show.fdef = fdef.value_or(1);
    show.caption = caption.value_or("");
    show.press = press;
    return show;
}

/// The single class name `describe` takes.
std::string parseDescribe(Reader& in, bool& help)
{
    std::optional<std::string> name;
    while (!in.done()) {
        const std::string_view arg = in.take();
        if (isHelp(arg)) {
            help = true;
            return {};
        }
        if (arg.starts_with("-"))
            throw ArgumentError(std::string(arg) + ": unknown option");
        if (name)
            throw ArgumentError(std::string(arg) + ": unexpected argument (the class is " + *name + ")");
        name = arg;
    }
    if (!name)
        throw ArgumentError("describe: missing class name");
    return *name;
}

} // namespace

std::optional<double> parseNumber(std::string_view text)
{
    const bool negative = text.starts_with('-');
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        const std::string_view hex = digits.substr(2);
        std::uint64_t value = 0;
        const auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (hex.empty() || ec != std::errc() || end != hex.data() + hex.size())
            return std::nullopt;
        const double magnitude = static_cast<double>(value);
        return negative ? -magnitude : magnitude;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<Target> parseTarget(std::string_view text)
{
    const auto open = text.find('(');
    Target target;
    target.name = text.substr(0, open);
    if (target.name.empty() || target.name.find_first_of(")= ") != std::string::npos)
        return std::nullopt;
    if (open == std::string_view::npos)
        return target;
    if (!text.ends_with(')'))
        return std::nullopt;
    const std::string_view index = text.substr(open + 1, text.size() - open - 2);
    long long value = 0;
    const auto [end, ec] = std::from_chars(index.data(), index.data() + index.size(), value);
    if (index.empty() || ec != std::errc() || end != index.data() + index.size())
        return std::nullopt;
    target.index = value;
    return target;
}

Command parseArguments(const std::vector<std::string_view>& args)
{
    Command command;
    if (args.empty())
        return command;
    const std::string_view name = args.front();
    const std::vector<std::string_view> rest(args.begin() + 1, args.end());
    Reader in(rest);
    bool help = false;
    // The commands that take no arguments but --help.
    auto bare = [&](Command::Kind kind) {
        command.kind = kind;
        while (!in.done() && !help) {
            const std::string_view arg = in.take();
            if (!isHelp(arg))
                throw ArgumentError(std::string(arg) + ": " + std::string(name) + " takes no arguments");
            help = true;
        }
    };
    if (isHelp(name)) {
        help = true;
    } else if (name == "list") {
        bare(Command::Kind::List);
    } else if (name == "register") {
        bare(Command::Kind::Register);
    } else if (name == "unregister") {
        bare(Command::Kind::Unregister);
    } else if (name == "describe") {
        command.kind = Command::Kind::Describe;
        command.className = parseDescribe(in, help);
    } else if (name == "show") {
        command.kind = Command::Kind::Show;
        command.show = parseShow(in, help);
    } else if (name == "gallery") {
        command.kind = Command::Kind::Gallery;
        while (!in.done() && !help) {
            const std::string_view arg = in.take();
            if (isHelp(arg))
                help = true;
            else if (arg.starts_with("-"))
                throw ArgumentError(std::string(arg) + ": unknown option");
            else if (!command.directory.empty())
                throw ArgumentError(std::string(arg) + ": gallery takes one directory");
            else
                command.directory = arg;
        }
        if (command.directory.empty() && !help)
            throw ArgumentError("gallery: missing directory");
    } else {
        throw ArgumentError(quoted(name) + ": unknown command (expected list, describe, show, gallery, register or unregister)");
    }
    if (help)
        command.kind = Command::Kind::Help;
    return command;
}

std::string_view usage()
{
    return "usage: zarvlinesparm list\n"
           "       zarvlinesparm describe <Class>\n"
           "       zarvlinesparm show <Class> [options]\n"
           "       zarvlinesparm gallery DIR\n"
           "       zarvlinesparm register | unregister\n"
           "\n"
           "<Class> is a ProgID such as ZarvLinesParm.CircleElipseCls; the prefix and letter case\n"
           "may be left out. show sets the values, runs the class's dialog and prints what it\n"
           "returns as one JSON object. gallery renders every dialog, filled with typical values,\n"
           "offscreen to DIR/<Class>.png and DIR/<Class>@2x.png. register enters the library's\n"
           "classes in the per-user component registry, for hosts that find and load it by\n"
           "ProgID; unregister removes them.\n"
           "\n"
           "show options:\n"
           "  --fdef N               Start's FDef (default 1: \"Save as Default\" shown)\n"
           "  --caption TEXT         Start's caption, for classes that take one (default empty)\n"
           "  --set Member=Value     set a property before Start; Member(i)=Value for an index\n"
           "  --json-in FILE|-       set properties from a JSON object {\"Member(i)\": value, ...},\n"
           "                         before any --set\n"
           "  --press ok|cancel|save|close\n"
           "                         answer the dialog once it shows\n"
           "  --screenshot FILE.png  save an image of the dialog once it shows (before --press)\n"
           "\n"
           "Numbers are decimal or 0x hexadecimal. Exit status: 0 done, 1 failed (a library\n"
           "error prints as \"error N: text\"), 2 bad arguments.\n";
}

} // namespace zarvcli
