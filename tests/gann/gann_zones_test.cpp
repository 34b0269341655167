// The Gann zones tool: NZones written on every keystroke, replaced by 8 on "OK" when out of range.

#include "support/ToolDriver.h"

#include <QTest>

using namespace testsupport;

namespace {
const Tool zones{"ZarvLinesParm.ZarvGannParmClass"};
const Values host{{"Cor(1)", 255}, {"Cor(2)", 65280}, {"NZones", 8}, {"SaveDefault", 0}};
// What the working record holds right now, as the host would read it.
std::int16_t workingZones() { return ZarvLinesParm::ZarvGannParmClass{}.NZones(); }
} // namespace

TEST(GannZones, EveryKeystrokeAndTheLoadItselfWriteTheWorkingRecord)
{
    const std::pair<int, const char*> loads[] = {{8, " 8"}, {0, " 0"}, {-3, "-3"}, {32767, " 32767"}};
    for (auto [n, text] : loads) {
        zones.run(host.with({{"NZones", n}}), [&](QDialog& d) {
            EXPECT_EQ(shown(d, "NZones"), QString::fromLatin1(text));
            EXPECT_EQ(workingZones(), n);
            cancel(d);
        });
    }
    // The replacement by 8 is not shown in the box.
    EXPECT_EQ(zones.run(host.with({{"NZones", 0}}), [](QDialog& d) {
        ok(d);
        EXPECT_EQ(shown(d, "NZones"), QStringLiteral(" 0"));
    }), host);
    EXPECT_EQ(zones.run(host, [](QDialog& d) {
        auto& box = child<QLineEdit>(d, "NZones");
        typeInto(box, "");
        EXPECT_EQ(workingZones(), 0);
        QTest::keyClick(&box, Qt::Key_2);
        EXPECT_EQ(workingZones(), 2);
        QTest::keyClick(&box, Qt::Key_5);
        EXPECT_EQ(workingZones(), 25);
        QTest::keyClick(&box, Qt::Key_Backspace);
        EXPECT_EQ(workingZones(), 2);
        EXPECT_EQ(chooseColour(d, "Cor1(1)", 0x123456), 65280);
        ok(d);
    }), host.with({{"NZones", 2}, {"Cor(2)", 0x123456}}));
    expectSwatchesEdit(zones, host, {{"Cor1(0)", "Cor(1)"}, {"Cor1(1)", "Cor(2)"}});
}

TEST(GannZones, OkReadsNoControlAndReplacesOutsideOneToFiftyByEightWhileACloseKeepsTheNumber)
{
    struct Case {
        int given;
        const char* typed; // nothing typed when null
        int afterOk, afterClose;
    } cases[] = {
        {1, nullptr, 1, 1},       {50, nullptr, 50, 50},    {0, nullptr, 8, 0},      {51, nullptr, 8, 51},
        {-5, nullptr, 8, -5},     {-32768, nullptr, 8, -32768},
        {8, "12.5", 12, 12},      {8, "13.5", 14, 14},      {8, "&H10", 16, 16},     {8, "4x", 4, 4},
        {8, "abc", 8, 0},         {8, "", 8, 0},            {9, "60", 8, 60},        {9, "-7", 8, -7},
        {8, "99999", 8, 32767},   {8, "-99999", 8, -32768}, {8, "1e400", 8, 32767},
    };
    for (const Case& c : cases) {
        for (bool byOk : {true, false}) {
            EXPECT_EQ(zones.run(host.with({{"NZones", c.given}}), [&](QDialog& d) {
                if (c.typed)
                    type(d, "NZones", QString::fromLatin1(c.typed));
                byOk ? ok(d) : closeBox(d);
            }), host.with({{"NZones", byOk ? c.afterOk : c.afterClose}}))
                << c.given << " " << (c.typed ? c.typed : "") << (byOk ? " OK" : " close");
        }
    }
    EXPECT_EQ(zones.run(host.with({{"NZones", 9}}), [](QDialog& d) {
        type(d, "NZones", "20");
        chooseColour(d, "Cor1(0)", 0x654321);
        cancel(d);
    }), host.with({{"NZones", 9}}));
}
