// The Dravel lines tool: two colours and two factors, nothing clamped.

#include "support/ToolDriver.h"

using namespace testsupport;

namespace {
const Tool dravel{"ZarvLinesParm.ZarvDravelPArmClass"};
const Values host{{"Cor(1)", 0x0000FF}, {"Cor(2)", 0x00FF00}, {"V(1)", 0.5f}, {"V(2)", 1.5f}, {"SaveDefault", 0}};
} // namespace

TEST(DravelDialog, OkStoresWhateverIsTypedUnclampedAndCancelUndoesIt)
{
    const std::pair<const char*, float> cases[] = {{"abc", 0.f}, {"2.5x", 2.5f}, {"-4", -4.f}, {"0.1", 0.1f},
                                                   {"99999", 99999.f}, {"-1e400", -3.40282347e38f}};
    for (const auto& [typed, stored] : cases) {
        EXPECT_EQ(dravel.run(host, [&](QDialog& d) {
            EXPECT_EQ(shown(d, "V(0)"), QStringLiteral(" .5"));
            EXPECT_EQ(shown(d, "V(1)"), QStringLiteral(" 1.5"));
            type(d, "V(0)", QString::fromLatin1(typed));
            type(d, "V(1)", "-7");
            ok(d);
        }), host.with({{"V(1)", stored}, {"V(2)", -7.0f}})) << typed;
    }
    expectSwatchesEdit(dravel, host, {{"Cor1(1)", "Cor(2)"}, {"Cor1(0)", "Cor(1)"}});
}
