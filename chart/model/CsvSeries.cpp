#include "chart/model/CsvSeries.h"

#include "chart/model/BarTime.h"
#include "chart/model/ReadLimited.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace zarvchart {
namespace {

// The file is read as bytes, field by field, without a string per field: a million rows must
// open in well under a second.

enum Column { Time, Clock, Open, High, Low, Close, Volume, TickVolume, ColumnCount };
const char* const columnNames[] = {
    "time (Date, Datetime, Time, Timestamp or Open_time)", "Time", "Open", "High", "Low", "Close", "Volume", "Tickvol"};

/// Where each column stands in a row (-1: the file has none), and what separates the fields.
struct Layout {
    std::array<int, ColumnCount> at{};
    std::size_t width = 0;
    char separator = ',';
};

/// A field or row as a message quotes it: a long one cut short.
QString textOf(std::string_view s) { return excerpt(QString::fromUtf8(s.data(), qsizetype(s.size()))); }

/// The fields of `row` into `fields`, blanks around them and double quotes around a whole field
/// taken off (a quoted field may hold the separator).
void split(std::string_view row, char separator, std::vector<std::string_view>& fields)
{
    fields.clear();
    const char* p = row.data();
    const char* const end = p + row.size();
    while (true) {
        while (p < end && *p == ' ')
            ++p;
        const char* start = p;
        const char* stop;
        if (p < end && *p == '"') {
            start = ++p;
            while (p < end && !(*p == '"' && (p + 1 == end || p[1] != '"')))
                p += *p == '"' ? 2 : 1;
            stop = p;
            while (p < end && *p != separator)
                ++p;
        } else {
            while (p < end && *p != separator)
                ++p;
            stop = p;
            while (stop > start && stop[-1] == ' ')
                --stop;
        }
        fields.emplace_back(start, std::size_t(stop - start));
        if (p == end)
            return;
        ++p;
    }
}

/// How many lines `text` has, at most: memchr finds the line ends far faster than a loop.
std::size_t lineCount(std::string_view text)
{
    std::size_t lines = 1;
    const char* const end = text.data() + text.size();
    for (const char* p = text.data(); (p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)))); ++p)
        ++lines;
    return lines;
}

/// A header's name as compared: lower case, without angle brackets, blanks and underscores
/// ("<TICKVOL>" is "tickvol", "Open time" and "open_time" are "opentime").
std::string normalised(std::string_view name)
{
    std::string out;
    for (const char c : name)
        if (c != '<' && c != '>' && c != ' ' && c != '_')
            out += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return out;
}

/// The columns that `header` names (-1 for those it lacks), and its separator: the one of tab,
/// semicolon and comma it holds most of.
Layout layoutOf(std::string_view header, std::vector<std::string_view>& fields)
{
    Layout layout;
    std::ptrdiff_t most = 0;
    for (const char separator : {'\t', ';', ','})
        if (const auto count = std::count(header.begin(), header.end(), separator); count > most)
            layout.separator = separator, most = count;
    split(header, layout.separator, fields);
    layout.width = fields.size();

    std::vector<std::string> names;
    for (const std::string_view field : fields)
        names.push_back(normalised(field));
    auto find = [&](std::initializer_list<const char*> candidates) {
        for (const char* candidate : candidates)
            if (const auto it = std::find(names.begin(), names.end(), candidate); it != names.end())
                return int(it - names.begin());
        return -1;
    };
    layout.at[Time] = find({"datetime", "date", "timestamp", "time", "opentime"});
    layout.at[Clock] = layout.at[Time] >= 0 && names[std::size_t(layout.at[Time])] == "date" ? find({"time"}) : -1;
    layout.at[Open] = find({"open"});
    layout.at[High] = find({"high"});
    layout.at[Low] = find({"low"});
    layout.at[Close] = find({"close"});
    layout.at[Volume] = find({"volume", "vol"});
    layout.at[TickVolume] = find({"tickvol", "tickvolume"});
    return layout;
}

/// A price left empty or written "null" (or "NaN"): the source has none.
bool isMissing(std::string_view s)
{
    auto is = [s](std::string_view word) {
        return s.size() == word.size()
            && std::equal(s.begin(), s.end(), word.begin(), [](char a, char b) { return (a | 0x20) == b; });
    };
    return s.empty() || is("null") || is("nan");
}

/// Plain decimals of up to 15 digits ("101.25", "-0.5", "1843"), nearly every number of a price
/// file, read directly: their digits and the power of ten are both exact as doubles, so the one
/// division rounds correctly, as from_chars would. False for anything else.
bool readPlainDecimal(std::string_view s, double& value)
{
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = !s.empty() && s.front() == '-';
    const std::size_t first = negative ? 1 : 0;
    std::size_t point = s.npos;
    std::uint64_t digits = 0;
    for (std::size_t i = first; i < s.size(); ++i) {
        const unsigned digit = unsigned(s[i]) - '0';
        if (digit < 10)
            digits = digits * 10 + digit;
        else if (s[i] == '.' && point == s.npos)
            point = i;
        else
            return false;
    }
    const std::size_t count = s.size() - first - (point == s.npos ? 0 : 1);
    if (count == 0 || count > 15)
        return false;
    value = double(digits) / powersOfTen[point == s.npos ? 0 : s.size() - point - 1];
    value = negative ? -value : value;
    return true;
}

/// The number in `s` into `value`; false when `s` is not a finite number as a whole. With
/// `decimalComma`, a comma is the decimal point.
bool readNumber(std::string_view s, bool decimalComma, double& value)
{
    if (!s.empty() && s.front() == '+' && s.size() > 1 && s[1] != '-')
        s.remove_prefix(1);
    char copy[64];
    if (decimalComma && s.find(',') != std::string_view::npos) {
        if (s.size() > sizeof copy)
            return false;
        std::replace_copy(s.begin(), s.end(), copy, ',', '.');
        s = std::string_view(copy, s.size());
    }
    if (readPlainDecimal(s, value))
        return true;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size() && std::isfinite(value);
}

} // namespace

PriceFile parseCsv(QByteArrayView bytes, const QString& name)
{
    std::string_view text(bytes.data(), std::size_t(bytes.size()));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    int line = 0;
    auto fail = [&](const QString& why) {
        throw ChartError(QStringLiteral("%1 line %2: %3").arg(name).arg(line).arg(why));
    };

    PriceFile file;
    Series& series = file.series;
    series.reserve(lineCount(text));
    std::vector<double> tickVolumes; // beside the volume, in case that is all 0
    bool anyVolume = false;
    std::vector<std::string_view> fields;
    std::optional<Layout> layout;

    // The row before, for the order: the moment it stands for, its line and its time as written.
    qint64 previousMoment = 0;
    int previousLine = 0;
    std::string_view previousTime, previousClock;
    bool newestFirst = false;
    auto asWritten = [](std::string_view time, std::string_view clock) {
        return clock.empty() ? textOf(time) : textOf(time) + QLatin1Char(' ') + textOf(clock);
    };

    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view row = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++line;
        if (row.ends_with('\r'))
            row.remove_suffix(1);
        if (row.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        if (!layout) {
            layout = layoutOf(row, fields);
            for (int column : {Time, Open, High, Low, Close})
                if (layout->at[std::size_t(column)] < 0)
                    fail(QStringLiteral("no %1 column in the header \"%2\"")
                             .arg(QLatin1String(columnNames[column]), textOf(row)));
            continue;
        }
        const Layout& l = *layout;
        split(row, l.separator, fields);
        if (fields.size() != l.width)
            fail(QStringLiteral("%1 fields where the header has %2").arg(fields.size()).arg(l.width));
        auto field = [&](int column) { return fields[std::size_t(l.at[std::size_t(column)])]; };

        if (isMissing(field(Open)) && isMissing(field(High)) && isMissing(field(Low)) && isMissing(field(Close))) {
            ++file.skipped;
            continue;
        }
        const std::string_view clock = l.at[Clock] >= 0 ? field(Clock) : std::string_view();
        const auto time = readFileTime(field(Time), clock);
        auto timeAsWritten = [&] { return asWritten(field(Time), clock); };
        if (!time)
            fail(QStringLiteral(
                     "\"%1\" is no date or time of a form read here (such as 2024-03-04 or 2024-03-04 09:15:00)")
                     .arg(timeAsWritten()));

        Bar bar;
        bar.time = time->wallClock;
        const bool decimalComma = l.separator != ',';
        double* prices[] = {&bar.open, &bar.high, &bar.low, &bar.close};
        for (int column : {Open, High, Low, Close})
            if (!readNumber(field(column), decimalComma, *prices[column - Open]))
                fail(QStringLiteral("%1 \"%2\" is not a number")
                         .arg(QLatin1String(columnNames[column]), textOf(field(column))));
        if (bar.high < bar.low)
            fail(QStringLiteral("High %1 is below Low %2").arg(textOf(field(High)), textOf(field(Low))));
        for (int column : {Open, Close}) {
            const double value = *prices[column - Open];
            if (value > bar.high || value < bar.low)
                fail(QStringLiteral("%1 %2 lies outside Low %3 to High %4")
                         .arg(QLatin1String(columnNames[column]), textOf(field(column)))
                         .arg(textOf(field(Low)), textOf(field(High))));
        }
        // A missing volume is none: sources leave it out for an index.
        for (int column : {Volume, TickVolume}) {
            if (l.at[std::size_t(column)] < 0)
                continue;
            double volume = 0;
            if (!isMissing(field(column)) && !readNumber(field(column), decimalComma, volume))
                fail(QStringLiteral("%1 \"%2\" is not a number")
                         .arg(QLatin1String(columnNames[column]), textOf(field(column))));
            if (volume < 0)
                fail(
                    QStringLiteral("%1 %2 is negative").arg(QLatin1String(columnNames[column]), textOf(field(column))));
            if (column == Volume || l.at[Volume] < 0)
                bar.volume = volume;
            else
                tickVolumes.push_back(volume);
        }
        anyVolume = anyVolume || bar.volume != 0;

        if (!series.empty()) {
            if (time->moment == previousMoment)
                fail(QStringLiteral("%1 again: line %2 has a bar at that time").arg(timeAsWritten()).arg(previousLine));
            if (series.size() == 1)
                newestFirst = time->moment < previousMoment;
            else if ((time->moment < previousMoment) != newestFirst)
                fail(QString::fromLatin1(
                         newestFirst ? "%1 does not come before %2 on line %3, as the rows above run newest first"
                                     : "%1 does not come after %2 on line %3")
                         .arg(timeAsWritten(), asWritten(previousTime, previousClock))
                         .arg(previousLine));
        }
        previousMoment = time->moment;
        previousLine = line;
        previousTime = field(Time);
        previousClock = clock;
        series.push_back(bar);
    }
    if (series.empty())
        throw ChartError(QStringLiteral("%1: %2").arg(name,
                                                      !layout ? QStringLiteral("the file is empty")
                                                          : file.skipped
                                                          ? QStringLiteral("no row after the header has prices")
                                                          : QStringLiteral("no bars after the header")));
    if (newestFirst) {
        std::reverse(series.begin(), series.end());
        std::reverse(tickVolumes.begin(), tickVolumes.end());
    }
    if (!anyVolume && !tickVolumes.empty())
        for (std::size_t i = 0; i < series.size(); ++i)
            series[i].volume = tickVolumes[i];
    return file;
}

PriceFile readCsv(const QString& path) { return parseCsv(readLimited(path, largestPriceFile), path); }

} // namespace zarvchart
