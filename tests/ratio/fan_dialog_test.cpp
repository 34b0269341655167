// The fan tool driven as a user drives it, then read back through the getters.

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

const QString dialogName = QStringLiteral("FanParm");

struct Values {
    std::int16_t fanShow;
    std::array<std::int32_t, 4> cor;
    std::array<float, 4> porcento;
    std::int16_t hLines, ateFim, saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& x)
{
    os << "{FanShow=" << x.fanShow << " Cor=";
    for (auto c : x.cor)
        os << c << ",";
    os << " Porcento=";
    for (auto p : x.porcento)
        os << p << ",";
    return os << " HLines=" << x.hLines << " AteFim=" << x.ateFim << " SaveDefault=" << x.saveDefault << "}";
}

Values read(const zarvFanParmClass& c)
{
    Values x{c.FanShow(), {}, {}, c.HLines(), c.AteFim(), c.SaveDefault()};
    for (std::int16_t i = 1; i <= 4; ++i) {
        x.cor[i - 1] = c.Cor(i);
        x.porcento[i - 1] = c.Porcento(i);
    }
    return x;
}

void set(zarvFanParmClass& c, const Values& x)
{
    c.FanShow(x.fanShow);
    for (std::int16_t i = 1; i <= 4; ++i) {
        c.Cor(i, x.cor[i - 1]);
        c.Porcento(i, x.porcento[i - 1]);
    }
    c.HLines(x.hLines);
    c.AteFim(x.ateFim);
    c.SaveDefault(x.saveDefault);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    zarvFanParmClass c;
    set(c, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

QCheckBox& shown(QDialog& d, int k) { return child<QCheckBox>(d, QStringLiteral("FanShow(%1)").arg(k)); }
std::int32_t swatch(QDialog& d, int k)
{
    return frame::rgbOf(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(k)).palette().color(QPalette::Window));
}
void ok(QDialog& d) { press(d, "Command1"); }

const Values host{5, {255, 65280, 0xFF0000, 0x808080}, {0.236f, -1.5f, 1e30f, 0.1f}, 0, 0, 0};

Values with(Values x, std::int16_t fanShow, std::int16_t hLines, std::int16_t ateFim)
{
    x.fanShow = fanShow;
    x.hLines = hLines;
    x.ateFim = ateFim;
    return x;
}

} // namespace

// First in this file: the records are still as the library was loaded.
TEST(FanDialog, WithNothingSetItShowsBlackSwatchesAndClearedBoxesAndOkGivesZeros)
{
    zarvFanParmClass c;
    whenModal(dialogName, [](QDialog& d) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(swatch(d, k), 0);
            EXPECT_EQ(shown(d, k).checkState(), Qt::Unchecked);
        }
        EXPECT_EQ(child<QCheckBox>(d, "HLine").checkState(), Qt::Unchecked);
        EXPECT_EQ(child<QCheckBox>(d, "AteFim").checkState(), Qt::Unchecked);
        ok(d);
    });
    c.Start(1);
    EXPECT_EQ(read(c), Values{});
}

TEST(FanDialog, ShowsTheRowsAndTheHostsValuesUnderTheirDesignNames)
{
    run(with(host, 5, -1, 1), [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Fan Parameters"));
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(d.findChildren<QLineEdit*>().isEmpty());
        const char* rows[] = {"38.2% line", "50% line", "61.8% line", "76.4/23.6% line"};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(child<QLabel>(d, QStringLiteral("Label%1").arg(k + 1)).text(), QString::fromLatin1(rows[k]));
            EXPECT_EQ(swatch(d, k), host.cor[k]);
            EXPECT_EQ(shown(d, k).text(), QString());
            EXPECT_EQ(shown(d, k).checkState(), k % 2 == 0 ? Qt::Checked : Qt::Unchecked) << k;
        }
        EXPECT_EQ(child<QCheckBox>(d, "HLine").text(), QStringLiteral("Horizontal Line"));
        EXPECT_EQ(child<QCheckBox>(d, "HLine").checkState(), Qt::Checked);
        EXPECT_EQ(child<QCheckBox>(d, "AteFim").text(), QStringLiteral("Extend to end"));
        EXPECT_EQ(child<QCheckBox>(d, "AteFim").checkState(), Qt::Checked);
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 0);
}

TEST(FanDialog, OkEditsFanShowWithTheEightBitMasks)
{
    struct Case {
        std::int16_t given;
        int untick; // the box the user clears, -1 for none
        std::int16_t after;
    } cases[] = {
        {5, -1, 5},
        {0x0105, -1, 0x0005},  // the cleared "50% line" box drops bit 8
        {0x7F1F, -1, 0x7F1F},  // every box checked: the high bits stay
        {0x7F1F, 1, 0x001D},
        {0x00F0, -1, 0x00F0},  // bits 4 to 7 always stay
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(with(host, c.given, 0, 0), [&](QDialog& d) {
            if (c.untick >= 0)
                click(shown(d, c.untick));
            ok(d);
        }).fanShow, c.after) << "FanShow " << c.given;
    }
    EXPECT_EQ(run(with(host, 0x0105, 0, 0), [](QDialog& d) { press(d, "Command2"); }).fanShow, 0x0105);
    EXPECT_EQ(run(with(host, 0, 0, 0), [](QDialog& d) { click(shown(d, 3)); ok(d); }).fanShow, 8);
}

TEST(FanDialog, OkReplacesHLinesWholeAndEditsOnlyBitZeroOfAteFimWithMask254)
{
    for (std::int16_t h : {7, -1}) {
        EXPECT_EQ(run(with(host, 5, h, 0), ok).hLines, 1);
        EXPECT_EQ(run(with(host, 5, h, 0), [](QDialog& d) { press(d, "Command2"); }).hLines, h);
    }
    EXPECT_EQ(run(with(host, 5, 3, 0), [](QDialog& d) { click(child<QCheckBox>(d, "HLine")); ok(d); }).hLines, 0);

    EXPECT_EQ(run(with(host, 5, 0, -1), ok).ateFim, -1);
    EXPECT_EQ(run(with(host, 5, 0, -1), [](QDialog& d) { click(child<QCheckBox>(d, "AteFim")); ok(d); }).ateFim, 254);
    run(with(host, 5, 0, 2), [](QDialog& d) {
        EXPECT_EQ(child<QCheckBox>(d, "AteFim").checkState(), Qt::Unchecked);
        d.close();
    });
    EXPECT_EQ(run(with(host, 5, 0, 2), ok).ateFim, 2);
    EXPECT_EQ(run(with(host, 5, 0, 2), [](QDialog& d) { click(child<QCheckBox>(d, "AteFim")); ok(d); }).ateFim, 3);
}

TEST(FanDialog, PorcentoIsCarriedThroughEveryButtonUntouched)
{
    for (const char* button : {"Command1", "Command2", "Command3"})
        EXPECT_EQ(run(host, [&](QDialog& d) { press(d, button); }).porcento, host.porcento) << button;
    EXPECT_EQ(run(host, [](QDialog& d) { d.close(); }).porcento, host.porcento);
}

TEST(FanDialog, EachSwatchEditsItsOwnColourAndCancelTakesEveryEditBack)
{
    Values row4 = host;
    row4.cor[3] = 0x123456;
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(3)", 0x123456), 0x808080);
        EXPECT_EQ(chooseColour(d, "Cor1(0)", std::nullopt), 255);
        ok(d);
    }), row4);
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(1)", 0x111111);
        click(shown(d, 0));
        click(child<QCheckBox>(d, "HLine"));
        click(child<QCheckBox>(d, "AteFim"));
        press(d, "Command2");
    }), host);
    Values saved = with(host, 4, 1, 1);
    saved.saveDefault = 1;
    EXPECT_EQ(run(host, [](QDialog& d) {
        click(shown(d, 0));
        click(child<QCheckBox>(d, "HLine"));
        click(child<QCheckBox>(d, "AteFim"));
        press(d, "Command3");
    }), saved);
}

TEST(FanDialog, CloseFromTheTitleBarKeepsChosenColoursButReadsNoBox)
{
    Values expected = host;
    expected.cor[2] = 0x00AA00;
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(2)", 0x00AA00);
        click(shown(d, 0));
        click(child<QCheckBox>(d, "HLine"));
        d.close();
    }), expected);
}

TEST(FanDialog, ASecondStartShowsWhatTheHostSetNotWhatTheLastDialogLeft)
{
    run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x222222);
        click(shown(d, 1));
        ok(d);
    });
    zarvFanParmClass c;
    c.FanShow(8);
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_EQ(swatch(d, 0), 255);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(shown(d, k).checkState(), k == 3 ? Qt::Checked : Qt::Unchecked) << k;
        ok(d);
    });
    c.Start(1);
    EXPECT_EQ(read(c), with(host, 8, 0, 0));
}

TEST(FanDialog, IndexesOutsideOneToFourFailWithNineAndChangeNothing)
{
    zarvFanParmClass c;
    set(c, host);
    for (std::int16_t i : {0, 5, -1, 32767}) {
        EXPECT_EQ(errorOf([&] { (void)c.Cor(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Cor(i, 1); }), 9) << i;
        EXPECT_EQ(errorOf([&] { (void)c.Porcento(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Porcento(i, 1.f); }), 9) << i;
    }
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(1);
    EXPECT_EQ(read(c), host);
}

TEST(FanDialog, LateBindingReachesTheClassByItsProgId)
{
    auto o = CreateObject("ZarvLinesParm.zarvFanParmClass");
    EXPECT_EQ(o->progId(), "ZarvLinesParm.zarvFanParmClass");
    o->invoke("Porcento", Invoke::Let, {std::int16_t{4}, 0.764});
    o->invoke("FanShow", Invoke::Let, {std::int16_t{0x0105}});
    EXPECT_EQ(errorOf([&] { o->invoke("Cor", Invoke::Let, {std::int16_t{5}, std::int32_t{1}}); }), 9);
    whenModal(dialogName, [](QDialog& d) { ok(d); });
    EXPECT_EQ(o->invoke("Start", Invoke::Method, {std::int16_t{1}}), Variant{});
    EXPECT_EQ(o->invoke("porcento", Invoke::Get, {std::int16_t{4}}), Variant{0.764f});
    EXPECT_EQ(o->invoke("FanShow", Invoke::Get, {}), Variant{std::int16_t{5}});

    std::vector<std::string> names;
    for (const MemberInfo& m : Describe("ZarvLinesParm.zarvFanParmClass"))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Cor", "Porcento", "FanShow", "HLines", "AteFim", "SaveDefault", "Start"}));
}
