#pragma once

// What the tests of the chart's window share: settings of their own, drawings of a kind, menus'
// entries, the message boxes shown while a watcher lives, and a window worked with the mouse and
// keys as its user works it.

#include "support/ToolDriver.h"

#include "chart/app/ApplicationName.h"
#include "chart/app/MainWindow.h"
#include "chart/host/DrawingsStore.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/SampleSeries.h"
#include "chart/tools/Geometry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

// Values and drawings as failures show them.
inline void PrintTo(const QVariant& v, std::ostream* os) { *os << v.typeName() << " " << v.toString().toStdString(); }

namespace zarvchart {
inline void PrintTo(const Drawing& d, std::ostream* os)
{
    *os << d.progId.toStdString();
    for (const ChartPoint& p : d.anchors)
        *os << " (" << p.x << ", " << p.y << ")";
    for (auto it = d.parameters.begin(); it != d.parameters.end(); ++it)
        *os << " " << it.key().toStdString() << "=" << it.value().toString().toStdString();
}
} // namespace zarvchart

namespace chartsupport {

/// The tool `cls` (its class's name in the library, without "ZarvLinesParm.") at `anchors`,
/// with the parameters it starts with.
inline zarvchart::Drawing drawingOf(const char* cls, std::vector<zarvchart::ChartPoint> anchors)
{
    const zarvchart::ToolKind& kind = *zarvchart::toolKind(QStringLiteral("ZarvLinesParm.") + QLatin1String(cls));
    return {kind.progId, std::move(anchors), zarvchart::defaultsOf(kind)};
}

/// The first entry of the menu `title` whose text holds `text`.
inline QAction* menuEntry(QWidget& window, const QString& title, const QString& text)
{
    for (QMenu* m : window.findChildren<QMenu*>())
        for (QAction* a : m->actions())
            if (m->title() == title && a->text().contains(text))
                return a;
    ADD_FAILURE() << "no " << text.toStdString() << " in " << title.toStdString();
    return nullptr;
}

/// Picks the tool `title` in `window`'s toolbar and clicks `points` on its chart, the first with
/// `modifiers`.
inline void place(zarvchart::MainWindow& window, const QString& title, const std::vector<QPoint>& points,
                  Qt::KeyboardModifiers modifiers = {})
{
    auto* toolBar = window.findChild<QToolBar*>(QStringLiteral("Tools"));
    for (QAction* action : toolBar->actions())
        if (action->text() == title)
            testsupport::click(*toolBar->widgetForAction(action));
    for (const QPoint& p : points)
        QTest::mouseClick(&window.view(), Qt::LeftButton, &p == &points.front() ? modifiers : Qt::KeyboardModifiers(),
                          p);
}

/// The message boxes the chart shows while a watcher lives: each one's text is kept, and it is
/// answered with the given button. Unlike a modal driver waiting for one dialog, it expects none
/// in particular, so a test can require that no box came up.
class Boxes {
public:
    explicit Boxes(QMessageBox::StandardButton answer = QMessageBox::Cancel)
    {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts_ << box->text();
            if (QAbstractButton* button = box->button(answer))
                button->click();
            else
                box->reject();
        });
        timer_.start();
    }

    const QStringList& texts() const { return texts_; }
    QString text() const { return texts_.join(QString()); }

private:
    QTimer timer_;
    QStringList texts_;
};

/// Settings of the test's own, in a folder that goes with it, while it lives.
class OwnSettings {
public:
    OwnSettings()
    {
        zarvchart::nameApplication();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("config")));
    }
    ~OwnSettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
    }

    QTemporaryDir dir_;
};

/// A window on `prices` (the sample when none are given), 1000 by 640, shown and active, in
/// settings of the test's own.
class WindowTest : public ::testing::Test, protected OwnSettings {
protected:
    explicit WindowTest(zarvchart::PriceFile prices = {zarvchart::sampleSeries(), 0}) : prices_(std::move(prices)) {}
    void SetUp() override
    {
        window_.resize(1000, 640);
        window_.remember();
        window_.show();
        activate();
    }

    zarvchart::ChartView& view() { return window_.view(); }
    QPoint pixelOf(zarvchart::ChartPoint p) { return view().mapping().toPixel(p).toPoint(); }

    /// A point on drawing `index`'s first shape, where a press takes it.
    QPoint onLine(int index)
    {
        const auto shapes = shapesOf(document_.drawings()[std::size_t(index)], prices_.series(), view().mapping());
        const zarvchart::Shape& s = shapes.front();
        return (s.kind == zarvchart::Shape::Kind::Line ? (s.points[0] + s.points[1]) / 2
                                                       : QPointF(s.rect.center().x(), s.rect.top()))
            .toPoint();
    }

    /// Presses at `from`, drags to `to` in steps and lets go, holding `modifiers`.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(&view(), Qt::LeftButton, modifiers, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseEvent(QTest::MouseMove, &view(), Qt::NoButton, modifiers, from + (to - from) * step / 4);
        QTest::mouseRelease(&view(), Qt::LeftButton, modifiers, to);
    }

    /// The mouse moved to `at` with no button held (QTest::mouseMove moves nothing when the
    /// pointer is there already, as after a drag that ended there).
    void hover(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, view().mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view(), &move);
    }
    /// The menus' shortcuts reach an active window only, and without a window manager none is
    /// active again once a menu or dialog has closed.
    void activate()
    {
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    zarvchart::PriceData prices_;
    zarvchart::ChartDocument document_;
    zarvchart::MainWindow window_{prices_, document_, QString()};
};

} // namespace chartsupport
