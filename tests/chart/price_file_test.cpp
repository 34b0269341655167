// Price files as sources and terminals write them: every bar read, or a message that names the
// line at fault and no bars at all; regular files of a bounded size only (and so drawings files).
// The file written by another program while the chart shows it. The time axis made of the bars.

#include "ChartWindow.h"

#include "chart/model/BarTime.h"
#include "chart/model/CsvSeries.h"
#include "chart/model/DrawingsFile.h"
#include "chart/model/PriceFollower.h"
#include "chart/model/Ticks.h"

#include <QFile>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>

#include <sys/stat.h>

using namespace zarvchart;

namespace {

TEST(PriceFile, ReadsTheLayoutsPeopleHaveOrNamesTheLineAtFault)
{
    // Each layout as its source writes it, in tests/chart/prices, or else as `text` gives it.
    const struct {
        const char* file;
        QByteArray text;
        std::size_t bars;
        const char *first, *last; // the times of the first and last bar as the chart writes them
        double close, volume; // the last bar's
        int skipped = 0;
    } reads[] = {
        // Adj Close and rows of null; lower case and a symbol column; -05:00 left as written.
        {"daily.csv", {}, 6, "2024-01-02", "2024-01-11", 185.59, 49128400, 2},
        {"dataset.csv", {}, 4, "2013-02-08", "2013-02-13", 14.66, 10259500},
        {"minutes.csv", {}, 5, "2024-01-02 15:57", "2024-01-03 09:31", 184.35, 601200},
        // Tabs, <DATE> <TIME> and <VOL> all 0; milliseconds since 1970; decimal commas.
        {"terminal.csv", {}, 3, "2024-03-04 09:00", "2024-03-04 09:30", 1.08448, 1021},
        {"klines.csv", {}, 4, "2024-01-01 00:00", "2024-01-01 03:00", 42330.49, 794.80347},
        {"semicolon.csv", {}, 2, "2024-01-02", "2024-01-03", 101.55, 1043200},
        {"newest-first.csv", {}, 3, "2024-01-03", "2024-01-05", 181.18, 62303300},
        // A byte order mark, CRLF line ends, quoted fields (one holding the separator) and blank lines.
        {nullptr,
         "\xEF\xBB\xBF\"Date\",Name,OPEN,High,Low,Close,Volume\r\n"
         "\"2024-01-02\",\"Zarv, Inc.\",\"10\",11,9,10.5,1200\r\n\r\n",
         1, "2024-01-02", "2024-01-02", 10.5, 1200},
        // Seconds, milliseconds and microseconds since 1970 told apart by their size.
        {nullptr, "time,open,high,low,close\n1704205800,1,1,1,1\n1704205860000,1,1,1,1\n1704205920000000,1,2,1,2\n", 3,
         "2024-01-02 14:30", "2024-01-02 14:32", 2, 0},
        // T, a fraction of a second and Z; an eight-digit date.
        {nullptr, "timestamp,open,high,low,close\n2024-01-02T09:30:00.250Z,1,1,1,1\n20240103,1,2,1,2\n", 2,
         "2024-01-02 09:30:00.250", "2024-01-03 00:00:00.000", 2, 0},
        // The hour a clock repeats in autumn: ordered by the moment, shown as written.
        {nullptr,
         "Datetime,Open,High,Low,Close\n2024-11-03 01:30:00-04:00,1,1,1,1\n2024-11-03 01:00:00-05:00,1,1,1,1\n", 2,
         "2024-11-03 01:30", "2024-11-03 01:00", 1, 0},
    };
    for (const auto& row : reads) {
        SCOPED_TRACE(row.file ? row.file : row.text.constData());
        const PriceFile read = row.file ? readCsv(QStringLiteral(PRICES_DIR "/") + QLatin1String(row.file))
                                        : parseCsv(row.text, QStringLiteral("p.csv"));
        ASSERT_EQ(read.series.size(), row.bars);
        const TimeDetail detail = timeDetail(read.series);
        EXPECT_EQ(timeText(read.series.front().time, detail).toStdString(), row.first);
        EXPECT_EQ(timeText(read.series.back().time, detail).toStdString(), row.last);
        EXPECT_EQ(read.series.back().close, row.close);
        EXPECT_EQ(read.series.back().volume, row.volume);
        EXPECT_EQ(read.skipped, row.skipped);
    }

    const QByteArray header = "Date,Open,High,Low,Close\n";
    const QByteArray bar1 = "2024-01-02,9,11,9,11\n"; // opens at its low, closes at its high
    const struct {
        QByteArray text;
        const char* says;
    } refused[] = {
        {"Day,Open,High,Low,Close\n" + bar1, "p.csv line 1: no time (Date, Datetime"},
        {"Date;Open;High;Low;Price\n", "p.csv line 1: no Close column in the header \"Date;Open;High;Low;Price\""},
        {header + bar1 + "2024-01-03,10,11,9\n", "p.csv line 3: 4 fields where the header has 5"},
        {header + "\n" + "03/01/2024,10,11,9,10.5\n", "p.csv line 3: \"03/01/2024\" is no date"},
        {"Date,Time,Open,High,Low,Close\n2024-01-02,9:30:00+25:00,1,1,1,1\n",
         "p.csv line 2: \"2024-01-02 9:30:00+25:00\" is no date"},
        {header + "2024-01-02,10,11,9,ten\n", "p.csv line 2: Close \"ten\" is not a number"},
        {header + "2024-01-02,null,11,9,10\n", "p.csv line 2: Open \"null\" is not a number"},
        {header + "2024-01-02,10,9,11,10\n", "p.csv line 2: High 9 is below Low 11"},
        {header + "2024-01-02,12,11,9,10\n", "p.csv line 2: Open 12 lies outside Low 9 to High 11"},
        {"Date,Open,High,Low,Close,Volume\n2024-01-02,10,11,9,10.5,-1\n", "p.csv line 2: Volume -1 is negative"},
        {header + bar1 + "2024-01-04,9,11,9,11\n2024-01-03,9,11,9,11\n",
         "p.csv line 4: 2024-01-03 does not come after 2024-01-04 on line 3"},
        {header + "2024-01-05,9,11,9,11\n2024-01-04,9,11,9,11\n2024-01-06,9,11,9,11\n",
         "p.csv line 4: 2024-01-06 does not come before 2024-01-04 on line 3, as the rows above run newest"},
        {header + bar1 + "2024-01-03,null,,NaN,null\n" + bar1, "p.csv line 4: 2024-01-02 again: line 2 has a bar"},
        // One moment in two zones is one time.
        {"Datetime,Open,High,Low,Close\n2024-01-02 10:00+01:00,1,1,1,1\n2024-01-02 09:00Z,1,1,1,1\n",
         "p.csv line 3: 2024-01-02 09:00Z again: line 2"},
        {header + "2024-01-02,null,null,null,null\n", "p.csv: no row after the header has prices"},
        {header, "p.csv: no bars after the header"},
        {"", "p.csv: the file is empty"},
    };
    for (const auto& row : refused) {
        try {
            ADD_FAILURE() << row.text.toStdString() << ": read "
                          << parseCsv(row.text, QStringLiteral("p.csv")).series.size() << " bars where it should say "
                          << row.says;
        } catch (const ChartError& e) {
            EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(row.says))) << e.message().toStdString();
        }
    }
}

// A FIFO or a device as a file would hang the chart or fill its memory; a larger file than it
// takes would too. Each is refused before a byte is read, and a message quotes at most a little
// of a long line.
TEST(PriceFile, OnlyRegularFilesOfABoundedSizeAreReadAndMessagesStayShort)
{
    QTemporaryDir dir;
    // `start`, then nothing (a hole) up to `size` bytes.
    auto file = [&](const char* name, const QByteArray& start, qint64 size = -1) {
        QFile f(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(start) == start.size()
                    && f.resize(std::max(size, f.size())));
        return f.fileName();
    };
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray longLine(4 << 20, 'x');
    const std::function<void(const QString&)> prices = [](const QString& path) { readCsv(path); };
    const std::function<void(const QString&)> drawings = [](const QString& path) { readCheckedDrawings(path); };
    const struct {
        QString path;
        std::function<void(const QString&)> read;
        const char* says;
    } rows[] = {
        {fifo, prices, "not a regular file"},
        {fifo, drawings, "not a regular file"},
        {QStringLiteral("/dev/zero"), prices, "not a regular file"},
        {QStringLiteral("/dev/zero"), drawings, "not a regular file"},
        {dir.path(), prices, "not a regular file"},
        {file("huge.csv", "Date,Open,High,Low,Close\n", largestPriceFile + 1), prices, "larger than 1024 MiB"},
        {file("huge.json", "{", largestDrawingsFile + 1), drawings, "larger than 64 MiB"},
        {file("long.csv", longLine), prices, "column in the header"},
        {file("long.json",
              R"({"format": "zarvchart drawings", "version": 1, "drawings": [{"parameters": {}, "tool": ")" + longLine
                  + "\"}]}"),
         drawings, "is no tool"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        try {
            row.read(row.path);
            ADD_FAILURE() << "read";
        } catch (const ChartError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(row.says))) << e.message().left(200).toStdString();
            EXPECT_LT(e.message().size(), row.path.size() + 200) << e.message().left(200).toStdString();
        }
    }
}

// The price file written by another program while the chart shows it, as the test writes it:
// rows appended (a whole one, half of one), the file written again in place and renamed over,
// a bad row appended and put right, the file cut shorter. The bars follow within a moment, the
// drawings stay, the view follows the new bars only when it showed the last one, and what cannot
// be read leaves the chart as it was with the status bar saying why.

/// Minute bar `i` from 09:30, closing at `close`; a High below its Low when `bad`.
QByteArray row(int i, double close = 104, bool bad = false)
{
    return QStringLiteral("2024-03-04 %1:%2,100,%3,92,%4,1000\n")
        .arg(9 + (30 + i) / 60, 2, 10, QLatin1Char('0'))
        .arg((30 + i) % 60, 2, 10, QLatin1Char('0'))
        .arg(bad ? 90 : 108)
        .arg(close)
        .toLatin1();
}

/// Bars `first` to `last` (one past); bar `changed` closing at 101.
QByteArray rows(int first, int last, int changed = -1)
{
    QByteArray text;
    for (int i = first; i < last; ++i)
        text += row(i, i == changed ? 101 : 104);
    return text;
}

/// A whole file of bars up to `last` (one past).
QByteArray whole(int last, int changed = -1)
{
    return "Datetime,Open,High,Low,Close,Volume\n" + rows(0, last, changed);
}

enum How { Append, Rewrite, Rename };

void write(const QString& path, How how, const QByteArray& bytes)
{
    const QString target = how == Rename ? path + QStringLiteral(".new") : path;
    QFile file(target);
    ASSERT_TRUE(file.open(how == Append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    if (how == Rename) {
        ASSERT_EQ(std::rename(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
    }
}

TEST(Follow, NewRowsShowARewrittenFileIsReadWholeAndABadOneChangesNothing)
{
    nameApplication();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("live.csv"));
    write(path, Rewrite, whole(39));
    PriceData prices(readCsv(path), path);
    // A row written between the reading and the window is not lost.
    write(path, Append, row(39));
    ChartDocument document;
    document.reset({chartsupport::drawingOf("RetracementParmClass", {{30, 95}, {38, 105}})});
    const auto drawings = document.drawings();
    MainWindow window(prices, document, {});
    window.resize(1000, 640);
    window.show();
    ChartView& view = window.view();
    auto* follower = window.findChild<PriceFollower*>();
    ASSERT_TRUE(follower);
    const Series& bars = prices.series();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bars.size() == 40; }, 5000));

    const struct {
        const char* what;
        How how;
        QByteArray bytes;
        std::size_t count;
        double lastClose;
        const char* says; // in the status bar; empty: nothing
        double moved; // bars the view moves on by
        bool panned; // the view away from the last bar first
    } steps[] = {
        // Fitted to 39 bars, the view reaches 41: the 40th and 41st fill the room, the 42nd moves it.
        {"two rows appended", Append, rows(40, 42), 42, 104, "", 2, false},
        {"half a row appended", Append, row(42).left(20), 42, 104, "", 0, false},
        {"the rest of it", Append, row(42, 103).mid(20), 43, 103, "", 0, false},
        {"the last bar written again in place", Rewrite, whole(43, 42), 43, 101, "", 0, false},
        {"another file renamed over it, its first bar changed", Rename, whole(45, 0), 45, 104, "", 2, false},
        {"a bad row appended", Append, row(45, 104, true), 45, 104, "live.csv line 47: High 90 is below Low 92", 0,
         false},
        {"the file put right", Rewrite, whole(46), 46, 104, "", 1, false},
        {"cut shorter, its last bar still in view", Rewrite, whole(30, 29), 30, 101, "", 0, false},
        {"rows appended while the view shows the first bars", Append, rows(30, 60), 60, 104, "", 0, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.panned) {
            // Dragged from an empty spot till the last bar is off the right edge.
            const QPoint from(100, 60);
            QTest::mousePress(&view, Qt::LeftButton, {}, from);
            QTest::mouseMove(&view, from + QPoint(300, 0));
            QTest::mouseMove(&view, from + QPoint(600, 0));
            QTest::mouseRelease(&view, Qt::LeftButton, {}, from + QPoint(600, 0));
            ASSERT_LT(view.mapping().lastX(), double(bars.size() - 1));
        }
        const Mapping before = view.mapping();
        const std::size_t had = bars.size();
        write(path, step.how, step.bytes);
        const QString says = QString::fromUtf8(step.says);
        const auto done = [&] {
            return bars.size() == step.count && bars.back().close == step.lastClose
                && (says.isEmpty() ? window.statusBar()->currentMessage().isEmpty()
                                   : window.statusBar()->currentMessage().contains(says));
        };
        // A half row waits for its line's end, found the next time the file is looked at.
        if (step.count == had && says.isEmpty())
            follower->check();
        EXPECT_TRUE(QTest::qWaitFor(done, 5000)) << bars.size() << " bars, the last closing at " << bars.back().close
                                                 << "; " << window.statusBar()->currentMessage().toStdString();
        EXPECT_EQ(document.drawings(), drawings);
        EXPECT_DOUBLE_EQ(view.mapping().firstX(), before.firstX() + step.moved);
        EXPECT_DOUBLE_EQ(view.mapping().lastX(), before.lastX() + step.moved);
    }
}

// The time axis: which bars get a mark, what each says and which start a day, for bars of a
// second to a week, seen whole or zoomed in.

constexpr qint64 minute = 60'000, hour = 60 * minute;

/// `count` bars `step` apart from `day`, with `session` only those from `open` to `close`
/// (milliseconds of the day) on weekdays, as an exchange keeps hours.
Series bars(QDate day, qint64 step, int count, bool session = false, qint64 open = 0, qint64 close = msPerDay)
{
    Series series;
    for (qint64 t = barTime(day, open); int(series.size()) < count; t += step) {
        if (session && (msOfDay(t) >= close || dateOf(t).dayOfWeek() > 5)) {
            t = barTime(dateOf(t).addDays(1), open) - step;
            continue;
        }
        series.push_back({t, 1, 1, 1, 1, 0});
    }
    return series;
}

/// The marks as one line: each label, with a * before those that start a day.
std::string marks(const std::vector<TimeTick>& ticks, const Series& series, double firstX)
{
    std::string line;
    for (const TimeTick& t : ticks) {
        EXPECT_GE(t.value, std::max(1.0, firstX));
        EXPECT_LT(t.value, double(series.size()));
        line += (line.empty() ? "" : " ") + std::string(t.newDay ? "*" : "") + t.label.toStdString();
    }
    return line;
}

TEST(TimeAxis, MarksTheFinestUnitThatFitsAndWhereDaysStart)
{
    const QDate jan2(2024, 1, 2);
    const Series minutes = bars(jan2, minute, 3 * 390, true, 9 * hour + 30 * minute, 16 * hour);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        Series series;
        double firstX, lastX, spacing;
        const char* says;
    } rows[] = {
        {"minute bars of three sessions", minutes, 0, 1170, 100,
         "10:00 12:00 14:00 *3 Jan 12:00 14:00 *4 Jan 12:00 14:00"},
        {"an hour of them", minutes, 0, 60, 8, "09:40 09:50 10:00 10:10 10:20 10:30"},
        {"a few of them, with room for seconds", minutes, 0, 4, 0.5, "09:31 09:32 09:33 09:34"},
        {"second bars", bars(jan2, 1000, 600), 0, 600, 50, "00:01 00:02 00:03 00:04 00:05 00:06 00:07 00:08 00:09"},
        {"a few seconds of them", bars(jan2, 1000, 600), 0, 40, 4,
         "00:00:05 00:00:10 00:00:15 00:00:20 00:00:25 00:00:30 00:00:35 00:00:40"},
        {"hourly bars round the clock", bars(jan2, hour, 24 * 21), 0, 504, 30, "*8 Jan *15 Jan *22 Jan"},
        {"daily bars over a new year", bars(QDate(2024, 10, 1), msPerDay, 300, true), 0, 300, 20,
         "Nov Dec 2025 Feb Mar Apr May Jun Jul Aug Sep Oct Nov"},
        {"weekly bars over ten years", bars(QDate(2014, 1, 6), 7 * msPerDay, 520), 0, 520, 40,
         "2015 2016 2017 2018 2019 2020 2021 2022 2023"},
        {"a view past both ends", bars(jan2, msPerDay, 10), -50, 60, 2, "8 Jan"},
        {"no room", minutes, 0, 1170, nan, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(marks(dateTicks(row.series, row.firstX, row.lastX, row.spacing), row.series, row.firstX), row.says)
            << row.what;

    // Times that go back (an hour a clock repeats) mark what they can and end.
    Series repeated = bars(jan2, 10 * minute, 30);
    std::swap(repeated[10].time, repeated[20].time);
    EXPECT_FALSE(dateTicks(repeated, 0, 30, 3).empty());
}

} // namespace
