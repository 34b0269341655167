// The fan tool: four flag boxes on FanShow, bit 0 of AteFim, HLines whole, Porcento carried.

#include "support/ToolDriver.h"

using namespace testsupport;

namespace {
const Tool fan{"ZarvLinesParm.zarvFanParmClass"};
const Values host{{"FanShow", 5}, {"HLines", 0}, {"AteFim", 0}, {"SaveDefault", 0},
                  {"Cor(1)", 255}, {"Cor(2)", 65280}, {"Cor(3)", 0xFF0000}, {"Cor(4)", 0x808080},
                  {"Porcento(1)", 0.236f}, {"Porcento(2)", -1.5f}, {"Porcento(3)", 1e30f}, {"Porcento(4)", 0.1f}};
} // namespace

TEST(FanDialog, OkEditsFlagsWithEightBitMasksAndReplacesHLinesWhole)
{
    struct Case {
        const char* member;
        int given;
        const char* untick; // the box the user clicks, or none
        int after;
    } cases[] = {
        {"FanShow", 0x0105, nullptr, 0x0005}, // the cleared second box drops bit 8
        {"FanShow", 0x7F1F, nullptr, 0x7F1F}, // every box checked: the high bits stay
        {"FanShow", 0x7F1F, "FanShow(1)", 0x001D},
        {"FanShow", 0x00F0, nullptr, 0x00F0},
        {"FanShow", 0, "FanShow(3)", 8},
        {"AteFim", -1, nullptr, -1},
        {"AteFim", -1, "AteFim", 254},
        {"AteFim", 2, nullptr, 2},
        {"AteFim", 2, "AteFim", 3},
        {"HLines", 7, nullptr, 1},
        {"HLines", -1, nullptr, 1},
        {"HLines", 3, "HLine", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fan.run(host.with({{c.member, c.given}}), [&](QDialog& d) {
            if (c.untick)
                tick(d, c.untick);
            ok(d);
        }), host.with({{c.member, c.after}})) << c.member << " " << c.given << " " << (c.untick ? c.untick : "");
    }
    const Values odd = host.with({{"FanShow", 0x0105}, {"HLines", 7}, {"AteFim", 2}});
    EXPECT_EQ(fan.run(odd, [](QDialog& d) {
        EXPECT_EQ(state(d, "FanShow(0)"), Qt::Checked);
        EXPECT_EQ(state(d, "FanShow(1)"), Qt::Unchecked);
        EXPECT_EQ(state(d, "HLine"), Qt::Checked);
        EXPECT_EQ(state(d, "AteFim"), Qt::Unchecked);
        tick(d, "FanShow(0)");
        tick(d, "HLine");
        cancel(d);
    }), odd);
}

TEST(FanDialog, PorcentoIsCarriedThroughEveryAnswerUntouched)
{
    for (User answer : {ok, cancel, saveAsDefault, closeBox}) {
        const Values after = fan.run(host, [&](QDialog& d) {
            chooseColour(d, "Cor1(3)", 0x123456);
            answer(d);
        });
        for (int i = 1; i <= 4; ++i) {
            const std::string name = "Porcento(" + std::to_string(i) + ")";
            EXPECT_EQ(after.at(name), host.at(name)) << name;
        }
    }
    expectSwatchesEdit(fan, host, {{"Cor1(0)", "Cor(1)"}, {"Cor1(1)", "Cor(2)"}, {"Cor1(2)", "Cor(3)"},
                                   {"Cor1(3)", "Cor(4)"}});
}
