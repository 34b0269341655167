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

enum class Unit { Day, Week, Month, Quarter, Year };

bool starts(Unit unit, QDate date, QDate before)
{
    switch (unit) {
    case Unit::Day: return true;
    case Unit::Week: return date.dayOfWeek() < before.dayOfWeek() || before.daysTo(date) >= 7;
    case Unit::Month: return date.month() != before.month() || date.year() != before.year();
    case Unit::Quarter: return (date.month() - 1) / 3 != (before.month() - 1) / 3 || date.year() != before.year();
    case Unit::Year: return date.year() != before.year();
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
    std::vector<long long> marks;
    Unit unit = Unit::Day;
    for (Unit u : {Unit::Day, Unit::Week, Unit::Month, Unit::Quarter, Unit::Year}) {
        unit = u;
        marks.clear();
        for (long long i = first; i <= last; ++i)
            if (starts(u, series[std::size_t(i)].date, series[std::size_t(i - 1)].date))
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
