// The square of nine: a 16-bit price behind a float, two rows of flag boxes, a direction written
// when clicked, and a step that "OK" never leaves at zero.

#include "support/ToolDriver.h"

#include <QRadioButton>

#include <cmath>

using namespace testsupport;

namespace {
const Tool sq9{"ZarvLinesParm.GannSQ9ParmClass"};
const Values host{{"Cor", 255}, {"Price", 5.0f}, {"Time", 257}, {"UpDown", 0}, {"Step", 0.1f}, {"SaveDefault", 0}};
QString box(const char* column, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(column)).arg(i); }
QRadioButton& option(QDialog& d, int i) { return child<QRadioButton>(d, QStringLiteral("Option1(%1)").arg(i)); }
std::int16_t workingUpDown() { return ZarvLinesParm::GannSQ9ParmClass{}.UpDown(); }
} // namespace

TEST(SquareOfNine, PriceIsAFloatOutsideAndSixteenBitsInside)
{
    const std::pair<float, int> rounded[] = {{2.5f, 2}, {3.5f, 4}, {-0.5f, 0}, {-32768.4f, -32768}, {32767.0f, 32767}};
    for (auto [given, stored] : rounded)
        EXPECT_EQ(sq9.run(host.with({{"Price", given}}), cancel), host.with({{"Price", stored}})) << given;
    ZarvLinesParm::GannSQ9ParmClass c;
    c.Price(6);
    for (float beyond : {40000.0f, 32767.5f, -32768.6f, INFINITY, NAN})
        EXPECT_EQ(errorOf([&] { c.Price(beyond); }), 6) << beyond;
    EXPECT_EQ(sq9.run({}, cancel), host.with({{"Price", 6}})); // the last good value stayed
}

TEST(SquareOfNine, OkReadsEachRowOfBoxesWithEightBitMasks)
{
    // Row i of a column stands for bit i (masks 254, 253, ... 127); a bit above 7 survives only
    // while every box of its column is checked.
    struct Case {
        int price, time;
        std::vector<const char*> clicks;
        int priceAfter, timeAfter;
    } cases[] = {
        {5, 257, {}, 5, 1},
        {511, 511, {}, 511, 511},
        {-1, -1, {"Time(7)"}, -1, 127},
        {-1, -1, {"Price(0)", "Time(6)"}, 254, 191},
        {-1, -1, {"Price(1)", "Time(5)"}, 253, 223},
        {-1, -1, {"Price(2)", "Time(4)"}, 251, 239},
        {-1, -1, {"Price(3)", "Time(3)"}, 247, 247},
        {-1, -1, {"Price(4)", "Time(2)"}, 239, 251},
        {-1, -1, {"Price(5)", "Time(1)"}, 223, 253},
        {-1, -1, {"Price(6)", "Time(0)"}, 191, 254},
        {-1, 0, {"Price(7)", "Time(3)"}, 127, 8},
    };
    for (const Case& c : cases) {
        const Values given = host.with({{"Price", float(c.price)}, {"Time", c.time}});
        EXPECT_EQ(sq9.run(given, [&](QDialog& d) {
            for (const char* name : c.clicks)
                tick(d, name);
            ok(d);
        }), given.with({{"Price", c.priceAfter}, {"Time", c.timeAfter}})) << c.price << " " << c.time;
    }
    EXPECT_EQ(sq9.run(host, [](QDialog& d) {
        EXPECT_EQ(state(d, box("Price", 0)), Qt::Checked);
        EXPECT_EQ(state(d, box("Price", 1)), Qt::Unchecked);
        EXPECT_EQ(state(d, box("Time", 0)), Qt::Checked);
        tick(d, box("Price", 0));
        EXPECT_EQ(chooseColour(d, "Cor1", 0x00FF00), 255);
        cancel(d);
    }), host);
}

TEST(SquareOfNine, TheDirectionIsWrittenWhenClickedAndByTheLoadsSelection)
{
    for (int down : {7, -1, 1}) {
        const Values given = host.with({{"UpDown", down}});
        EXPECT_EQ(sq9.run(given, [](QDialog& d) {
            EXPECT_TRUE(option(d, 1).isChecked());
            EXPECT_EQ(workingUpDown(), 1); // before the user acts
            closeBox(d);
        }), given.with({{"UpDown", 1}})) << down;
        EXPECT_EQ(sq9.run(given, cancel), given) << down;
    }
    // A click: kept by a close from the title bar, which reads no box, undone by "Cancel".
    EXPECT_EQ(sq9.run(host, [](QDialog& d) {
        click(option(d, 1));
        EXPECT_EQ(workingUpDown(), 1);
        tick(d, box("Price", 0));
        EXPECT_EQ(chooseColour(d, "Cor1", 0x00FF00), 255);
        closeBox(d);
    }), host.with({{"UpDown", 1}, {"Cor", 0x00FF00}}));
    EXPECT_EQ(sq9.run(host.with({{"UpDown", 1}}), [](QDialog& d) {
        click(option(d, 0));
        EXPECT_EQ(workingUpDown(), 0);
        cancel(d);
    }), host.with({{"UpDown", 1}}));
}

TEST(SquareOfNine, OkTurnsAStepOfZeroIntoATenthAndShowsIt)
{
    struct Case {
        float given;
        const char* typed; // nothing typed when null
        float stored;
        const char* shownAfter;
    } cases[] = {
        {0, nullptr, 0.1f, "0.1"}, {2, "", 0.1f, "0.1"},     {2, "abc", 0.1f, "0.1"},  {2, "-0", 0.1f, "0.1"},
        {2, "1e-50", 0.1f, "0.1"}, {2, "-2", -2, "-2"},       {2, "1e400", 3.40282347e38f, "1e400"},
        {0.1f, nullptr, 0.1f, " .1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sq9.run(host.with({{"Step", c.given}}), [&](QDialog& d) {
            if (c.typed)
                type(d, "Text1", QString::fromLatin1(c.typed));
            ok(d);
            EXPECT_EQ(shown(d, "Text1"), QString::fromLatin1(c.shownAfter));
        }), host.with({{"Step", c.stored}, {"Time", 1}})) << (c.typed ? c.typed : "");
    }
    // A close reads no box: the 0 stays.
    EXPECT_EQ(sq9.run(host.with({{"Step", 0.0f}}), closeBox), host.with({{"Step", 0.0f}}));
}
