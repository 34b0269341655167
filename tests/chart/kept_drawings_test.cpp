// Nothing the user drew is lost: not on a full disk, not to a damaged file set aside, not to
// another window or an opened file, not when the program is ended from outside. Offscreen, in
// the test's own data folder and, where one can be mounted, on a small disk of its own.

#include "Boxes.h"
#include "SmallDisk.h"

#include "support/ToolDriver.h"

#include "chart/app/ApplicationName.h"
#include "chart/app/MainWindow.h"
#include "chart/host/DrawingsStore.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/DrawingsFile.h"
#include "chart/model/SampleSeries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>

using namespace zarvchart;
using namespace chartsupport;

namespace {

Drawing circle(double at)
{
    const ToolKind& kind = *toolKind(QStringLiteral("ZarvLinesParm.CircleElipseCls"));
    return {kind.progId, {{at, 100}, {at + 20, 120}}, defaultsOf(kind)};
}

/// Every kind of drawing, twice: a file of some 10 kB.
std::vector<Drawing> everyKind()
{
    std::vector<Drawing> drawings;
    for (int twice = 0; twice < 2; ++twice)
        for (const ToolKind& kind : toolKinds())
            drawings.push_back({kind.progId, std::vector<ChartPoint>(std::size_t(kind.anchorCount), {12.25, 101.5}),
                                defaultsOf(kind)});
    return drawings;
}

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

class Kept : public ::testing::Test {
protected:
    void SetUp() override { nameApplication(); }

    /// A window on the sample prices keeping its drawings in `keepIn`, with `document`.
    std::unique_ptr<MainWindow> window(ChartDocument& document, const QString& keepIn)
    {
        auto w = std::make_unique<MainWindow>(prices_, document, keepIn);
        w->show();
        return w;
    }

    PriceData prices_{{sampleSeries(), 0}};
    QTemporaryDir dir_;
};

TEST_F(Kept, AFullDiskLeavesEveryFileAsItWasAndSaysSo)
{
    SmallDisk disk;
    if (!disk.whyNot().isEmpty())
        GTEST_SKIP() << disk.whyNot().toStdString();
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const ToolKind& retracement = *toolKind(QStringLiteral("ZarvLinesParm.RetracementParmClass"));
    QVariantMap keptDefaults = retracement.builtInDefaults;
    keptDefaults.insert(QStringLiteral("V(1)"), 0.3f);
    ChartDocument document, own;
    document.reset(everyKind());
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
        QString says; // in a box; empty: there is none
    } rows[] = {
        {"File > Save Drawings over a file", 4096,
         [&](MainWindow&) { write(disk.path("saved.json"), "the earlier drawings\n"); },
         [&](MainWindow& w) { EXPECT_FALSE(w.saveDrawings(disk.path("saved.json"))); },
         QStringLiteral("No space left on device")},
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
         QStringLiteral("No space left on device")},
        {"a picture taken with --screenshot",
         4096,
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
         {}},
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
         QStringLiteral("not kept as the defaults")},
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
        EXPECT_EQ(boxes.texts().size(), row.says.isEmpty() ? 0 : 1);
        EXPECT_TRUE(boxes.texts().join(QString()).contains(row.says)) << boxes.texts().join(QString()).toStdString();
        EXPECT_FALSE(w->statusBar()->currentMessage().contains(QStringLiteral("saved"))) << "says it was saved";
    }
}

TEST_F(Kept, NoStartAndNoOtherWindowReplacesTheKeptDrawings)
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
        SCOPED_TRACE("a damaged file that cannot be set aside is not written over");
        SmallDisk disk;
        if (disk.whyNot().isEmpty()) {
            // The kept file on a disk that is then made read-only, where renaming fails.
            const QByteArray data = qgetenv("XDG_DATA_HOME");
            qputenv("XDG_DATA_HOME", QFile::encodeName(disk.path("data")));
            const QString onDisk = keptDrawingsPath(csv);
            write(onDisk, "{ damaged");
            const auto before = disk.files();
            disk.setReadOnly(true);
            const StartingDrawings start = startingDrawings(csv, {}, true);
            disk.setReadOnly(false);
            qputenv("XDG_DATA_HOME", data);
            EXPECT_TRUE(start.keepIn.isEmpty()) << "would be written over";
            EXPECT_TRUE(start.message.contains(QStringLiteral("could not be set aside")))
                << start.message.toStdString();
            EXPECT_EQ(disk.files(), before);
        } else {
            std::fprintf(stderr, "skipped: %s\n", qPrintable(disk.whyNot()));
        }
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
        EXPECT_TRUE(boxes.texts().join("").contains(QStringLiteral("another window")))
            << boxes.texts().join("").toStdString();
        EXPECT_EQ(keptNow(), first.drawings());
    }
    QFile::remove(kept);
}

TEST_F(Kept, TheDrawingsAreKeptWhenTheProgramIsEndedOrLosesItsDisplay)
{
    // A signal is heard at once; a change is kept a moment later anyway, which is what a lost
    // display connection (which ends the program at once) leaves.
    const struct {
        const char* what;
        int signal; // 0: none
        int within; // milliseconds
    } rows[] = {{"SIGTERM", SIGTERM, 500},
                {"SIGINT", SIGINT, 500},
                {"SIGHUP", SIGHUP, 500},
                {"a change, and nothing else", 0, 10000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString kept = dir_.filePath(QStringLiteral("%1.json").arg(row.signal));
        ChartDocument document;
        const auto w = window(document, kept);
        document.place(circle(30));
        if (row.signal)
            std::raise(row.signal);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(kept), row.within);
        EXPECT_EQ(readCheckedDrawings(kept), document.drawings());
    }
}

} // namespace
