#pragma once

// What the chart is made of, in data units: bars of a price series, points on the chart, and the
// drawings placed on it. Nothing here knows pixels; `Mapping` turns data units into pixels.

#include <QString>
#include <QVariantMap>

#include <vector>

namespace zarvchart {

/// One bar of the price series. Its time is the wall clock of its file in milliseconds since
/// 1970-01-01 00:00 (see BarTime.h).
struct Bar {
    qint64 time = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    double volume = 0;
    friend bool operator==(const Bar&, const Bar&) = default;
};

using Series = std::vector<Bar>;

/// A point on the chart: `x` is the bar position (bar i is centred on x = i; fractional between
/// bars, and past the last bar into the future), `y` is the price.
struct ChartPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

/// A tool placed on the chart: which class edits it, its anchor points in the order the user
/// clicked them, and its parameters by the library's member names, an indexed member's entries
/// named "Name(i)": {"V(1)": 0.382f, "Cor(1)": 33023, "Extend": 1}. Whole members are stored as
/// int, float members as float, string members as QString. A locked drawing keeps its anchors
/// where they are against a stray drag or key; its parameters still change through its dialog.
struct Drawing {
    QString progId;
    std::vector<ChartPoint> anchors;
    QVariantMap parameters;
    bool locked = false;
    friend bool operator==(const Drawing&, const Drawing&) = default;
};

} // namespace zarvchart
