// The Gann zones tool, driven as a user drives its dialog.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("GannParm");

struct Values {
    std::int32_t cor1, cor2;
    std::int16_t nZones, saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& v)
{
    return os << "{Cor(1)=" << v.cor1 << " Cor(2)=" << v.cor2 << " NZones=" << v.nZones
              << " SaveDefault=" << v.saveDefault << "}";
}

Values read(const ZarvGannParmClass& c) { return {c.Cor(1), c.Cor(2), c.NZones(), c.SaveDefault()}; }

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvGannParmClass c;
    c.Cor(1, values.cor1);
    c.Cor(2, values.cor2);
    c.NZones(values.nZones);
    c.SaveDefault(values.saveDefault);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

Values withZones(std::int16_t n) { return {255, 65280, n, 0}; }

QLineEdit& zonesBox(QDialog& d) { return child<QLineEdit>(d, "NZones"); }

// What the working record holds right now, as the host would read it.
std::int16_t workingZones() { return ZarvGannParmClass{}.NZones(); }

std::int16_t zonesAfter(std::int16_t given, std::function<void(QDialog&)> user)
{
    return run(withZones(given), std::move(user)).nZones;
}

void ok(QDialog& d) { press(d, "Command1"); }

} // namespace

TEST(GannZones, LoadShowsTheNumberWithItsSignPlaceAndTheTwoColours)
{
    const std::pair<std::int16_t, const char*> shown[] = {{8, " 8"}, {0, " 0"}, {-3, "-3"}, {32767, " 32767"}};
    for (auto [n, text] : shown) {
        run(withZones(n), [&](QDialog& d) {
            EXPECT_EQ(zonesBox(d).text(), QString::fromLatin1(text));
            EXPECT_EQ(workingZones(), n); // the change handler read back the same number
            d.close();
        });
    }
    run(withZones(8), [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Gann Parameters"));
        EXPECT_EQ(frame::rgbOf(child<QLabel>(d, "Cor1(0)").palette().color(QPalette::Window)), 255);
        EXPECT_EQ(frame::rgbOf(child<QLabel>(d, "Cor1(1)").palette().color(QPalette::Window)), 65280);
        EXPECT_EQ(child<QLabel>(d, "Label1").text(), QStringLiteral("Number of zones"));
        EXPECT_EQ(child<QLabel>(d, "Label3").text(), QStringLiteral("Odd line color"));
        EXPECT_EQ(child<QLabel>(d, "Label2").text(), QStringLiteral("Even line color"));
        // Three rows: the box, then the odd colour, then the even colour.
        EXPECT_LT(zonesBox(d).y(), child<QLabel>(d, "Cor1(0)").y());
        EXPECT_LT(child<QLabel>(d, "Cor1(0)").y(), child<QLabel>(d, "Cor1(1)").y());
        d.close();
    });
}

TEST(GannZones, OkReadsNoControlAndReplacesANumberOutsideOneToFiftyByEight)
{
    const std::pair<std::int16_t, std::int16_t> kept[] = {{8, 8}, {1, 1}, {50, 50}, {0, 8}, {51, 8}, {-5, 8},
                                                          {32767, 8}, {-32768, 8}};
    for (auto [given, returned] : kept)
        EXPECT_EQ(zonesAfter(given, ok), returned) << given;
    // The box is not updated by the replacement.
    EXPECT_EQ(zonesAfter(0, [](QDialog& d) {
        ok(d);
        EXPECT_EQ(zonesBox(d).text(), QStringLiteral(" 0"));
    }), 8);
    EXPECT_EQ(zonesAfter(0, [](QDialog& d) { press(d, "Command2"); }), 0);
    EXPECT_EQ(run(withZones(60), [](QDialog& d) { press(d, "Command3"); }), (Values{255, 65280, 8, 1}));
}

TEST(GannZones, EveryKeystrokeWritesTheWorkingRecord)
{
    EXPECT_EQ(zonesAfter(8, [](QDialog& d) {
        typeInto(zonesBox(d), "");
        EXPECT_EQ(workingZones(), 0);
        QTest::keyClick(&zonesBox(d), Qt::Key_2);
        EXPECT_EQ(workingZones(), 2);
        QTest::keyClick(&zonesBox(d), Qt::Key_5);
        EXPECT_EQ(workingZones(), 25);
        QTest::keyClick(&zonesBox(d), Qt::Key_Backspace);
        EXPECT_EQ(workingZones(), 2);
        ok(d);
    }), 2);

    const std::pair<const char*, std::int16_t> typed[] = {
        {"12", 12}, {"12.5", 12}, {"13.5", 14}, {"", 8}, {"abc", 8}, {"&H10", 16}, {"4x", 4}};
    for (auto [text, returned] : typed)
        EXPECT_EQ(zonesAfter(8, [&](QDialog& d) {
            typeInto(zonesBox(d), QString::fromLatin1(text));
            ok(d);
        }), returned) << text;
}

TEST(GannZones, CancelUndoesTypingAndAnyOtherCloseKeepsItUnreplaced)
{
    EXPECT_EQ(zonesAfter(9, [](QDialog& d) {
        typeInto(zonesBox(d), "20");
        press(d, "Command2");
    }), 9);
    for (const char* text : {"0", "60", "-7"})
        EXPECT_EQ(zonesAfter(9, [&](QDialog& d) {
            typeInto(zonesBox(d), QString::fromLatin1(text));
            d.close();
        }), QString::fromLatin1(text).toShort()) << text;
    // Enter neither closes the dialog nor stores anything beyond what was typed.
    EXPECT_EQ(zonesAfter(9, [](QDialog& d) {
        typeInto(zonesBox(d), "70");
        QTest::keyClick(&zonesBox(d), Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        d.close();
    }), 70);
}

TEST(GannZones, ANumberBeyondSixteenBitsIsHeldAtTheNearestEndAndTheBoxStaysUsable)
{
    const std::pair<const char*, std::int16_t> beyond[] = {
        {"99999", 32767}, {"-99999", -32768}, {"1e400", 32767}, {"-1e400", -32768}, {"32767.5", 32767}};
    for (auto [text, held] : beyond) {
        EXPECT_EQ(zonesAfter(8, [&](QDialog& d) {
            typeInto(zonesBox(d), QString::fromLatin1(text));
            EXPECT_EQ(workingZones(), held) << text;
            d.close();
        }), held) << text;
        EXPECT_EQ(zonesAfter(8, [&](QDialog& d) {
            typeInto(zonesBox(d), QString::fromLatin1(text));
            ok(d);
        }), 8) << text;
    }
    EXPECT_EQ(zonesAfter(8, [](QDialog& d) {
        typeInto(zonesBox(d), "99999");
        typeInto(zonesBox(d), "7");
        ok(d);
    }), 7);
}

TEST(GannZones, EachSwatchEditsItsOwnColour)
{
    EXPECT_EQ(run(withZones(8), [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(1)", 0x123456), 65280);
        ok(d);
    }), (Values{255, 0x123456, 8, 0}));
    EXPECT_EQ(run(withZones(8), [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x654321);
        typeInto(zonesBox(d), "3");
        d.close();
    }), (Values{0x654321, 65280, 3, 0}));
    EXPECT_EQ(run(withZones(8), [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x654321);
        chooseColour(d, "Cor1(1)", std::nullopt);
        press(d, "Command2");
    }), withZones(8));
}

TEST(GannZones, AColourIndexOtherThanOneOrTwoFailsWithNineAndChangesNothing)
{
    ZarvGannParmClass c;
    run(withZones(8), ok);
    for (std::int16_t i : {0, 3, -1, 32767}) {
        EXPECT_EQ(errorOf([&] { (void)c.Cor(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Cor(i, 7); }), 9) << i;
    }
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(0);
    EXPECT_EQ(read(c), withZones(8));
}
