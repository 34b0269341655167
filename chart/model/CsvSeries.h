#pragma once

// A price series from a text file of comma-separated values: a header row
// `Date,Open,High,Low,Close` (`,Volume` optional), then one bar a row, dates as YYYY-MM-DD in
// rising order.

#include "chart/model/ChartError.h"
#include "chart/model/ChartTypes.h"

#include <QByteArray>
#include <QString>

namespace zarvchart {

/// The bars of `text`, all of them, or a ChartError whose message starts with `name` and the
/// line at fault ("prices.csv line 7: High 10.5 is below Low 11").
Series parseCsv(const QByteArray& text, const QString& name);

/// The most a price file may hold: some 25 million bars of a minute each.
inline constexpr qint64 largestPriceFile = qint64{1} << 30;

/// The bars of the file at `path`, as parseCsv names them; a file that cannot be read (no
/// regular file, larger than largestPriceFile) is a ChartError too.
Series readCsv(const QString& path);

} // namespace zarvchart
