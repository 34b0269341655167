// Price files as sources and terminals write them: every bar read, or a message that names the
// line at fault and no bars at all. What the chart reads whole (prices, drawings): regular files
// of a bounded size only.

#include "chart/host/DrawingsStore.h"
#include "chart/model/BarTime.h"
#include "chart/model/CsvSeries.h"
#include "chart/model/DrawingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace zarvchart;

namespace {

TEST(PriceFile, ReadsTheLayoutsPeopleHaveOrNamesTheLineAtFault)
{
    const QByteArray header = "Date,Open,High,Low,Close\n";
    const QByteArray bar1 = "2024-01-02,9,11,9,11\n"; // opens at its low, closes at its high
    const struct {
        const char* file; // in tests/chart/prices, or else `text`
        QByteArray text;
        QString says; // empty: it reads
        std::size_t bars = 0;
        QString first = {}, last = {}; // the times of the first and last bar as the chart writes them
        double close = 0, volume = 0; // the last bar's
        int skipped = 0;
    } rows[] = {
        // Each layout as its source writes it.
        {"daily.csv", {}, {}, 6, "2024-01-02", "2024-01-11", 185.59, 49128400, 2}, // Adj Close, rows of null
        {"dataset.csv", {}, {}, 4, "2013-02-08", "2013-02-13", 14.66, 10259500}, // lower case, a symbol column
        {"minutes.csv", {}, {}, 5, "2024-01-02 15:57", "2024-01-03 09:31", 184.35, 601200}, // -05:00 left as written
        {"terminal.csv", {}, {}, 3, "2024-03-04 09:00", "2024-03-04 09:30", 1.08448, 1021}, // tabs, <DATE> <TIME>;
                                                                                            // <VOL> all 0
        {"klines.csv", {}, {}, 4, "2024-01-01 00:00", "2024-01-01 03:00", 42330.49, 794.80347}, // milliseconds since
                                                                                                // 1970
        {"semicolon.csv", {}, {}, 2, "2024-01-02", "2024-01-03", 101.55, 1043200}, // decimal commas
        {"newest-first.csv", {}, {}, 3, "2024-01-03", "2024-01-05", 181.18, 62303300},
        // A byte order mark, CRLF line ends, quoted fields (one holding the separator) and blank lines.
        {nullptr,
         "\xEF\xBB\xBF"
         "\"Date\",Name,OPEN,High,Low,Close,Volume\r\n"
         "\"2024-01-02\",\"Zarv, Inc.\",\"10\",11,9,10.5,1200\r\n\r\n",
         {},
         1,
         "2024-01-02",
         "2024-01-02",
         10.5,
         1200},
        // Seconds, milliseconds and microseconds since 1970 told apart by their size.
        {nullptr,
         "time,open,high,low,close\n1704205800,1,1,1,1\n1704205860000,1,1,1,1\n1704205920000000,1,2,1,2\n",
         {},
         3,
         "2024-01-02 14:30",
         "2024-01-02 14:32",
         2,
         0},
        // T, a fraction of a second and Z; an eight-digit date.
        {nullptr,
         "timestamp,open,high,low,close\n2024-01-02T09:30:00.250Z,1,1,1,1\n20240103,1,2,1,2\n",
         {},
         2,
         "2024-01-02 09:30:00.250",
         "2024-01-03 00:00:00.000",
         2,
         0},
        // The hour a clock repeats in autumn: ordered by the moment, shown as written.
        {nullptr,
         "Datetime,Open,High,Low,Close\n2024-11-03 01:30:00-04:00,1,1,1,1\n2024-11-03 01:00:00-05:00,1,1,1,1\n",
         {},
         2,
         "2024-11-03 01:30",
         "2024-11-03 01:00",
         1,
         0},

        // What is refused.
        {nullptr, "Day,Open,High,Low,Close\n" + bar1, QStringLiteral("p.csv line 1: no time (Date, Datetime")},
        {nullptr, "Date;Open;High;Low;Price\n",
         QStringLiteral("p.csv line 1: no Close column in the header \"Date;Open;High;Low;Price\"")},
        {nullptr, header + bar1 + "2024-01-03,10,11,9\n",
         QStringLiteral("p.csv line 3: 4 fields where the header has 5")},
        {nullptr, header + "\n" + "03/01/2024,10,11,9,10.5\n",
         QStringLiteral("p.csv line 3: \"03/01/2024\" is no date")},
        {nullptr, "Date,Time,Open,High,Low,Close\n2024-01-02,9:30:00+25:00,1,1,1,1\n",
         QStringLiteral("p.csv line 2: \"2024-01-02 9:30:00+25:00\" is no date")},
        {nullptr, header + "2024-01-02,10,11,9,ten\n", QStringLiteral("p.csv line 2: Close \"ten\" is not a number")},
        {nullptr, header + "2024-01-02,null,11,9,10\n", QStringLiteral("p.csv line 2: Open \"null\" is not a number")},
        {nullptr, header + "2024-01-02,10,9,11,10\n", QStringLiteral("p.csv line 2: High 9 is below Low 11")},
        {nullptr, header + "2024-01-02,12,11,9,10\n",
         QStringLiteral("p.csv line 2: Open 12 lies outside Low 9 to High 11")},
        {nullptr, "Date,Open,High,Low,Close,Volume\n2024-01-02,10,11,9,10.5,-1\n",
         QStringLiteral("p.csv line 2: Volume -1 is negative")},
        {nullptr, header + bar1 + "2024-01-04,9,11,9,11\n2024-01-03,9,11,9,11\n",
         QStringLiteral("p.csv line 4: 2024-01-03 does not come after 2024-01-04 on line 3")},
        {nullptr, header + "2024-01-05,9,11,9,11\n2024-01-04,9,11,9,11\n2024-01-06,9,11,9,11\n",
         QStringLiteral(
             "p.csv line 4: 2024-01-06 does not come before 2024-01-04 on line 3, as the rows above run newest")},
        {nullptr, header + bar1 + "2024-01-03,null,,NaN,null\n" + bar1,
         QStringLiteral("p.csv line 4: 2024-01-02 again: line 2 has a bar")},
        // One moment in two zones is one time.
        {nullptr, "Datetime,Open,High,Low,Close\n2024-01-02 10:00+01:00,1,1,1,1\n2024-01-02 09:00Z,1,1,1,1\n",
         QStringLiteral("p.csv line 3: 2024-01-02 09:00Z again: line 2")},
        {nullptr, header + "2024-01-02,null,null,null,null\n",
         QStringLiteral("p.csv: no row after the header has prices")},
        {nullptr, header, QStringLiteral("p.csv: no bars after the header")},
        {nullptr, "", QStringLiteral("p.csv: the file is empty")},
    };
    for (const auto& row : rows) {
        const std::string what = row.file ? row.file : row.text.toStdString();
        try {
            const PriceFile read = row.file ? readCsv(QStringLiteral(PRICES_DIR "/") + QLatin1String(row.file))
                                            : parseCsv(row.text, QStringLiteral("p.csv"));
            const Series& series = read.series;
            if (!row.says.isEmpty() || series.size() != row.bars) {
                ADD_FAILURE() << what << ": read " << series.size() << " bars where it should "
                              << row.says.toStdString();
                continue;
            }
            const TimeDetail detail = timeDetail(series);
            EXPECT_EQ(timeText(series.front().time, detail).toStdString(), row.first.toStdString()) << what;
            EXPECT_EQ(timeText(series.back().time, detail).toStdString(), row.last.toStdString()) << what;
            EXPECT_EQ(series.back().close, row.close) << what;
            EXPECT_EQ(series.back().volume, row.volume) << what;
            EXPECT_EQ(read.skipped, row.skipped) << what;
        } catch (const ChartError& e) {
            EXPECT_TRUE(!row.says.isEmpty() && e.message().startsWith(row.says)) << e.message().toStdString();
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
        QString says;
    } rows[] = {
        {fifo, prices, QStringLiteral("not a regular file")},
        {fifo, drawings, QStringLiteral("not a regular file")},
        {QStringLiteral("/dev/zero"), prices, QStringLiteral("not a regular file")},
        {QStringLiteral("/dev/zero"), drawings, QStringLiteral("not a regular file")},
        {dir.path(), prices, QStringLiteral("not a regular file")},
        {file("huge.csv", "Date,Open,High,Low,Close\n", largestPriceFile + 1), prices,
         QStringLiteral("larger than 1024 MiB")},
        {file("huge.json", "{", largestDrawingsFile + 1), drawings, QStringLiteral("larger than 64 MiB")},
        {file("long.csv", longLine), prices, QStringLiteral("column in the header")},
        {file("long.json",
              R"({"format": "zarvchart drawings", "version": 1, "drawings": [{"parameters": {}, "tool": ")" + longLine
                  + "\"}]}"),
         drawings, QStringLiteral("is no tool")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        try {
            row.read(row.path);
            ADD_FAILURE() << "read";
        } catch (const ChartError& e) {
            EXPECT_TRUE(e.message().contains(row.says)) << e.message().left(200).toStdString();
            EXPECT_LT(e.message().size(), row.path.size() + 200) << e.message().left(200).toStdString();
        }
    }
}

} // namespace
