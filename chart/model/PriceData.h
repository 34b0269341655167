#pragma once

// The prices a chart shows: the bars, the file they came from, and what the chart writes of them
// (how much of a time, how many decimals of a price). A window keeps one for its whole life and
// the view follows it: another file opened replaces the bars whole, and more bars at the end of
// the same file make them grow, with the view and the drawings staying as they are.

#include "chart/model/BarTime.h"
#include "chart/model/ChartTypes.h"
#include "chart/model/CsvSeries.h"

#include <QObject>
#include <QString>

namespace zarvchart {

class PriceData : public QObject {
    Q_OBJECT
public:
    /// The bars of `file`, read from `path` (empty: the generated sample).
    explicit PriceData(PriceFile file = {}, const QString& path = {}, QObject* parent = nullptr);

    const Series& series() const { return series_; }
    /// The price file, as it was given; empty for the sample.
    const QString& path() const { return path_; }
    /// Where the prices come from, for the title and the chart's corner: the file's name.
    QString label() const;
    /// How many rows of the file had no prices and were left out.
    int skipped() const { return skipped_; }
    /// Whether any bar has a volume.
    bool hasVolume() const { return hasVolume_; }
    /// How much of a bar's time is worth writing: the finest any bar needs.
    TimeDetail detail() const { return detail_; }
    /// How many decimals the prices are written with: the most the bars need, up to 8.
    int decimals() const { return decimals_; }

    /// The bars of another file (or of this one, read again) instead.
    void replace(PriceFile file, const QString& path);
    /// `bars` after the last one, each later than the one before it (the file grew).
    void append(const Series& bars);
    /// The bars of the same file read again after it was written anew: those that are as they
    /// were stay, the rest are taken from `file`.
    void reread(PriceFile file);

    /// `price` written as the file's prices are, and a volume as a plain number.
    QString priceText(double price) const;
    static QString volumeText(double volume);

Q_SIGNALS:
    /// The bars were replaced by another file's: nothing of the old ones holds.
    void replaced();
    /// Bars were added from position `first` on; those before are as they were.
    void grew(std::size_t first);
    /// The bars from position `first` on changed, were added or went (the file was written
    /// anew); there were `before` of them. Those before `first` are as they were.
    void revised(std::size_t first, std::size_t before);

private:
    /// Takes in what bars from `first` on need written.
    void describe(std::size_t first);

    Series series_;
    QString path_;
    int skipped_ = 0;
    bool hasVolume_ = false;
    TimeDetail detail_ = TimeDetail::Date;
    int decimals_ = 0;
};

} // namespace zarvchart
