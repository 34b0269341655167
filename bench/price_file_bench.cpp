// How fast a big price file opens: a million minute bars (about 45 MB), read and parsed, and
// read, opened in the window and painted once, with the peak resident memory of each.
//
//     QT_QPA_PLATFORM=offscreen price_file_bench

#include "chart/app/ApplicationName.h"
#include "chart/app/MainWindow.h"
#include "chart/model/BarTime.h"
#include "chart/model/CsvSeries.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace zarvchart;

namespace {

QString pricesPath;

/// A million minute bars, weekdays round the clock, as a downloader writes them:
/// "2024-01-02 09:30,100.25,100.31,100.19,100.27,1843".
void writePrices(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    QByteArray text = "Datetime,Open,High,Low,Close,Volume\n";
    std::uint64_t state = 20240102;
    auto uniform = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(state >> 11) / double(1ULL << 53);
    };
    qint64 time = barTime(QDate(2021, 1, 4));
    double close = 100;
    char row[128];
    for (int i = 0; i < 1'000'000; ++i, time += 60'000) {
        if (dateOf(time).dayOfWeek() > 5)
            time = barTime(dateOf(time).addDays(8 - dateOf(time).dayOfWeek()));
        const double open = close;
        close = std::max(1.0, open + (uniform() - 0.5) * 0.2);
        const double high = std::max(open, close) + uniform() * 0.05, low = std::min(open, close) - uniform() * 0.05;
        const QByteArray when = timeText(time, TimeDetail::Minutes).toLatin1();
        text.append(row,
                    std::snprintf(row, sizeof row, "%s,%.2f,%.2f,%.2f,%.2f,%d\n", when.constData(), open, high, low,
                                  close, 100 + int(uniform() * 5000)));
        if (text.size() > (1 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    file.write(text);
}

/// The most this process has had resident since the last reset, in MiB; a reset starts afresh.
double peakResidentMiB(bool reset)
{
    if (reset) {
        std::ofstream("/proc/self/clear_refs") << "5";
        return 0;
    }
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

void ReadMillionMinuteBars(benchmark::State& state)
{
    peakResidentMiB(true);
    std::size_t bars = 0;
    for (auto _ : state)
        bars = readCsv(pricesPath).series.size();
    state.counters["bars"] = double(bars);
    state.counters["file_MB"] = double(QFile(pricesPath).size()) / 1e6;
    state.counters["peak_MiB"] = peakResidentMiB(false);
}
BENCHMARK(ReadMillionMinuteBars)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

/// What opening the file shows the user: read, the window made and shown, the chart painted.
void OpenAndPaintMillionMinuteBars(benchmark::State& state)
{
    peakResidentMiB(true);
    for (auto _ : state) {
        PriceData prices(readCsv(pricesPath), pricesPath);
        ChartDocument document;
        MainWindow window(prices, document, QString());
        window.resize(1280, 800);
        window.show();
        QImage image(window.view().size(), QImage::Format_ARGB32_Premultiplied);
        window.view().render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["peak_MiB"] = peakResidentMiB(false);
}
BENCHMARK(OpenAndPaintMillionMinuteBars)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Settings of its own: nothing of the user's is read or kept.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    nameApplication();
    pricesPath = home.filePath(QStringLiteral("million.csv"));
    writePrices(pricesPath);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
