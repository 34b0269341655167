// The expansion tool, driven as a user drives its dialog: the two layouts, the value bounds and
// the row of flag boxes.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <limits>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("FExpParm");

struct Values {
    std::int16_t fExpShow;
    std::array<std::int32_t, 4> cor;
    std::array<float, 4> v;
    std::int16_t saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& x)
{
    return os << "{FExpShow=" << x.fExpShow << " Cor=" << ::testing::PrintToString(x.cor)
              << " V=" << ::testing::PrintToString(x.v) << " SaveDefault=" << x.saveDefault << "}";
}

Values read(const ZarvExpParmClass& e)
{
    return {e.FExpShow(), {e.Cor(1), e.Cor(2), e.Cor(3), e.Cor(4)}, {e.V(1), e.V(2), e.V(3), e.V(4)}, e.SaveDefault()};
}

void set(ZarvExpParmClass& e, const Values& x)
{
    e.FExpShow(x.fExpShow);
    for (std::int16_t i = 1; i <= 4; ++i) {
        e.Cor(i, x.cor[i - 1]);
        e.V(i, x.v[i - 1]);
    }
    e.SaveDefault(x.saveDefault);
}

Values run(const Values& values, std::string_view caption, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvExpParmClass e;
    set(e, values);
    e.Caption(caption);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(e.Start(fdef), Variant{});
    return read(e);
}

QLineEdit& box(QDialog& d, int k) { return child<QLineEdit>(d, QStringLiteral("V(%1)").arg(k)); }
QCheckBox& show(QDialog& d, int k) { return child<QCheckBox>(d, QStringLiteral("FEShow(%1)").arg(k)); }
QCheckBox& ateFim(QDialog& d) { return child<QCheckBox>(d, "AteFim"); }

std::int32_t swatchColour(QDialog& d, int k)
{
    return frame::rgbOf(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(k)).palette().color(QPalette::Window));
}

void typeAll(QDialog& d, const std::array<const char*, 4>& texts)
{
    for (int k = 0; k < 4; ++k)
        typeInto(box(d, k), QString::fromLatin1(texts[k]));
}

void pressOk(QDialog& d) { press(d, "Command1"); }
void pressCancel(QDialog& d) { press(d, "Command2"); }

constexpr std::string_view full = "Expansion Parameters";
constexpr std::string_view brastel = "Brastel Options";
constexpr std::string_view impulse = "Zarv Impulse Options";

const Values zero{};
const Values host{0x0F, {0x0000FF, 0x00FF00, 0xFF0000, 0x808080}, {0.618f, 1.0f, 1.618f, 2.618f}, 0};

bool reduced(QDialog& d)
{
    bool hidden = ateFim(d).isHidden();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(box(d, k).isHidden(), hidden) << k;
        EXPECT_TRUE(show(d, k).isVisibleTo(&d)) << k;
        EXPECT_TRUE(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(k)).isVisibleTo(&d)) << k;
    }
    return hidden;
}

} // namespace

TEST(ExpansionDialog, NothingSetShowsAnEmptyTitleBlackZerosClearedBoxesAndOkGivesZeros)
{
    EXPECT_EQ(run(zero, "", [](QDialog& d) {
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
        EXPECT_EQ(d.parentWidget(), nullptr);
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowTitle(), QString());
        EXPECT_FALSE(reduced(d));
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(swatchColour(d, k), 0);
            EXPECT_EQ(box(d, k).text(), QStringLiteral(" 0"));
            EXPECT_EQ(show(d, k).checkState(), Qt::Unchecked);
            EXPECT_EQ(show(d, k).text(), QStringLiteral("Show"));
        }
        EXPECT_EQ(ateFim(d).checkState(), Qt::Unchecked);
        EXPECT_EQ(ateFim(d).text(), QStringLiteral("Extend to end"));
        EXPECT_TRUE(d.findChildren<QLabel*>().size() == 4); // the four swatches, no labels
        pressOk(d);
    }), zero);
}

TEST(ExpansionDialog, ValuesShowInTheShortFormAndComeBackExactlyFromOk)
{
    EXPECT_EQ(run(host, full, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Expansion Parameters"));
        const char* shown[4] = {" .618", " 1", " 1.618", " 2.618"};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(box(d, k).text(), QString::fromLatin1(shown[k]));
            EXPECT_EQ(swatchColour(d, k), host.cor[k]);
            // Each row: swatch, value box, "Show", left to right.
            EXPECT_LT(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(k)).x(), box(d, k).x());
            EXPECT_LT(box(d, k).x(), show(d, k).x());
        }
        pressOk(d);
    }), host);
}

TEST(ExpansionDialog, TheFullLayoutStoresValuesFromMinusToPlusThreePointTwoAndDropsTheRest)
{
    EXPECT_EQ(run(host, full, [](QDialog& d) {
        typeAll(d, {"3.2", "-3.2", "3.3", "-4"});
        pressOk(d);
    }), (Values{0x0F, host.cor, {3.2f, -3.2f, 1.618f, 2.618f}, 0}));
    // Text without a number reads 0, which is in bounds; a number beyond any float or double is
    // out of bounds and dropped, like any other.
    EXPECT_EQ(run(host, full, [](QDialog& d) {
        typeAll(d, {"abc", "", "1e400", "-1e400"});
        pressOk(d);
    }), (Values{0x0F, host.cor, {0.0f, 0.0f, 1.618f, 2.618f}, 0}));
}

TEST(ExpansionDialog, AValueOutOfBoundsFromTheHostSurvivesOkUntilAnInBoundsOneIsTyped)
{
    Values big = host;
    big.v[0] = 4.236f;
    auto ok = [&](std::optional<const char*> typed) {
        return run(big, full, [typed](QDialog& d) {
            EXPECT_EQ(box(d, 0).text(), QStringLiteral(" 4.236"));
            if (typed)
                typeInto(box(d, 0), QString::fromLatin1(*typed));
            pressOk(d);
        });
    };
    EXPECT_EQ(ok(std::nullopt), big);
    EXPECT_EQ(ok("5"), big);
    Values typed = big;
    typed.v[0] = 1.5f;
    EXPECT_EQ(ok("1.5"), typed);
}

TEST(ExpansionDialog, TwoCaptionsHideTheValuesAndExtendToEndAndBoundValuesToZeroAndThirtyTwo)
{
    // 1/3 comes back as the float read from its seven-digit text; -1 and 40 are out of bounds.
    const Values given{0x13, host.cor, {1.0f / 3.0f, 32.0f, -1.0f, 40.0f}, 0};
    const Values ok{0x13, host.cor, {0.3333333f, 32.0f, -1.0f, 40.0f}, 0};
    for (std::string_view caption : {brastel, impulse}) {
        EXPECT_EQ(run(given, caption, [caption](QDialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), caption);
            EXPECT_TRUE(reduced(d));
            EXPECT_EQ(ateFim(d).checkState(), Qt::Checked); // filled, though hidden
            pressOk(d);
        }), ok) << caption;
        // "Extend to end" comes back as it was set, cleared too.
        Values cleared = given;
        cleared.fExpShow = 0x03;
        EXPECT_EQ(run(cleared, caption, pressOk).fExpShow, 0x03) << caption;
    }
}

TEST(ExpansionDialog, OnlyTheExactCaptionsGiveTheReducedLayoutChosenAfreshOnEachStart)
{
    for (std::string_view caption : {"brastel options", "Brastel Options ", " Zarv Impulse Options",
                                     "Zarv Impulse", "BRASTEL OPTIONS", ""}) {
        const Values outOfFullBounds{0, {}, {10.0f, 0, 0, 0}, 0};
        EXPECT_EQ(run(outOfFullBounds, caption, [](QDialog& d) {
            EXPECT_FALSE(reduced(d));
            pressOk(d);
        }).v[0], 10.0f) << '"' << caption << '"';
    }
    // Reduced, then full: each Start loads a fresh dialog.
    run(host, brastel, [](QDialog& d) {
        EXPECT_TRUE(reduced(d));
        pressOk(d);
    });
    run(host, full, [](QDialog& d) {
        EXPECT_FALSE(reduced(d));
        pressOk(d);
    });
}

TEST(ExpansionDialog, OkTellsTheLayoutByTheBoxBeingHiddenNotByWhatIsOnScreen)
{
    // With the dialog itself off the screen, "Extend to end" is not visible in either layout;
    // the full layout must still apply the full bounds.
    Values ok = host;
    ok.v[0] = -1.0f;
    EXPECT_EQ(run(host, full, [](QDialog& d) {
        typeInto(box(d, 0), QStringLiteral("-1"));
        d.hide();
        child<QPushButton>(d, "Command1").click();
    }), ok);
}

TEST(ExpansionDialog, ClearingAShowBoxClearsTheHighByteWhileCheckingKeepsEveryBit)
{
    const std::int16_t bits0148 = 0x0113;
    EXPECT_EQ(run({bits0148, {}, {}, 0}, full, [](QDialog& d) {
        const Qt::CheckState expected[4] = {Qt::Checked, Qt::Checked, Qt::Unchecked, Qt::Unchecked};
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(show(d, k).checkState(), expected[k]) << k;
        EXPECT_EQ(ateFim(d).checkState(), Qt::Checked);
        pressOk(d);
    }).fExpShow, 0x0013);
    EXPECT_EQ(run({bits0148, {}, {}, 0}, full, pressCancel).fExpShow, bits0148);

    // Bits 5 to 7 stand for no box and survive; bits 8 to 15 survive while every box is checked.
    EXPECT_EQ(run({0x00FF, {}, {}, 0}, full, pressOk).fExpShow, 0x00FF);
    EXPECT_EQ(run({-1, {}, {}, 0}, full, pressOk).fExpShow, -1);
    EXPECT_EQ(run({0x00FF, {}, {}, 0}, full, [](QDialog& d) {
        click(ateFim(d));
        pressOk(d);
    }).fExpShow, 0x00EF);
    EXPECT_EQ(run({0x7FE0, {}, {}, 0}, full, [](QDialog& d) {
        click(show(d, 2));
        click(ateFim(d));
        pressOk(d);
    }).fExpShow, 0x00F4);
}

TEST(ExpansionDialog, TheCaptionIsOneLibraryWideValueOfItsOwnThatNoButtonChanges)
{
    ZarvExpParmClass e;
    ZarvRangerParmClass range;
    range.Caption("the range's");
    for (auto answer : {pressOk, pressCancel, +[](QDialog& d) { press(d, "Command3"); },
                        +[](QDialog& d) { d.close(); }}) {
        run(host, full, answer);
        EXPECT_EQ(e.Caption(), full);
        EXPECT_EQ(ZarvExpParmClass{}.Caption(), full);
    }
    run(host, full, [&](QDialog& d) {
        e.Caption(brastel);
        pressCancel(d);
    });
    EXPECT_EQ(e.Caption(), brastel);
    EXPECT_EQ(range.Caption(), "the range's");
    range.Caption("");
}

TEST(ExpansionDialog, EachSwatchEditsItsOwnRowThatCancelUndoesAndTheTitleBarKeeps)
{
    Values row2 = host;
    row2.cor[1] = 0x445566;
    EXPECT_EQ(run(host, full, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(1)", 0x445566), 0x00FF00);
        chooseColour(d, "Cor1(2)", std::nullopt);
        pressOk(d);
    }), row2);
    EXPECT_EQ(run(host, brastel, [](QDialog& d) {
        chooseColour(d, "Cor1(3)", 0x010101);
        click(show(d, 0));
        pressCancel(d);
    }), host);
    // Closed from the title bar: the colour was taken when chosen, no box is read.
    Values closed = host;
    closed.cor[0] = 0x0A0B0C;
    EXPECT_EQ(run(host, full, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x0A0B0C);
        click(show(d, 1));
        typeInto(box(d, 1), QStringLiteral("2"));
        d.close();
    }), closed);
}

TEST(ExpansionDialog, SaveAsDefaultShowsForNonZeroFDefAndThenDoesWhatOkDoes)
{
    run(host, full, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        pressOk(d);
    }, 0);
    Values saved = host;
    saved.fExpShow = 0x0E;
    saved.v[3] = -3.0f;
    saved.saveDefault = 1;
    EXPECT_EQ(run(host, full, [](QDialog& d) {
        click(show(d, 0));
        typeInto(box(d, 3), QStringLiteral("-3"));
        press(d, "Command3");
    }, 2), saved);
}

TEST(ExpansionDialog, IndexesOutsideOneToFourFailWithNineAndChangeNothing)
{
    ZarvExpParmClass e;
    run(host, full, pressCancel);
    auto failsWith9 = [](auto call) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const Error& err) {
            EXPECT_EQ(err.number(), 9);
        }
    };
    for (std::int16_t i : {0, 5, -1, 32767}) {
        failsWith9([&] { (void)e.Cor(i); });
        failsWith9([&] { e.Cor(i, 1); });
        failsWith9([&] { (void)e.V(i); });
        failsWith9([&] { e.V(i, 1.0f); });
    }
    auto o = CreateObject("ZarvLinesParm.ZarvExpParmClass");
    failsWith9([&] { o->invoke("Cor", Invoke::Let, {std::int16_t{5}, std::int32_t{1}}); });
    failsWith9([&] { o->invoke("V", Invoke::Get, {std::int16_t{0}}); });
    EXPECT_EQ(read(e), host);
    whenModal(dialogName, [](QDialog& d) { pressCancel(d); });
    e.Start(1);
    EXPECT_EQ(read(e), host);
}

TEST(ExpansionDialog, LateBindingReachesTheClassByItsProgId)
{
    auto o = CreateObject("ZARVLINESPARM.ZARVEXPPARMCLASS");
    ASSERT_NE(dynamic_cast<ZarvExpParmClass*>(o.get()), nullptr);
    EXPECT_EQ(o->progId(), "ZarvLinesParm.ZarvExpParmClass");
    std::vector<std::string> names;
    for (const MemberInfo& m : Describe(o->progId()))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Caption", "FExpShow", "Cor", "SaveDefault", "V", "Start"}));
    EXPECT_EQ(Describe(o->progId())[4].index, (std::pair<std::int16_t, std::int16_t>{1, 4}));

    set(dynamic_cast<ZarvExpParmClass&>(*o), host);
    o->invoke("Caption", Invoke::Let, {std::string(impulse)});
    o->invoke("V", Invoke::Let, {std::int16_t{4}, 20.0});
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_TRUE(reduced(d));
        pressOk(d);
    });
    EXPECT_EQ(o->invoke("Start", Invoke::Method, {std::int16_t{1}}), Variant{});
    EXPECT_EQ(o->invoke("V", Invoke::Get, {std::int16_t{4}}), Variant(20.0f));
    EXPECT_EQ(o->invoke("FExpShow", Invoke::Get, {}), Variant(std::int16_t{0x0F}));
    EXPECT_EQ(o->invoke("caption", Invoke::Get, {}), Variant(std::string(impulse)));
}
