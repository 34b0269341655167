#include "chart/model/CsvSeries.h"

#include "chart/model/ReadLimited.h"

#include <QList>
#include <QStringList>

#include <cmath>

namespace zarvchart {
namespace {

const QStringList columns{QStringLiteral("Date"), QStringLiteral("Open"), QStringLiteral("High"),
                          QStringLiteral("Low"), QStringLiteral("Close"), QStringLiteral("Volume")};

/// The fields of one row; a field wholly in double quotes loses them (some programs quote
/// every field). The values are dates and numbers, so no field holds a comma.
QStringList fieldsOf(const QString& row)
{
    QStringList fields = row.split(QLatin1Char(','));
    for (QString& field : fields) {
        field = field.trimmed();
        if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
            field = field.mid(1, field.size() - 2).trimmed();
    }
    return fields;
}

/// The header's column count, 5 or 6, or 0 when it is not the header.
qsizetype headerColumns(const QStringList& header)
{
    if (header.size() != 5 && header.size() != 6)
        return 0;
    for (qsizetype i = 0; i < header.size(); ++i)
        if (header[i].compare(columns[i], Qt::CaseInsensitive) != 0)
            return 0;
    return header.size();
}

} // namespace

Series parseCsv(const QByteArray& text, const QString& name)
{
    QString content = QString::fromUtf8(text);
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1);
    const QStringList rows = content.split(QLatin1Char('\n'));
    int line = 0;
    auto fail = [&](const QString& why) { throw ChartError(QStringLiteral("%1 line %2: %3").arg(name).arg(line).arg(why)); };

    Series series;
    qsizetype width = 0;
    for (QString row : rows) {
        ++line;
        if (row.endsWith(QLatin1Char('\r')))
            row.chop(1);
        if (row.trimmed().isEmpty())
            continue;
        const QStringList fields = fieldsOf(row);
        if (width == 0) {
            width = headerColumns(fields);
            if (width == 0)
                fail(QStringLiteral("expected the header \"Date,Open,High,Low,Close\" or \"Date,Open,High,Low,Close,Volume\", "
                                    "found \"%1\"").arg(excerpt(row.trimmed())));
            continue;
        }
        if (fields.size() != width)
            fail(QStringLiteral("%1 fields where the header has %2").arg(fields.size()).arg(width));

        Bar bar;
        bar.date = QDate::fromString(fields[0], Qt::ISODate);
        if (!bar.date.isValid() || fields[0].size() != 10)
            fail(QStringLiteral("\"%1\" is no date of the form YYYY-MM-DD").arg(excerpt(fields[0])));
        double* values[] = {&bar.open, &bar.high, &bar.low, &bar.close, &bar.volume};
        for (qsizetype i = 1; i < width; ++i) {
            bool ok = false;
            *values[i - 1] = fields[i].toDouble(&ok);
            if (!ok || !std::isfinite(*values[i - 1]))
                fail(QStringLiteral("%1 \"%2\" is not a number").arg(columns[i], excerpt(fields[i])));
        }
        if (bar.high < bar.low)
            fail(QStringLiteral("High %1 is below Low %2").arg(excerpt(fields[2]), excerpt(fields[3])));
        for (int i : {1, 4}) {
            const double value = *values[i - 1];
            if (value > bar.high || value < bar.low)
                fail(QStringLiteral("%1 %2 lies outside Low %3 to High %4").arg(columns[i], excerpt(fields[i]), excerpt(fields[3]), excerpt(fields[2])));
        }
        if (bar.volume < 0)
            fail(QStringLiteral("Volume %1 is negative").arg(excerpt(fields[5])));
        if (!series.empty() && bar.date <= series.back().date)
            fail(QStringLiteral("%1 does not come after %2, the date before it")
                     .arg(excerpt(fields[0]), series.back().date.toString(Qt::ISODate)));
        series.push_back(bar);
    }
    if (series.empty())
        throw ChartError(QStringLiteral("%1: %2").arg(name, width == 0 ? QStringLiteral("the file is empty")
                                                                       : QStringLiteral("no bars after the header")));
    return series;
}

Series readCsv(const QString& path)
{
    return parseCsv(readLimited(path, largestPriceFile), path);
}

} // namespace zarvchart
