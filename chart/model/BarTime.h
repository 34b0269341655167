#pragma once

// A bar's time: the wall clock its price file writes, kept as milliseconds since 1970-01-01 00:00
// on that clock. No time zone is applied to it, so 09:30 in the file is 09:30 on the chart, and a
// bar costs 8 bytes for its time where a QDateTime would cost a record of its own.

#include "chart/model/ChartTypes.h"

#include <QDate>
#include <QString>

#include <optional>
#include <span>
#include <string_view>

namespace zarvchart {

constexpr qint64 msPerDay = 86'400'000;

/// `date` at `msOfDay` milliseconds after its midnight.
qint64 barTime(QDate date, qint64 msOfDay = 0);
/// The day `time` falls on.
QDate dateOf(qint64 time);
/// Milliseconds since the midnight of `time`'s day.
qint64 msOfDay(qint64 time);

/// How much of a time is worth writing for a series: the date, or also its minutes, seconds or
/// milliseconds, the finest that any of `bars` needs.
enum class TimeDetail { Date, Minutes, Seconds, Milliseconds };
TimeDetail timeDetail(std::span<const Bar> bars);

/// `time` as the chart writes it: "2024-03-04", "2024-03-04 09:15", "2024-03-04 09:15:30" or
/// "2024-03-04 09:15:30.250".
QString timeText(qint64 time, TimeDetail detail);

/// A time as a price file writes it: the wall clock, and the moment it stands for, which is the
/// wall clock less the zone offset where one is written (rows are ordered by the moment, so an
/// hour that a clock repeats in autumn keeps its order).
struct FileTime {
    qint64 wallClock = 0;
    qint64 moment = 0;
};

/// The time in `text`: a date (2024-03-04, 2024.03.04, 2024/03/04 or 20240304), a date and time
/// of day (a space or T between, seconds and their fraction optional, then optionally Z or a
/// zone offset such as -05:00), or a whole number since 1970-01-01 UTC: seconds below 10^11,
/// milliseconds below 10^14, microseconds above. With `clock` given, `text` must be a date and
/// `clock` its time of day (09:15, 09:15:00, with a fraction or zone as above). Nothing when
/// it is none of those.
std::optional<FileTime> readFileTime(std::string_view text, std::string_view clock = {});

} // namespace zarvchart
