// The Dravel lines tool driven as a user drives it, then read back through the getters.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QLabel>
#include <QPushButton>

#include <array>
#include <cfloat>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("DravelParm");

struct Values {
    std::array<std::int32_t, 2> cor;
    std::array<float, 2> v;
    std::int16_t saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& x)
{
    return os << "{Cor=" << x.cor[0] << "," << x.cor[1] << " V=" << x.v[0] << "," << x.v[1]
              << " SaveDefault=" << x.saveDefault << "}";
}

Values read(const ZarvDravelPArmClass& c) { return {{c.Cor(1), c.Cor(2)}, {c.V(1), c.V(2)}, c.SaveDefault()}; }

void set(ZarvDravelPArmClass& c, const Values& x)
{
    for (std::int16_t i = 1; i <= 2; ++i) {
        c.Cor(i, x.cor[i - 1]);
        c.V(i, x.v[i - 1]);
    }
    c.SaveDefault(x.saveDefault);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvDravelPArmClass c;
    set(c, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

QLineEdit& factor(QDialog& d, int i) { return child<QLineEdit>(d, QStringLiteral("V(%1)").arg(i)); }
void ok(QDialog& d) { press(d, "Command1"); }

const Values host{{0x0000FF, 0x00FF00}, {0.5f, 1.5f}, 0};

} // namespace

TEST(DravelDialog, ShowsTheColoursAndFactorsUnderTheirDesignNames)
{
    run(host, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Dravel Lines Parameters"));
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const char* labels[][2] = {{"Label1", "External Lines Color"}, {"Label2", "Internal Lines Color"},
                                   {"Label3", "Internal Lines Factor 1"}, {"Label4", "Internal Lines Factor 2"}};
        for (auto [name, caption] : labels)
            EXPECT_EQ(child<QLabel>(d, name).text(), QString::fromLatin1(caption)) << name;
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(frame::rgbOf(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(i)).palette().color(QPalette::Window)),
                      host.cor[i]);
        EXPECT_EQ(factor(d, 0).text(), QStringLiteral(" .5"));
        EXPECT_EQ(factor(d, 1).text(), QStringLiteral(" 1.5"));
        EXPECT_TRUE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    });
    run({{0, 0}, {2.f, -0.25f}, 0}, [](QDialog& d) {
        EXPECT_EQ(factor(d, 0).text(), QStringLiteral(" 2"));
        EXPECT_EQ(factor(d, 1).text(), QStringLiteral("-.25"));
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 0);
}

TEST(DravelDialog, OkStoresWhateverIsTypedUncheckedAndUnclamped)
{
    EXPECT_EQ(run(host, ok), host);
    struct Case {
        const char* typed;
        float stored;
    } cases[] = {{"abc", 0.f}, {"2.5x", 2.5f}, {" 3", 3.f}, {"-4", -4.f}, {"0", 0.f}, {"0.1", 0.1f},
                 {"1e400", FLT_MAX}, {"-1e400", -FLT_MAX}};
    for (const Case& c : cases) {
        const Values after = run(host, [&](QDialog& d) {
            typeInto(factor(d, 0), QString::fromLatin1(c.typed));
            typeInto(factor(d, 1), QStringLiteral("7"));
            ok(d);
        });
        // Both boxes are read, whatever the first one holds.
        EXPECT_EQ(after, (Values{host.cor, {c.stored, 7.f}, 0})) << c.typed;
    }
}

TEST(DravelDialog, ATypedTenthComesBackAsTheNearestFloatAndShowsAsTypedNextTime)
{
    ZarvDravelPArmClass c;
    const float tenth = run(host, [](QDialog& d) { typeInto(factor(d, 1), "0.1"); ok(d); }).v[1];
    EXPECT_EQ(tenth, 0.1f);
    c.V(2, tenth);
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_EQ(factor(d, 1).text(), QStringLiteral(" .1"));
        d.close();
    });
    c.Start(1);
}

TEST(DravelDialog, CancelUndoesEveryEditAndSaveAsDefaultDoesWhatOkDoes)
{
    auto edit = [](QDialog& d) {
        chooseColour(d, "Cor1(1)", 0x202020);
        typeInto(factor(d, 0), "9");
    };
    EXPECT_EQ(run(host, [&](QDialog& d) { edit(d); press(d, "Command2"); }), host);
    EXPECT_EQ(run(host, [&](QDialog& d) { edit(d); press(d, "Command3"); }), (Values{{0x0000FF, 0x202020}, {9.f, 1.5f}, 1}));
}

TEST(DravelDialog, CloseFromTheTitleBarKeepsChosenColoursButReadsNoBox)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(0)", std::nullopt), 0x0000FF);
        chooseColour(d, "Cor1(0)", 0x303030);
        typeInto(factor(d, 1), "9");
        d.close();
    }), (Values{{0x303030, 0x00FF00}, host.v, 0}));
}

TEST(DravelDialog, IndexesOtherThanOneOrTwoFailWithNineAndChangeNothing)
{
    ZarvDravelPArmClass c;
    set(c, host);
    for (std::int16_t i : {0, 3, -1, 32767}) {
        EXPECT_EQ(errorOf([&] { (void)c.Cor(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Cor(i, 1); }), 9) << i;
        EXPECT_EQ(errorOf([&] { (void)c.V(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.V(i, 1.f); }), 9) << i;
    }
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(1);
    EXPECT_EQ(read(c), host);
}

TEST(DravelDialog, LateBindingReachesTheClassByItsProgId)
{
    auto o = CreateObject("ZarvLinesParm.ZarvDravelPArmClass");
    EXPECT_EQ(o->progId(), "ZarvLinesParm.ZarvDravelPArmClass");
    o->invoke("V", Invoke::Let, {std::int16_t{2}, std::int32_t{-3}});
    EXPECT_EQ(errorOf([&] { o->invoke("Cor", Invoke::Get, {std::int16_t{3}}); }), 9);
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_EQ(factor(d, 1).text(), QStringLiteral("-3"));
        ok(d);
    });
    EXPECT_EQ(o->invoke("Start", Invoke::Method, {std::int16_t{1}}), Variant{});
    EXPECT_EQ(o->invoke("v", Invoke::Get, {std::int16_t{2}}), Variant{-3.f});

    std::vector<std::string> names;
    for (const MemberInfo& m : Describe("ZarvLinesParm.ZarvDravelPArmClass"))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Cor", "SaveDefault", "V", "Start"}));
}
