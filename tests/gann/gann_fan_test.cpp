// The Gann fan, driven as a user drives its dialog.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QLabel>
#include <QLineEdit>

#include <array>
#include <cfloat>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("GannFanParm");

struct Values {
    std::int32_t cor;
    std::array<float, 6> v;
    std::int16_t saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& v)
{
    os << "{Cor(1)=" << v.cor << " V=";
    for (float x : v.v)
        os << x << ",";
    return os << " SaveDefault=" << v.saveDefault << "}";
}

Values read(const GannFanParmClass& c)
{
    return {c.Cor(1), {c.V(1), c.V(2), c.V(3), c.V(4), c.V(5), c.V(6)}, c.SaveDefault()};
}

void set(GannFanParmClass& c, const Values& v)
{
    c.Cor(1, v.cor);
    for (std::int16_t i = 1; i <= 6; ++i)
        c.V(i, v.v[i - 1]);
    c.SaveDefault(v.saveDefault);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    GannFanParmClass c;
    set(c, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

QLineEdit& valueBox(QDialog& d, int i) { return child<QLineEdit>(d, QStringLiteral("V(%1)").arg(i)); }

const Values host{0x00FFFF, {1, 2, 3, 4, 8, 0.5f}, 0};

} // namespace

TEST(GannFan, SixBoxesInTwoColumnsShowTheValuesAndOkReadsThemBackUnchanged)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("GannFan Parameters"));
        EXPECT_EQ(frame::rgbOf(child<QLabel>(d, "Cor1(0)").palette().color(QPalette::Window)), 0x00FFFF);
        EXPECT_EQ(child<QLabel>(d, "Label8").text(), QStringLiteral("Lines Color"));
        EXPECT_EQ(child<QLabel>(d, "Label1").text(), QStringLiteral("Values"));
        const char* shown[] = {" 1", " 2", " 3", " 4", " 8", " .5"};
        const char* labels[] = {"Label2", "Label7", "Label6", "Label5", "Label4", "Label3"};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(valueBox(d, i).text(), QString::fromLatin1(shown[i])) << i;
            auto& name = child<QLabel>(d, QString::fromLatin1(labels[i]));
            EXPECT_EQ(name.text(), QString::number(i + 1));
            // Each label stands left of its box, on its line.
            EXPECT_LT(name.geometry().right(), valueBox(d, i).x());
            EXPECT_NEAR(name.geometry().center().y(), valueBox(d, i).geometry().center().y(), 3);
            // 1 to 3 down the left column, 4 to 6 down the right one.
            if (i % 3 > 0) {
                EXPECT_GT(valueBox(d, i).y(), valueBox(d, i - 1).y());
            }
            if (i >= 3) {
                EXPECT_GT(valueBox(d, i).x(), valueBox(d, i - 3).x());
                EXPECT_EQ(valueBox(d, i).y(), valueBox(d, i - 3).y());
            }
        }
        press(d, "Command1");
    }), host);
}

TEST(GannFan, OkStoresWhatIsTypedInTheOrderOfTheBoxesUnsortedAndUnclamped)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        typeInto(valueBox(d, 2), "");
        press(d, "Command1");
    }), (Values{0x00FFFF, {1, 2, 0, 4, 8, 0.5f}, 0}));
    EXPECT_EQ(run(host, [](QDialog& d) {
        const char* typed[] = {"9", "-1", "3.25", "0.1", "2", "&H20"};
        for (int i = 0; i < 6; ++i)
            typeInto(valueBox(d, i), QString::fromLatin1(typed[i]));
        press(d, "Command3");
    }), (Values{0x00FFFF, {9, -1, 3.25f, 0.1f, 2, 32}, 1}));
    // Nothing is rejected: whatever the text holds, or 0.
    EXPECT_EQ(run(host, [](QDialog& d) {
        const char* typed[] = {"1e400", "99999", "-1e400", "abc", "1,5", "\xc3\xa9\xe2\x82\xac"};
        for (int i = 0; i < 6; ++i)
            typeInto(valueBox(d, i), QString::fromUtf8(typed[i]));
        press(d, "Command1");
    }), (Values{0x00FFFF, {FLT_MAX, 99999, -FLT_MAX, 0, 1, 0}, 0}));
}

TEST(GannFan, CancelUndoesEverythingAndACloseKeepsOnlyTheChosenColour)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x010203);
        typeInto(valueBox(d, 0), "7");
        press(d, "Command2");
    }), host);
    Values coloured = host;
    coloured.cor = 0x010203;
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(0)", 0x010203), 0x00FFFF);
        typeInto(valueBox(d, 0), "7"); // not read by a close
        d.close();
    }), coloured);
}

TEST(GannFan, AnIndexOutsideItsRangeFailsWithNineAndChangesNothing)
{
    GannFanParmClass c;
    run(host, [](QDialog& d) { press(d, "Command1"); });
    for (std::int16_t i : {0, 2, -1}) {
        EXPECT_EQ(errorOf([&] { (void)c.Cor(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Cor(i, 1); }), 9) << i;
    }
    for (std::int16_t i : {0, 7, -32768}) {
        EXPECT_EQ(errorOf([&] { (void)c.V(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.V(i, 1); }), 9) << i;
    }
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(0);
    EXPECT_EQ(read(c), host);
}
