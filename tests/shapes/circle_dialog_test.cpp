// The circle and ellipse tool, and through it the dialog protocol, driven as a user would.

#include "support/ToolDriver.h"

#include <QPushButton>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {
const Tool circle{"ZarvLinesParm.CircleElipseCls"};
const Values host{{"Cor(1)", 255}, {"Cor(2)", 65280}, {"Fill", 5}, {"SaveDefault", 0}};

// Start with a caption, as the typed interface calls it.
void startCaptioned(std::int16_t fdef, std::string_view caption, User user)
{
    whenModal({}, std::move(user));
    EXPECT_EQ(CircleElipseCls{}.Start(fdef, caption), Variant{});
}
} // namespace

TEST(CircleDialog, ShowsTheHostsValuesInAModalTopmostDialogWithoutOwner)
{
    setAll(*CreateObject(circle.progId), host);
    startCaptioned(5, "Ellipse", [](QDialog& d) {
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
        EXPECT_EQ(d.parentWidget(), nullptr);
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Ellipse"));
        EXPECT_EQ(swatch(d, "Cor1(0)"), 255);
        EXPECT_EQ(swatch(d, "Cor1(1)"), 65280);
        EXPECT_EQ(state(d, "Fill"), Qt::Checked); // 5 shows checked
        const char* captions[][2] = {{"Command1", "OK"}, {"Command2", "Cancel"}, {"Command3", "Save as Default"}};
        for (auto [name, caption] : captions)
            EXPECT_EQ(child<QPushButton>(d, name).text(), QString::fromLatin1(caption));
        EXPECT_TRUE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        closeBox(d);
    });
    startCaptioned(0, "", [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "Command3").isVisibleTo(&d));
        EXPECT_EQ(d.windowTitle(), QString());
        closeBox(d);
    });
}

TEST(CircleDialog, EachAnswerKeepsOrUndoesTheEditsItShould)
{
    auto edit = [](QDialog& d) {
        EXPECT_EQ(chooseColour(d, "Cor1(1)", 0x0000FF), 65280);
        // A second click opens on the colour just chosen: the working record has it.
        EXPECT_EQ(chooseColour(d, "Cor1(1)", 0x00FF00), 0x0000FF);
        EXPECT_EQ(swatch(d, "Cor1(1)"), 0x00FF00);
        // A cancelled chooser changes neither swatch nor record.
        EXPECT_EQ(chooseColour(d, "Cor1(0)", std::nullopt), 255);
        EXPECT_EQ(swatch(d, "Cor1(0)"), 255);
        tick(d, "Fill");
    };
    const std::pair<User, Values> answers[] = {
        {ok, host.with({{"Cor(2)", 0x00FF00}, {"Fill", 0}})},
        {cancel, host},
        {saveAsDefault, host.with({{"Cor(2)", 0x00FF00}, {"Fill", 0}, {"SaveDefault", 1}})},
        {closeBox, host.with({{"Cor(2)", 0x00FF00}})}, // the colour was taken when chosen; no box is read
    };
    for (const auto& [answer, expected] : answers)
        EXPECT_EQ(circle.run(host, [&](QDialog& d) { edit(d); answer(d); }), expected);
    // Fill comes back as one or zero.
    EXPECT_EQ(circle.run(host, ok), host.with({{"Fill", 1}}));
    EXPECT_EQ(circle.run(host.with({{"Fill", 0}}), [](QDialog& d) { tick(d, "Fill"); ok(d); }), host.with({{"Fill", 1}}));
}

TEST(CircleDialog, HostColoursThatAreNoPlainRgbPassThroughUntouched)
{
    const Values odd = host.with({{"Cor(1)", -1}, {"Cor(2)", static_cast<std::int32_t>(0x8000000F)}, {"Fill", 1}});
    EXPECT_EQ(circle.run(odd, [](QDialog& d) {
        EXPECT_EQ(swatch(d, "Cor1(0)"), 0xFFFFFF); // shown as its low three bytes
        ok(d);
    }), odd);
}

TEST(CircleDialog, SettersReachTheGettersOnlyThroughTheNextStartWhichShowsWhatTheHostSet)
{
    circle.run(host, [](QDialog& d) {
        chooseColour(d, "Cor1(0)", 0x111111);
        tick(d, "Fill");
        ok(d);
    });
    CircleElipseCls c;
    c.Cor(1, 42);
    EXPECT_EQ(c.Cor(1), 0x111111);
    EXPECT_EQ(CircleElipseCls{}.Fill(), 0); // one record for every instance
    startCaptioned(1, "Circle", [](QDialog& d) {
        EXPECT_EQ(swatch(d, "Cor1(0)"), 42);
        EXPECT_EQ(state(d, "Fill"), Qt::Checked);
        ok(d);
    });
    EXPECT_EQ(circle.now(), host.with({{"Cor(1)", 42}, {"Fill", 1}}));
}

TEST(CircleDialog, StartWhileItsDialogIsShownFailsWith400AndChangesNothing)
{
    EXPECT_EQ(circle.run(host, [&](QDialog& d) {
        CircleElipseCls again;
        again.Fill(0);
        EXPECT_EQ(errorOf([&] { again.Start(1, "again"); }), 400);
        EXPECT_EQ(again.Fill(), 5); // working record untouched
        cancel(d);
    }), host.with({{"Fill", 0}})); // the parameter Fill set inside was taken: setters always work
}

TEST(CircleDialog, AThousandStartsLeaveNoDialogOrChooserAlive)
{
    const int before = liveWidgets();
    for (int i = 0; i < 1000; ++i) {
        circle.run(host, [i](QDialog& d) {
            if (i % 5 == 4)
                chooseColour(d, "Cor1(0)", i % 2 ? std::optional<std::int32_t>(i) : std::nullopt);
            const User answers[] = {ok, cancel, saveAsDefault, closeBox, ok};
            answers[i % 5](d);
        });
        ASSERT_EQ(liveWidgets(), before) << "after Start " << i;
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}
