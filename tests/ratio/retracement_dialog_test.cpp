// The retracement tool, driven as a user drives its dialog.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <cmath>
#include <limits>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("RetracementParm");

struct Values {
    std::int16_t extend;
    std::int32_t cor;
    std::array<float, 6> v;
    std::int16_t saveDefault, numbers;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& x)
{
    return os << "{Extend=" << x.extend << " Cor=" << x.cor << " V=" << ::testing::PrintToString(x.v)
              << " SaveDefault=" << x.saveDefault << " Numbers=" << x.numbers << "}";
}

Values read(const RetracementParmClass& r)
{
    return {r.Extend(), r.Cor(1), {r.V(1), r.V(2), r.V(3), r.V(4), r.V(5), r.V(6)}, r.SaveDefault(), r.Numbers()};
}

void set(RetracementParmClass& r, const Values& x)
{
    r.Extend(x.extend);
    r.Cor(1, x.cor);
    for (std::int16_t i = 1; i <= 6; ++i)
        r.V(i, x.v[i - 1]);
    r.SaveDefault(x.saveDefault);
    r.Numbers(x.numbers);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    RetracementParmClass r;
    set(r, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(r.Start(fdef), Variant{});
    return read(r);
}

QLineEdit& box(QDialog& d, int k) { return child<QLineEdit>(d, QStringLiteral("V(%1)").arg(k)); }

std::int32_t swatchColour(QDialog& d)
{
    return frame::rgbOf(child<QLabel>(d, "Cor1(0)").palette().color(QPalette::Window));
}

const Values zero{};
const Values host{0, 0x3366CC, {0.382f, 0.618f, 1.618f, 2.618f, 100.0f, -0.5f}, 0, 1};

} // namespace

TEST(RetracementDialog, NothingSetShowsZerosClearedBoxesAndBlackAndOkGivesZeros)
{
    EXPECT_EQ(run(zero, [](QDialog& d) {
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
        EXPECT_EQ(d.parentWidget(), nullptr);
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Retracement Parameters"));
        EXPECT_EQ(swatchColour(d), 0);
        EXPECT_EQ(child<QCheckBox>(d, "Extend").checkState(), Qt::Unchecked);
        EXPECT_EQ(child<QCheckBox>(d, "Numbers").checkState(), Qt::Unchecked);
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(box(d, k).text(), QStringLiteral(" 0")) << k;
        const char* captions[][2] = {{"Label8", "Lines Color"}, {"Label1", "Retracement Values"},
                                     {"Extend", "Extend to end"}, {"Numbers", "Show values"},
                                     {"Label2", "1"}, {"Label7", "2"}, {"Label6", "3"},
                                     {"Label5", "4"}, {"Label4", "5"}, {"Label3", "6"}};
        for (auto [name, caption] : captions) {
            auto* c = d.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(c, nullptr) << name;
            EXPECT_EQ(c->property("text").toString(), QString::fromLatin1(caption)) << name;
        }
        press(d, "Command1");
    }), zero);
}

TEST(RetracementDialog, ValuesShowInTheShortFormAndComeBackExactlyFromOk)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(swatchColour(d), 0x3366CC);
        EXPECT_EQ(child<QCheckBox>(d, "Numbers").checkState(), Qt::Checked);
        const char* shown[6] = {" .382", " .618", " 1.618", " 2.618", " 100", "-.5"};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(box(d, k).text(), QString::fromLatin1(shown[k])) << k;
        press(d, "Command1");
    }), host);
}

TEST(RetracementDialog, SevenDigitsAreAllTheBoxesKeep)
{
    Values third = zero;
    third.v[0] = 1.0f / 3.0f;
    auto shown = [](QDialog& d) {
        EXPECT_EQ(box(d, 0).text(), QStringLiteral(" .3333333"));
        press(d, "Command1");
    };
    Values ok = third;
    ok.v[0] = 0.3333333f;
    EXPECT_NE(ok.v[0], third.v[0]);
    EXPECT_EQ(run(third, shown), ok);
    EXPECT_EQ(run(third, [](QDialog& d) { press(d, "Command2"); }), third);
}

TEST(RetracementDialog, TypedTextIsReadLenientlyAndBeyondTheFloatRangeStoresTheLargestFloat)
{
    // Nothing typed fails or stops "OK" half way: every box is read, the check boxes too.
    const float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(run(host, [](QDialog& d) {
        const char* typed[6] = {"0.5abc", "abc", "", "1,5", "1e400", "-1e400"};
        for (int k = 0; k < 6; ++k)
            typeInto(box(d, k), QString::fromLatin1(typed[k]));
        click(child<QCheckBox>(d, "Extend"));
        press(d, "Command1");
    }), (Values{1, 0x3366CC, {0.5f, 0.0f, 0.0f, 1.0f, largest, -largest}, 0, 1}));
    // A value typed with spaces, in exponent form or as hexadecimal.
    EXPECT_EQ(run(zero, [](QDialog& d) {
        const char* typed[6] = {"1 2", "2.5E-1", "&H10", "-.5", "1.61803398875", "7D2"};
        for (int k = 0; k < 6; ++k)
            typeInto(box(d, k), QString::fromLatin1(typed[k]));
        press(d, "Command1");
    }), (Values{0, 0, {12.0f, 0.25f, 16.0f, -0.5f, 1.61803398875f, 700.0f}, 0, 0}));
}

TEST(RetracementDialog, NonZeroFlagsShowCheckedAndOkWritesOneOrZero)
{
    for (std::int16_t given : {std::int16_t{-1}, std::int16_t{2}}) {
        Values flags = host;
        flags.extend = given;
        flags.numbers = given;
        Values ok = flags;
        ok.extend = ok.numbers = 1;
        EXPECT_EQ(run(flags, [](QDialog& d) {
            EXPECT_EQ(child<QCheckBox>(d, "Extend").checkState(), Qt::Checked);
            EXPECT_EQ(child<QCheckBox>(d, "Numbers").checkState(), Qt::Checked);
            press(d, "Command1");
        }), ok);
        EXPECT_EQ(run(flags, [](QDialog& d) { press(d, "Command2"); }), flags);
    }
    Values cleared = host;
    cleared.numbers = 0;
    EXPECT_EQ(run(host, [](QDialog& d) {
        click(child<QCheckBox>(d, "Numbers"));
        press(d, "Command1");
    }), cleared);
}

TEST(RetracementDialog, CancelUndoesEveryEditOkAndTheTitleBarKeepTheChosenColour)
{
    auto edit = [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(0)", 0x00FF00), 0x3366CC);
        EXPECT_EQ(swatchColour(d), 0x00FF00);
        typeInto(box(d, 1), QStringLiteral("0.5"));
        click(child<QCheckBox>(d, "Extend"));
    };
    EXPECT_EQ(run(host, [&](QDialog& d) {
        edit(d);
        press(d, "Command2");
    }), host);

    Values ok = host;
    ok.cor = 0x00FF00;
    ok.v[1] = 0.5f;
    ok.extend = 1;
    EXPECT_EQ(run(host, [&](QDialog& d) {
        edit(d);
        press(d, "Command1");
    }), ok);
    // Closed from the title bar: the colour was taken when chosen, the boxes are not read.
    EXPECT_EQ(run(host, [&](QDialog& d) {
        edit(d);
        d.close();
    }), (Values{host.extend, 0x00FF00, host.v, 0, host.numbers}));

    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", std::nullopt);
        EXPECT_EQ(swatchColour(d), 0x3366CC);
        press(d, "Command1");
    }), host);
}

TEST(RetracementDialog, SaveAsDefaultShowsForNonZeroFDefAndThenDoesWhatOkDoes)
{
    run(host, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 0);
    Values saved = host;
    saved.v[5] = 6.0f;
    saved.saveDefault = 1;
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_TRUE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        typeInto(box(d, 5), QStringLiteral("6"));
        press(d, "Command3");
    }, 5), saved);
}

TEST(RetracementDialog, IndexesOutsideTheirRangeFailWithNineAndChangeNothing)
{
    RetracementParmClass r;
    set(r, host);
    run(host, [](QDialog& d) { press(d, "Command2"); });
    auto failsWith9 = [](auto call) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 9);
        }
    };
    for (std::int16_t i : {0, 2, -1, 32767}) {
        failsWith9([&] { (void)r.Cor(i); });
        failsWith9([&] { r.Cor(i, 7); });
    }
    for (std::int16_t i : {0, 7, -32768}) {
        failsWith9([&] { (void)r.V(i); });
        failsWith9([&] { r.V(i, 7.0f); });
    }
    auto o = CreateObject("ZarvLinesParm.RetracementParmClass");
    failsWith9([&] { o->invoke("V", Invoke::Let, {std::int16_t{7}, 1.0f}); });
    failsWith9([&] { o->invoke("Cor", Invoke::Get, {std::int16_t{2}}); });
    // Neither record changed: the getters still hold the last dialog's values, and Cancel brings
    // back exactly what was set.
    EXPECT_EQ(read(r), host);
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    r.Start(1);
    EXPECT_EQ(read(r), host);
}

TEST(RetracementDialog, LateBindingReachesTheClassByItsProgId)
{
    auto o = CreateObject("zarvlinesparm.retracementparmclass");
    ASSERT_NE(dynamic_cast<RetracementParmClass*>(o.get()), nullptr);
    EXPECT_EQ(o->progId(), "ZarvLinesParm.RetracementParmClass");

    std::vector<std::string> names;
    for (const MemberInfo& m : Describe(o->progId()))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Cor", "SaveDefault", "V", "Start", "Extend", "Numbers"}));
    EXPECT_EQ(Describe(o->progId())[2].index, (std::pair<std::int16_t, std::int16_t>{1, 6}));

    o->invoke("V", Invoke::Let, {std::int16_t{3}, 0.5});
    o->invoke("Cor", Invoke::Let, {std::int16_t{1}, std::int32_t{255}});
    o->invoke("Extend", Invoke::Let, {std::int16_t{-1}});
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_EQ(box(d, 2).text(), QStringLiteral(" .5"));
        typeInto(box(d, 0), QStringLiteral("0.236"));
        press(d, "Command1");
    });
    EXPECT_EQ(o->invoke("Start", Invoke::Method, {std::int16_t{1}}), Variant{});
    EXPECT_EQ(o->invoke("V", Invoke::Get, {std::int16_t{1}}), Variant(0.236f));
    EXPECT_EQ(o->invoke("v", Invoke::Get, {std::int16_t{3}}), Variant(0.5f));
    EXPECT_EQ(o->invoke("Cor", Invoke::Get, {std::int16_t{1}}), Variant(std::int32_t{255}));
    EXPECT_EQ(o->invoke("EXTEND", Invoke::Get, {}), Variant(std::int16_t{1}));
}
