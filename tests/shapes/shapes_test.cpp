// The channel and shape tools' dialogs, case by case: what the host sets, what the dialog shows,
// what the user does, what the host reads back (see Case in support/ToolDriver.h).

#include "support/ToolDriver.h"

#include <QComboBox>

#include <limits>

using namespace testsupport;

namespace {

// ---- Least-square channel: the price list the load and the user write -------------------------

const Values leastSquare{{"UseToCalc", 4}, {"Cor(1)", 255}, {"Cor(2)", 65280}, {"Cor(3)", 0xFF0000},
                         {"V(1)", 2.0f},   {"V(2)", 2.0f},  {"SaveDefault", 0}};

void listsThePrices(QDialog& d)
{
    const auto& use = child<QComboBox>(d, "Use");
    const char* prices[] = {"Open", "High", "Low", "Close", "O+H+L/3"};
    ASSERT_EQ(use.count(), 5);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(use.itemText(k), QString::fromLatin1(prices[k]));
        EXPECT_EQ(use.itemData(k), QVariant(0)) << k;
    }
}

Case typedPrice(const char* typed)
{
    return {.what = std::string("\"") + typed + "\" typed",
            .user = {typing("Use", typed), ok},
            .after = {{"UseToCalc", 0}}};
}

Case noEntry(int price, User end, int after)
{
    return {.what = "a price of " + std::to_string(price) + " has no entry",
            .given = {{"UseToCalc", price}},
            .shows = {{"Use", ""}},
            .user = {end},
            .after = {{"UseToCalc", after}}};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(LeastSquare, ToolDialog, cases("ZarvLinesParm.ZarvLeastSquareClass", leastSquare, {
    {.what = "the five prices, the host's selected",
     .shows = {{title, "Least Square Channel"}, {"Use", "Close"}, {"V(0)", " 2"}}, .user = {listsThePrices, ok}},
    {.what = "the last price", .given = {{"UseToCalc", 5}}, .shows = {{"Use", "O+H+L/3"}}},
    {.what = "the load writes a zero price as one before the user acts", .given = {{"UseToCalc", 0}},
     .shows = {{"Use", "Open"}}, .user = {closeBox}, .after = {{"UseToCalc", 1}}},
    {.what = "Cancel brings the zero back", .given = {{"UseToCalc", 0}}, .user = {cancel}},
    {.what = "a chosen entry gives its price",
     .user = {choosing("Use", 4), typing("V(0)", "1e400"), typing("V(1)", "x2"), ok},
     .after = {{"UseToCalc", 5}, {"V(1)", std::numeric_limits<float>::max()}, {"V(2)", 0.0f}}},
    typedPrice("Median"), typedPrice("High"), typedPrice(""), typedPrice("99999"),
    {.what = "choosing after typing counts", .user = {typing("Use", "Median"), choosing("Use", 1), ok},
     .after = {{"UseToCalc", 2}}},
    noEntry(6,  closeBox, 6),  noEntry(6,      ok, 0),
    noEntry(-1, closeBox, -1), noEntry(-32768, ok, 0),
}));
// clang-format on

// ---- Circle and ellipse: the title from Start, and the protocol's answers ----------------------

const Values circle{{"Cor(1)", 255}, {"Cor(2)", 65280}, {"Fill", 5}, {"SaveDefault", 0}};

// Edits of every kind: a colour chosen twice (the second chooser opens on the first choice, now
// in the working record), a chooser cancelled, the box clicked.
const std::vector<User> edits{picking("Cor1(1)", 0x0000FF, 65280), picking("Cor1(1)", 0x00FF00, 0x0000FF),
                              showing("Cor1(1)", "0x00FF00"),      picking("Cor1(0)", std::nullopt, 255),
                              showing("Cor1(0)", "0x0000FF"),      clicking("Fill")};

Case answered(const char* what, User end, const Values& after)
{
    std::vector<User> user = edits;
    user.push_back(end);
    return {.what = what, .user = user, .after = after};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Circle, ToolDialog, cases("ZarvLinesParm.CircleElipseCls", circle, {
    {.what = "the host's values, the caption as title, the three buttons",
     .shows = {{title, "Ellipse"}, {"Cor1(0)", "0x0000FF"}, {"Cor1(1)", "0x00FF00"}, {"Fill", "[x] Fill"},
               {"Command1", "OK"}, {"Command2", "Cancel"}, {"Command3", "Save as Default"}},
     .user = {closeBox}, .fdef = 5, .caption = "Ellipse"},
    {.what = "no Save as Default for FDef 0", .shows = {{title, ""}, {"Command3", "hidden"}}, .user = {closeBox},
     .fdef = 0},
    answered("OK keeps the edits", ok, {{"Cor(2)", 0x00FF00}, {"Fill", 0}}),
    answered("Cancel undoes them all", cancel, {}),
    answered("Save as Default keeps them", saveAsDefault, {{"Cor(2)", 0x00FF00}, {"Fill", 0}, {"SaveDefault", 1}}),
    answered("a close keeps the colour, taken when chosen, and reads no box", closeBox, {{"Cor(2)", 0x00FF00}}),
    {.what = "Fill comes back as one", .after = {{"Fill", 1}}},
    {.what = "Fill checked", .given = {{"Fill", 0}}, .user = {clicking("Fill"), ok}, .after = {{"Fill", 1}}},
    {.what = "host colours that are no plain RGB pass through untouched",
     .given = {{"Cor(1)", -1}, {"Cor(2)", static_cast<std::int32_t>(0x8000000F)}, {"Fill", 1}},
     .shows = {{"Cor1(0)", "0xFFFFFF"}, {"Cor1(1)", "0x00000F"}}},
}));
// clang-format on

} // namespace
