// The Gann tools' dialogs, case by case: what the host sets, what the dialog shows, what the user
// does, what the host reads back (see Case in support/ToolDriver.h).

#include "support/ToolDriver.h"

#include <cmath>
#include <limits>

using namespace testsupport;

namespace {

const float largest = std::numeric_limits<float>::max();

// ---- Square of nine: a 16-bit price behind a float, two columns of flag boxes, a direction ----
// written when clicked, and a step that "OK" never leaves at zero.

const Values sq9{{"Cor", 255}, {"Price", 5.0f}, {"Time", 257}, {"UpDown", 0}, {"Step", 0.1f}, {"SaveDefault", 0}};

// Row i of a column stands for bit i (masks 254, 253, ... 127); a bit above 7 survives only while
// every box of its column is checked.
Case angles(int price, int time, std::vector<const char*> clicks, int priceAfter, int timeAfter)
{
    std::vector<User> user;
    for (const char* box : clicks)
        user.push_back(clicking(box));
    user.push_back(ok);
    return {.what = "angles " + std::to_string(price) + " " + std::to_string(time),
            .given = {{"Price", float(price)}, {"Time", time}},
            .user = user,
            .after = {{"Price", priceAfter}, {"Time", timeAfter}}};
}

Case step(float given, const char* typed, float stored, const char* shownAfter)
{
    return {.what = std::string("step \"") + (typed ? typed : "") + "\"",
            .given = {{"Step", given}},
            .user = typed ? std::vector<User>{typing("Text1", typed), ok, showing("Text1", shownAfter)}
                          : std::vector<User>{ok, showing("Text1", shownAfter)},
            .after = {{"Step", stored}, {"Time", 1}}};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(SquareOfNine, ToolDialog, cases("ZarvLinesParm.GannSQ9ParmClass", sq9, {
    {.what = "the price rounds half to even", .given = {{"Price", 2.5f}}, .user = {cancel}, .after = {{"Price", 2}}},
    {.what = "the price rounds half to even, up", .given = {{"Price", 3.5f}}, .user = {cancel},
     .after = {{"Price", 4}}},
    {.what = "the lowest price", .given = {{"Price", -32768.4f}}, .user = {cancel}, .after = {{"Price", -32768}}},
    {.what = "the boxes show the bits, a colour chosen, Cancel",
     .shows = {{title, "Gann SQ9 Parameters"}, {"Price(0)", "[x]"}, {"Price(1)", "[ ]"}, {"Price(2)", "[x]"},
               {"Time(0)", "[x]"}, {"Time(7)", "[ ]"}, {"Option1(0)", "(o) Up"}, {"Option1(1)", "( ) Down"},
               {"Text1", " .1"}},
     .user = {clicking("Price(0)"), picking("Cor1", 0x00FF00, 255), cancel}},
    angles(5,   257, {},                      5,   1),   angles(511, 511, {},                      511, 511),
    angles(-1,  -1,  {"Time(7)"},             -1,  127), angles(-1,  -1,  {"Price(0)", "Time(6)"}, 254, 191),
    angles(-1,  -1,  {"Price(1)", "Time(5)"}, 253, 223), angles(-1,  -1,  {"Price(2)", "Time(4)"}, 251, 239),
    angles(-1,  -1,  {"Price(3)", "Time(3)"}, 247, 247), angles(-1,  -1,  {"Price(4)", "Time(2)"}, 239, 251),
    angles(-1,  -1,  {"Price(5)", "Time(1)"}, 223, 253), angles(-1,  -1,  {"Price(6)", "Time(0)"}, 191, 254),
    angles(-1,  0,   {"Price(7)", "Time(3)"}, 127, 8),
    {.what = "the load writes any direction but 0 as 1", .given = {{"UpDown", 7}},
     .shows = {{"Option1(1)", "(o) Down"}}, .user = {closeBox}, .after = {{"UpDown", 1}}},
    {.what = "a negative direction too", .given = {{"UpDown", -1}}, .user = {closeBox}, .after = {{"UpDown", 1}}},
    {.what = "Cancel brings the host's direction back", .given = {{"UpDown", 7}}, .user = {cancel}},
    {.what = "a click writes the direction, kept by a close, which reads no box",
     .user = {clicking("Option1(1)"), showing("Option1(0)", "( ) Up"), clicking("Price(0)"),
              picking("Cor1", 0x00FF00), closeBox}, .after = {{"UpDown", 1}, {"Cor", 0x00FF00}}},
    {.what = "a click on Up", .given = {{"UpDown", 1}}, .user = {clicking("Option1(0)"), closeBox},
     .after = {{"UpDown", 0}}},
    step(0,    nullptr, 0.1f,    "0.1"),   step(2,    "",      0.1f,    "0.1"),   step(2,    "abc",   0.1f,    "0.1"),
    step(2,    "-0",    0.1f,    "0.1"),   step(2,    "1e-50", 0.1f,    "0.1"),
    step(2,    "-2",    -2,      "-2"),    step(2,    "1e400", largest, "1e400"), step(0.1f, nullptr, 0.1f,    " .1"),
    {.what = "a close reads no box: a step of 0 stays", .given = {{"Step", 0.0f}}, .user = {closeBox}},
}));
// clang-format on

TEST(SquareOfNine, APriceBeyondSixteenBitsFailsWithSixAndTheLastGoodValueStays)
{
    ZarvLinesParm::GannSQ9ParmClass c;
    c.Price(6);
    for (float beyond : {40000.0f, 32767.5f, -32768.6f, INFINITY, NAN})
        EXPECT_EQ(errorOf([&] { c.Price(beyond); }), 6) << beyond;
    auto o = ZarvLinesParm::CreateObject("ZarvLinesParm.GannSQ9ParmClass");
    EXPECT_EQ(errorOf([&] { o->invoke("Price", ZarvLinesParm::Invoke::Let, {40000.0}); }), 6);
    EXPECT_EQ(Tool{"ZarvLinesParm.GannSQ9ParmClass"}.run({}, cancel).at("Price"), ZarvLinesParm::Variant(6.0f));
}

// ---- Gann zones: NZones written on every keystroke, replaced by 8 on "OK" when out of range ----

const Values zones{{"Cor(1)", 255}, {"Cor(2)", 65280}, {"NZones", 8}, {"SaveDefault", 0}};

// Each row twice: ended by "OK", which reads no control and puts 8 in place of anything outside 1
// to 50, and by a close, which keeps what the box wrote as it was typed.
std::vector<Case> zonesCases()
{
    // clang-format off
    std::vector<Case> out{
        {.what = "the number as loaded", .given = {{"NZones", -3}},
         .shows = {{title, "Gann Parameters"}, {"NZones", "-3"}}, .user = {cancel}},
        {.what = "the replacement by 8 is not shown", .given = {{"NZones", 0}}, .user = {ok, showing("NZones", " 0")},
         .after = {{"NZones", 8}}},
        {.what = "Cancel undoes what was typed", .given = {{"NZones", 9}},
         .user = {typing("NZones", "20"), picking("Cor1(0)", 0x654321), cancel}},
    };
    // clang-format on
    const struct {
        int given;
        const char* typed; // nothing typed when null
        int afterOk, afterClose;
    } rows[] = {
        {1, nullptr, 1, 1},   {50, nullptr, 50, 50}, {0, nullptr, 8, 0},     {51, nullptr, 8, 51},
        {-5, nullptr, 8, -5}, {8, "12.5", 12, 12},   {8, "13.5", 14, 14},    {8, "abc", 8, 0},
        {9, "60", 8, 60},     {9, "-7", 8, -7},      {8, "99999", 8, 32767}, {8, "-99999", 8, -32768},
    };
    for (const auto& r : rows)
        for (const bool byOk : {true, false}) {
            std::vector<User> user{byOk ? User(ok) : User(closeBox)};
            if (r.typed)
                user.insert(user.begin(), typing("NZones", r.typed));
            out.push_back(
                {.what = std::to_string(r.given) + " \"" + (r.typed ? r.typed : "") + (byOk ? "\" OK" : "\" closed"),
                 .given = {{"NZones", r.given}},
                 .user = user,
                 .after = {{"NZones", byOk ? r.afterOk : r.afterClose}}});
        }
    return out;
}

INSTANTIATE_TEST_SUITE_P(GannZones, ToolDialog, cases("ZarvLinesParm.ZarvGannParmClass", zones, zonesCases()));

// ---- Gann fan: six values in two columns and one colour, nothing clamped -------------------------

const Values gannFan{{"Cor(1)", 0x00FFFF}, {"SaveDefault", 0}, {"V(1)", 1.0f}, {"V(2)", 2.0f},
                     {"V(3)", 3.0f},       {"V(4)", 4.0f},     {"V(5)", 8.0f}, {"V(6)", 0.5f}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(GannFan, ToolDialog, cases("ZarvLinesParm.GannFanParmClass", gannFan, {
    {.what = "each box stores what is typed into it, unclamped",
     .shows = {{title, "GannFan Parameters"}, {"V(0)", " 1"}, {"V(1)", " 2"}, {"V(2)", " 3"}, {"V(3)", " 4"},
               {"V(4)", " 8"}, {"V(5)", " .5"}},
     .user = {typing("V(0)", "9"), typing("V(1)", "-1"), typing("V(2)", "3.25"), typing("V(3)", "1e400"),
              typing("V(4)", "abc"), typing("V(5)", "\xc3\xa9\xe2\x82\xac"), ok},
     .after = {{"V(1)", 9.0f}, {"V(2)", -1.0f}, {"V(3)", 3.25f}, {"V(4)", largest}, {"V(5)", 0.0f}, {"V(6)", 0.0f}}},
    {.what = "a close keeps the colour chosen and reads no box",
     .user = {picking("Cor1(0)", 0x010203, 0x00FFFF), typing("V(0)", "7"), closeBox}, .after = {{"Cor(1)", 0x010203}}},
}));
// clang-format on

} // namespace
