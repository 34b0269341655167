// The Gann fan tool: six values in two columns and one colour, nothing clamped.

#include "support/ToolDriver.h"

using namespace testsupport;

namespace {
const Tool gannFan{"ZarvLinesParm.GannFanParmClass"};
const Values host{{"Cor(1)", 0x00FFFF}, {"SaveDefault", 0}, {"V(1)", 1.0f}, {"V(2)", 2.0f}, {"V(3)", 3.0f},
                  {"V(4)", 4.0f}, {"V(5)", 8.0f}, {"V(6)", 0.5f}};
QString box(int i) { return QStringLiteral("V(%1)").arg(i); }
} // namespace

TEST(GannFan, SixBoxesInTwoColumnsKeepTheirOrderAndStoreWhatIsTypedUnclamped)
{
    const char* typed[][6] = {{"9", "-1", "3.25", "0.1", "2", "&H20"},
                              {"1e400", "99999", "-1e400", "abc", "1,5", "\xc3\xa9\xe2\x82\xac"}};
    const float stored[][6] = {{9, -1, 3.25f, 0.1f, 2, 32}, {3.40282347e38f, 99999, -3.40282347e38f, 0, 1, 0}};
    for (int round = 0; round < 2; ++round) {
        Values expected = host;
        for (int i = 0; i < 6; ++i)
            expected[box(i + 1).toStdString()] = stored[round][i];
        EXPECT_EQ(gannFan.run(host, [&](QDialog& d) {
            const char* texts[] = {" 1", " 2", " 3", " 4", " 8", " .5"};
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(shown(d, box(i)), QString::fromLatin1(texts[i])) << i;
                auto& at = child<QLineEdit>(d, box(i));
                // 1 to 3 down the left column, 4 to 6 down the right one.
                if (i % 3 > 0) {
                    EXPECT_GT(at.y(), child<QLineEdit>(d, box(i - 1)).y()) << i;
                }
                if (i >= 3) {
                    EXPECT_GT(at.x(), child<QLineEdit>(d, box(i - 3)).x()) << i;
                }
                type(d, box(i), QString::fromUtf8(typed[round][i]));
            }
            ok(d);
        }), expected) << "round " << round;
    }
    EXPECT_EQ(gannFan.run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(0)", 0x010203), 0x00FFFF);
        type(d, box(0), "7"); // not read by a close
        closeBox(d);
    }), host.with({{"Cor(1)", 0x010203}}));
}
