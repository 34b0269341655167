// The fork tool driven as a user drives it, then read back through the getters.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <array>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("ForkParm");

struct Values {
    std::int16_t forkShow;
    std::array<std::int32_t, 4> cor;
    std::array<float, 4> per1;
    std::int16_t saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& x)
{
    os << "{ForkShow=" << x.forkShow << " Cor=";
    for (auto c : x.cor)
        os << c << ",";
    os << " Per1=";
    for (auto p : x.per1)
        os << p << ",";
    return os << " SaveDefault=" << x.saveDefault << "}";
}

Values read(const ZarvForkParmClass& c)
{
    Values x{c.ForkShow(), {}, {}, c.SaveDefault()};
    for (std::int16_t i = 1; i <= 4; ++i) {
        x.cor[i - 1] = c.Cor(i);
        x.per1[i - 1] = c.Per1(i);
    }
    return x;
}

void set(ZarvForkParmClass& c, const Values& x)
{
    c.ForkShow(x.forkShow);
    for (std::int16_t i = 1; i <= 4; ++i) {
        c.Cor(i, x.cor[i - 1]);
        c.Per1(i, x.per1[i - 1]);
    }
    c.SaveDefault(x.saveDefault);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvForkParmClass c;
    set(c, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

QCheckBox& shown(QDialog& d, int i) { return child<QCheckBox>(d, QStringLiteral("ForkShow(%1)").arg(i)); }
void ok(QDialog& d) { press(d, "Command1"); }

const Values host{3, {255, 65280, 0xFF0000, 0x0F0F0F}, {0.25f, 0.5f, -0.75f, 3.4e38f}, 0};

Values withShow(Values x, std::int16_t forkShow)
{
    x.forkShow = forkShow;
    return x;
}

} // namespace

TEST(ForkDialog, ShowsThreeRowsTheFirstTwoWithABoxAndNoSwatchForTheFourthColour)
{
    run(withShow(host, 0x0105), [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Fork Parameters"));
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const char* labels[][2] = {{"Label1", "Internal lines"}, {"Label3", "External lines"}, {"Label2", "Fork lines"}};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(child<QLabel>(d, labels[i][0]).text(), QString::fromLatin1(labels[i][1]));
            EXPECT_EQ(frame::rgbOf(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(i)).palette().color(QPalette::Window)),
                      host.cor[i]);
        }
        EXPECT_EQ(d.findChild<QWidget*>(QStringLiteral("Cor1(3)")), nullptr);
        EXPECT_EQ(d.findChildren<QCheckBox*>().size(), 2);
        EXPECT_EQ(shown(d, 0).text(), QStringLiteral("Check1"));
        EXPECT_EQ(shown(d, 0).checkState(), Qt::Checked);
        EXPECT_EQ(shown(d, 1).checkState(), Qt::Unchecked);
        EXPECT_TRUE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    });
    run(host, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 0);
}

TEST(ForkDialog, OkEditsForkShowWithTheEightBitMasks)
{
    EXPECT_EQ(run(withShow(host, 3), ok).forkShow, 3);
    EXPECT_EQ(run(withShow(host, 0x0105), ok).forkShow, 0x0005); // the cleared box 1 drops bit 8
    EXPECT_EQ(run(withShow(host, 0x0105), [](QDialog& d) { press(d, "Command2"); }).forkShow, 0x0105);
    EXPECT_EQ(run(withShow(host, 0x7FFF), ok).forkShow, 0x7FFF);
    EXPECT_EQ(run(withShow(host, 0x7FFF), [](QDialog& d) { click(shown(d, 0)); ok(d); }).forkShow, 0x00FE);
    EXPECT_EQ(run(withShow(host, 2), [](QDialog& d) {
        click(shown(d, 1));
        click(shown(d, 0));
        ok(d);
    }).forkShow, 1);
}

TEST(ForkDialog, Per1AndTheFourthColourAreCarriedThroughEveryButtonUntouched)
{
    for (const char* button : {"Command1", "Command2", "Command3"}) {
        const Values after = run(host, [&](QDialog& d) {
            for (int i = 0; i < 3; ++i)
                chooseColour(d, QStringLiteral("Cor1(%1)").arg(i), 0x010101 * (i + 1));
            press(d, button);
        });
        EXPECT_EQ(after.per1, host.per1) << button;
        EXPECT_EQ(after.cor[3], host.cor[3]) << button;
    }
}

TEST(ForkDialog, ChoosingAColourInRowThreeChangesOnlyCorThreeAndCancelTakesItBack)
{
    Values expected = host;
    expected.cor[2] = 0xABCDEF;
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(2)", 0xABCDEF), 0xFF0000);
        ok(d);
    }), expected);
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(2)", 0xABCDEF);
        click(shown(d, 1));
        press(d, "Command2");
    }), host);
    expected.forkShow = 1;
    expected.saveDefault = 1;
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(2)", 0xABCDEF);
        chooseColour(d, "Cor1(1)", std::nullopt);
        click(shown(d, 1));
        press(d, "Command3");
    }), expected);
}

TEST(ForkDialog, CloseFromTheTitleBarKeepsChosenColoursButReadsNoBox)
{
    Values expected = host;
    expected.cor[0] = 0x445566;
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x445566);
        click(shown(d, 0));
        d.close();
    }), expected);
}

TEST(ForkDialog, IndexesOutsideOneToFourFailWithNineAndChangeNothing)
{
    ZarvForkParmClass c;
    set(c, host);
    for (std::int16_t i : {0, 5, -1, -32768}) {
        EXPECT_EQ(errorOf([&] { (void)c.Cor(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Cor(i, 1); }), 9) << i;
        EXPECT_EQ(errorOf([&] { (void)c.Per1(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Per1(i, 1.f); }), 9) << i;
    }
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(1);
    EXPECT_EQ(read(c), host);
}

TEST(ForkDialog, LateBindingReachesTheClassByItsProgId)
{
    auto o = CreateObject("ZarvLinesParm.ZarvForkParmClass");
    EXPECT_EQ(o->progId(), "ZarvLinesParm.ZarvForkParmClass");
    o->invoke("Cor", Invoke::Let, {std::int16_t{4}, std::int32_t{0x777777}});
    o->invoke("ForkShow", Invoke::Let, {std::int16_t{2}});
    EXPECT_EQ(errorOf([&] { o->invoke("Per1", Invoke::Get, {std::int16_t{0}}); }), 9);
    whenModal(dialogName, [](QDialog& d) { click(shown(d, 0)); ok(d); });
    EXPECT_EQ(o->invoke("Start", Invoke::Method, {std::int16_t{1}}), Variant{});
    EXPECT_EQ(o->invoke("cor", Invoke::Get, {std::int16_t{4}}), Variant{std::int32_t{0x777777}});
    EXPECT_EQ(o->invoke("ForkShow", Invoke::Get, {}), Variant{std::int16_t{3}});

    std::vector<std::string> names;
    for (const MemberInfo& m : Describe("ZarvLinesParm.ZarvForkParmClass"))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"SaveDefault", "ForkShow", "Cor", "Per1", "Start"}));
}
