// The forms layer's own rules, where a tool's dialog shows them only in part: the drop-down
// list's position once the user types, topmost placement, a check box shown as its square only.

#include "support/ModalDriver.h"

#include "frame/WindowManager.h"
#include "frame/forms/Accessible.h"
#include "frame/forms/CheckBox.h"
#include "frame/forms/DropDownList.h"

#include <QAccessible>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QWindow>

using namespace ZarvLinesParm;
using namespace testsupport;

TEST(Forms, DropDownListPositionIsMinusOneOnceTheUserTypesUntilAnEntryIsChosen)
{
    frame::installAccessibleInterfaces(); // before the list is first told about
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
    // Told to assistive technology as Qt's own drop-down lists are: the list, then the text field.
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(&list);
    ASSERT_EQ(told->childCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(told->indexOfChild(told->child(i)), i);
    EXPECT_EQ(told->indexOfChild(nullptr), -1);
    EXPECT_EQ(told->indexOfChild(told), -1);
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
    // A box with its caption shown draws it, beyond the square.
    frame::CheckBox withCaption(box.text(), nullptr);
    withCaption.resize(withCaption.sizeHint());
    const QImage drawn = withCaption.grab().toImage();
    int ink = 0;
    for (int x = box.width() + 1; x < drawn.width(); ++x)
        for (int y = 0; y < drawn.height(); ++y)
            ink += drawn.pixel(x, y) != drawn.pixel(drawn.width() - 1, 0);
    EXPECT_GT(ink, 50);
    // Its size follows a change of style, then of font, as a box made afresh has it.
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    QFont large = box.font();
    large.setPointSize(40);
    frame::CheckBox fresh(box.text(), nullptr);
    for (const auto& change : {std::function<void(QWidget&)>([&](QWidget& w) { w.setStyle(windows.get()); }),
                               std::function<void(QWidget&)>([&](QWidget& w) { w.setFont(large); })}) {
        change(box);
        change(fresh);
        fresh.showBoxOnly();
        EXPECT_EQ(box.sizeHint(), fresh.sizeHint());
    }
}
