#include "Arguments.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <regex>
#include <system_error>

namespace zarvcli {
namespace {

const std::map<std::string, Press> presses{
    {"ok", Press::Ok}, {"cancel", Press::Cancel}, {"save", Press::SaveAsDefault}, {"close", Press::Close}};

/// A check of an option's value: `why` says what is wrong with it, or nothing when all is well.
CLI::Validator valueCheck(std::function<std::string(const std::string&)> why)
{
    return CLI::Validator([why = std::move(why)](std::string& value) { return why(value); }, "");
}

const CLI::Validator isNumber = valueCheck(
    [](const std::string& value) { return parseNumber(value) ? std::string() : value + " is not a finite number"; });

const CLI::Validator isAssignment = valueCheck([](const std::string& value) {
    const auto eq = value.find('=');
    return eq != std::string::npos && parseTarget(std::string_view(value).substr(0, eq))
        ? std::string()
        : value + ": expected Member=Value or Member(i)=Value";
});

const CLI::Validator notEmpty = valueCheck(
    [](const std::string& value) { return value.empty() ? std::string("empty value") : std::string(); });

constexpr const char* classHelp =
    "a ProgID such as ZarvLinesParm.CircleElipseCls; the prefix and letter case may be left out";

/// The value of an option given on the command line, or nullopt.
std::optional<std::string> given(const CLI::Option* option, const std::string& value)
{
    return option->count() ? std::optional(value) : std::nullopt;
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
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Target> parseTarget(std::string_view text)
{
    static const std::regex form(R"(([^()= ]+)(?:\((-?[0-9]+)\))?)");
    std::match_results<std::string_view::const_iterator> parts;
    if (!std::regex_match(text.begin(), text.end(), parts, form))
        return std::nullopt;
    Target target{parts.str(1), std::nullopt};
    if (parts[2].matched) {
        long long index = 0;
        const auto [end, ec] = std::from_chars(parts[2].first, parts[2].second, index);
        if (ec != std::errc())
            return std::nullopt;
        target.index = index;
    }
    return target;
}

Command parseArguments(int argc, const char* const* argv)
{
    Command command;
    if (argc < 2)
        return command;

    CLI::App app("", "zarvlinesparm");
    app.require_subcommand(0, 1);

    CLI::App* list = app.add_subcommand("list", "Prints the ProgID of every class the library publishes.");
    CLI::App* describe = app.add_subcommand("describe",
                                            "Prints a class's members, their kinds, types and index ranges as JSON.");
    describe->add_option("class", command.className, classHelp)->required();

    CLI::App* show = app.add_subcommand(
        "show", "Sets a class's values, runs its dialog and prints every getter as one JSON object.");
    ShowOptions& s = command.show;
    show->add_option("class", s.className, classHelp)->required();
    std::string fdef, jsonIn, press, screenshot;
    const CLI::Option* fdefOption = show->add_option("--fdef", fdef,
                                                     "Start's FDef (default 1: \"Save as Default\" shown)")
                                        ->type_name("N")
                                        ->check(isNumber);
    show->add_option("--caption", s.caption, "Start's caption, for classes that take one (default empty)")
        ->type_name("TEXT");
    show->add_option("--set", s.sets, "set a property before Start; Member(i)=Value for an index")
        ->type_name("Member=Value")
        ->allow_extra_args(false)
        ->check(isAssignment);
    const CLI::Option* jsonOption =
        show->add_option("--json-in", jsonIn,
                         "set properties from a JSON object {\"Member(i)\": value, ...}, before any --set")
            ->type_name("FILE|-")
            ->check(notEmpty);
    const CLI::Option* pressOption = show->add_option("--press", press, "answer the dialog once it shows")
                                         ->type_name("ok|cancel|save|close")
                                         ->check(CLI::IsMember(presses).description(""));
    const CLI::Option* shotOption = show->add_option("--screenshot", screenshot,
                                                     "save an image of the dialog once it shows (before --press)")
                                        ->type_name("FILE.png")
                                        ->check(notEmpty);
    show->footer("Numbers are decimal or 0x hexadecimal, and finite.");

    CLI::App* gallery = app.add_subcommand("gallery",
                                           "Renders every dialog, filled with typical values, offscreen to "
                                           "DIRECTORY/<Class>.png and DIRECTORY/<Class>@2x.png.");
    gallery->add_option("directory", command.directory, "where the pictures go (made when missing)")->required();
    CLI::App* enter = app.add_subcommand("register",
                                         "Enters the library's classes in the per-user component registry.");
    CLI::App* remove = app.add_subcommand("unregister", "Removes them from it again.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        command.kind = Command::Kind::Help;
        // A command's own help, or the usage when none was named.
        command.help = app.get_subcommands().empty() ? std::string(usage()) : app.help();
        return command;
    } catch (const CLI::ParseError& e) {
        const std::vector<CLI::App*> chosen = app.get_subcommands();
        if (chosen.empty())
            throw ArgumentError(
                e.what() + std::string(" (the commands are list, describe, show, gallery, register and unregister)"));
        throw ArgumentError(chosen.front()->get_name() + ": " + e.what());
    }

    const std::pair<const CLI::App*, Command::Kind> kinds[] = {
        {list, Command::Kind::List},       {describe, Command::Kind::Describe}, {show, Command::Kind::Show},
        {gallery, Command::Kind::Gallery}, {enter, Command::Kind::Register},    {remove, Command::Kind::Unregister}};
    for (const auto& [sub, kind] : kinds)
        if (sub->parsed())
            command.kind = kind;
    s.fdef = fdefOption->count() ? *parseNumber(fdef) : 1;
    s.jsonIn = given(jsonOption, jsonIn);
    if (pressOption->count())
        s.press = presses.at(press);
    s.screenshot = given(shotOption, screenshot);
    return command;
}

std::string_view usage()
{
    return "usage: zarvlinesparm list\n"
           "       zarvlinesparm describe <Class>\n"
           "       zarvlinesparm show <Class> [--fdef N] [--caption TEXT] [--set Member=Value]...\n"
           "                          [--json-in FILE|-] [--press ok|cancel|save|close] [--screenshot FILE.png]\n"
           "       zarvlinesparm gallery DIR\n"
           "       zarvlinesparm register | unregister\n"
           "\n"
           "<Class> is a ProgID such as ZarvLinesParm.CircleElipseCls; the prefix and letter case\n"
           "may be left out. show sets the values, runs the class's dialog and prints what it\n"
           "returns as one JSON object. gallery renders every dialog, filled with typical values,\n"
           "offscreen to DIR/<Class>.png and DIR/<Class>@2x.png. register enters the library's\n"
           "classes in the per-user component registry, for hosts that find and load it by\n"
           "ProgID; unregister removes them. Each command explains itself and its options with\n"
           "--help: zarvlinesparm show --help.\n"
           "\n"
           "Numbers are decimal or 0x hexadecimal, and finite. Exit status: 0 done, 1 failed (a\n"
           "library error prints as \"error N: text\"), 2 bad arguments.\n";
}

} // namespace zarvcli
