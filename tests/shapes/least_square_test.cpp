// The least-square channel: the price list the load and the user write.

#include "support/ToolDriver.h"

#include <QComboBox>

using namespace testsupport;

namespace {
const Tool leastSquare{"ZarvLinesParm.ZarvLeastSquareClass"};
const Values host{{"UseToCalc", 4}, {"Cor(1)", 255}, {"Cor(2)", 65280}, {"Cor(3)", 0xFF0000},
                  {"V(1)", 2.0f}, {"V(2)", 2.0f}, {"SaveDefault", 0}};
QComboBox& use(QDialog& d) { return child<QComboBox>(d, "Use"); }
std::int16_t workingUse() { return ZarvLinesParm::ZarvLeastSquareClass{}.UseToCalc(); }
} // namespace

TEST(LeastSquare, TheLoadWritesAZeroPriceAsOneBeforeTheUserActs)
{
    const Values zero = host.with({{"UseToCalc", 0}});
    EXPECT_EQ(leastSquare.run(zero, [](QDialog& d) {
        EXPECT_EQ(use(d).currentText(), QStringLiteral("Open"));
        EXPECT_EQ(workingUse(), 1);
        closeBox(d);
    }), host.with({{"UseToCalc", 1}}));
    EXPECT_EQ(leastSquare.run(zero, cancel), zero);
}

TEST(LeastSquare, AChosenEntryGivesItsPriceAndTypedTextGivesZero)
{
    EXPECT_EQ(leastSquare.run(host, [](QDialog& d) {
        EXPECT_EQ(use(d).currentText(), QStringLiteral("Close"));
        chooseEntry(use(d), 4);
        type(d, "V(0)", "1e400");
        type(d, "V(1)", "x2");
        ok(d);
    }), host.with({{"UseToCalc", 5}, {"V(1)", 3.40282347e38f}, {"V(2)", 0.0f}}));
    // Typing, even the very text of an entry, selects no entry; choosing again after typing counts.
    for (const char* typed : {"Median", "High", "", "99999"})
        EXPECT_EQ(leastSquare.run(host, [&](QDialog& d) {
            typeInto(*use(d).lineEdit(), QString::fromLatin1(typed));
            ok(d);
        }), host.with({{"UseToCalc", 0}})) << typed;
    EXPECT_EQ(leastSquare.run(host, [](QDialog& d) {
        typeInto(*use(d).lineEdit(), "Median");
        chooseEntry(use(d), 1);
        ok(d);
    }), host.with({{"UseToCalc", 2}}));
    expectSwatchesEdit(leastSquare, host, {{"Cor1(0)", "Cor(1)"}, {"Cor1(1)", "Cor(2)"}, {"Cor1(2)", "Cor(3)"}});
}

TEST(LeastSquare, APriceWithNoEntryOpensWithNoneSelected)
{
    for (int none : {9, 6, -3, -32768, 32767}) {
        const Values given = host.with({{"UseToCalc", none}});
        EXPECT_EQ(leastSquare.run(given, [none](QDialog& d) {
            EXPECT_EQ(use(d).currentText(), QString());
            EXPECT_EQ(workingUse(), none); // the load wrote nothing
            closeBox(d);
        }), given) << none;
        EXPECT_EQ(leastSquare.run(given, ok), host.with({{"UseToCalc", 0}})) << none;
    }
}
