// The least-square channel, driven as a user drives its dialog.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <array>
#include <cfloat>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("LeastSquareParm");

struct Values {
    std::int16_t useToCalc;
    std::array<std::int32_t, 3> cor;
    std::array<float, 2> v;
    std::int16_t saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& v)
{
    return os << "{UseToCalc=" << v.useToCalc << " Cor=" << v.cor[0] << "," << v.cor[1] << "," << v.cor[2]
              << " V=" << v.v[0] << "," << v.v[1] << " SaveDefault=" << v.saveDefault << "}";
}

Values read(const ZarvLeastSquareClass& c)
{
    return {c.UseToCalc(), {c.Cor(1), c.Cor(2), c.Cor(3)}, {c.V(1), c.V(2)}, c.SaveDefault()};
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    ZarvLeastSquareClass c;
    c.UseToCalc(values.useToCalc);
    for (std::int16_t i = 1; i <= 3; ++i)
        c.Cor(i, values.cor[i - 1]);
    c.V(1, values.v[0]);
    c.V(2, values.v[1]);
    c.SaveDefault(values.saveDefault);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

Values basedOn(std::int16_t useToCalc) { return {useToCalc, {255, 65280, 0xFF0000}, {2, 2}, 0}; }

std::int16_t useAfter(std::int16_t given, std::function<void(QDialog&)> user)
{
    return run(basedOn(given), std::move(user)).useToCalc;
}

QComboBox& use(QDialog& d) { return child<QComboBox>(d, "Use"); }
QLineEdit& valueBox(QDialog& d, int i) { return child<QLineEdit>(d, QStringLiteral("V(%1)").arg(i)); }
void ok(QDialog& d) { press(d, "Command1"); }

} // namespace

TEST(LeastSquare, LoadShowsColoursValuesAndTheChosenPrice)
{
    EXPECT_EQ(run(basedOn(4), [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Least Square Channel"));
        const std::int32_t colours[] = {255, 65280, 0xFF0000};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(frame::rgbOf(child<QLabel>(d, QStringLiteral("Cor1(%1)").arg(i)).palette().color(QPalette::Window)),
                      colours[i]);
        EXPECT_EQ(valueBox(d, 0).text(), QStringLiteral(" 2"));
        EXPECT_EQ(valueBox(d, 1).text(), QStringLiteral(" 2"));
        const char* labels[][2] = {{"Label3", "Least Square Line"}, {"Label1", "Upper"}, {"Label2", "Lower"},
                                   {"Label4", "Number of Std. Dev."}, {"Label5", "Based on"}};
        for (auto [name, caption] : labels)
            EXPECT_EQ(child<QLabel>(d, name).text(), QString::fromLatin1(caption)) << name;
        // One row per line, the value boxes beside the upper and the lower swatch.
        EXPECT_LT(child<QLabel>(d, "Cor1(0)").y(), child<QLabel>(d, "Cor1(1)").y());
        EXPECT_NEAR(valueBox(d, 0).geometry().center().y(), child<QLabel>(d, "Cor1(1)").geometry().center().y(), 4);
        EXPECT_NEAR(valueBox(d, 1).geometry().center().y(), child<QLabel>(d, "Cor1(2)").geometry().center().y(), 4);
        QComboBox& list = use(d);
        EXPECT_TRUE(list.isEditable());
        ASSERT_EQ(list.count(), 5);
        const char* entries[] = {"Open", "High", "Low", "Close", "O+H+L/3"};
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(list.itemText(k), QString::fromLatin1(entries[k]));
            EXPECT_EQ(list.itemData(k), QVariant(0));
        }
        EXPECT_EQ(list.currentText(), QStringLiteral("Close"));
        ok(d);
    }), basedOn(4));
}

TEST(LeastSquare, AZeroPriceIsWrittenAsOneByTheLoadAndOnlyCancelBringsItBack)
{
    EXPECT_EQ(useAfter(0, [](QDialog& d) {
        EXPECT_EQ(use(d).currentText(), QStringLiteral("Open"));
        EXPECT_EQ(ZarvLeastSquareClass{}.UseToCalc(), 1); // before the user acts
        ok(d);
    }), 1);
    EXPECT_EQ(useAfter(0, [](QDialog& d) { press(d, "Command2"); }), 0);
    EXPECT_EQ(useAfter(0, [](QDialog& d) { d.close(); }), 1);
}

TEST(LeastSquare, AChosenEntryGivesItsPriceAndTypedTextGivesZero)
{
    EXPECT_EQ(useAfter(4, [](QDialog& d) {
        chooseEntry(use(d), 4);
        EXPECT_EQ(use(d).currentText(), QStringLiteral("O+H+L/3"));
        ok(d);
    }), 5);
    EXPECT_EQ(run(basedOn(1), [](QDialog& d) {
        chooseEntry(use(d), 4);
        press(d, "Command3");
    }), (Values{5, {255, 65280, 0xFF0000}, {2, 2}, 1}));
    // Typing, even the very text of an entry, selects no entry.
    for (const char* typed : {"Median", "High", "", "1e400", "99999"})
        EXPECT_EQ(useAfter(4, [&](QDialog& d) {
            typeInto(*use(d).lineEdit(), QString::fromLatin1(typed));
            ok(d);
        }), 0) << typed;
    // Choosing again after typing counts.
    EXPECT_EQ(useAfter(4, [](QDialog& d) {
        typeInto(*use(d).lineEdit(), "Median");
        chooseEntry(use(d), 1);
        ok(d);
    }), 2);
    // The list is not read by "Cancel" or a close.
    EXPECT_EQ(useAfter(3, [](QDialog& d) {
        chooseEntry(use(d), 0);
        d.close();
    }), 3);
    EXPECT_EQ(useAfter(0, [](QDialog& d) {
        EXPECT_EQ(use(d).currentText(), QStringLiteral("Open"));
        chooseEntry(use(d), 0);
        ok(d);
    }), 1);
}

TEST(LeastSquare, APriceWithNoEntryOpensWithNoneSelectedAndOkStoresZero)
{
    for (std::int16_t none : {9, 6, -3, -32768, 32767}) {
        EXPECT_EQ(run(basedOn(none), [none](QDialog& d) {
            EXPECT_EQ(use(d).currentText(), QString());
            EXPECT_EQ(ZarvLeastSquareClass{}.UseToCalc(), none); // the load wrote nothing
            press(d, "Command2");
        }), basedOn(none)) << none;
        EXPECT_EQ(useAfter(none, [](QDialog& d) { d.close(); }), none);
        EXPECT_EQ(run(basedOn(none), ok), basedOn(0)) << none;
        EXPECT_EQ(useAfter(none, [](QDialog& d) {
            chooseEntry(use(d), 2);
            ok(d);
        }), 3) << none;
    }
}

TEST(LeastSquare, OkReadsTheValueBoxesAsTyped)
{
    EXPECT_EQ(run(basedOn(4), [](QDialog& d) {
        typeInto(valueBox(d, 0), "1.5");
        ok(d);
    }), (Values{4, {255, 65280, 0xFF0000}, {1.5f, 2}, 0}));
    EXPECT_EQ(run(basedOn(4), [](QDialog& d) {
        typeInto(valueBox(d, 0), "1e400");
        typeInto(valueBox(d, 1), "-99999");
        ok(d);
    }), (Values{4, {255, 65280, 0xFF0000}, {FLT_MAX, -99999}, 0}));
    EXPECT_EQ(run(basedOn(4), [](QDialog& d) {
        typeInto(valueBox(d, 0), "");
        typeInto(valueBox(d, 1), "x2");
        chooseColour(d, "Cor1(2)", 0x0A0B0C);
        ok(d);
    }), (Values{4, {255, 65280, 0x0A0B0C}, {0, 0}, 0}));
    EXPECT_EQ(run(basedOn(4), [](QDialog& d) {
        typeInto(valueBox(d, 0), "3");
        chooseColour(d, "Cor1(0)", 0x0A0B0C);
        press(d, "Command2");
    }), basedOn(4));
}

TEST(LeastSquare, AnIndexOutsideItsRangeFailsWithNineAndChangesNothing)
{
    ZarvLeastSquareClass c;
    run(basedOn(4), ok);
    for (std::int16_t i : {0, 4, -1}) {
        EXPECT_EQ(errorOf([&] { (void)c.Cor(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.Cor(i, 1); }), 9) << i;
    }
    for (std::int16_t i : {0, 3}) {
        EXPECT_EQ(errorOf([&] { (void)c.V(i); }), 9) << i;
        EXPECT_EQ(errorOf([&] { c.V(i, 1); }), 9) << i;
    }
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(0);
    EXPECT_EQ(read(c), basedOn(4));
}
