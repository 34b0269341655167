// The retracement tool: its check boxes and six values in the short number form.

#include "support/ToolDriver.h"

#include <limits>

using namespace testsupport;

namespace {

const Tool retracement{"ZarvLinesParm.RetracementParmClass"};
const Values host{{"Cor(1)", 0x3366CC}, {"Extend", 0}, {"Numbers", 1}, {"SaveDefault", 0},
                  {"V(1)", 0.382f}, {"V(2)", 0.618f}, {"V(3)", 1.618f}, {"V(4)", 2.618f},
                  {"V(5)", 100.0f}, {"V(6)", -0.5f}};
const float largest = std::numeric_limits<float>::max();

QString box(int k) { return QStringLiteral("V(%1)").arg(k); }

} // namespace

TEST(RetracementDialog, ValuesShowInTheShortFormAndComeBackExactly)
{
    EXPECT_EQ(retracement.run(host, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Retracement Parameters"));
        EXPECT_EQ(swatch(d, "Cor1(0)"), 0x3366CC);
        const char* texts[6] = {" .382", " .618", " 1.618", " 2.618", " 100", "-.5"};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(shown(d, box(k)), QString::fromLatin1(texts[k])) << k;
        ok(d);
    }), host);
    // Seven digits are all a box keeps: 1/3 comes back as the float read from " .3333333".
    EXPECT_EQ(retracement.run(host.with({{"V(1)", 1.0f / 3.0f}}), [](QDialog& d) {
        EXPECT_EQ(shown(d, box(0)), QStringLiteral(" .3333333"));
        ok(d);
    }), host.with({{"V(1)", 0.3333333f}}));
    expectSwatchesEdit(retracement, host, {{"Cor1(0)", "Cor(1)"}});
}

TEST(RetracementDialog, OkReadsEveryBoxByTheNumberReading)
{
    const std::pair<const char*, float> typed[6][2] = {
        {{"0.5abc", 0.5f}, {"1 2", 12.0f}},   {{"abc", 0.0f}, {"2.5E-1", 0.25f}},
        {{"", 0.0f}, {"&H10", 16.0f}},        {{"1,5", 1.0f}, {"-.5", -0.5f}},
        {{"1e400", largest}, {"7D2", 700.0f}}, {{"-1e400", -largest}, {"\xc3\xa9", 0.0f}}};
    for (int round = 0; round < 2; ++round) {
        Values expected = host;
        for (int k = 0; k < 6; ++k)
            expected[box(k + 1).toStdString()] = typed[k][round].second;
        EXPECT_EQ(retracement.run(host, [&](QDialog& d) {
            for (int k = 0; k < 6; ++k)
                type(d, box(k), QString::fromUtf8(typed[k][round].first));
            ok(d);
        }), expected) << "round " << round;
    }
}

TEST(RetracementDialog, CheckBoxesTakeAnyNonZeroAndGiveOneOrZero)
{
    for (int given : {-1, 2, 1}) {
        const Values flags = host.with({{"Extend", given}, {"Numbers", given}});
        EXPECT_EQ(retracement.run(flags, [](QDialog& d) {
            EXPECT_EQ(state(d, "Extend"), Qt::Checked);
            EXPECT_EQ(state(d, "Numbers"), Qt::Checked);
            ok(d);
        }), flags.with({{"Extend", 1}, {"Numbers", 1}})) << given;
        EXPECT_EQ(retracement.run(flags, cancel), flags) << given;
    }
    EXPECT_EQ(retracement.run(host, [](QDialog& d) {
        tick(d, "Numbers");
        tick(d, "Extend");
        ok(d);
    }), host.with({{"Extend", 1}, {"Numbers", 0}}));
}
