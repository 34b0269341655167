#include "chart/model/BarTime.h"

#include <algorithm>

namespace zarvchart {
namespace {

constexpr qint64 julianDayOf1970 = 2440588; // QDate(1970, 1, 1).toJulianDay()

/// Rounding down, also for times before 1970.
qint64 floorDiv(qint64 a, qint64 b) { return a / b - (a % b < 0 ? 1 : 0); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// The number that `from` to `to` digits at the start of `s` make, taken off `s`; nothing when
/// fewer digits stand there.
std::optional<int> digits(std::string_view& s, std::size_t from, std::size_t to)
{
    int value = 0;
    std::size_t n = 0;
    for (; n < to && n < s.size() && isDigit(s[n]); ++n)
        value = value * 10 + (s[n] - '0');
    if (n < from)
        return std::nullopt;
    s.remove_prefix(n);
    return value;
}

bool take(std::string_view& s, char c)
{
    if (s.empty() || s.front() != c)
        return false;
    s.remove_prefix(1);
    return true;
}

/// 2024-03-04, 2024.03.04, 2024/03/04 (the month and day may have one digit) or 20240304.
std::optional<QDate> readDate(std::string_view& s)
{
    const auto year = digits(s, 4, 4);
    if (!year || s.empty())
        return std::nullopt;
    std::optional<int> month, day;
    if (isDigit(s.front())) {
        month = digits(s, 2, 2);
        day = digits(s, 2, 2);
    } else if (s.front() == '-' || s.front() == '.' || s.front() == '/') {
        const char separator = s.front();
        s.remove_prefix(1);
        month = digits(s, 1, 2);
        if (month && take(s, separator))
            day = digits(s, 1, 2);
    }
    if (!month || !day || !QDate::isValid(*year, *month, *day))
        return std::nullopt;
    return QDate(*year, *month, *day);
}

/// 09:15, 09:15:30 or 09:15:30.250 (any number of decimals; past milliseconds they are dropped),
/// as milliseconds since midnight.
std::optional<qint64> readClock(std::string_view& s)
{
    const auto hour = digits(s, 1, 2);
    if (!hour || *hour > 23 || !take(s, ':'))
        return std::nullopt;
    const auto minute = digits(s, 2, 2);
    if (!minute || *minute > 59)
        return std::nullopt;
    qint64 ms = (*hour * 60 + *minute) * 60'000LL;
    if (take(s, ':')) {
        const auto second = digits(s, 2, 2);
        if (!second || *second > 59)
            return std::nullopt;
        ms += *second * 1000;
        if (take(s, '.')) {
            if (s.empty() || !isDigit(s.front()))
                return std::nullopt;
            for (int scale = 100; !s.empty() && isDigit(s.front()); scale /= 10, s.remove_prefix(1))
                ms += (s.front() - '0') * scale;
        }
    }
    return ms;
}

/// Nothing, Z, or an offset from UTC: +01:00, -0500, +09; as milliseconds, what remains of `s`
/// must be empty.
std::optional<qint64> readZone(std::string_view s)
{
    if (s.empty() || s == "Z")
        return 0;
    const bool east = s.front() == '+';
    if (!east && s.front() != '-')
        return std::nullopt;
    s.remove_prefix(1);
    const auto hours = digits(s, 2, 2);
    const bool colon = take(s, ':');
    const auto minutes = s.empty() && !colon ? std::optional<int>(0) : digits(s, 2, 2);
    if (!hours || *hours > 23 || !minutes || *minutes > 59 || !s.empty())
        return std::nullopt;
    const qint64 offset = (*hours * 60 + *minutes) * 60'000LL;
    return east ? offset : -offset;
}

/// A whole number of nine digits or more: the time since 1970 UTC in seconds, milliseconds or
/// microseconds, told apart by its size (each up to the year 5138).
std::optional<FileTime> readSince1970(std::string_view s)
{
    if (s.size() < 9 || s.size() > 17)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : s)
        value = value * 10 + (c - '0');
    const qint64 time = value < 100'000'000'000LL ? value * 1000 : value < 100'000'000'000'000LL ? value : value / 1000;
    return FileTime{time, time};
}

} // namespace

qint64 barTime(QDate date, qint64 msOfDay) { return (date.toJulianDay() - julianDayOf1970) * msPerDay + msOfDay; }

QDate dateOf(qint64 time) { return QDate::fromJulianDay(julianDayOf1970 + floorDiv(time, msPerDay)); }

qint64 msOfDay(qint64 time) { return time - floorDiv(time, msPerDay) * msPerDay; }

TimeDetail timeDetail(std::span<const Bar> bars)
{
    TimeDetail detail = TimeDetail::Date;
    for (const Bar& bar : bars) {
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

std::optional<FileTime> readFileTime(std::string_view text, std::string_view clock)
{
    if (text.size() != 8 && !text.empty() && std::all_of(text.begin(), text.end(), isDigit))
        return clock.empty() ? readSince1970(text) : std::nullopt;
    const auto date = readDate(text);
    if (!date)
        return std::nullopt;
    if (!clock.empty()) {
        if (!text.empty())
            return std::nullopt;
        text = clock;
    } else if (text.empty()) {
        const qint64 time = barTime(*date);
        return FileTime{time, time};
    } else if (!take(text, ' ') && !take(text, 'T')) {
        return std::nullopt;
    }
    const auto ms = readClock(text);
    take(text, ' ');
    const auto offset = readZone(text);
    if (!ms || !offset)
        return std::nullopt;
    const qint64 wallClock = barTime(*date, *ms);
    return FileTime{wallClock, wallClock - *offset};
}

} // namespace zarvchart
