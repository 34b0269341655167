// The fork tool: two flag boxes, three swatches, Per1 and the fourth colour carried.

#include "support/ToolDriver.h"

using namespace testsupport;

namespace {
const Tool forkTool{"ZarvLinesParm.ZarvForkParmClass"};
const Values host{{"ForkShow", 3}, {"SaveDefault", 0},
                  {"Cor(1)", 255}, {"Cor(2)", 65280}, {"Cor(3)", 0xFF0000}, {"Cor(4)", 0x0F0F0F},
                  {"Per1(1)", 0.25f}, {"Per1(2)", 0.5f}, {"Per1(3)", -0.75f}, {"Per1(4)", 3.4e38f}};
} // namespace

TEST(ForkDialog, OkEditsForkShowWithTheEightBitMasks)
{
    const std::tuple<int, const char*, int> cases[] = {
        {3, nullptr, 3}, {0x0105, nullptr, 0x0005}, {0x7FFF, nullptr, 0x7FFF},
        {0x7FFF, "ForkShow(0)", 0x00FE}, {0x7FFF, "ForkShow(1)", 0x00FD}, {2, "ForkShow(0)", 3},
    };
    for (const auto& [given, untick, after] : cases) {
        EXPECT_EQ(forkTool.run(host.with({{"ForkShow", given}}), [&, untick = untick](QDialog& d) {
            if (untick)
                tick(d, untick);
            ok(d);
        }), host.with({{"ForkShow", after}})) << given << " " << (untick ? untick : "");
    }
}

TEST(ForkDialog, ThreeSwatchesEditTheirColoursAndPer1AndTheFourthColourAreCarried)
{
    const Values chosen = host.with({{"Cor(1)", 0x010101}, {"Cor(2)", 0x020202}, {"Cor(3)", 0x030303}});
    auto chooseAll = [](QDialog& d) {
        EXPECT_EQ(d.findChild<QWidget*>(QStringLiteral("Cor1(3)")), nullptr);
        EXPECT_EQ(d.findChildren<QCheckBox*>().size(), 2);
        for (int i = 0; i < 3; ++i)
            chooseColour(d, QStringLiteral("Cor1(%1)").arg(i), 0x010101 * (i + 1));
    };
    EXPECT_EQ(forkTool.run(host, [&](QDialog& d) { chooseAll(d); ok(d); }), chosen);
    EXPECT_EQ(forkTool.run(host, [&](QDialog& d) { chooseAll(d); closeBox(d); }), chosen);
    EXPECT_EQ(forkTool.run(host, [&](QDialog& d) { chooseAll(d); cancel(d); }), host);
}
