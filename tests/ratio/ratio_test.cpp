// The ratio tools' dialogs, case by case: what the host sets, what the dialog shows, what the user
// does, what the host reads back (see Case in support/ToolDriver.h).

#include "support/ToolDriver.h"

#include <QPushButton>

#include <limits>

using namespace testsupport;

namespace {

const float largest = std::numeric_limits<float>::max();

// A flag set `member` given as `given`, the box `untick` clicked (none when null), read back as `after`.
Case flags(const char* member, int given, const char* untick, int after)
{
    return {.what = std::string(member) + " " + std::to_string(given)
                + (untick ? std::string(" clicking ") + untick : ""),
            .given = {{member, given}},
            .user = untick ? std::vector<User>{clicking(untick), ok} : std::vector<User>{ok},
            .after = {{member, after}}};
}

// ---- Retracement: two check boxes and six values in the short number form ---------------------

const Values retracement{{"Cor(1)", 0x3366CC}, {"Extend", 0},    {"Numbers", 1},   {"SaveDefault", 0}, {"V(1)", 0.382f},
                         {"V(2)", 0.618f},     {"V(3)", 1.618f}, {"V(4)", 2.618f}, {"V(5)", 100.0f},   {"V(6)", -0.5f}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Retracement, ToolDialog, cases("ZarvLinesParm.RetracementParmClass", retracement, {
    {.what = "values shown in the short form come back exactly",
     .shows = {{title, "Retracement Parameters"}, {"Cor1(0)", "0x3366CC"}, {"Extend", "[ ] Extend to end"},
               {"Numbers", "[x] Show values"}, {"V(0)", " .382"}, {"V(1)", " .618"}, {"V(2)", " 1.618"},
               {"V(3)", " 2.618"}, {"V(4)", " 100"}, {"V(5)", "-.5"}}},
    {.what = "seven digits are all a box keeps", .given = {{"V(1)", 1.0f / 3.0f}}, .shows = {{"V(0)", " .3333333"}},
     .after = {{"V(1)", 0.3333333f}}},
    {.what = "each box is read into its own value by the number reading",
     .user = {typing("V(0)", "0.5abc"), typing("V(1)", "&H10"), typing("V(2)", ""), typing("V(3)", "1 2"),
              typing("V(4)", "1e400"), typing("V(5)", "\xc3\xa9"), ok},
     .after = {{"V(1)", 0.5f}, {"V(2)", 16.0f}, {"V(3)", 0.0f}, {"V(4)", 12.0f}, {"V(5)", largest}, {"V(6)", 0.0f}}},
    {.what = "any flag but 0 shows checked and comes back as 1", .given = {{"Extend", -1}, {"Numbers", 2}},
     .shows = {{"Extend", "[x] Extend to end"}, {"Numbers", "[x] Show values"}},
     .after = {{"Extend", 1}, {"Numbers", 1}}},
    {.what = "clicked boxes", .user = {clicking("Numbers"), clicking("Extend"), ok},
     .after = {{"Extend", 1}, {"Numbers", 0}}},
}));
// clang-format on

// ---- Arcs: Full Circle straight into its check box, refused outside 0 to 2 ----------------------

const Values arcs{{"Cor(1)", 0x3366CC}, {"FullCircle", 0}, {"SaveDefault", 0}, {"V(1)", 0.382f}, {"V(2)", 0.5f},
                  {"V(3)", 1.618f},     {"V(4)", 2.0f},    {"V(5)", 0.0f},     {"V(6)", -0.5f}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Arcs, ToolDialog, cases("ZarvLinesParm.ZarvArcsParmClass", arcs, {
    {.what = "Full Circle 0",
     .shows = {{title, "Zarv Arcs Parameters"}, {"Check1", "[ ] Full Circle"}, {"V(0)", " .382"}}},
    {.what = "Full Circle 1", .given = {{"FullCircle", 1}}, .shows = {{"Check1", "[x] Full Circle"}}},
    {.what = "Full Circle 2 shows greyed", .given = {{"FullCircle", 2}}, .shows = {{"Check1", "[-] Full Circle"}}},
    {.what = "a click turns greyed into checked, the next one clears", .given = {{"FullCircle", 2}},
     .user = {clicking("Check1"), showing("Check1", "[x] Full Circle"), clicking("Check1"), ok},
     .after = {{"FullCircle", 0}}},
    {.what = "values stored as typed", .user = {typing("V(0)", "-7.25"), typing("V(5)", "1e400"), ok},
     .after = {{"V(1)", -7.25f}, {"V(6)", largest}}},
    {.what = "Full Circle 3 is refused before any dialog", .given = {{"FullCircle", 3}}, .fails = 380},
    {.what = "Full Circle -1 is refused before any dialog", .given = {{"FullCircle", -1}}, .fails = 380},
}));
// clang-format on

// ---- Range: defaults written by its load, fixed number forms, and texts from the host ----------

const Values range{{"Periodos", 8},      {"Cte1", 0.5f},     {"Cte2", 2.0f},
                   {"Cor1", 0x0000AA},   {"Cor2", 0x00BB00}, {"Cor3", 0xCC0000},
                   {"ONH", "host text"}, {"Caption", ""},    {"ExtendRightCaption", ""},
                   {"ExtendRight", 1},   {"SaveDefault", 0}};
const Values unset{
    {"Periodos", 0}, {"Cte1", -0.0f}, {"Cte2", std::numeric_limits<float>::quiet_NaN()}, {"Cor1", 0}, {"Cor2", 7}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Range, ToolDialog, cases("ZarvLinesParm.ZarvRangerParmClass", range, {
    {.what = "constants show three decimals, so OK rounds them", .given = {{"Cte1", 0.61849f}, {"Cte2", -0.5f}},
     .shows = {{title, ""}, {"Per", "8"}, {"Ct1", "0.618"}, {"Ct2", "-0.500"}, {"ExtendRight", "[x]"}},
     .after = {{"Cte1", 0.618f}}},
    {.what = "zero fields show defaults, written to the parameter record, so Cancel returns them", .given = unset,
     .shows = {{"Per", "3"}, {"Ct1", "0.618"}, {"Ct2", "1.382"}, {"Cor1", "0x00FF00"}, {"Cor2", "0x000007"}},
     .user = {picking("Cor1", std::nullopt, 0), cancel},
     .after = {{"Periodos", 3}, {"Cte1", 0.618f}, {"Cte2", 1.382f}, {"Cor1", 65280}}},
    {.what = "OK reads the defaults from the boxes but the colour from the working record", .given = unset,
     .after = {{"Periodos", 3}, {"Cte1", 0.618f}, {"Cte2", 1.382f}}},
    {.what = "periods half to even",           .user = {typing("Per", "2.5"), ok},   .after = {{"Periodos", 2}}},
    {.what = "periods half to even, up",       .user = {typing("Per", "3.5"), ok},   .after = {{"Periodos", 4}}},
    {.what = "periods, digits then text",      .user = {typing("Per", "7abc"), ok},  .after = {{"Periodos", 7}}},
    {.what = "periods saturate above 16 bits", .user = {typing("Per", "70000"), ok}, .after = {{"Periodos", 32767}}},
    {.what = "periods saturate below 16 bits", .user = {typing("Per", "-1e400"), typing("Ct2", "-1e400"), ok},
     .after = {{"Periodos", -32768}, {"Cte2", -largest}}},
    {.what = "captions from the host", .given = {{"Caption", "abc"}, {"ExtendRightCaption", "to the right"}},
     .shows = {{title, "abc"}, {"ExtendRight", "[x] to the right"}}},
    {.what = "captions are no part of the records: Cancel does not restore them",
     .user = {[](QDialog&) {
                  ZarvLinesParm::ZarvRangerParmClass r;
                  r.Caption("changed");
                  r.ExtendRightCaption("to the right");
              }, cancel},
     .after = {{"Caption", "changed"}, {"ExtendRightCaption", "to the right"}}},
    {.what = "the check box takes any flag but 0 and gives 1", .given = {{"ExtendRight", -1}},
     .after = {{"ExtendRight", 1}}},
    {.what = "the check box cleared, a colour chosen",
     .user = {clicking("ExtendRight"), picking("Cor3", 0x010203, 0xCC0000), ok},
     .after = {{"ExtendRight", 0}, {"Cor3", 0x010203}}},
}));
// clang-format on

// ---- Expansion: the title from the host, two layouts with their own bounds, a flag set ---------

// clang-format off
const Values expansion{{"Caption", "Expansion Parameters"}, {"FExpShow", 0x0F}, {"SaveDefault", 0},
                       {"Cor(1)", 0x0000FF}, {"Cor(2)", 0x00FF00}, {"Cor(3)", 0xFF0000}, {"Cor(4)", 0x808080},
                       {"V(1)", 0.618f}, {"V(2)", 1.0f}, {"V(3)", 1.618f}, {"V(4)", 2.618f}};
// clang-format on
const Values brastel{{"Caption", "Brastel Options"}};
const Values impulse{{"Caption", "Zarv Impulse Options"}};

Case fullLayout(const char* caption)
{
    return {.what = std::string("the full layout for \"") + caption + "\"",
            .given = {{"Caption", caption}},
            .shows = {{title, caption}, {"V(0)", " .618"}, {"FEShow(3)", "[x] Show"}, {"AteFim", "[ ] Extend to end"}}};
}

Case reducedLayout(const Values& caption)
{
    return {.what = "the reduced layout",
            .given = caption.with({{"FExpShow", 0x1F}}),
            .shows = {{title, std::get<std::string>(caption.at("Caption"))},
                      {"V(0)", "hidden"},
                      {"V(3)", "hidden"},
                      {"AteFim", "hidden"},
                      {"FEShow(0)", "[x] Show"},
                      {"Cor1(3)", "0x808080"}}};
}

// Typed into the first box over a value of 9, which stays where the layout's bounds drop the text.
Case bounded(const Values& layout, const char* typed, float stored)
{
    return {.what = std::string("\"") + typed + "\" typed",
            .given = layout.with({{"V(1)", 9.0f}}),
            .user = {typing("V(0)", typed), ok},
            .after = {{"V(1)", stored}}};
}

// The boxes FEShow(0..3) and AteFim stand for bits 0 to 4 (masks 254, 253, 251, 247, 239).
Case expFlags(int given, const char* untick, int after) { return flags("FExpShow", given, untick, after); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Expansion, ToolDialog, cases("ZarvLinesParm.ZarvExpParmClass", expansion, {
    fullLayout("Expansion Parameters"), fullLayout(""), fullLayout("brastel options"), fullLayout("Brastel Options "),
    fullLayout(" Zarv Impulse Options"),
    reducedLayout(brastel), reducedLayout(impulse),
    bounded({},      "3.2",       3.2f),  bounded({},      "-3.2",      -3.2f), bounded({},      "3.2000001", 9),
    bounded({},      "-3.3",      9),     bounded({},      "1e400",     9),
    bounded(brastel, "32",        32),    bounded(brastel, "0",         0),
    bounded(brastel, "32.000001", 9),     bounded(brastel, "-0.001",    9),
    bounded(impulse, "0.5",       0.5f),  bounded(impulse, "33",        9),
    {.what = "the layout is told by the box being hidden, not by what is on screen",
     .user = {typing("V(0)", "-1"), [](QDialog& d) { d.hide(); child<QPushButton>(d, "Command1").click(); }},
     .after = {{"V(1)", -1.0f}}},
    expFlags(0x7FFF, "FEShow(0)", 0x00FE), expFlags(0x7FFF, "FEShow(1)", 0x00FD), expFlags(0x7FFF, "FEShow(2)", 0x00FB),
    expFlags(0x7FFF, "FEShow(3)", 0x00F7), expFlags(0x7FFF, "AteFim",    0x00EF),
    expFlags(-1,     nullptr,     -1),     expFlags(0x0113, nullptr,     0x0013), expFlags(0x00E0, "FEShow(1)", 0x00E2),
}));
// clang-format on

// ---- Fan: four flag boxes on FanShow, bit 0 of AteFim, HLines whole, Porcento carried -----------

const Values fan{{"FanShow", 5},          {"HLines", 0},          {"AteFim", 0},          {"SaveDefault", 0},
                 {"Cor(1)", 255},         {"Cor(2)", 65280},      {"Cor(3)", 0xFF0000},   {"Cor(4)", 0x808080},
                 {"Porcento(1)", 0.236f}, {"Porcento(2)", -1.5f}, {"Porcento(3)", 1e30f}, {"Porcento(4)", 0.1f}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fan, ToolDialog, cases("ZarvLinesParm.zarvFanParmClass", fan, {
    {.what = "what each box shows", .given = {{"FanShow", 0x0105}, {"HLines", 7}, {"AteFim", 2}},
     .shows = {{title, "Fan Parameters"}, {"FanShow(0)", "[x]"}, {"FanShow(1)", "[ ]"}, {"FanShow(2)", "[x]"},
               {"HLine", "[x] Horizontal Line"}, {"AteFim", "[ ] Extend to end"}},
     .user = {clicking("FanShow(0)"), clicking("HLine"), picking("Cor1(3)", 0x123456), closeBox},
     .after = {{"Cor(4)", 0x123456}}},
    flags("FanShow", 0x0105, nullptr,      0x0005), flags("FanShow", 0x7F1F, nullptr,      0x7F1F),
    flags("FanShow", 0,      "FanShow(3)", 8),      flags("FanShow", 0x7F1F, "FanShow(0)", 0x001E),
    flags("FanShow", 0x7F1F, "FanShow(1)", 0x001D), flags("FanShow", 0x00F0, nullptr,      0x00F0),
    flags("AteFim",  -1,     nullptr,      -1),     flags("AteFim",  -1,     "AteFim",     254),
    flags("AteFim",  2,      nullptr,      2),      flags("AteFim",  2,      "AteFim",     3),
    flags("HLines",  7,      nullptr,      1),      flags("HLines",  -1,     nullptr,      1),
    flags("HLines",  3,      "HLine",      0),
}));
// clang-format on

// ---- Fork: two flag boxes, three swatches, Per1 and the fourth colour carried -------------------

const Values forkLines{{"ForkShow", 3},      {"SaveDefault", 0},   {"Cor(1)", 255},    {"Cor(2)", 65280},
                       {"Cor(3)", 0xFF0000}, {"Cor(4)", 0x0F0F0F}, {"Per1(1)", 0.25f}, {"Per1(2)", 0.5f},
                       {"Per1(3)", -0.75f},  {"Per1(4)", 3.4e38f}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fork, ToolDialog, cases("ZarvLinesParm.ZarvForkParmClass", forkLines, {
    {.what = "both boxes checked",
     .shows = {{title, "Fork Parameters"}, {"ForkShow(0)", "[x]"}, {"ForkShow(1)", "[x]"}}},
    {.what = "a cleared box drops bits 8 to 15", .given = {{"ForkShow", 0x0105}}, .shows = {{"ForkShow(1)", "[ ]"}},
     .after = {{"ForkShow", 0x0005}}},
    flags("ForkShow", 0x7FFF, nullptr,       0x7FFF), flags("ForkShow", 0x7FFF, "ForkShow(0)", 0x00FE),
    flags("ForkShow", 0x7FFF, "ForkShow(1)", 0x00FD), flags("ForkShow", 2,      "ForkShow(0)", 3),
}));
// clang-format on

// ---- Dravel lines: two colours and two factors, nothing clamped ---------------------------------

const Values dravel{{"Cor(1)", 0x0000FF}, {"Cor(2)", 0x00FF00}, {"V(1)", 0.5f}, {"V(2)", 1.5f}, {"SaveDefault", 0}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Dravel, ToolDialog, cases("ZarvLinesParm.ZarvDravelPArmClass", dravel, {
    {.what = "factors stored as typed",
     .shows = {{title, "Dravel Lines Parameters"}, {"V(0)", " .5"}, {"V(1)", " 1.5"}},
     .user = {typing("V(0)", "-4"), typing("V(1)", "99999"), ok}, .after = {{"V(1)", -4.0f}, {"V(2)", 99999.0f}}},
    {.what = "factors beyond a float", .user = {typing("V(0)", "-1e400"), typing("V(1)", "abc"), ok},
     .after = {{"V(1)", -largest}, {"V(2)", 0.0f}}},
}));
// clang-format on

} // namespace
