#include "chart/model/PriceData.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace zarvchart {
namespace {

constexpr int mostDecimals = 8;

/// The fewest decimals, from `least` on, that write `price` as it is (to a millionth of its last
/// digit, which a price read from text always is).
int decimalsOf(double price, int least)
{
    constexpr double powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    double scaled = price * powers[least];
    for (int d = least; d < mostDecimals; ++d, scaled *= 10)
        if (std::abs(scaled - std::round(scaled)) < 1e-6)
            return d;
    return mostDecimals;
}

} // namespace

PriceData::PriceData(PriceFile file, const QString& path, QObject* parent) : QObject(parent)
{
    series_ = std::move(file.series);
    path_ = path;
    skipped_ = file.skipped;
    describe(0);
}

QString PriceData::label() const
{
    return path_.isEmpty() ? tr("Sample data (generated)") : QFileInfo(path_).fileName();
}

void PriceData::replace(PriceFile file, const QString& path)
{
    series_ = std::move(file.series);
    path_ = path;
    skipped_ = file.skipped;
    hasVolume_ = false;
    detail_ = TimeDetail::Date;
    decimals_ = 0;
    describe(0);
    Q_EMIT replaced();
}

void PriceData::append(const Series& bars)
{
    if (bars.empty())
        return;
    const std::size_t first = series_.size();
    series_.insert(series_.end(), bars.begin(), bars.end());
    describe(first);
    Q_EMIT grew(first);
}

void PriceData::reread(PriceFile file)
{
    const std::size_t first = std::size_t(
        std::mismatch(series_.begin(), series_.end(), file.series.begin(), file.series.end()).first - series_.begin());
    skipped_ = file.skipped;
    if (first == series_.size() && first == file.series.size())
        return;
    if (first == series_.size()) {
        // Only more bars: as if they had been appended.
        append(Series(file.series.begin() + std::ptrdiff_t(first), file.series.end()));
        return;
    }
    const std::size_t before = series_.size();
    series_ = std::move(file.series);
    hasVolume_ = false;
    detail_ = TimeDetail::Date;
    decimals_ = 0;
    describe(0);
    Q_EMIT revised(first, before);
}

void PriceData::describe(std::size_t first)
{
    for (std::size_t i = first; i < series_.size(); ++i) {
        const Bar& bar = series_[i];
        hasVolume_ = hasVolume_ || bar.volume > 0;
        for (double price : {bar.open, bar.high, bar.low, bar.close})
            decimals_ = decimalsOf(price, decimals_);
    }
    detail_ = std::max(detail_, timeDetail(std::span<const Bar>(series_).subspan(first)));
}

QString PriceData::priceText(double price) const { return QString::number(price, 'f', decimals_); }

QString PriceData::volumeText(double volume) { return QString::number(volume, 'g', 12); }

} // namespace zarvchart
