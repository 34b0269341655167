// Price files: every bar read, or a message that names the line at fault and no bars at all.

#include "chart/model/CsvSeries.h"

#include <gtest/gtest.h>

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

} // namespace
