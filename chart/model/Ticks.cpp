#include "chart/model/Ticks.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

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
    std::vector<Tick> ticks;
    for (double k = std::ceil(low / step); k * step <= high; ++k) {
        const double value = k * step;
        ticks.push_back({value, QString::number(value, 'f', decimals)});
    }
    return ticks;
}

namespace {

enum class Unit { Day, Week, Month, Quarter, Year };

/// A bar's date taken apart once: every unit looks at every bar, and each part asked of a QDate
/// is worked out afresh from its day number.
struct Day {
    qint64 julian = 0;
    int weekDay = 0;
    int year = 0;
    int month = 0;
    int day = 0;
};

/// The parts of `date`, a few days after `before`: within the first 28 days of a month the month
/// is the one before's, and working it out again is most of the time spent.
Day dayOf(QDate date, const Day* before)
{
    Day d{date.toJulianDay(), date.dayOfWeek()};
    if (before && d.julian >= before->julian && before->day + (d.julian - before->julian) <= 28)
        d.year = before->year, d.month = before->month, d.day = before->day + int(d.julian - before->julian);
    else
        date.getDate(&d.year, &d.month, &d.day);
    return d;
}

bool starts(Unit unit, const Day& date, const Day& before)
{
    switch (unit) {
    case Unit::Day: return true;
    case Unit::Week: return date.weekDay < before.weekDay || date.julian - before.julian >= 7;
    case Unit::Month: return date.month != before.month || date.year != before.year;
    case Unit::Quarter: return (date.month - 1) / 3 != (before.month - 1) / 3 || date.year != before.year;
    case Unit::Year: return date.year != before.year;
    }
    return false;
}

QString labelOf(Unit unit, QDate date)
{
    const QLocale c = QLocale::c();
    switch (unit) {
    case Unit::Day:
    case Unit::Week: return QStringLiteral("%1 %2").arg(date.day()).arg(c.monthName(date.month(), QLocale::ShortFormat));
    case Unit::Month:
    case Unit::Quarter:
        return date.month() == 1 ? QString::number(date.year()) : c.monthName(date.month(), QLocale::ShortFormat);
    case Unit::Year: return QString::number(date.year());
    }
    return {};
}

} // namespace

std::vector<Tick> dateTicks(const Series& series, double firstX, double lastX, double spacing)
{
    const long long n = static_cast<long long>(series.size());
    const long long first = std::max(1LL, static_cast<long long>(std::ceil(firstX)));
    const long long last = std::min(n - 1, static_cast<long long>(std::floor(lastX)));
    if (first > last)
        return {};
    std::vector<Day> days;
    days.reserve(std::size_t(last - first + 2));
    for (long long i = first - 1; i <= last; ++i)
        days.push_back(dayOf(series[std::size_t(i)].date, days.empty() ? nullptr : &days.back()));
    std::vector<long long> marks;
    Unit unit = Unit::Day;
    for (Unit u : {Unit::Day, Unit::Week, Unit::Month, Unit::Quarter, Unit::Year}) {
        unit = u;
        marks.clear();
        for (long long i = first; i <= last; ++i)
            if (starts(u, days[std::size_t(i - first + 1)], days[std::size_t(i - first)]))
                marks.push_back(i);
        if (marks.size() < 2 || double(last - first) / double(marks.size()) >= spacing)
            break;
    }
    // Years may still be too close: keep those far enough from the last one kept.
    std::vector<Tick> ticks;
    for (long long i : marks)
        if (ticks.empty() || double(i) - ticks.back().value >= spacing)
            ticks.push_back({double(i), labelOf(unit, series[std::size_t(i)].date)});
    return ticks;
}

} // namespace zarvchart
