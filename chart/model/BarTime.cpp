#include "chart/model/BarTime.h"

#include <algorithm>

namespace zarvchart {
namespace {

constexpr qint64 julianDayOf1970 = 2440588; // QDate(1970, 1, 1).toJulianDay()

/// Rounding down, also for times before 1970.
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

} // namespace

qint64 barTime(QDate date, qint64 msOfDay)
{
    return (date.toJulianDay() - julianDayOf1970) * msPerDay + msOfDay;
}

QDate dateOf(qint64 time)
{
    return QDate::fromJulianDay(julianDayOf1970 + floorDiv(time, msPerDay));
}

qint64 msOfDay(qint64 time)
{
    return time - floorDiv(time, msPerDay) * msPerDay;
}

TimeDetail timeDetail(const Series& series)
{
    TimeDetail detail = TimeDetail::Date;
    for (const Bar& bar : series) {
        const qint64 ms = msOfDay(bar.time);
        if (ms % 1000 != 0)
            return TimeDetail::Milliseconds;
        if (ms % 60'000 != 0)
            detail = TimeDetail::Seconds;
        else if (ms != 0)
            detail = std::max(detail, TimeDetail::Minutes);
    }
    return detail;
}

QString timeText(qint64 time, TimeDetail detail)
{
    QString text = dateOf(time).toString(Qt::ISODate);
    if (detail == TimeDetail::Date)
        return text;
    const qint64 ms = msOfDay(time);
    const QChar zero(u'0');
    text += QStringLiteral(" %1:%2").arg(ms / 3'600'000, 2, 10, zero).arg(ms / 60'000 % 60, 2, 10, zero);
    if (detail >= TimeDetail::Seconds)
        text += QStringLiteral(":%1").arg(ms / 1000 % 60, 2, 10, zero);
    if (detail == TimeDetail::Milliseconds)
        text += QStringLiteral(".%1").arg(ms % 1000, 3, 10, zero);
    return text;
}

} // namespace zarvchart
