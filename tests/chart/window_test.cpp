// The chart on the trader's own prices as he works it: the pointer answered (crosshair, the bar's
// values, the price on the axis, the cursor, the drawing a click would take) without painting the
// kept images again; prices opened from the menu, by a drop and from the recent list, each with
// its own drawings; and what the window remembers for the next start. And nothing the user drew
// is lost: not on a full disk, not to a damaged file set aside, not to another window or an opened
// file, not when the program is ended from outside. Offscreen, in settings of the test's own, the
// test's own data folder and, where one can be mounted, on a small disk of its own.

#include "ChartWindow.h"

#include "chart/app/DemoChart.h"
#include "chart/app/WindowSettings.h"
#include "chart/model/DrawingsFile.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>

#include <sys/mount.h>

using namespace zarvchart;
using namespace testsupport;
using namespace chartsupport;

namespace {

const QString prices = QStringLiteral(PRICES_DIR "/");

/// A small disk of the test's own: a tmpfs mounted on a temporary folder, which a test can fill up
/// or make read-only, to see what the chart does when a write fails. Mounting takes root (or
/// CAP_SYS_ADMIN); where it is refused, the disk says why and the test is skipped.
class SmallDisk {
public:
    SmallDisk()
    {
        if (::mount("tmpfs", root().constData(), "tmpfs", 0, "size=256k") != 0)
            whyNot_ = QStringLiteral("no tmpfs can be mounted here (%1; it takes root), so no disk can be filled")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~SmallDisk()
    {
        if (whyNot_.isEmpty())
            ::umount2(root().constData(), MNT_DETACH);
    }

    /// Empty when the disk is there; else why not.
    const QString& whyNot() const { return whyNot_; }
    /// `name` on the disk.
    QString path(const QString& name) const { return dir_.filePath(name); }
    /// Fills the disk but for `leave` bytes.
    void fill(qint64 leave)
    {
        QFile file(path(filler));
        const QByteArray block(4096, '\0');
        while (file.isOpen() || file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            if (file.write(block) != block.size())
                break;
        file.resize(std::max<qint64>(0, file.size() - leave));
    }
    /// Room again, and writable.
    void empty()
    {
        setReadOnly(false);
        QFile::remove(path(filler));
    }
    void setReadOnly(bool readOnly)
    {
        ::mount("tmpfs", root().constData(), "tmpfs", MS_REMOUNT | (readOnly ? MS_RDONLY : 0), "size=256k");
    }
    /// Every file on it by name, with its bytes (but what fills it).
    std::map<std::string, std::string> files() const
    {
        std::map<std::string, std::string> out;
        QDirIterator it(dir_.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            if (QFile file(it.next()); file.fileName() != path(filler))
                out[file.fileName().toStdString()] = file.open(QIODevice::ReadOnly) ? file.readAll().toStdString()
                                                                                    : "(unreadable)";
        return out;
    }

private:
    QByteArray root() const { return QFile::encodeName(dir_.path()); }

    QTemporaryDir dir_;
    QString whyNot_;
    const QString filler = QStringLiteral(".filler");
};

Drawing circle(double at) { return drawingOf("CircleElipseCls", {{at, 100}, {at + 20, 120}}); }

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

class Window : public ::testing::Test, protected OwnSettings {
protected:
    void TearDown() override
    {
        for (const QString& file : copied_)
            QFile::remove(keptDrawingsPath(file));
    }

    /// `text`, or the sample file `name` when `text` is empty, as a price file of the test's own.
    QString file(const QString& name, const QByteArray& text = {})
    {
        const QString path = dir_.filePath(name);
        write(path, text.isEmpty() ? contents(prices + name) : text);
        copied_ << path;
        return path;
    }

    /// A window on the sample prices keeping its drawings in `keepIn`, with `document`.
    std::unique_ptr<MainWindow> window(ChartDocument& document, const QString& keepIn)
    {
        auto w = std::make_unique<MainWindow>(prices_, document, keepIn);
        w->show();
        return w;
    }

    QStringList copied_;
    PriceData prices_{{sampleSeries(), 0}};
};

// Over bars, the volume, a drawing, a handle, while a tool is placed and off the plot: what the
// chart writes, marks and lights, and the cursor, all painted over the kept images alone.
TEST_F(Window, ThePointerIsAnsweredOverTheKeptImages)
{
    PriceData data(readCsv(prices + QStringLiteral("minutes.csv")), prices + QStringLiteral("minutes.csv"));
    ChartDocument document;
    // The retracement settled, the ellipse selected (its handles shown).
    document.reset({drawingOf("RetracementParmClass", {{0, 185.65}, {1.2, 185.0}}),
                    drawingOf("CircleElipseCls", {{2.6, 184.9}, {3.6, 184.6}})});
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

    const char* bar3 = "2024-01-03 09:30   O 184.22   H 184.51   L 184.10   C 184.46   V 2402100";
    const char* bar4 = "2024-01-03 09:31   O 184.46   H 184.60   L 184.30   C 184.35   V 601200";
    const QPoint outline(int(ellipse.center().x()), int(ellipse.bottom()));
    const struct {
        const char* what;
        QPoint pointer;
        bool placing;
        Qt::CursorShape cursor;
        const char* readout; // empty: no crosshair
        bool priceMarked;
        int lit; // the drawing of the scene lit, or -1
    } rows[] = {
        {"a bar, clear of the drawings", at(3.9, 185.3), false, Qt::ArrowCursor, bar4, true, -1},
        {"the volume under a bar", inPane(3.2), false, Qt::ArrowCursor, bar3, false, -1},
        {"the settled retracement's line", at(0.6, 185.65), false, Qt::PointingHandCursor, "15:58", true, 0},
        {"the selected ellipse's outline", outline, false, Qt::PointingHandCursor, "09:30", true, 1},
        {"the ellipse's handle", at(3.6, 184.6), false, Qt::SizeAllCursor, bar4, true, 1},
        {"the ellipse's outline while a tool is placed", outline, true, Qt::CrossCursor, "09:30", true, -1},
        {"the price axis", QPoint(int(m.plot().right()) + 20, 200), false, Qt::ArrowCursor, "", false, -1},
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
        ASSERT_EQ(scene.pointer.has_value(), *row.readout != 0);
        if (!scene.pointer)
            continue;
        EXPECT_TRUE(scene.pointer->readout.contains(QString::fromUtf8(row.readout)))
            << scene.pointer->readout.toStdString();
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
    QMenu* recent = menuEntry(window, QStringLiteral("&File"), QStringLiteral("Recent"))->menu();
    document.place(drawingOf("CircleElipseCls", {{60, 100}, {90, 120}}));
    const auto onSample = document.drawings();

    enum How { Menu, Drop, Recent };
    const struct {
        const char* what;
        How how;
        QString path;
        const char* title = nullptr; // what the title names; none: the file is refused and nothing changes
        std::size_t bars = 0;
        bool volume = false;
        QStringList recent = {};
    } rows[] = {
        {"a bad file from the menu", Menu, bad},
        {"minute bars from the menu", Menu, minutes, "minutes.csv", 5, true, {minutes}},
        {"daily bars without volume, dropped", Drop, plain, "plain.csv", 2, false, {plain, minutes}},
        {"the minute bars again, from the recent list", Recent, minutes, "minutes.csv", 5, true, {minutes, plain}},
    };
    std::map<QString, std::vector<Drawing>> placed{{QString(), onSample}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString titleBefore = window.windowTitle(), from = data.path();
        const auto drawingsBefore = document.drawings();
        const std::size_t barsBefore = data.series().size();
        Boxes boxes;
        if (row.how == Menu) {
            whenModal({}, [&](QDialog& d) {
                auto& dialog = *qobject_cast<QFileDialog*>(&d);
                // At first in the home folder, then in the one chosen last.
                EXPECT_EQ(dialog.directory().absolutePath(), &row == rows ? QDir::homePath() : dir_.path());
                // The file chosen in the dialog's list, as a click there would choose it.
                dialog.selectFile(row.path);
                QLineEdit& name = child<QLineEdit>(d, QStringLiteral("fileNameEdit"));
                QPushButton* open =
                    child<QDialogButtonBox>(d, QStringLiteral("buttonBox")).button(QDialogButtonBox::Open);
                EXPECT_TRUE(QTest::qWaitFor([&] { return open->isEnabled(); }));
                QTest::keyClick(&name, Qt::Key_Return);
            });
            menuEntry(window, QStringLiteral("&File"), QStringLiteral("Open &Prices"))->trigger();
        } else if (row.how == Drop) {
            QMimeData dropped;
            dropped.setUrls({QUrl::fromLocalFile(row.path)});
            const QPoint middle = window.view().rect().center();
            QDragEnterEvent enter(middle, Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(&window.view(), &enter);
            ASSERT_TRUE(enter.isAccepted()) << "a file is not taken";
            QDropEvent drop(middle, Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(&window.view(), &drop);
            QCoreApplication::processEvents();
        } else {
            recent->popup({});
            QAction* entry = nullptr;
            for (QAction* a : recent->actions())
                entry = a->text().endsWith(row.path) ? a : entry;
            recent->hide();
            ASSERT_NE(entry, nullptr) << "not among the recent prices";
            entry->trigger();
        }
        if (!row.title) {
            EXPECT_TRUE(boxes.text().contains(QStringLiteral("line 2"))) << boxes.text().toStdString();
            EXPECT_EQ(window.windowTitle(), titleBefore);
            EXPECT_EQ(document.drawings(), drawingsBefore);
            EXPECT_EQ(data.series().size(), barsBefore);
            continue;
        }
        EXPECT_EQ(boxes.texts(), QStringList());
        EXPECT_TRUE(window.windowTitle().contains(QLatin1String(row.title))) << window.windowTitle().toStdString();
        EXPECT_EQ(data.series().size(), row.bars);
        // The prices left have their drawings kept; these come back as they were left.
        EXPECT_EQ(readCheckedDrawings(from.isEmpty() ? sampleKept : keptDrawingsPath(from)), drawingsBefore);
        EXPECT_EQ(document.drawings(), placed[data.path()]);
        EXPECT_EQ(document.undoStack().count(), 0);
        EXPECT_EQ(menuEntry(window, QStringLiteral("&View"), QStringLiteral("&Volume"))->isEnabled(), row.volume);
        EXPECT_EQ(window.view().volumePane().isEmpty(), !row.volume);
        EXPECT_EQ(recentPrices(), row.recent);
        // Something drawn on these prices, to be kept when the next are opened.
        document.place(drawingOf("GannFanParmClass", {{1, 11}, {1.5, 12}}));
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
        menuEntry(first, QStringLiteral("&View"), QStringLiteral("&Volume"))->trigger();
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
    EXPECT_FALSE(menuEntry(second, QStringLiteral("&View"), QStringLiteral("&Volume"))->isChecked());
    EXPECT_TRUE(second.view().volumePane().isEmpty());

    // The prices opened last start the chart, or else the sample; `says`, in a message.
    const auto starts = [](const char* what, bool remembered, const QString& path, const char* says) {
        SCOPED_TRACE(what);
        const StartingPrices start = startingPrices({}, remembered);
        EXPECT_EQ(start.path, path);
        EXPECT_EQ(start.file.series.size(), path.isEmpty() ? sampleSeries().size() : 5u);
        EXPECT_EQ(start.message.isEmpty(), !*says);
        EXPECT_TRUE(start.message.contains(QLatin1String(says))) << start.message.toStdString();
    };
    starts("the prices opened last", true, minutes, "");
    starts("a picture or the demo, which remember nothing", false, {}, "");
    QFile::remove(minutes);
    starts("the prices opened last, now gone", true, {}, "minutes.csv");
}

TEST_F(Window, AFullOrReadOnlyDiskLeavesEveryFileAsItWasAndSaysSo)
{
    SmallDisk disk;
    if (!disk.whyNot().isEmpty())
        GTEST_SKIP() << disk.whyNot().toStdString();
    // A damaged kept file on a disk then made read-only, where it cannot be set aside: it is not
    // written over.
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(disk.path("data")));
    const QString csv = dir_.filePath(QStringLiteral("prices.csv")), onDisk = keptDrawingsPath(csv);
    write(onDisk, "{ damaged");
    const auto untouched = disk.files();
    disk.setReadOnly(true);
    const StartingDrawings start = startingDrawings(csv, {}, true);
    disk.setReadOnly(false);
    qputenv("XDG_DATA_HOME", data);
    EXPECT_TRUE(start.keepIn.isEmpty()) << "would be written over";
    EXPECT_TRUE(start.message.contains(QStringLiteral("could not be set aside"))) << start.message.toStdString();
    EXPECT_EQ(disk.files(), untouched);

    const QString config = dir_.filePath(QStringLiteral("config"));
    const ToolKind& retracement = *toolKind(QStringLiteral("ZarvLinesParm.RetracementParmClass"));
    QVariantMap keptDefaults = retracement.builtInDefaults;
    keptDefaults.insert(QStringLiteral("V(1)"), 0.3f);
    ChartDocument document, own;
    // Every kind of drawing, twice: a file of some 10 kB.
    std::vector<Drawing> drawings = demoDrawings(prices_.series()), again = drawings;
    drawings.insert(drawings.end(), again.begin(), again.end());
    document.reset(drawings);
    ASSERT_GT(drawingsToJson(document.drawings()).size(), 8192);
    std::unique_ptr<MainWindow> keeping;

    // Each row writes over a file of the disk once the disk is full but for `room`: the write
    // starts and runs out, or cannot start. Every file must stay as it was, nothing be left beside
    // it, and a box must say what failed (where there is one to show).
    const struct {
        const char* what;
        qint64 room;
        std::function<void(MainWindow&)> before; // the files there are before
        std::function<void(MainWindow&)> act;
        const char* says; // in a box; empty: there is none
    } rows[] = {
        {"File > Save Drawings over a file", 4096,
         [&](MainWindow&) { write(disk.path("saved.json"), "the earlier drawings\n"); },
         [&](MainWindow& w) { EXPECT_FALSE(w.saveDrawings(disk.path("saved.json"))); }, "No space left on device"},
        {"the drawings kept as the window closes", 4096,
         [&](MainWindow&) {
             write(disk.path("kept.json"), "the earlier drawings\n");
             own.reset(document.drawings());
             keeping = window(own, disk.path("kept.json"));
             own.place(circle(30));
         },
         [&](MainWindow&) {
             keeping->close();
             EXPECT_TRUE(keeping->isVisible()) << "quit without the drawings kept";
         },
         "No space left on device"},
        {"a picture taken with --screenshot", 4096,
         [&](MainWindow&) { write(disk.path("shot.png"), "the earlier picture\n"); },
         [&](MainWindow&) {
             QProcess chart;
             chart.start(QStringLiteral(ZARVCHART_PROGRAM), {QStringLiteral("--screenshot"), disk.path("shot.png")});
             ASSERT_TRUE(chart.waitForFinished(60000));
             EXPECT_EQ(chart.exitCode(), 1);
             const QString said = QString::fromLocal8Bit(chart.readAllStandardError());
             EXPECT_TRUE(said.contains(disk.path("shot.png")) && said.contains(QStringLiteral("No space left")))
                 << said.toStdString();
         },
         ""},
        {"Save as Default", 0,
         [&](MainWindow&) {
             QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, disk.path("config"));
             keepDefaults(retracement, keptDefaults);
         },
         [&](MainWindow& w) {
             testsupport::whenModal({}, testsupport::saveAsDefault);
             w.editProperties(0);
             EXPECT_EQ(defaultsOf(retracement), keptDefaults) << "the defaults not kept are taken";
         },
         "not kept as the defaults"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ChartDocument shown;
        shown.reset(document.drawings());
        const auto w = window(shown, {});
        row.before(*w);
        const auto before = disk.files();
        disk.fill(row.room);
        Boxes boxes;
        row.act(*w);
        const auto after = disk.files();
        disk.empty();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        EXPECT_EQ(after, before);
        EXPECT_EQ(boxes.texts().size(), *row.says ? 1 : 0);
        EXPECT_TRUE(boxes.text().contains(QLatin1String(row.says))) << boxes.text().toStdString();
        EXPECT_FALSE(w->statusBar()->currentMessage().contains(QStringLiteral("saved"))) << "says it was saved";
    }
}

TEST_F(Window, NoStartAndNoOtherWindowReplacesTheKeptDrawings)
{
    const QString csv = dir_.filePath(QStringLiteral("prices.csv"));
    const QString kept = keptDrawingsPath(csv);
    const auto keptNow = [&] { return readCheckedDrawings(kept); };
    const std::vector<Drawing> earlier{circle(10)};
    auto reset = [&] {
        QFile::remove(kept);
        keepDrawings(kept, earlier);
    };

    {
        SCOPED_TRACE("a damaged file is set aside beside an earlier one, which stays");
        write(kept, "{ damaged");
        write(kept + ".damaged", "the earlier damaged one");
        const StartingDrawings start = startingDrawings(csv, {}, true);
        EXPECT_TRUE(start.drawings.empty());
        EXPECT_EQ(start.keepIn, kept);
        EXPECT_TRUE(start.message.contains(kept + ".2.damaged")) << start.message.toStdString();
        EXPECT_EQ(contents(kept + ".damaged"), "the earlier damaged one");
        EXPECT_EQ(contents(kept + ".2.damaged"), "{ damaged");
        QFile::remove(kept + ".damaged");
        QFile::remove(kept + ".2.damaged");
    }
    {
        SCOPED_TRACE("the prices of a long name keep their drawings under a name a file system takes");
        const QString longCsv = dir_.filePath(QString(241, QLatin1Char('p')) + QStringLiteral(".csv"));
        const QString longKept = keptDrawingsPath(longCsv);
        EXPECT_LE(QFileInfo(longKept).fileName().toUtf8().size(), 200);
        EXPECT_NE(longKept, keptDrawingsPath(dir_.filePath(QString(240, QLatin1Char('p')) + QStringLiteral("q.csv"))));
        ChartDocument document;
        const auto w = window(document, longKept);
        document.place(circle(30));
        Boxes boxes;
        w->close();
        EXPECT_EQ(boxes.texts(), QStringList());
        EXPECT_EQ(readCheckedDrawings(longKept), document.drawings());
        QFile::remove(longKept);
    }
    {
        SCOPED_TRACE("--open works on its file and leaves the kept drawings alone");
        reset();
        const QString opened = dir_.filePath(QStringLiteral("plan.json"));
        writeDrawingsFile(opened, {circle(40)});
        const StartingDrawings start = startingDrawings(csv, opened, true);
        EXPECT_EQ(start.keepIn, opened);
        ChartDocument document;
        document.reset(start.drawings);
        const auto w = window(document, start.keepIn);
        document.place(circle(50));
        w->close();
        EXPECT_EQ(keptNow(), earlier);
        EXPECT_EQ(readCheckedDrawings(opened), document.drawings());
    }
    {
        SCOPED_TRACE("of two windows on one price file, the first keeps the drawings and the second says it does not");
        reset();
        ChartDocument first, second;
        first.reset(startingDrawings(csv, {}, true).drawings);
        second.reset(startingDrawings(csv, {}, true).drawings);
        const auto a = window(first, kept);
        const auto b = window(second, kept);
        EXPECT_TRUE(b->windowTitle().contains(QStringLiteral("not kept"))) << b->windowTitle().toStdString();
        first.place(circle(60));
        second.place(circle(70));
        a->close();
        EXPECT_EQ(keptNow(), first.drawings());
        Boxes boxes(QMessageBox::Discard);
        b->close();
        EXPECT_TRUE(boxes.text().contains(QStringLiteral("another window"))) << boxes.text().toStdString();
        EXPECT_EQ(keptNow(), first.drawings());
    }
    QFile::remove(kept);
}

TEST_F(Window, TheDrawingsAreKeptWhenTheProgramIsEndedOrLosesItsDisplay)
{
    // A signal is heard at once; a change is kept a moment later anyway, which is what a lost
    // display connection (which ends the program at once) leaves.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, 0}) { // 0: a change, and nothing else
        SCOPED_TRACE(signal);
        const QString kept = dir_.filePath(QStringLiteral("%1.json").arg(signal));
        ChartDocument document;
        const auto w = window(document, kept);
        document.place(circle(30));
        if (signal)
            std::raise(signal);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(kept), signal ? 500 : 10000);
        EXPECT_EQ(readCheckedDrawings(kept), document.drawings());
    }
}

} // namespace
