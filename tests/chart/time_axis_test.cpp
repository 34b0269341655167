// The time axis: which bars get a mark, what each says and which start a day, for bars of a
// second to a week, seen whole or zoomed in.

#include "chart/model/BarTime.h"
#include "chart/model/Ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zarvchart;

namespace {

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
