// The arcs tool driven as a user drives it, then read back through the getters.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <cfloat>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("ZarvArcsParm");

struct Values {
    std::int32_t cor;
    std::array<float, 6> v;
    std::int16_t saveDefault, fullCircle;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& x)
{
    os << "{Cor=" << x.cor << " V=";
    for (float f : x.v)
        os << f << ",";
    return os << " SaveDefault=" << x.saveDefault << " FullCircle=" << x.fullCircle << "}";
}

Values read(const ZarvArcsParmClass& c)
{
    Values x{c.Cor(1), {}, c.SaveDefault(), c.FullCircle()};
    for (std::int16_t i = 1; i <= 6; ++i)
        x.v[i - 1] = c.V(i);
    return x;
}

void set(ZarvArcsParmClass& c, const Values& x)
{
    c.Cor(1, x.cor);
    for (std::int16_t i = 1; i <= 6; ++i)
        c.V(i, x.v[i - 1]);
    c.SaveDefault(x.saveDefault);
    c.FullCircle(x.fullCircle);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvArcsParmClass c;
    set(c, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

QString text(QDialog& d, int k) { return child<QLineEdit>(d, QStringLiteral("V(%1)").arg(k)).text(); }
void type(QDialog& d, int k, const QString& t) { typeInto(child<QLineEdit>(d, QStringLiteral("V(%1)").arg(k)), t); }
QCheckBox& fullCircleBox(QDialog& d) { return child<QCheckBox>(d, "Check1"); }

const Values host{0x3366CC, {0.382f, 0.5f, 1.618f, 2.f, 0.f, -0.5f}, 0, 0};

} // namespace

TEST(ArcsDialog, ShowsTheHostsValuesUnderItsDesignNames)
{
    run(host, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Zarv Arcs Parameters"));
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(frame::rgbOf(child<QLabel>(d, "Cor1(0)").palette().color(QPalette::Window)), 0x3366CC);
        const char* captions[][2] = {{"Label8", "Lines Color"}, {"Label1", "Values"}, {"Label2", "1"},
                                     {"Label7", "2"}, {"Label6", "3"}, {"Label5", "4"}, {"Label4", "5"},
                                     {"Label3", "6"}};
        for (auto [name, caption] : captions)
            EXPECT_EQ(child<QLabel>(d, name).text(), QString::fromLatin1(caption)) << name;
        EXPECT_EQ(fullCircleBox(d).text(), QStringLiteral("Full Circle"));
        const char* shown[] = {" .382", " .5", " 1.618", " 2", " 0", "-.5"};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(text(d, k), QString::fromLatin1(shown[k])) << "V(" << k << ")";
        EXPECT_TRUE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 5);
    run(host, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 0);
}

TEST(ArcsDialog, FullCircleGoesIntoTheBoxUnchangedAndOkReadsTheBoxBack)
{
    const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    for (std::int16_t fc : {0, 1, 2}) {
        Values given = host;
        given.fullCircle = fc;
        EXPECT_EQ(run(given, [&](QDialog& d) {
            EXPECT_EQ(fullCircleBox(d).checkState(), states[fc]);
            press(d, "Command1");
        }), given) << "FullCircle " << fc;
    }
    Values checked = host;
    checked.fullCircle = 1;
    EXPECT_EQ(run(host, [](QDialog& d) { click(fullCircleBox(d)); press(d, "Command1"); }), checked);
    EXPECT_EQ(run(host, [](QDialog& d) { click(fullCircleBox(d)); press(d, "Command2"); }), host);
}

TEST(ArcsDialog, AFullCircleOutsideZeroToTwoFailsWith380BeforeAnyDialogIsShownAndChangesNothing)
{
    // The working record as the last dialog left it.
    const Values left = run(host, [](QDialog& d) { press(d, "Command1"); });

    // Counts the dialog's appearances, and closes it should it appear, so the test fails rather than hangs.
    struct ShowWatch : QObject {
        int shown = 0;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Show && o->objectName() == dialogName) {
                ++shown;
                QMetaObject::invokeMethod(static_cast<QWidget*>(o), &QWidget::close, Qt::QueuedConnection);
            }
            return false;
        }
    } watch;
    qApp->installEventFilter(&watch);
    const int widgets = liveWidgets();
    for (std::int16_t fc : {3, -1, 32767, -32768}) {
        Values given{255, {1, 2, 3, 4, 5, 6}, 0, fc};
        ZarvArcsParmClass c;
        set(c, given); // the setter takes any value
        EXPECT_EQ(errorOf([&] { c.Start(1); }), 380) << fc;
        EXPECT_EQ(read(c), left) << fc;
        EXPECT_EQ(liveWidgets(), widgets);
    }
    qApp->removeEventFilter(&watch);
    EXPECT_EQ(watch.shown, 0);

    // The parameter record still holds what was set: only FullCircle is mended before Cancel.
    ZarvArcsParmClass c;
    c.FullCircle(2);
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(1);
    EXPECT_EQ(read(c), (Values{255, {1, 2, 3, 4, 5, 6}, 0, 2}));
}

TEST(ArcsDialog, OkStoresWhateverIsTypedByTheNumberReadingUnclampedAndUnsorted)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        type(d, 0, "abc");
        type(d, 1, "0.5abc");
        type(d, 2, "&H10");
        type(d, 3, "1 2");
        type(d, 4, "-7.25");
        type(d, 5, "2.618");
        press(d, "Command1");
    }), (Values{0x3366CC, {0.f, 0.5f, 16.f, 12.f, -7.25f, 2.618f}, 0, 0}));
}

TEST(ArcsDialog, ANumberBeyondTheFloatRangeStoresTheLargestFloatOfItsSignAndTheRestAsTyped)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        type(d, 0, "1e400");
        type(d, 1, "-1e400");
        type(d, 5, "3");
        click(fullCircleBox(d));
        press(d, "Command1");
    }), (Values{0x3366CC, {FLT_MAX, -FLT_MAX, 1.618f, 2.f, 0.f, 3.f}, 0, 1}));
}

TEST(ArcsDialog, CancelUndoesEveryEditAndSaveAsDefaultDoesWhatOkDoes)
{
    auto edit = [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x00FF00);
        type(d, 2, "9");
        click(fullCircleBox(d));
    };
    EXPECT_EQ(run(host, [&](QDialog& d) { edit(d); press(d, "Command2"); }), host);
    EXPECT_EQ(run(host, [&](QDialog& d) { edit(d); press(d, "Command3"); }),
              (Values{0x00FF00, {0.382f, 0.5f, 9.f, 2.f, 0.f, -0.5f}, 1, 1}));
}

TEST(ArcsDialog, CloseFromTheTitleBarKeepsTheChosenColourButReadsNoBox)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(0)", std::nullopt), 0x3366CC); // cancelled: nothing changes
        chooseColour(d, "Cor1(0)", 0x0000FF);
        type(d, 0, "5");
        click(fullCircleBox(d));
        d.close();
    }), (Values{0x0000FF, host.v, 0, 0}));
}

TEST(ArcsDialog, IndexesOutsideTheirRangesFailWithNineAndChangeNothing)
{
    ZarvArcsParmClass c;
    set(c, host);
    for (std::int16_t i : {0, 2, -1, 32767}) {
        EXPECT_EQ(errorOf([&] { (void)c.Cor(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Cor(i, 1); }), 9) << i;
    }
    for (std::int16_t i : {0, 7, -32768}) {
        EXPECT_EQ(errorOf([&] { (void)c.V(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.V(i, 1.f); }), 9) << i;
    }
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(1);
    EXPECT_EQ(read(c), host);
}

TEST(ArcsDialog, LateBindingReachesTheClassByItsProgId)
{
    auto o = CreateObject("ZarvLinesParm.ZarvArcsParmClass");
    EXPECT_EQ(o->progId(), "ZarvLinesParm.ZarvArcsParmClass");
    o->invoke("V", Invoke::Let, {std::int16_t{6}, 2.618});
    o->invoke("FullCircle", Invoke::Let, {std::int16_t{2}});
    EXPECT_EQ(errorOf([&] { o->invoke("V", Invoke::Get, {std::int16_t{7}}); }), 9);
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_EQ(text(d, 5), QStringLiteral(" 2.618"));
        press(d, "Command1");
    });
    EXPECT_EQ(o->invoke("Start", Invoke::Method, {std::int16_t{0}}), Variant{});
    EXPECT_EQ(o->invoke("V", Invoke::Get, {std::int16_t{6}}), Variant{2.618f});
    EXPECT_EQ(o->invoke("fullcircle", Invoke::Get, {}), Variant{std::int16_t{2}});

    std::vector<std::string> names;
    for (const MemberInfo& m : Describe("ZarvLinesParm.ZarvArcsParmClass"))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Cor", "SaveDefault", "V", "Start", "FullCircle"}));
}
