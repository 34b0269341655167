#pragma once

// A price series from a text file of separated values, as price sources and trading terminals
// write them: a header row that names the columns, then one bar a row.
//
// - The columns are found by name, in any order and letter case, with or without the angle
//   brackets some terminals put around them: the time (Date, Datetime, Time, Timestamp or
//   Open_time; or a Date and a Time column, joined), Open, High, Low, Close, and optionally the
//   volume (Volume or Vol; Tickvol where the file has no other, or where its Volume is all 0).
//   Other columns are left alone.
// - The separator is the one of tab, semicolon and comma that the header holds most of. Where it
//   is not a comma, a comma in a number is its decimal point (as spreadsheets write 101,25).
// - Times are read as readFileTime reads them and kept as the file writes them.
// - Rows may run oldest or newest first (as their first two say); newest first, they are turned
//   round. A row whose prices are all empty or "null" is left out and counted. Anything else
//   that is wrong refuses the whole file.

#include "chart/model/ChartError.h"
#include "chart/model/ChartTypes.h"

#include <QByteArrayView>
#include <QString>

namespace zarvchart {

/// The bars of a price file, oldest first, and how many rows without prices were left out.
struct PriceFile {
    Series series;
    int skipped = 0;
};

/// The bars of `text`, all of them, or a ChartError whose message starts with `name` and the
/// line at fault ("prices.csv line 7: High 10.5 is below Low 11").
PriceFile parseCsv(QByteArrayView text, const QString& name);

/// The most a price file may hold: some 25 million bars of a minute each.
inline constexpr qint64 largestPriceFile = qint64{1} << 30;

/// The bars of the file at `path`, as parseCsv names them; a file that cannot be read (no
/// regular file, larger than largestPriceFile) is a ChartError too.
PriceFile readCsv(const QString& path);

} // namespace zarvchart
