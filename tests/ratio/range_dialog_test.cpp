// The range tool, driven as a user drives its dialog: its defaults, its fixed number formats and
// its texts from the host.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>
#include <limits>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("ZARVRANGER");

struct Values {
    std::int16_t periodos;
    float cte1, cte2;
    std::int32_t cor1, cor2, cor3;
    std::string onh;
    std::int16_t extendRight, saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& x)
{
    return os << "{Periodos=" << x.periodos << " Cte1=" << x.cte1 << " Cte2=" << x.cte2 << " Cor1=" << x.cor1
              << " Cor2=" << x.cor2 << " Cor3=" << x.cor3 << " ONH=\"" << x.onh << "\" ExtendRight="
              << x.extendRight << " SaveDefault=" << x.saveDefault << "}";
}

Values read(const ZarvRangerParmClass& r)
{
    return {r.Periodos(), r.Cte1(), r.Cte2(), r.Cor1(), r.Cor2(), r.Cor3(), r.ONH(), r.ExtendRight(), r.SaveDefault()};
}

void set(ZarvRangerParmClass& r, const Values& x)
{
    r.Periodos(x.periodos);
    r.Cte1(x.cte1);
    r.Cte2(x.cte2);
    r.Cor1(x.cor1);
    r.Cor2(x.cor2);
    r.Cor3(x.cor3);
    r.ONH(x.onh);
    r.ExtendRight(x.extendRight);
    r.SaveDefault(x.saveDefault);
}

// Starts without setting anything first: what the parameter record holds is shown.
Values again(std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvRangerParmClass r;
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(r.Start(fdef), Variant{});
    return read(r);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvRangerParmClass r;
    set(r, values);
    return again(std::move(user), fdef);
}

std::int32_t swatchColour(QDialog& d, const char* name)
{
    return frame::rgbOf(child<QLabel>(d, QString::fromLatin1(name)).palette().color(QPalette::Window));
}

QLineEdit& box(QDialog& d, const char* name) { return child<QLineEdit>(d, QString::fromLatin1(name)); }

void pressOk(QDialog& d) { press(d, "Command1"); }
void pressCancel(QDialog& d) { press(d, "Command2"); }

// Every field zero and both texts empty is how the library starts: setting that is starting over.
const Values nothingSet{};
const Values defaults{3, 0.618f, 1.382f, 65280, 255, 0, "", 0, 0};
const Values host{8, 0.5f, 2.0f, 0x0000AA, 0x00BB00, 0xCC0000, "host text", 1, 0};

void startOver()
{
    ZarvRangerParmClass r;
    set(r, nothingSet);
    r.Caption("");
    r.ExtendRightCaption("");
}

} // namespace

TEST(RangeDialog, NothingSetShowsTheDefaultsButOkGivesTheZeroColoursTheFirstTime)
{
    startOver();
    Values firstOk = defaults;
    firstOk.cor1 = firstOk.cor2 = 0;
    EXPECT_EQ(again([](QDialog& d) {
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
        EXPECT_EQ(d.parentWidget(), nullptr);
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowTitle(), QString());
        EXPECT_EQ(child<QCheckBox>(d, "ExtendRight").text(), QString());
        EXPECT_EQ(child<QCheckBox>(d, "ExtendRight").checkState(), Qt::Unchecked);
        EXPECT_EQ(box(d, "Per").text(), QStringLiteral("3"));
        EXPECT_EQ(box(d, "Ct1").text(), QStringLiteral("0.618"));
        EXPECT_EQ(box(d, "Ct2").text(), QStringLiteral("1.382"));
        EXPECT_EQ(swatchColour(d, "Cor1"), 65280);
        EXPECT_EQ(swatchColour(d, "Cor2"), 255);
        EXPECT_EQ(swatchColour(d, "Cor3"), 0);
        const char* labels[][2] = {{"Label1", "Periods"}, {"Label6", "Const1"}, {"Label5", "Const2"},
                                   {"Label4", "Up"}, {"Label3", "Down"}, {"Label2", "Range"}};
        for (auto [name, caption] : labels)
            EXPECT_EQ(child<QLabel>(d, QString::fromLatin1(name)).text(), QString::fromLatin1(caption));
        pressOk(d);
    }), firstOk);
    // The defaults stayed in the values the host set: the next Start shows and returns them.
    EXPECT_EQ(again([](QDialog& d) {
        EXPECT_EQ(swatchColour(d, "Cor1"), 65280);
        EXPECT_EQ(box(d, "Per").text(), QStringLiteral("3"));
        pressOk(d);
    }), defaults);
}

TEST(RangeDialog, NothingSetAndCancelGivesEveryDefault)
{
    startOver();
    EXPECT_EQ(again(pressCancel), defaults);
}

TEST(RangeDialog, OnlyZeroFieldsTakeDefaults)
{
    startOver();
    // A negative constant, a period count, and a colour set by the host are kept; zero of either
    // sign and not-a-number are unset constants.
    const Values partly{-2, -0.0f, -1.0f, 0, 7, 9, "", 0, 0};
    EXPECT_EQ(run(partly, [](QDialog& d) {
        EXPECT_EQ(box(d, "Per").text(), QStringLiteral("-2"));
        EXPECT_EQ(box(d, "Ct1").text(), QStringLiteral("0.618"));
        EXPECT_EQ(box(d, "Ct2").text(), QStringLiteral("-1.000"));
        EXPECT_EQ(swatchColour(d, "Cor1"), 65280);
        EXPECT_EQ(swatchColour(d, "Cor2"), 7);
        pressCancel(d);
    }), (Values{-2, 0.618f, -1.0f, 65280, 7, 9, "", 0, 0}));

    Values notANumber = host;
    notANumber.cte2 = std::numeric_limits<float>::quiet_NaN();
    Values shown = host;
    shown.cte2 = 1.382f;
    EXPECT_EQ(run(notANumber, [](QDialog& d) {
        EXPECT_EQ(box(d, "Ct2").text(), QStringLiteral("1.382"));
        pressOk(d);
    }), shown);
}

TEST(RangeDialog, ConstantsShowWithThreeDecimalsSoOkRoundsThem)
{
    Values precise = host;
    precise.cte1 = 0.61849f;
    precise.cte2 = -0.5f;
    Values ok = precise;
    ok.cte1 = 0.618f;
    EXPECT_EQ(run(precise, [](QDialog& d) {
        EXPECT_EQ(box(d, "Per").text(), QStringLiteral("8"));
        EXPECT_EQ(box(d, "Ct1").text(), QStringLiteral("0.618"));
        EXPECT_EQ(box(d, "Ct2").text(), QStringLiteral("-0.500"));
        pressOk(d);
    }), ok);
    EXPECT_EQ(run(precise, pressCancel), precise);
}

TEST(RangeDialog, PeriodsAreReadAsAWholeNumberHalvesToEvenAndSaturateBeyondSixteenBits)
{
    const std::pair<const char*, std::int16_t> cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"7abc", 7}, {"abc", 0}, {"-2.5", -2},
        {"32767.4", 32767}, {"70000", 32767}, {"-1e400", -32768}, {"1e400", 32767},
    };
    for (const auto& [typed, stored] : cases) {
        Values ok = host;
        ok.periodos = stored;
        ok.cte1 = 1.5f; // the box after Per is read too: nothing stops "OK" half way
        EXPECT_EQ(run(host, [text = typed](QDialog& d) {
            typeInto(box(d, "Per"), QString::fromLatin1(text));
            typeInto(box(d, "Ct1"), QStringLiteral("1.5"));
            pressOk(d);
        }), ok) << typed;
    }
    Values huge = host;
    huge.cte2 = -std::numeric_limits<float>::max();
    EXPECT_EQ(run(host, [](QDialog& d) {
        typeInto(box(d, "Ct2"), QStringLiteral("-1e400"));
        pressOk(d);
    }), huge);
}

TEST(RangeDialog, TheCheckBoxTakesNonZeroAndOkGivesOneOrZero)
{
    Values flagged = host;
    flagged.extendRight = -1;
    Values ok = flagged;
    ok.extendRight = 1;
    EXPECT_EQ(run(flagged, [](QDialog& d) {
        EXPECT_EQ(child<QCheckBox>(d, "ExtendRight").checkState(), Qt::Checked);
        pressOk(d);
    }), ok);
    ok.extendRight = 0;
    EXPECT_EQ(run(flagged, [](QDialog& d) {
        click(child<QCheckBox>(d, "ExtendRight"));
        pressOk(d);
    }), ok);
    EXPECT_EQ(run(flagged, pressCancel), flagged);
}

TEST(RangeDialog, CaptionsComeFromTheHostOnEveryStartAndNoButtonChangesThem)
{
    ZarvRangerParmClass r;
    r.Caption("abc");
    r.ExtendRightCaption("to the right");
    EXPECT_EQ(ZarvRangerParmClass{}.Caption(), "abc"); // one value for every instance
    for (auto answer : {pressOk, pressCancel, +[](QDialog& d) { press(d, "Command3"); },
                        +[](QDialog& d) { d.close(); }}) {
        run(host, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("abc"));
            EXPECT_EQ(child<QCheckBox>(d, "ExtendRight").text(), QStringLiteral("to the right"));
            answer(d);
        });
        EXPECT_EQ(r.Caption(), "abc");
        EXPECT_EQ(r.ExtendRightCaption(), "to the right");
    }
    // Set while the dialog is shown, a caption is not undone by Cancel: it is in no record.
    run(host, [&](QDialog& d) {
        r.Caption("changed");
        r.ExtendRightCaption("");
        pressCancel(d);
    });
    EXPECT_EQ(r.Caption(), "changed");
    EXPECT_EQ(r.ExtendRightCaption(), "");
    // The design title is always replaced, an empty caption included.
    r.Caption("");
    run(host, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString());
        pressOk(d);
    });
}

TEST(RangeDialog, TheHostsTextGoesThroughEveryAnswerUnchangedAndUnshared)
{
    for (auto answer : {pressOk, pressCancel, +[](QDialog& d) { press(d, "Command3"); }})
        EXPECT_EQ(run(host, answer).onh, "host text");
    ZarvRangerParmClass r;
    std::string text = "abc";
    r.ONH(text);
    text[0] = 'X'; // the class keeps its own copy
    again(pressOk);
    r.ONH("later"); // and the working copy is not the parameter's
    EXPECT_EQ(r.ONH(), "abc");
}

TEST(RangeDialog, EachSwatchEditsItsOwnColourWhichCancelTurnsBackToTheDefault)
{
    startOver();
    // The swatch shows the default red, but the chooser opens on the working colour, still 0.
    Values firstOk = defaults;
    firstOk.cor1 = 0;
    firstOk.cor2 = 0x00FFFF;
    EXPECT_EQ(again([](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor2", 0x00FFFF), 0);
        EXPECT_EQ(swatchColour(d, "Cor2"), 0x00FFFF);
        EXPECT_EQ(swatchColour(d, "Cor1"), 65280);
        EXPECT_EQ(swatchColour(d, "Cor3"), 0);
        pressOk(d);
    }), firstOk);
    EXPECT_EQ(again([](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor2", 0x123456), 255);
        chooseColour(d, "Cor3", std::nullopt);
        pressCancel(d);
    }), defaults);
    // Closed from the title bar: the colour was taken when chosen, the boxes are not read.
    Values chosen = host;
    chosen.cor3 = 0x010203;
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor3", 0x010203), 0xCC0000);
        typeInto(box(d, "Per"), QStringLiteral("99"));
        d.close();
    }), chosen);
}

TEST(RangeDialog, SaveAsDefaultShowsForNonZeroFDefAndThenDoesWhatOkDoes)
{
    run(host, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        pressOk(d);
    }, 0);
    Values saved = host;
    saved.periodos = 21;
    saved.saveDefault = 1;
    EXPECT_EQ(run(host, [](QDialog& d) {
        typeInto(box(d, "Per"), QStringLiteral("21"));
        press(d, "Command3");
    }), saved);
}

TEST(RangeDialog, LateBindingReachesTheClassByItsProgId)
{
    auto o = CreateObject("ZarvLinesParm.ZarvRangerParmClass");
    ASSERT_NE(dynamic_cast<ZarvRangerParmClass*>(o.get()), nullptr);
    EXPECT_EQ(o->progId(), "ZarvLinesParm.ZarvRangerParmClass");
    std::vector<std::string> names;
    for (const MemberInfo& m : Describe(o->progId()))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Periodos", "Cte1", "Cte2", "Cor1", "Cor2", "Cor3", "ONH", "Caption",
                                               "ExtendRightCaption", "ExtendRight", "Start", "SaveDefault"}));

    set(dynamic_cast<ZarvRangerParmClass&>(*o), host);
    o->invoke("caption", Invoke::Let, {std::string("late")});
    o->invoke("ONH", Invoke::Let, {std::string("bound")});
    o->invoke("Periodos", Invoke::Let, {4.5});
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("late"));
        EXPECT_EQ(box(d, "Per").text(), QStringLiteral("4"));
        pressOk(d);
    });
    EXPECT_EQ(o->invoke("Start", Invoke::Method, {std::int16_t{0}}), Variant{});
    EXPECT_EQ(o->invoke("Caption", Invoke::Get, {}), Variant(std::string("late")));
    EXPECT_EQ(o->invoke("onh", Invoke::Get, {}), Variant(std::string("bound")));
    EXPECT_EQ(o->invoke("Periodos", Invoke::Get, {}), Variant(std::int16_t{4}));
    EXPECT_EQ(o->invoke("Cte1", Invoke::Get, {}), Variant(0.5f));
}
