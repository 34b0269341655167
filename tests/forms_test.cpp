// The forms layer and the generic Start, through a small tool made for the test.

#include "support/ModalDriver.h"

#include "frame/FlagSet.h"
#include "frame/RecordDialog.h"
#include "frame/Start.h"
#include "frame/WindowManager.h"
#include "frame/forms/CheckBox.h"
#include "frame/forms/DropDownList.h"
#include "frame/forms/OptionButton.h"
#include "frame/forms/TextBox.h"

#include <QGridLayout>
#include <QTest>
#include <QWindow>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

struct ProbeRecord {
    std::int16_t Box;       // shown unchanged in a check box, as some tools do
    float Value;            // a value box
    std::int16_t Typed;     // written by the change handler, keystroke by keystroke
    std::int16_t SaveDefault;

    bool operator==(const ProbeRecord&) const = default;
};

frame::Records<ProbeRecord> probe;

class ProbeDialog final : public frame::RecordDialog<ProbeRecord> {
public:
    explicit ProbeDialog(frame::Records<ProbeRecord>& r)
        : RecordDialog(r, QStringLiteral("Probe"), QStringLiteral("Probe"))
    {
        box_ = checkBox(QStringLiteral("Box"), QStringLiteral("Box"));
        value_ = textBox(QStringLiteral("Value"));
        typed_ = textBox(QStringLiteral("Typed"));
        typed_->onChange([this](const QString&) { working().Typed = typed_->readWhole(); });
        grid().addWidget(box_, 0, 0);
        grid().addWidget(value_, 1, 0);
        grid().addWidget(typed_, 2, 0);
    }
    void load() override
    {
        box_->setValue(working().Box); // refuses anything but 0, 1, 2 with error 380
        value_->showNumber(working().Value);
        typed_->showNumber(working().Typed);
    }

private:
    void readControls(ProbeRecord& into) const override { into.Value = value_->readSingle(); }

    frame::CheckBox* box_;
    frame::TextBox* value_;
    frame::TextBox* typed_;
};

Variant startProbe(std::function<void(QDialog&)> user)
{
    whenModal(QStringLiteral("Probe"), std::move(user));
    return frame::start<ProbeDialog>(probe, 1);
}

int errorNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(Start, ACheckBoxRefusingTheRecordsValueFailsWith380BeforeShowingAndChangesNothing)
{
    probe.parameter = {0, 1.5f, 3, 0};
    startProbe([](QDialog& d) { press(d, "Command1"); });
    const ProbeRecord working = probe.working;

    for (std::int16_t bad : {3, -1}) {
        probe.parameter = {bad, 2.5f, 4, 0};
        const int before = liveWidgets();
        EXPECT_EQ(errorNumber([] { frame::start<ProbeDialog>(probe, 1); }), 380);
        EXPECT_EQ(liveWidgets(), before);
        EXPECT_EQ(probe.working.Value, working.Value);
        EXPECT_EQ(probe.working.Typed, working.Typed);
        EXPECT_EQ(probe.parameter.Box, bad);
        EXPECT_FALSE(probe.showing);
    }
}

TEST(Start, ChangeHandlersRunForTheLoadHandlersTextAndEveryKeystroke)
{
    probe.parameter = {2, 0.5f, 8, 0};
    startProbe([](QDialog& d) {
        EXPECT_EQ(probe.working.Typed, 8); // the load handler's setText ran the handler
        auto& typed = child<QLineEdit>(d, "Typed");
        typed.setFocus();
        typed.selectAll();
        QTest::keyClick(&typed, Qt::Key_Delete);
        QTest::keyClick(&typed, Qt::Key_2);
        EXPECT_EQ(probe.working.Typed, 2);
        QTest::keyClick(&typed, Qt::Key_5);
        EXPECT_EQ(probe.working.Typed, 25);
        d.close();
    });
    EXPECT_EQ(probe.working.Typed, 25);
    EXPECT_EQ(probe.working.Box, 2);
    EXPECT_EQ(probe.working.Value, 0.5f); // a close reads no text box
}

TEST(Start, AWholeNumberBeyondSixteenBitsStoresTheNearestSixteenBitValueKeystrokeByKeystroke)
{
    probe.parameter = {0, 0.0f, 0, 0};
    startProbe([](QDialog& d) {
        auto& typed = child<QLineEdit>(d, "Typed");
        typeInto(typed, "99999");
        EXPECT_EQ(probe.working.Typed, 32767);
        typeInto(typed, "-1e400");
        EXPECT_EQ(probe.working.Typed, -32768);
        typeInto(typed, "32767.5"); // rounds to 32768, one past the range
        EXPECT_EQ(probe.working.Typed, 32767);
        typeInto(typed, "-32768.5"); // a half to the even neighbour, -32768, which fits
        EXPECT_EQ(probe.working.Typed, -32768);
        EXPECT_TRUE(d.isVisible());
        press(d, "Command1");
    });
    EXPECT_EQ(probe.working.Typed, -32768);
}

TEST(Start, EnterInATextBoxNeitherClosesNorStores)
{
    probe.parameter = {0, 0.25f, 1, 0};
    startProbe([](QDialog& d) {
        auto& value = child<QLineEdit>(d, "Value");
        EXPECT_EQ(value.text(), QStringLiteral(" .25"));
        typeInto(value, QStringLiteral("7"));
        QTest::keyClick(&value, Qt::Key_Return);
        QTest::keyClick(&value, Qt::Key_Enter);
        QTest::keyClick(&value, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(probe.working.Value, 0.25f);
        press(d, "Command1");
    });
    EXPECT_EQ(probe.working.Value, 7.0f);
}

TEST(Start, TheGreyedStateComesFromCodeOnlyAndSurvivesOk)
{
    probe.parameter = {2, 0, 0, 0};
    startProbe([](QDialog& d) {
        auto& box = child<frame::CheckBox>(d, "Box");
        EXPECT_EQ(box.value(), 2);
        click(box);
        EXPECT_EQ(box.value(), 1);
        click(box);
        EXPECT_EQ(box.value(), 0);
        click(box);
        EXPECT_EQ(box.value(), 1);
        d.close();
    });
}

TEST(Forms, CheckBoxTakesZeroOneTwoAndRefusesTheRestUnchanged)
{
    frame::CheckBox box(QStringLiteral("x"), nullptr);
    box.setValue(1);
    EXPECT_EQ(errorNumber([&] { box.setValue(3); }), 380);
    EXPECT_EQ(errorNumber([&] { box.setValue(-1); }), 380);
    EXPECT_EQ(box.value(), 1);
    box.setValue(2);
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
    box.setValue(0);
    EXPECT_EQ(box.value(), 0);
}

TEST(Forms, OptionButtonRunsItsClickWhenCodeSelectsItAndWhenTheUserClicks)
{
    QWidget parent;
    frame::OptionButton up(QStringLiteral("Up"), &parent), down(QStringLiteral("Down"), &parent);
    std::vector<int> clicks;
    up.onClick([&] { clicks.push_back(0); });
    down.onClick([&] { clicks.push_back(1); });
    down.select();
    EXPECT_TRUE(down.isChecked());
    click(up);
    EXPECT_FALSE(down.isChecked()); // one option of a parent at a time
    click(up); // a click on the selected option still runs it, and keeps it selected
    EXPECT_EQ(clicks, (std::vector<int>{1, 0, 0}));
    EXPECT_TRUE(up.isChecked());
    EXPECT_FALSE(down.isChecked());
    QTest::keyClick(&down, Qt::Key_Space); // the keyboard's click
    EXPECT_TRUE(down.isChecked());
    EXPECT_FALSE(up.isChecked());
    EXPECT_EQ(clicks.back(), 1);
}

TEST(Forms, DropDownListPositionIsMinusOneOnceTheUserTypesUntilAnEntryIsChosen)
{
    frame::DropDownList list(nullptr);
    list.addItems({QStringLiteral("Open"), QStringLiteral("High"), QStringLiteral("Low"), QStringLiteral("Close")});
    list.setListIndex(3);
    EXPECT_EQ(list.listIndex(), 3);
    EXPECT_EQ(list.currentText(), QStringLiteral("Close"));
    list.lineEdit()->setCursorPosition(2);
    QTest::keyClicks(list.lineEdit(), QStringLiteral("xy"));
    // The control's own position, which assistive technology reads, and the text as typed.
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.lineEdit()->text(), QStringLiteral("Clxyose"));
    EXPECT_EQ(list.lineEdit()->cursorPosition(), 4);
    QTest::keyClick(list.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(list.count(), 4); // typed text never becomes an entry
    EXPECT_EQ(list.listIndex(), -1);
    QTest::keyClick(&list, Qt::Key_Down); // the keyboard's way to choose again: the first entry
    EXPECT_EQ(list.listIndex(), 0);
    list.setListIndex(9);
    EXPECT_EQ(list.listIndex(), -1);
}

TEST(Forms, DropDownListTextTypedLikeAnEntrySelectsNoEntry)
{
    QWidget window;
    auto* list = new frame::DropDownList(&window);
    auto* elsewhere = new QLineEdit(&window);
    list->addItems({QStringLiteral("Open"), QStringLiteral("High"), QStringLiteral("Close")});
    window.show();
    list->setListIndex(2);
    list->lineEdit()->setFocus();
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("High"));
    QTest::keyClick(list->lineEdit(), Qt::Key_Return); // ends the editing
    elsewhere->setFocus();                              // and so does leaving the field
    EXPECT_EQ(list->listIndex(), -1);
    EXPECT_EQ(list->currentText(), QStringLiteral("High"));
}

TEST(FlagSet, ClearingABoxMasksWithEightBitsSoBitsEightToFifteenGoToo)
{
    EXPECT_EQ(frame::applyFlag(0x0113, 2, 0), 0x0013);     // AND 251
    EXPECT_EQ(frame::applyFlag(0x0113, 2, 1), 0x0117);     // OR 4, high bits kept
    EXPECT_EQ(frame::applyFlag(0x0113, 2, 2), 0x0117);     // greyed counts as set
    EXPECT_EQ(frame::applyFlag(-1, 7, 0), 127);            // AND 127 on 0xFFFF
    EXPECT_EQ(frame::applyFlag(0x7F1F, 1, 0), 0x001D);
    std::int16_t field = 0x00FF;
    for (int bit = 0; bit < 8; ++bit)
        field = frame::applyFlag(field, bit, 1);
    EXPECT_EQ(field, 0x00FF);
    EXPECT_TRUE(frame::flagIsSet(-32768, 15));
    EXPECT_FALSE(frame::flagIsSet(0x0100, 0));
}

TEST(WindowManager, TopmostPlacementKeepsPositionAndSizeUnlessAskedOtherwise)
{
    QWidget window;
    window.setGeometry(10, 20, 200, 100);
    // Before the window is shown the hint is recorded for the native window it will be shown in;
    // none is made only to take the handle.
    EXPECT_TRUE(frame::SetWindowPos(frame::windowHandle(window), frame::HWND_TOPMOST, 0, 0, 0, 0,
                                    frame::SWP_NOMOVE | frame::SWP_NOSIZE));
    EXPECT_FALSE(window.testAttribute(Qt::WA_WState_Created));
    window.show();
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.geometry(), QRect(10, 20, 200, 100));
    // Shown, the window takes a new native window that winId() names (on xcb a changed stacking
    // hint takes one).
    EXPECT_TRUE(frame::SetWindowPos(frame::windowHandle(window), frame::HWND_NOTOPMOST, 5, 6, 70, 80, 0));
    EXPECT_FALSE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(QWidget::find(window.winId()), &window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(5, 6));
    EXPECT_EQ(window.size(), QSize(70, 80));
    EXPECT_FALSE(frame::SetWindowPos(0, frame::HWND_TOPMOST, 0, 0, 0, 0, 3));
}

TEST(Forms, ABoxShownAloneIsOnlyAsWideAsItsSquareAndStillToggles)
{
    frame::CheckBox box(QStringLiteral("A caption far wider than any box"), nullptr);
    const int captioned = box.sizeHint().width();
    box.showBoxOnly();
    EXPECT_LT(box.width(), captioned / 2);
    EXPECT_GT(box.width(), 0);
    EXPECT_EQ(box.sizeHint().width(), box.width()); // nothing drawn is cut off
    EXPECT_EQ(box.text(), QStringLiteral("A caption far wider than any box"));
    click(box);
    EXPECT_EQ(box.value(), 1);
}
