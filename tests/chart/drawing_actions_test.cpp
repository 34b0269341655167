// Drawing as traders work: the magnet taking each price of a bar (and Shift holding it off), a
// copy dragged or duplicated as one step, a locked drawing that nothing moves, all drawings
// hidden and deleted at once, and the keyboard moving, selecting, deleting and editing them.
// Real mouse and key events on the window's view, in settings of the test's own.

#include "Boxes.h"

#include "support/ToolDriver.h"

#include "chart/app/ApplicationName.h"
#include "chart/app/DrawingActions.h"
#include "chart/app/MainWindow.h"
#include "chart/host/DrawingsStore.h"
#include "chart/host/ToolDefaults.h"
#include "chart/tools/Geometry.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace zarvchart;
using namespace testsupport;
using namespace chartsupport;

namespace {

/// Minute bars, each 16 high around an open that steps, so that a bar's four prices lie far
/// apart on the screen.
PriceFile minuteBars(int count)
{
    QByteArray text = "Datetime,Open,High,Low,Close,Volume\n";
    for (int i = 0; i < count; ++i) {
        const int open = 100 + i % 3;
        text += QStringLiteral("2024-03-04 %1:%2,%3,%4,%5,%6,1000\n")
                    .arg(9 + (30 + i) / 60, 2, 10, QLatin1Char('0'))
                    .arg((30 + i) % 60, 2, 10, QLatin1Char('0'))
                    .arg(open)
                    .arg(open + 8)
                    .arg(open - 8)
                    .arg(open + 4)
                    .toLatin1();
    }
    return parseCsv(text, QStringLiteral("minutes.csv"));
}

class Draw : public ::testing::Test {
protected:
    void SetUp() override
    {
        nameApplication();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("config")));
        window_.resize(1000, 640);
        window_.remember();
        window_.show();
        activate();
    }
    void TearDown() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
    }

    ChartView& view() { return window_.view(); }
    QPoint pixelOf(ChartPoint p) { return view().mapping().toPixel(p).toPoint(); }
    DrawingActions& actions() { return window_.drawingActions(); }

    /// Picks the tool `title` in the toolbar and clicks `points`, the first with `modifiers`.
    void place(const QString& title, const std::vector<QPoint>& points, Qt::KeyboardModifiers modifiers = {})
    {
        auto* toolBar = window_.findChild<QToolBar*>(QStringLiteral("Tools"));
        for (QAction* action : toolBar->actions())
            if (action->text() == title)
                click(*toolBar->widgetForAction(action));
        for (const QPoint& p : points)
            QTest::mouseClick(&view(), Qt::LeftButton, &p == &points.front() ? modifiers : Qt::KeyboardModifiers(), p);
    }

    /// Presses at `from`, drags to `to` in steps and lets go, holding `modifiers`.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(&view(), Qt::LeftButton, modifiers, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseEvent(QTest::MouseMove, &view(), Qt::NoButton, modifiers, from + (to - from) * step / 4);
        QTest::mouseRelease(&view(), Qt::LeftButton, modifiers, to);
    }

    /// A point on drawing `index`'s first line, where a press takes it.
    QPoint onLine(int index)
    {
        const auto shapes = shapesOf(document_.drawings()[std::size_t(index)], prices_.series(), view().mapping());
        const Shape& s = shapes.front();
        return (s.kind == Shape::Kind::Line ? (s.points[0] + s.points[1]) / 2
                                            : QPointF(s.rect.center().x(), s.rect.top()))
            .toPoint();
    }

    /// Chooses `text` in the context menu of the drawing at `at`.
    void chooseInContextMenu(QPoint at, const QString& text)
    {
        QTimer::singleShot(0, [text] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            for (QAction* a : menu->actions())
                if (a->text().remove(QLatin1Char('&')) == text)
                    a->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view().mapToGlobal(at));
        QApplication::sendEvent(&view(), &event);
        activate();
    }

    /// The menus' shortcuts reach an active window only, and without a window manager none is
    /// active again once a menu or dialog has closed.
    void activate()
    {
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    /// The mouse moved to `at` with no button held (QTest::mouseMove moves nothing when the
    /// pointer is there already, as after a drag that ended there).
    void hover(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, view().mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view(), &move);
    }

    QTemporaryDir dir_;
    PriceData prices_{minuteBars(40), QString()};
    ChartDocument document_;
    MainWindow window_{prices_, document_, QString()};
};

TEST_F(Draw, TheMagnetTakesEachPriceOfTheBarAndShiftHoldsItOff)
{
    auto* toolBar = window_.findChild<QToolBar*>(QStringLiteral("Tools"));
    click(*toolBar->widgetForAction(actions().magnet()));
    ASSERT_TRUE(view().magnet());

    const Bar& bar = prices_.series()[12];
    const Bar& other = prices_.series()[20];
    for (auto price : {&Bar::open, &Bar::high, &Bar::low, &Bar::close}) {
        for (const bool shift : {false, true}) {
            SCOPED_TRACE(testing::Message() << "price " << bar.*price << (shift ? ", Shift held" : ""));
            document_.reset({});
            // A little off the bar's centre and 5 pixels from the price: near enough.
            const QPoint near = pixelOf({12.3, bar.*price}) + QPoint(0, 5);
            const QPoint nearOther = pixelOf({20.2, other.*price}) - QPoint(0, 5);
            const Mapping m = view().mapping();

            // The crosshair shows where a click would set the point, until Shift is held.
            hover(near);
            if (shift)
                QTest::keyPress(&view(), Qt::Key_Shift);
            const std::optional<ChartPointer> pointer = view().scene().pointer;
            ASSERT_TRUE(pointer);
            EXPECT_EQ(pointer->snapped, !shift);
            EXPECT_NEAR(pointer->at.y(), shift ? near.y() : m.yToPixel(bar.*price), 1e-9);
            EXPECT_EQ(pointer->price, prices_.priceText(shift ? m.pixelToY(near.y()) : bar.*price));
            if (shift)
                QTest::keyRelease(&view(), Qt::Key_Shift);
            EXPECT_TRUE(view().scene().pointer->snapped);

            // Placed, and then its second point dragged by its handle near another bar's price.
            place(QStringLiteral("Retracement"), {near, pixelOf({30, 110})},
                  shift ? Qt::ShiftModifier : Qt::NoModifier);
            ASSERT_EQ(document_.drawings().size(), 1u);
            const ChartPoint first = shift ? m.toValue(near) : ChartPoint{12, bar.*price};
            EXPECT_EQ(document_.drawings()[0].anchors[0], first);
            drag(pixelOf(document_.drawings()[0].anchors[1]), nearOther, shift ? Qt::ShiftModifier : Qt::NoModifier);
            const ChartPoint second = shift ? m.toValue(nearOther) : ChartPoint{20, other.*price};
            EXPECT_EQ(document_.drawings()[0].anchors[1], second);
        }
    }
    // Far from every price of the bar nothing is taken; taken or not, the pointer's answer costs
    // only itself, not the kept images.
    view().repaint();
    const int kept = view().layers().basePaints() + view().layers().settledPaints();
    for (const auto& [price, taken] : {std::pair{bar.high + 0.1, true}, std::pair{(bar.close + bar.high) / 2, false}}) {
        hover(pixelOf({12, price}));
        EXPECT_EQ(view().scene().pointer->snapped, taken);
        view().repaint();
    }
    EXPECT_EQ(view().layers().basePaints() + view().layers().settledPaints(), kept);

    // The next window starts with the magnet as this one left it.
    ChartDocument document;
    MainWindow next(prices_, document, QString());
    next.remember();
    EXPECT_TRUE(next.view().magnet());
    EXPECT_TRUE(next.drawingActions().magnet()->isChecked());
}

TEST_F(Draw, ACopyIsOneStepALockedDrawingStaysAndHiddenOnesAreKeptNotSaved)
{
    const ToolKind& ellipse = *toolKind(QStringLiteral("ZarvLinesParm.CircleElipseCls"));
    document_.reset({{ellipse.progId, {{5, 95}, {10, 105}}, defaultsOf(ellipse)}});
    const Drawing original = document_.drawings()[0];
    QUndoStack& undo = document_.undoStack();

    // Ctrl-drag: the original stays, the copy lands where it was dropped, one step.
    const QPoint grab = onLine(0);
    drag(grab, grab + QPoint(int(std::lround(6 * view().mapping().pixelsPerBar())), 0), Qt::ControlModifier);
    ASSERT_EQ(document_.drawings().size(), 2u);
    EXPECT_EQ(document_.drawings()[0], original);
    EXPECT_EQ(document_.drawings()[1].parameters, original.parameters);
    EXPECT_NEAR(document_.drawings()[1].anchors[0].x, 11, 0.05);
    EXPECT_EQ(view().selected(), 1);
    EXPECT_EQ(undo.index(), 1);
    // Edit > Duplicate, from the keyboard: a copy beside the one selected, one step.
    QTest::keyClick(&view(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(document_.drawings().size(), 3u);
    EXPECT_GT(document_.drawings()[2].anchors[0].x, document_.drawings()[1].anchors[0].x);
    EXPECT_EQ(undo.index(), 2);
    undo.undo();
    undo.undo();
    EXPECT_EQ(document_.drawings(), std::vector<Drawing>{original});

    // Locked from its context menu: a drag of its lines or its handle, or a key, moves nothing,
    // while its dialog still opens and a Ctrl-drag still copies it.
    chooseInContextMenu(grab, QStringLiteral("Lock"));
    ASSERT_TRUE(document_.drawings()[0].locked);
    EXPECT_TRUE(actions().lock()->isChecked());
    const int steps = undo.index();
    drag(grab, grab + QPoint(50, 40));
    EXPECT_TRUE(window_.statusBar()->currentMessage().contains(QStringLiteral("locked")));
    drag(pixelOf(original.anchors[1]), pixelOf(original.anchors[1]) + QPoint(30, 30));
    QTest::keyClick(&view(), Qt::Key_Right);
    EXPECT_EQ(document_.drawings()[0].anchors, original.anchors);
    EXPECT_EQ(undo.index(), steps);
    bool opened = false;
    whenModal({}, [&](QDialog& d) {
        opened = true;
        cancel(d);
    });
    QTest::mouseDClick(&view(), Qt::LeftButton, {}, grab);
    EXPECT_TRUE(opened);
    activate();
    drag(grab, grab + QPoint(0, 60), Qt::ControlModifier);
    ASSERT_EQ(document_.drawings().size(), 2u);
    EXPECT_FALSE(document_.drawings()[1].locked);

    // Hidden: not shown, not taken by a click, still there, saved as they are; the kept image of
    // the drawings is painted once without them, and a tool picked shows them again.
    view().repaint();
    const int settled = view().layers().settledPaints();
    QTest::keyClick(&view(), Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(view().drawingsHidden());
    QTest::mouseClick(&view(), Qt::LeftButton, {}, grab);
    EXPECT_EQ(view().selected(), -1);
    EXPECT_TRUE(view().scene().drawings.empty());
    for (int x = 100; x < 400; x += 50) {
        hover(QPoint(x, 200));
        view().repaint();
    }
    EXPECT_EQ(view().layers().settledPaints(), settled + 1);
    const QString saved = dir_.filePath(QStringLiteral("drawings.json"));
    ASSERT_TRUE(window_.saveDrawings(saved));
    EXPECT_EQ(readCheckedDrawings(saved), document_.drawings());
    place(QStringLiteral("Retracement"), {});
    EXPECT_FALSE(view().drawingsHidden());
    EXPECT_FALSE(actions().hide()->isChecked());
    view().cancelPlacing();

    // Delete All asks first; once, all go, and one undo brings them back.
    const auto all = document_.drawings();
    for (const auto answer : {QMessageBox::Cancel, QMessageBox::Yes}) {
        Boxes boxes(answer);
        activate();
        QTest::keyClick(&view(), Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(boxes.texts().size(), 1);
        EXPECT_EQ(document_.drawings().empty(), answer == QMessageBox::Yes);
    }
    undo.undo();
    EXPECT_EQ(document_.drawings(), all);
}

TEST_F(Draw, KeysMoveSelectDeleteAndEditTheDrawings)
{
    const ToolKind& retracement = *toolKind(QStringLiteral("ZarvLinesParm.RetracementParmClass"));
    const Drawing a{retracement.progId, {{5, 95}, {15, 105}}, defaultsOf(retracement)};
    Drawing b = a;
    b.anchors = {{20, 96}, {30, 106}};
    document_.reset({a, b});
    QUndoStack& undo = document_.undoStack();

    // Tab goes on through the drawings and round, Shift+Tab back.
    for (const auto& [key, selected] : std::vector<std::pair<Qt::Key, int>>{
             {Qt::Key_Tab, 0}, {Qt::Key_Tab, 1}, {Qt::Key_Tab, 0}, {Qt::Key_Backtab, 1}, {Qt::Key_Backtab, 0}}) {
        QTest::keyClick(&view(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(view().selected(), selected);
    }

    // A bar or a pixel of price a key, ten with Shift; a burst of keys is one step, and a click
    // between two bursts makes them two.
    const double pixel = 1 / view().mapping().pixelsPerPrice();
    const struct {
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        double bars, price;
        int steps;
    } bursts[] = {
        {{{Qt::Key_Right, {}},
          {Qt::Key_Right, {}},
          {Qt::Key_Right, {}},
          {Qt::Key_Up, Qt::ShiftModifier},
          {Qt::Key_Up, Qt::ShiftModifier}},
         3,
         20 * pixel,
         1},
        {{{Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_Down, {}}}, -10, -pixel, 1},
        {{{Qt::Key_Left, {}}, {Qt::Key_Right, {}}}, 0, 0, 0},
    };
    for (const auto& burst : bursts) {
        const int before = undo.index();
        for (const auto& [key, modifiers] : burst.keys)
            QTest::keyClick(&view(), key, modifiers);
        const auto& moved = document_.drawings()[0].anchors;
        EXPECT_NEAR(moved[1].x - a.anchors[1].x, burst.bars, 1e-9);
        EXPECT_NEAR(moved[1].y - a.anchors[1].y, burst.price, 1e-9);
        EXPECT_EQ(undo.index() - before, burst.steps);
        undo.setIndex(before);
        EXPECT_EQ(document_.drawings()[0], a);
        QTest::mouseClick(&view(), Qt::LeftButton, {}, onLine(0));
    }
    QTest::keyClick(&view(), Qt::Key_Right);
    QTest::mouseClick(&view(), Qt::LeftButton, {}, onLine(0));
    QTest::keyClick(&view(), Qt::Key_Right);
    EXPECT_EQ(undo.index(), 2);
    EXPECT_NEAR(document_.drawings()[0].anchors[0].x, 7, 1e-9);

    // Enter opens the dialog, Delete deletes.
    bool opened = false;
    whenModal({}, [&](QDialog& d) {
        opened = true;
        cancel(d);
    });
    QTest::keyClick(&view(), Qt::Key_Return);
    EXPECT_TRUE(opened);
    activate();
    QTest::keyClick(&view(), Qt::Key_Delete);
    EXPECT_EQ(document_.drawings(), std::vector<Drawing>{b});

    // The menus say the keys of what they offer.
    QStringList shown;
    for (QMenu* menu : window_.menuBar()->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (!action->shortcut().isEmpty())
                shown << action->text().remove(QLatin1Char('&'));
    for (const char* text : {"Properties…", "Delete", "Duplicate", "Lock", "Delete All…", "Hide Drawings", "Magnet"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(text))) << text;
}

} // namespace
