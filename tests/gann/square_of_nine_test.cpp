// The square of nine, driven as a user drives its dialog.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cfloat>
#include <cmath>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("GannSQ9Parm");

struct Values {
    std::int32_t cor;
    float price;
    std::int16_t time, upDown;
    float step;
    std::int16_t saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& v)
{
    return os << "{Cor=" << v.cor << " Price=" << v.price << " Time=" << v.time << " UpDown=" << v.upDown
              << " Step=" << v.step << " SaveDefault=" << v.saveDefault << "}";
}

Values read(const GannSQ9ParmClass& c) { return {c.Cor(), c.Price(), c.Time(), c.UpDown(), c.Step(), c.SaveDefault()}; }

void set(GannSQ9ParmClass& c, const Values& v)
{
    c.Cor(v.cor);
    c.Price(v.price);
    c.Time(v.time);
    c.UpDown(v.upDown);
    c.Step(v.step);
    c.SaveDefault(v.saveDefault);
}

Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1)
{
    GannSQ9ParmClass c;
    set(c, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef), Variant{});
    return read(c);
}

QCheckBox& box(QDialog& d, const char* column, int i)
{
    return child<QCheckBox>(d, QStringLiteral("%1(%2)").arg(QLatin1String(column)).arg(i));
}

// The rows checked in a column, as a bit set.
int checkedRows(QDialog& d, const char* column)
{
    int bits = 0;
    for (int i = 0; i < 8; ++i)
        if (box(d, column, i).checkState() != Qt::Unchecked)
            bits |= 1 << i;
    return bits;
}

QLineEdit& stepBox(QDialog& d) { return child<QLineEdit>(d, "Text1"); }
QRadioButton& option(QDialog& d, int i) { return child<QRadioButton>(d, QStringLiteral("Option1(%1)").arg(i)); }

const Values host{255, 5, 257, 0, 0.1f, 0};

} // namespace

TEST(SquareOfNine, LoadFillsEveryControlFromTheWorkingRecord)
{
    run(host, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Gann SQ9 Parameters"));
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(frame::rgbOf(child<QLabel>(d, "Cor1").palette().color(QPalette::Window)), 255);
        EXPECT_EQ(d.findChild<QWidget*>("Cor1(0)"), nullptr); // one swatch, no array
        EXPECT_EQ(checkedRows(d, "Price"), 5);                  // angles 0 and 90
        EXPECT_EQ(checkedRows(d, "Time"), 1);                   // bit 8 has no box
        EXPECT_EQ(stepBox(d).text(), QStringLiteral(" .1"));
        EXPECT_TRUE(option(d, 0).isChecked());
        EXPECT_FALSE(option(d, 1).isChecked());
        EXPECT_EQ(option(d, 0).text(), QStringLiteral("Up"));
        EXPECT_EQ(option(d, 1).text(), QStringLiteral("Down"));
        const char* heads[][2] = {{"Label1", "Line color"}, {"Label2", "Price"}, {"Label3", "Time"},
                                  {"Label4", "Angle"}, {"Label13", "Direction"}, {"Label14", "Step"}};
        for (auto [name, caption] : heads)
            EXPECT_EQ(child<QLabel>(d, name).text(), QString::fromLatin1(caption)) << name;
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(child<QLabel>(d, QStringLiteral("Label%1").arg(5 + i)).text(), QString::number(45 * i));
            EXPECT_EQ(box(d, "Price", i).text(), QStringLiteral("Check1"));
            // Row i of both columns and its angle label stand on one line, top to bottom.
            const int y = box(d, "Price", i).geometry().center().y();
            EXPECT_NEAR(box(d, "Time", i).geometry().center().y(), y, 2);
            if (i > 0) {
                EXPECT_GT(y, box(d, "Price", i - 1).geometry().center().y());
            }
        }
        EXPECT_TRUE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    });
    run(host, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 0);
}

TEST(SquareOfNine, OkReadsTheBoxesWithEightBitMasks)
{
    // Unchanged boxes: a bit above 7 survives only while every box of its column is checked.
    EXPECT_EQ(run({0, 5, 257, 0, 1, 0}, [](QDialog& d) { press(d, "Command1"); }),
              (Values{0, 5, 1, 0, 1, 0}));
    EXPECT_EQ(run({0, 511, 511, 0, 1, 0}, [](QDialog& d) { press(d, "Command1"); }),
              (Values{0, 511, 511, 0, 1, 0}));
    EXPECT_EQ(run({0, 511, 257, 0, 1, 0}, [](QDialog& d) { press(d, "Command2"); }),
              (Values{0, 511, 257, 0, 1, 0}));
    // Negative sets: the sign bit is bit 15 like any other.
    EXPECT_EQ(run({0, -1, -1, 0, 1, 0}, [](QDialog& d) {
        click(box(d, "Time", 7)); // clears 315 and with it bits 8 to 15
        press(d, "Command1");
    }), (Values{0, -1, 127, 0, 1, 0}));
    // Checking every box of an empty set gives the eight low bits.
    EXPECT_EQ(run({0, 0, 0, 0, 1, 0}, [](QDialog& d) {
        for (int i = 0; i < 8; ++i)
            click(box(d, "Price", i));
        click(box(d, "Time", 3));
        press(d, "Command1");
    }), (Values{0, 255, 8, 0, 1, 0}));
    // Clearing one box keeps the others; the other column is read on its own.
    EXPECT_EQ(run({0, 5, 12, 0, 1, 0}, [](QDialog& d) {
        click(box(d, "Price", 2));
        press(d, "Command3");
    }), (Values{0, 1, 12, 0, 1, 1}));
}

TEST(SquareOfNine, TheDirectionIsWrittenWhenClickedAndByTheLoadItself)
{
    // 7 selects "Down" on load, which writes 1 at once.
    for (std::int16_t down : {7, -1, 1}) {
        Values v = host;
        v.upDown = down;
        EXPECT_EQ(run(v, [](QDialog& d) {
            EXPECT_TRUE(option(d, 1).isChecked());
            EXPECT_EQ(GannSQ9ParmClass{}.UpDown(), 1); // before the user acts
            press(d, "Command1");
        }).upDown, 1) << down;
        EXPECT_EQ(run(v, [](QDialog& d) { d.close(); }).upDown, 1) << down;
        EXPECT_EQ(run(v, [](QDialog& d) { press(d, "Command2"); }).upDown, down);
    }
    // A user's click: kept by a close from the title bar, undone by "Cancel".
    EXPECT_EQ(run(host, [](QDialog& d) {
        click(option(d, 1));
        EXPECT_EQ(GannSQ9ParmClass{}.UpDown(), 1);
        d.close();
    }).upDown, 1);
    EXPECT_EQ(run(host, [](QDialog& d) {
        click(option(d, 1));
        press(d, "Command2");
    }).upDown, 0);
    Values down = host;
    down.upDown = 1;
    EXPECT_EQ(run(down, [](QDialog& d) {
        click(option(d, 0));
        click(box(d, "Price", 0)); // boxes are not read by a close
        d.close();
    }), (Values{255, 5, 257, 0, 0.1f, 0}));
}

TEST(SquareOfNine, OkNeverLeavesTheStepAtZero)
{
    auto stepAfterTyping = [](const QString& typed, float initial = 2) {
        Values v = host;
        v.step = initial;
        QString shown;
        const Values out = run(v, [&](QDialog& d) {
            if (!typed.isNull())
                typeInto(stepBox(d), typed);
            press(d, "Command1");
            shown = stepBox(d).text();
        });
        return std::pair{out.step, shown};
    };
    EXPECT_EQ(stepAfterTyping(QString(), 0), std::pair(0.1f, QStringLiteral("0.1")));
    for (const char* nothing : {"", "abc", "0", "-0", "0e5", "  "})
        EXPECT_EQ(stepAfterTyping(QString::fromLatin1(nothing)), std::pair(0.1f, QStringLiteral("0.1"))) << nothing;
    EXPECT_EQ(stepAfterTyping("-2").first, -2.0f);
    EXPECT_EQ(stepAfterTyping("1e-50").first, 0.1f); // too small for a float: 0 after all
    EXPECT_EQ(stepAfterTyping("1e400").first, FLT_MAX);
    EXPECT_EQ(stepAfterTyping("99999").first, 99999.0f);
    EXPECT_EQ(stepAfterTyping(QString(), 0.1f), std::pair(0.1f, QStringLiteral(" .1")));

    Values zero = host;
    zero.step = 0;
    EXPECT_EQ(run(zero, [](QDialog& d) {
        EXPECT_EQ(stepBox(d).text(), QStringLiteral(" 0"));
        typeInto(stepBox(d), "");
        press(d, "Command3");
    }), (Values{255, 5, 1, 0, 0.1f, 1}));
    // A close reads no box: the 0 stays.
    EXPECT_EQ(run(zero, [](QDialog& d) { d.close(); }).step, 0.0f);
}

TEST(SquareOfNine, PriceIsAFloatOutsideAndSixteenBitsInside)
{
    GannSQ9ParmClass c;
    const std::pair<float, float> rounded[] = {{2.5f, 2}, {3.5f, 4}, {-0.5f, 0}, {-32768.4f, -32768}, {32767, 32767}};
    for (auto [given, stored] : rounded) {
        Values v = host;
        v.price = given;
        EXPECT_EQ(run(v, [](QDialog& d) { press(d, "Command2"); }).price, stored) << given;
    }
    c.Price(6);
    for (float beyond : {40000.0f, 32767.5f, -32768.6f, INFINITY, NAN})
        EXPECT_EQ(errorOf([&] { c.Price(beyond); }), 6) << beyond;
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(0);
    EXPECT_EQ(c.Price(), 6.0f); // the last good value stayed
}

TEST(SquareOfNine, ColourIsTakenWhenChosenAndCancelUndoesIt)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1", 0x00FF00), 255);
        EXPECT_EQ(GannSQ9ParmClass{}.Cor(), 0x00FF00);
        d.close();
    }).cor, 0x00FF00);
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1", 0x00FF00);
        press(d, "Command2");
    }).cor, 255);
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1", std::nullopt);
        press(d, "Command1");
    }).cor, 255);
}

TEST(SquareOfNine, ASecondStartShowsTheHostsNewValues)
{
    run(host, [](QDialog& d) {
        click(box(d, "Price", 5));
        click(option(d, 1));
        typeInto(stepBox(d), "3");
        press(d, "Command1");
    });
    EXPECT_EQ(run({1, 2, 64, 0, 0.5f, 0}, [](QDialog& d) {
        EXPECT_EQ(checkedRows(d, "Price"), 2);
        EXPECT_EQ(checkedRows(d, "Time"), 64);
        EXPECT_TRUE(option(d, 0).isChecked());
        EXPECT_EQ(stepBox(d).text(), QStringLiteral(" .5"));
        press(d, "Command1");
    }), (Values{1, 2, 64, 0, 0.5f, 0}));
}
