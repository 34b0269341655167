// Price files: every bar read, or a message that names the line at fault and no bars at all.
// What the chart reads whole (prices, drawings): regular files of a bounded size only.

#include "chart/host/DrawingsStore.h"
#include "chart/model/CsvSeries.h"
#include "chart/model/DrawingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace zarvchart;

namespace {

TEST(PriceFile, ReadsEveryBarOrNamesTheLineAtFault)
{
    const QByteArray header = "Date,Open,High,Low,Close\n";
    const QByteArray bar1 = "2024-01-02,9,11,9,11\n"; // opens at its low, closes at its high
    const struct {
        QByteArray text;
        QString says; // empty: it reads
        std::size_t bars = 0;
    } rows[] = {
        {header + bar1 + "2024-01-03,10.5,12,10,11.75\n", {}, 2},
        // A byte order mark, CRLF line ends, quoted fields, a volume, blank lines and any letter case.
        {"\xEF\xBB\xBF" "date,OPEN,High,Low,Close,Volume\r\n\"2024-01-02\",\"10\",11,9,10.5,1200\r\n\r\n", {}, 1},
        {"Date;Open;High;Low;Close\n" + bar1, QStringLiteral("p.csv line 1: expected the header")},
        {header + bar1 + "2024-01-03,10,11,9\n", QStringLiteral("p.csv line 3: 4 fields where the header has 5")},
        {header + "\n" + "03/01/2024,10,11,9,10.5\n", QStringLiteral("p.csv line 3: \"03/01/2024\" is no date")},
        {header + "2024-01-02,10,11,9,ten\n", QStringLiteral("p.csv line 2: Close \"ten\" is not a number")},
        {header + "2024-01-02,10,9,11,10\n", QStringLiteral("p.csv line 2: High 9 is below Low 11")},
        {header + "2024-01-02,12,11,9,10\n", QStringLiteral("p.csv line 2: Open 12 lies outside Low 9 to High 11")},
        {header + bar1 + bar1, QStringLiteral("p.csv line 3: 2024-01-02 does not come after 2024-01-02")},
        {"Date,Open,High,Low,Close,Volume\n2024-01-02,10,11,9,10.5,-1\n", QStringLiteral("p.csv line 2: Volume -1 is negative")},
        {header, QStringLiteral("p.csv: no bars after the header")},
        {"", QStringLiteral("p.csv: the file is empty")},
    };
    for (const auto& row : rows) {
        try {
            const Series series = parseCsv(row.text, QStringLiteral("p.csv"));
            EXPECT_TRUE(row.says.isEmpty()) << "read a file that should fail with " << row.says.toStdString();
            EXPECT_EQ(series.size(), row.bars) << row.text.toStdString();
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
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(start) == start.size() && f.resize(std::max(size, f.size())));
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
        {file("huge.csv", "Date,Open,High,Low,Close\n", largestPriceFile + 1), prices, QStringLiteral("larger than 1024 MiB")},
        {file("huge.json", "{", largestDrawingsFile + 1), drawings, QStringLiteral("larger than 64 MiB")},
        {file("long.csv", longLine), prices, QStringLiteral("expected the header")},
        {file("long.json", R"({"format": "zarvchart drawings", "version": 1, "drawings": [{"parameters": {}, "tool": ")" + longLine + "\"}]}"),
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
