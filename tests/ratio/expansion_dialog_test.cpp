// The expansion tool: the title from the host, two layouts with their own value bounds, and a row
// of flag boxes.

#include "support/ToolDriver.h"

#include <QPushButton>

using namespace testsupport;

namespace {

const Tool expansion{"ZarvLinesParm.ZarvExpParmClass"};
const Values host{{"Caption", "Expansion Parameters"}, {"FExpShow", 0x0F}, {"SaveDefault", 0},
                  {"Cor(1)", 0x0000FF}, {"Cor(2)", 0x00FF00}, {"Cor(3)", 0xFF0000}, {"Cor(4)", 0x808080},
                  {"V(1)", 0.618f}, {"V(2)", 1.0f}, {"V(3)", 1.618f}, {"V(4)", 2.618f}};
const Values brastel = host.with({{"Caption", "Brastel Options"}});
const Values impulse = host.with({{"Caption", "Zarv Impulse Options"}});

// Whether the dialog shows the reduced layout: no value boxes and no "Extend to end".
bool reduced(QDialog& d)
{
    const bool hidden = child<QCheckBox>(d, "AteFim").isHidden();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("V(%1)").arg(k)).isHidden(), hidden) << k;
        EXPECT_FALSE(child<QCheckBox>(d, QStringLiteral("FEShow(%1)").arg(k)).isHidden()) << k;
        EXPECT_FALSE(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(k)).isHidden()) << k;
    }
    return hidden;
}

} // namespace

TEST(ExpansionDialog, TheTitleIsTheCaptionAndOnlyTwoExactCaptionsGiveTheReducedLayout)
{
    for (const char* caption : {"Expansion Parameters", "", "brastel options", "Brastel Options ",
                                " Zarv Impulse Options", "Zarv Impulse"}) {
        EXPECT_EQ(expansion.run(host.with({{"Caption", caption}}), [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QString::fromLatin1(caption));
            EXPECT_FALSE(reduced(d)) << caption;
            EXPECT_EQ(shown(d, "V(0)"), QStringLiteral(" .618"));
            ok(d);
        }), host.with({{"Caption", caption}})) << caption;
    }
    for (const Values& layout : {brastel, impulse}) {
        const Values given = layout.with({{"FExpShow", 0x1F}});
        EXPECT_EQ(expansion.run(given, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), std::get<std::string>(given.at("Caption")));
            EXPECT_TRUE(reduced(d));
            EXPECT_EQ(state(d, "AteFim"), Qt::Checked); // filled, though hidden
            ok(d);
        }), given);
    }
    expectSwatchesEdit(expansion, brastel, {{"Cor1(0)", "Cor(1)"}, {"Cor1(1)", "Cor(2)"}, {"Cor1(2)", "Cor(3)"},
                                            {"Cor1(3)", "Cor(4)"}});
}

TEST(ExpansionDialog, OkDropsAValueOutOfItsLayoutsBoundsComparedInDoublePrecision)
{
    struct Case {
        const Values& layout;
        const char* typed;
        float stored; // 9 when dropped, the value set before
    } cases[] = {
        {host, "3.2", 3.2f},    {host, "-3.2", -3.2f},     {host, "3.2000001", 9}, {host, "-3.3", 9},
        {host, "abc", 0},       {host, "1e400", 9},        {brastel, "32", 32},     {brastel, "0", 0},
        {brastel, "32.000001", 9}, {brastel, "-0.001", 9}, {impulse, "0.5", 0.5f}, {impulse, "33", 9},
    };
    for (const Case& c : cases) {
        const Values given = c.layout.with({{"V(1)", 9.0f}});
        EXPECT_EQ(expansion.run(given, [&](QDialog& d) {
            type(d, "V(0)", QString::fromLatin1(c.typed));
            ok(d);
        }), given.with({{"V(1)", c.stored}})) << c.typed << " in " << std::get<std::string>(c.layout.at("Caption"));
    }
}

TEST(ExpansionDialog, OkTellsTheLayoutByTheBoxBeingHiddenNotByWhatIsOnScreen)
{
    // With the dialog off the screen nothing is visible; the full layout still applies its bounds.
    EXPECT_EQ(expansion.run(host, [](QDialog& d) {
        type(d, "V(0)", "-1");
        d.hide();
        child<QPushButton>(d, "Command1").click();
    }), host.with({{"V(1)", -1.0f}}));
}

TEST(ExpansionDialog, EachFlagBoxClearsItsBitAndTheHighByteWhileCheckingKeepsEveryBit)
{
    // Boxes FEShow(0..3) and AteFim stand for bits 0 to 4 (masks 254, 253, 251, 247, 239).
    struct Case {
        int given;
        const char* untick; // the box the user clears, or none
        int after;
    } cases[] = {
        {0x7FFF, "FEShow(0)", 0x00FE}, {0x7FFF, "FEShow(1)", 0x00FD}, {0x7FFF, "FEShow(2)", 0x00FB},
        {0x7FFF, "FEShow(3)", 0x00F7}, {0x7FFF, "AteFim", 0x00EF},     {-1, nullptr, -1},
        {0x0113, nullptr, 0x0013},     {0x00E0, "FEShow(1)", 0x00E2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(expansion.run(host.with({{"FExpShow", c.given}}), [&](QDialog& d) {
            if (c.untick)
                tick(d, c.untick);
            ok(d);
        }), host.with({{"FExpShow", c.after}})) << c.given << " " << (c.untick ? c.untick : "");
    }
    EXPECT_EQ(expansion.run(host.with({{"FExpShow", 0x0113}}), cancel), host.with({{"FExpShow", 0x0113}}));
}
