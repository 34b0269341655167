// The chart on the trader's own prices as he works it: the pointer answered (crosshair, the bar's
// values, the price on the axis, the cursor, the drawing a click would take) without painting the
// kept images again; prices opened from the menu, by a drop and from the recent list, each with
// its own drawings; and what the window remembers for the next start. Offscreen, in settings of
// the test's own.

#include "Boxes.h"

#include "support/ToolDriver.h"

#include "chart/app/ApplicationName.h"
#include "chart/app/MainWindow.h"
#include "chart/app/WindowSettings.h"
#include "chart/host/DrawingsStore.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/SampleSeries.h"
#include "chart/tools/Geometry.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvchart;
using namespace testsupport;
using namespace chartsupport;

namespace {

const QString prices = QStringLiteral(PRICES_DIR "/");

Drawing drawing(const char* kind, std::vector<ChartPoint> anchors)
{
    const ToolKind& k = *toolKind(QStringLiteral("ZarvLinesParm.") + QLatin1String(kind));
    return {k.progId, std::move(anchors), defaultsOf(k)};
}

class Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        nameApplication();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("config")));
    }
    void TearDown() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
        for (const QString& file : copied_)
            QFile::remove(keptDrawingsPath(file));
    }

    /// `text`, or the sample file `name` when `text` is empty, as a price file of the test's own.
    QString file(const QString& name, const QByteArray& text = {})
    {
        const QString path = dir_.filePath(name);
        QFile::remove(path);
        if (text.isEmpty())
            QFile::copy(prices + name, path);
        QFile out(path);
        if (!text.isEmpty() && out.open(QIODevice::WriteOnly))
            out.write(text);
        copied_ << path;
        return path;
    }

    static QAction* action(QWidget& window, const QString& menu, const QString& text)
    {
        for (QMenu* m : window.findChildren<QMenu*>())
            if (m->title() == menu)
                for (QAction* a : m->actions())
                    if (a->text().contains(text))
                        return a;
        ADD_FAILURE() << "no " << text.toStdString() << " in " << menu.toStdString();
        return nullptr;
    }

    QTemporaryDir dir_;
    QStringList copied_;
};

// Over bars, the volume, a drawing, a handle, while a tool is placed and off the plot: what the
// chart writes, marks and lights, and the cursor, all painted over the kept images alone.
TEST_F(Window, ThePointerIsAnsweredOverTheKeptImages)
{
    PriceData data(readCsv(prices + QStringLiteral("minutes.csv")), prices + QStringLiteral("minutes.csv"));
    ChartDocument document;
    // The retracement settled, the ellipse selected (its handles shown).
    document.reset({drawing("RetracementParmClass", {{0, 185.65}, {1.2, 185.0}}),
                    drawing("CircleElipseCls", {{2.6, 184.9}, {3.6, 184.6}})});
    MainWindow window(data, document, {});
    window.resize(1000, 640);
    window.show();
    ChartView& view = window.view();
    view.select(1);
    const Mapping m = view.mapping();
    const QRectF pane = view.volumePane();
    ASSERT_FALSE(pane.isEmpty());
    const auto at = [&](double x, double price) { return m.toPixel({x, price}).toPoint(); };
    const auto inPane = [&](double x) { return QPoint(int(m.xToPixel(x)), int(pane.center().y())); };
    const auto ellipse = shapesOf(document.drawings()[1], data.series(), m).front().rect;
    const auto keptPaints = [&] { return view.layers().basePaints() + view.layers().settledPaints(); };

    const QString bar3 = QStringLiteral("2024-01-03 09:30   O 184.22   H 184.51   L 184.10   C 184.46   V 2402100");
    const QString bar4 = QStringLiteral("2024-01-03 09:31   O 184.46   H 184.60   L 184.30   C 184.35   V 601200");
    const struct {
        const char* what;
        QPoint pointer;
        bool placing;
        Qt::CursorShape cursor;
        QString readout; // empty: no crosshair
        bool priceMarked;
        int lit; // the drawing of the scene lit, or -1
    } rows[] = {
        {"a bar, clear of the drawings", at(3.9, 185.3), false, Qt::ArrowCursor, bar4, true, -1},
        {"the volume under a bar", inPane(3.2), false, Qt::ArrowCursor, bar3, false, -1},
        {"the settled retracement's line", at(0.6, 185.65), false, Qt::PointingHandCursor, QStringLiteral("15:58"),
         true, 0},
        {"the selected ellipse's outline", QPoint(int(ellipse.center().x()), int(ellipse.bottom())), false,
         Qt::PointingHandCursor, QStringLiteral("09:30"), true, 1},
        {"the ellipse's handle", at(3.6, 184.6), false, Qt::SizeAllCursor, bar4, true, 1},
        {"the ellipse's outline while a tool is placed", QPoint(int(ellipse.center().x()), int(ellipse.bottom())), true,
         Qt::CrossCursor, QStringLiteral("09:30"), true, -1},
        {"the price axis", QPoint(int(m.plot().right()) + 20, 200), false, Qt::ArrowCursor, {}, false, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.placing)
            view.beginPlacing(*toolKind(QStringLiteral("ZarvLinesParm.GannFanParmClass")), {});
        view.grab();
        const int kept = keptPaints();
        QTest::mouseMove(&view, row.pointer);
        const ChartScene scene = view.scene();
        const QImage shown = view.grab().toImage();
        view.cancelPlacing();
        EXPECT_EQ(keptPaints(), kept) << "the kept images painted again";
        EXPECT_EQ(view.cursor().shape(), row.cursor);
        EXPECT_EQ(scene.highlighted, row.lit);
        ASSERT_EQ(scene.pointer.has_value(), !row.readout.isEmpty());
        if (!scene.pointer)
            continue;
        EXPECT_TRUE(scene.pointer->readout.contains(row.readout)) << scene.pointer->readout.toStdString();
        // The price on the axis is the one under the pointer, to a cent, on a dark mark there.
        EXPECT_EQ(scene.pointer->price.isEmpty(), !row.priceMarked);
        if (row.priceMarked) {
            EXPECT_NEAR(scene.pointer->price.toDouble(), m.pixelToY(row.pointer.y()), 0.005 + 1 / m.pixelsPerPrice());
            EXPECT_EQ(shown.pixelColor(int(m.plot().right()) + 3, row.pointer.y()), QColor(0x40, 0x46, 0x50));
        }
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view, &leave);
    EXPECT_FALSE(view.scene().pointer);

    // Where a day starts among minute bars, a line between its first bar and the last before.
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(int(std::round(m.xToPixel(2.5))), int(m.yToPixel(185.3))), QColor(0xC6, 0xCB, 0xD3));

    // More bars of the same file: the view and the drawings stay, the new bar answers.
    const Mapping before = view.mapping();
    data.append({{data.series().back().time + 60'000, 184.35, 184.9, 184.2, 184.8, 700}});
    QTest::mouseMove(&view, before.toPixel({5, 184.5}).toPoint());
    EXPECT_EQ(view.mapping().firstX(), before.firstX());
    EXPECT_EQ(document.drawings().size(), 2u);
    EXPECT_TRUE(view.scene().pointer->readout.startsWith(QStringLiteral("2024-01-03 09:32   O 184.35")))
        << view.scene().pointer->readout.toStdString();
}

// Prices opened three ways, and a file that cannot be read: each opened file shows with the
// drawings kept for it, after those of the prices left were kept; a bad one changes nothing.
TEST_F(Window, PricesOpenFromTheMenuADropOrTheRecentListWithTheirOwnDrawings)
{
    const QString minutes = file(QStringLiteral("minutes.csv")),
                  bad = file(QStringLiteral("bad.csv"), "Date,Open,High,Low,Close\n2024-01-02,10,9,12,11\n");
    const QString plain = file(QStringLiteral("plain.csv"),
                               "Date,Open,High,Low,Close\n2024-01-02,10,11,9,10.5\n2024-01-03,10.5,11.5,10,11\n");
    const QString sampleKept = dir_.filePath(QStringLiteral("sample.json"));
    PriceData data({sampleSeries(), 0});
    ChartDocument document;
    MainWindow window(data, document, sampleKept);
    window.show();
    QMenu* recent = action(window, QStringLiteral("&File"), QStringLiteral("Recent"))->menu();
    document.place(drawing("CircleElipseCls", {{60, 100}, {90, 120}}));
    const auto onSample = document.drawings();

    const auto byMenu = [&](const QString& path, const QString& opensIn) {
        return [&, path, opensIn] {
            whenModal({}, [&](QDialog& d) {
                auto& dialog = *qobject_cast<QFileDialog*>(&d);
                EXPECT_EQ(dialog.directory().absolutePath(), opensIn) << "not the folder chosen last";
                // The file chosen in the dialog's list, as a click there would choose it.
                dialog.selectFile(path);
                QLineEdit& name = child<QLineEdit>(d, QStringLiteral("fileNameEdit"));
                QPushButton* open =
                    child<QDialogButtonBox>(d, QStringLiteral("buttonBox")).button(QDialogButtonBox::Open);
                EXPECT_TRUE(QTest::qWaitFor([&] { return open->isEnabled(); }));
                QTest::keyClick(&name, Qt::Key_Return);
            });
            action(window, QStringLiteral("&File"), QStringLiteral("Open &Prices"))->trigger();
        };
    };
    const auto byDrop = [&](const QString& path) {
        return [&, path] {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            const QPoint middle = window.view().rect().center();
            QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&window.view(), &enter);
            ASSERT_TRUE(enter.isAccepted()) << "a file is not taken";
            QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&window.view(), &drop);
            QCoreApplication::processEvents();
        };
    };
    const auto fromRecent = [&](const QString& path) {
        return [&, path] {
            recent->popup({});
            QAction* entry = nullptr;
            for (QAction* a : recent->actions())
                entry = a->text().endsWith(path) ? a : entry;
            recent->hide();
            ASSERT_NE(entry, nullptr) << "not among the recent prices";
            entry->trigger();
        };
    };
    const struct {
        const char* what;
        std::function<void()> open;
        QString title; // what the title names; empty: the file is refused and nothing changes
        std::size_t bars = 0;
        bool volume = false;
        QStringList recent = {};
    } rows[] = {
        {"a bad file from the menu", byMenu(bad, QDir::homePath()), {}},
        {"minute bars from the menu", byMenu(minutes, dir_.path()), QStringLiteral("minutes.csv"), 5, true, {minutes}},
        {"daily bars without volume, dropped", byDrop(plain), QStringLiteral("plain.csv"), 2, false, {plain, minutes}},
        {"the minute bars again, from the recent list",
         fromRecent(minutes),
         QStringLiteral("minutes.csv"),
         5,
         true,
         {minutes, plain}},
    };
    std::map<QString, std::vector<Drawing>> placed{{QString(), onSample}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString titleBefore = window.windowTitle(), from = data.path();
        const auto drawingsBefore = document.drawings();
        const std::size_t barsBefore = data.series().size();
        Boxes boxes;
        row.open();
        if (row.title.isEmpty()) {
            EXPECT_TRUE(boxes.texts().join(QString()).contains(QStringLiteral("line 2")))
                << boxes.texts().join(QString()).toStdString();
            EXPECT_EQ(window.windowTitle(), titleBefore);
            EXPECT_EQ(document.drawings(), drawingsBefore);
            EXPECT_EQ(data.series().size(), barsBefore);
            continue;
        }
        EXPECT_EQ(boxes.texts(), QStringList());
        EXPECT_TRUE(window.windowTitle().contains(row.title)) << window.windowTitle().toStdString();
        EXPECT_EQ(data.series().size(), row.bars);
        // The prices left have their drawings kept; these come back as they were left.
        EXPECT_EQ(readCheckedDrawings(from.isEmpty() ? sampleKept : keptDrawingsPath(from)), drawingsBefore);
        EXPECT_EQ(document.drawings(), placed[data.path()]);
        EXPECT_EQ(document.undoStack().count(), 0);
        EXPECT_EQ(action(window, QStringLiteral("&View"), QStringLiteral("&Volume"))->isEnabled(), row.volume);
        EXPECT_EQ(window.view().volumePane().isEmpty(), !row.volume);
        EXPECT_EQ(recentPrices(), row.recent);
        // Something drawn on these prices, to be kept when the next are opened.
        document.place(drawing("GannFanParmClass", {{1, 11}, {1.5, 12}}));
        placed[data.path()] = document.drawings();
    }
}

// Size, place, the volume pane and the prices opened last, kept by one window as it closes and
// taken back by the next; the prices opened last start the chart, or the sample with a message.
TEST_F(Window, TheNextWindowStartsAsTheLastOneEnded)
{
    const QString minutes = file(QStringLiteral("minutes.csv"));
    {
        PriceData data({sampleSeries(), 0});
        ChartDocument document;
        MainWindow first(data, document, {});
        first.remember();
        first.show();
        first.setGeometry(40, 50, 900, 600);
        action(first, QStringLiteral("&View"), QStringLiteral("&Volume"))->trigger();
        EXPECT_TRUE(first.view().volumePane().isEmpty());
        ASSERT_TRUE(first.openPrices(minutes));
        first.close();
    }
    PriceData data({sampleSeries(), 0});
    ChartDocument document;
    MainWindow second(data, document, {});
    second.resize(1280, 800);
    second.remember();
    second.show();
    EXPECT_EQ(second.geometry(), QRect(40, 50, 900, 600));
    EXPECT_FALSE(action(second, QStringLiteral("&View"), QStringLiteral("&Volume"))->isChecked());
    EXPECT_TRUE(second.view().volumePane().isEmpty());

    const struct {
        const char* what;
        bool remembered;
        std::function<void()> before;
        QString path; // the prices started with; empty: the sample
        QString says; // in the message
    } rows[] = {
        {"the prices opened last", true, [] {}, minutes, {}},
        {"a picture or the demo, which remember nothing", false, [] {}, {}, {}},
        {"the prices opened last, now gone", true, [&] { QFile::remove(minutes); }, {}, QStringLiteral("minutes.csv")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.before();
        const StartingPrices start = startingPrices({}, row.remembered);
        EXPECT_EQ(start.path, row.path);
        EXPECT_EQ(start.file.series.size(), row.path.isEmpty() ? sampleSeries().size() : 5u);
        EXPECT_EQ(start.message.isEmpty(), row.says.isEmpty());
        EXPECT_TRUE(start.message.contains(row.says)) << start.message.toStdString();
    }
}

} // namespace
