#include "chart/model/Ticks.h"

#include "chart/model/BarTime.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarvchart {

std::vector<Tick> priceTicks(double low, double high, int count)
{
    if (!(high > low) || !std::isfinite(high - low) || count < 1)
        return {};
    const double rough = (high - low) / count;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough) {
            step = m * power;
            break;
        }
    const int decimals = std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
    // By index from the first mark, and no more marks than `count` allows: a counter of steps
    // from zero stops growing past 2^53 (prices near 1e18 and a step of 1), and would never end.
    // Where a step is below the prices' resolution, marks that fall together are left out.
    const double first = std::ceil(low / step) * step;
    std::vector<Tick> ticks;
    for (int i = 0; i <= count; ++i) {
        const double value = first + i * step;
        if (value > high)
            break;
        if (ticks.empty() || value > ticks.back().value)
            ticks.push_back({value, QString::number(value, 'f', decimals)});
    }
    return ticks;
}

namespace {

/// A unit of the time axis: a number of milliseconds that divides a day, or of weeks, months or
/// years.
struct Unit {
    enum Kind { Fixed, Week, Month, Year } kind;
    qint64 size;
};

constexpr qint64 second = 1000, minute = 60 * second, hour = 60 * minute;
constexpr Unit units[] = {
    {Unit::Fixed, second},
    {Unit::Fixed, 2 * second},
    {Unit::Fixed, 5 * second},
    {Unit::Fixed, 10 * second},
    {Unit::Fixed, 15 * second},
    {Unit::Fixed, 30 * second},
    {Unit::Fixed, minute},
    {Unit::Fixed, 2 * minute},
    {Unit::Fixed, 5 * minute},
    {Unit::Fixed, 10 * minute},
    {Unit::Fixed, 15 * minute},
    {Unit::Fixed, 30 * minute},
    {Unit::Fixed, hour},
    {Unit::Fixed, 2 * hour},
    {Unit::Fixed, 3 * hour},
    {Unit::Fixed, 4 * hour},
    {Unit::Fixed, 6 * hour},
    {Unit::Fixed, 12 * hour},
    {Unit::Fixed, msPerDay},
    {Unit::Week, 1},
    {Unit::Month, 1},
    {Unit::Month, 3},
    {Unit::Year, 1},
    {Unit::Year, 2},
    {Unit::Year, 5},
    {Unit::Year, 10},
    {Unit::Year, 20},
    {Unit::Year, 50},
    {Unit::Year, 100},
    {Unit::Year, 200},
    {Unit::Year, 500},
    {Unit::Year, 1000},
};

/// Where the unit after the one holding `time` starts.
qint64 nextStart(const Unit& unit, qint64 time)
{
    const QDate date = dateOf(time);
    switch (unit.kind) {
    case Unit::Fixed: return time - msOfDay(time) + (msOfDay(time) / unit.size + 1) * unit.size;
    case Unit::Week: return barTime(date.addDays(8 - date.dayOfWeek()));
    case Unit::Month: {
        const int months = int(((date.year() * 12 + date.month() - 1) / unit.size + 1) * unit.size);
        return barTime(QDate(months / 12, months % 12 + 1, 1));
    }
    case Unit::Year: return barTime(QDate(int((date.year() / unit.size + 1) * unit.size), 1, 1));
    }
    return time + 1;
}

/// What changes from `before` to `time`: 3 the year, 2 the month, 1 the day, 0 none of them.
int boundary(qint64 before, qint64 time)
{
    const QDate a = dateOf(before), b = dateOf(time);
    return a.year() != b.year() ? 3 : a.month() != b.month() ? 2 : a != b ? 1 : 0;
}

/// A mark's label: its time of day within a day, its day where a day starts; a day's date, a
/// month's name, the year where a year starts.
QString labelOf(const Unit& unit, qint64 time, int boundary)
{
    const QLocale c = QLocale::c();
    const QDate date = dateOf(time);
    const QString day = QStringLiteral("%1 %2").arg(date.day()).arg(c.monthName(date.month(), QLocale::ShortFormat));
    if (unit.kind == Unit::Fixed && unit.size < msPerDay) {
        if (boundary > 0)
            return day;
        const qint64 ms = msOfDay(time);
        const QChar zero(u'0');
        const QString clock = QStringLiteral("%1:%2").arg(ms / hour, 2, 10, zero).arg(ms / minute % 60, 2, 10, zero);
        return unit.size < minute ? clock + QStringLiteral(":%1").arg(ms / second % 60, 2, 10, zero) : clock;
    }
    if (boundary == 3 || unit.kind == Unit::Year)
        return QString::number(date.year());
    return unit.kind == Unit::Month ? c.monthName(date.month(), QLocale::ShortFormat) : day;
}

} // namespace

std::vector<TimeTick> dateTicks(const Series& series, double firstX, double lastX, double spacing)
{
    const long long n = static_cast<long long>(series.size());
    if (!std::isfinite(firstX) || !std::isfinite(lastX) || !(spacing > 0))
        return {};
    const long long first = std::max(1LL, static_cast<long long>(std::ceil(std::max(firstX, -1.0))));
    const long long last = std::min(n - 1, static_cast<long long>(std::floor(std::min(lastX, double(n)))));
    if (first > last)
        return {};
    auto time = [&](long long i) { return series[std::size_t(i)].time; };
    const auto most = static_cast<std::size_t>(std::max(1.0, std::floor(double(last - first) / spacing)));

    // No unit finer than the bars themselves (the least step between the first few in view):
    // minute bars seen close up are marked in minutes, not in seconds.
    qint64 barSize = std::numeric_limits<qint64>::max();
    for (long long i = first; i <= std::min(last, first + 16); ++i)
        barSize = std::min(barSize, time(i) - time(i - 1));

    // The finest unit with no more marks than fit; each mark found by a binary search from the
    // one before, so the work grows with the marks rather than with the bars.
    std::vector<long long> marks;
    const Unit* unit = nullptr;
    for (const Unit& u : units) {
        if (u.kind == Unit::Fixed && u.size < barSize)
            continue;
        unit = &u;
        marks.clear();
        for (long long i = first - 1; marks.size() <= most || &u == std::end(units) - 1;) {
            const qint64 next = nextStart(u, time(i));
            i = std::lower_bound(series.begin() + i + 1, series.begin() + last + 1, next,
                                 [](const Bar& bar, qint64 t) { return bar.time < t; })
                - series.begin();
            if (i > last)
                break;
            marks.push_back(i);
        }
        if (marks.size() <= most)
            break;
    }

    // Gaps (nights, weekends) can still bring two marks close: of those, the one that starts the
    // larger unit stays. On an intraday chart, marks where a day starts say so.
    const bool intraday = time(last) - time(first - 1) < (last - first + 1) * msPerDay;
    std::vector<TimeTick> ticks;
    std::vector<int> boundaries;
    for (long long i : marks) {
        const int b = boundary(time(i - 1), time(i));
        const TimeTick tick{{double(i), labelOf(*unit, time(i), b)}, intraday && b > 0};
        if (ticks.empty() || double(i) - ticks.back().value >= spacing) {
            ticks.push_back(tick);
            boundaries.push_back(b);
        } else if (b > boundaries.back()
                   && (ticks.size() < 2 || double(i) - ticks[ticks.size() - 2].value >= spacing)) {
            ticks.back() = tick;
            boundaries.back() = b;
        }
    }
    return ticks;
}

} // namespace zarvchart
