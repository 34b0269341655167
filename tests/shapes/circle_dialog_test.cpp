// The circle and ellipse tool, and through it the dialog protocol, driven as a user would.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

const QString dialogName = QStringLiteral("CircleElipse");

struct Values {
    std::int32_t cor1, cor2;
    std::int16_t fill, saveDefault;
    bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Values& v)
{
    return os << "{Cor(1)=" << v.cor1 << " Cor(2)=" << v.cor2 << " Fill=" << v.fill
              << " SaveDefault=" << v.saveDefault << "}";
}

Values read(const CircleElipseCls& c) { return {c.Cor(1), c.Cor(2), c.Fill(), c.SaveDefault()}; }

void set(CircleElipseCls& c, const Values& v)
{
    c.Cor(1, v.cor1);
    c.Cor(2, v.cor2);
    c.Fill(v.fill);
    c.SaveDefault(v.saveDefault);
}

std::int32_t swatchColour(QDialog& d, const char* name)
{
    return frame::rgbOf(child<QLabel>(d, QString::fromLatin1(name)).palette().color(QPalette::Window));
}

// Runs one Start with `values` set and `user` acting on the dialog; returns the getters.
Values run(const Values& values, std::function<void(QDialog&)> user, std::int16_t fdef = 1,
           std::string_view caption = "Ellipse")
{
    CircleElipseCls c;
    set(c, values);
    whenModal(dialogName, std::move(user));
    EXPECT_EQ(c.Start(fdef, caption), Variant{});
    return read(c);
}

const Values host{255, 65280, 5, 0};

} // namespace

TEST(CircleDialog, ShowsTheHostsValuesInAModalTopmostDialogWithoutOwner)
{
    run(host, [](QDialog& d) {
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
        EXPECT_EQ(d.parentWidget(), nullptr);
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Ellipse"));
        EXPECT_EQ(swatchColour(d, "Cor1(0)"), 255);
        EXPECT_EQ(swatchColour(d, "Cor1(1)"), 65280);
        EXPECT_EQ(child<QLabel>(d, "Label1").text(), QStringLiteral("Outline Color"));
        EXPECT_EQ(child<QLabel>(d, "Label2").text(), QStringLiteral("Fill Color"));
        EXPECT_EQ(child<QCheckBox>(d, "Fill").text(), QStringLiteral("Fill"));
        EXPECT_EQ(child<QCheckBox>(d, "Fill").checkState(), Qt::Checked); // 5 shows checked
        const char* captions[][2] = {{"Command1", "OK"}, {"Command2", "Cancel"}, {"Command3", "Save as Default"}};
        for (auto [name, caption] : captions) {
            auto& b = child<QPushButton>(d, name);
            EXPECT_EQ(b.text(), QString::fromLatin1(caption));
            EXPECT_FALSE(b.isDefault() || b.autoDefault()) << name;
        }
        EXPECT_TRUE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        d.close();
    }, 5);
}

TEST(CircleDialog, SaveAsDefaultShowsOnlyForNonZeroFDefAndAnEmptyCaptionIsAnEmptyTitle)
{
    run(host, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        EXPECT_EQ(d.windowTitle(), QString());
        d.close();
    }, 0, "");
}

TEST(CircleDialog, OkWritesFillAsOneOrZero)
{
    EXPECT_EQ(run(host, [](QDialog& d) { press(d, "Command1"); }), (Values{255, 65280, 1, 0}));
    EXPECT_EQ(run(host, [](QDialog& d) {
        click(child<QCheckBox>(d, "Fill"));
        press(d, "Command1");
    }), (Values{255, 65280, 0, 0}));
    EXPECT_EQ(run({1, 2, 0, 0}, [](QDialog& d) {
        click(child<QCheckBox>(d, "Fill"));
        press(d, "Command1");
    }), (Values{1, 2, 1, 0}));
}

TEST(CircleDialog, CancelRestoresEveryValueTheHostSetColoursIncluded)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(1)", 0x123456);
        click(child<QCheckBox>(d, "Fill"));
        press(d, "Command2");
    }), host);
}

TEST(CircleDialog, SaveAsDefaultSetsSaveDefaultThenDoesWhatOkDoes)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        click(child<QCheckBox>(d, "Fill"));
        press(d, "Command3");
    }), (Values{255, 65280, 0, 1}));
}

TEST(CircleDialog, CloseFromTheTitleBarKeepsChosenColoursButReadsNoControl)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0xABCDEF);
        click(child<QCheckBox>(d, "Fill")); // not read back
        d.close();
    }), (Values{0xABCDEF, 65280, 5, 0}));
}

TEST(CircleDialog, SwatchOpensTheChooserOnTheWorkingColourAndTakesTheChoiceAtOnce)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(1)", 0x0000FF), 65280);
        EXPECT_EQ(swatchColour(d, "Cor1(1)"), 0x0000FF);
        // A second click opens on the colour just chosen: the working record has it.
        EXPECT_EQ(chooseColour(d, "Cor1(1)", 0x00FF00), 0x0000FF);
        press(d, "Command1");
    }), (Values{255, 0x00FF00, 1, 0}));
}

TEST(CircleDialog, ACancelledChooserChangesNeitherSwatchNorRecord)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", std::nullopt);
        EXPECT_EQ(swatchColour(d, "Cor1(0)"), 255);
        EXPECT_EQ(swatchColour(d, "Cor1(1)"), 65280);
        press(d, "Command1");
    }), (Values{255, 65280, 1, 0}));
}

TEST(CircleDialog, HostColoursThatAreNoPlainRgbPassThroughUntouched)
{
    const Values odd{-1, static_cast<std::int32_t>(0x8000000F), 1, 0};
    EXPECT_EQ(run(odd, [](QDialog& d) {
        EXPECT_EQ(swatchColour(d, "Cor1(0)"), 0xFFFFFF); // shown as its low three bytes
        press(d, "Command1");
    }), odd);
}

TEST(CircleDialog, EnterAndEscapePressNothingAndCloseNothing)
{
    EXPECT_EQ(run(host, [](QDialog& d) {
        click(child<QCheckBox>(d, "Fill"));
        for (QWidget* focus : {static_cast<QWidget*>(&d), static_cast<QWidget*>(&child<QCheckBox>(d, "Fill")),
                               static_cast<QWidget*>(&child<QPushButton>(d, "Command1")),
                               static_cast<QWidget*>(&child<QPushButton>(d, "Command2"))}) {
            for (auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(focus, key);
                ASSERT_TRUE(d.isVisible()) << focus->objectName().toStdString() << " key " << key;
            }
        }
        d.close();
    }), host);
}

TEST(CircleDialog, SettersReachTheGettersOnlyThroughTheNextStart)
{
    CircleElipseCls c;
    run(host, [](QDialog& d) { press(d, "Command1"); });
    c.Cor(1, 42);
    c.Fill(0);
    EXPECT_EQ(c.Cor(1), 255);
    EXPECT_EQ(c.Fill(), 1);
    // A second instance sees the same library-wide records.
    EXPECT_EQ(CircleElipseCls{}.Cor(1), 255);
}

TEST(CircleDialog, ASecondStartShowsWhatTheHostSetNotWhatTheLastDialogLeft)
{
    run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x111111);
        click(child<QCheckBox>(d, "Fill"));
        press(d, "Command1");
    });
    CircleElipseCls c;
    whenModal(dialogName, [](QDialog& d) {
        EXPECT_EQ(swatchColour(d, "Cor1(0)"), 255);
        EXPECT_EQ(child<QCheckBox>(d, "Fill").checkState(), Qt::Checked);
        press(d, "Command1");
    });
    c.Start(1, "Circle");
    EXPECT_EQ(read(c), (Values{255, 65280, 1, 0}));
}

TEST(CircleDialog, AnIndexOutOfRangeFailsWithNineAndChangesNothing)
{
    CircleElipseCls c;
    set(c, host);
    run(host, [](QDialog& d) { press(d, "Command2"); });
    for (std::int16_t i : {0, 3, -1}) {
        EXPECT_THROW({
            try { c.Cor(i, 7); } catch (const Error& e) { EXPECT_EQ(e.number(), 9); throw; }
        }, Error);
        EXPECT_THROW({
            try { (void)c.Cor(i); } catch (const Error& e) { EXPECT_EQ(e.number(), 9); throw; }
        }, Error);
    }
    // The parameter record is unchanged too: Cancel brings back exactly what was set.
    whenModal(dialogName, [](QDialog& d) { press(d, "Command2"); });
    c.Start(1, "x");
    EXPECT_EQ(read(c), host);
}

TEST(CircleDialog, StartWhileItsDialogIsShownFailsWith400AndChangesNothing)
{
    int number = 0;
    EXPECT_EQ(run(host, [&](QDialog& d) {
        CircleElipseCls again;
        again.Fill(0);
        try {
            again.Start(1, "again");
        } catch (const Error& e) {
            number = e.number();
        }
        EXPECT_EQ(again.Fill(), 5); // working record untouched
        press(d, "Command2");
    }), (Values{255, 65280, 0, 0})); // the parameter Fill set inside was taken: setters always work
    EXPECT_EQ(number, 400);
}

TEST(CircleDialog, AThousandStartsLeaveNoDialogOrChooserAlive)
{
    const int before = liveWidgets();
    for (int i = 0; i < 1000; ++i) {
        run(host, [i](QDialog& d) {
            switch (i % 5) {
            case 0: press(d, "Command1"); break;
            case 1: press(d, "Command2"); break;
            case 2: press(d, "Command3"); break;
            case 3: d.close(); break;
            case 4:
                chooseColour(d, "Cor1(0)", i % 2 ? std::optional<std::int32_t>(i) : std::nullopt);
                press(d, "Command1");
                break;
            }
        });
        ASSERT_EQ(liveWidgets(), before) << "after Start " << i;
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}
