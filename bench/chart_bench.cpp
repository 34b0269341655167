// How fast the chart answers, against one frame at 60 Hz (16.7 ms): a whole repaint of many bars
// and tools, a keystroke in a tool's dialog until the chart shows it, one step of a handle's drag,
// one step of a pan, and one step of the pointer with the crosshair following it. Beside them, in
// the same run, the same candles painted bare with QPainter, one line and one rectangle a bar:
// the floor a chart is measured against. The last table gives each case's CPU time and its ratio
// to the bare candles of as many bars.
//
//     QT_QPA_PLATFORM=offscreen chart_bench [--benchmark_repetitions=21]

#include "chart/app/ApplicationName.h"
#include "chart/app/MainWindow.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/SampleSeries.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

using namespace zarvchart;

namespace {

constexpr QSize windowSize(1280, 800);

const Series& bars(int count)
{
    static std::map<int, Series> made;
    auto it = made.find(count);
    if (it == made.end())
        it = made.emplace(count, sampleSeries(count)).first;
    return it->second;
}

/// `count` tools, the twelve kinds in turn, spread evenly over the bars, each across a fiftieth of
/// them (40 bars of 2,000): on the screen they look alike whatever the number of bars.
std::vector<Drawing> tools(const Series& series, int count)
{
    std::vector<Drawing> drawings;
    if (count <= 0)
        return drawings;
    const auto& kinds = toolKinds();
    const std::size_t span = series.size() / 50;
    const std::size_t step = (series.size() - span * 3 / 2) / std::size_t(count);
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        const ToolKind& kind = kinds[i % kinds.size()];
        const std::size_t first = i * step;
        const Bar& a = series[first];
        const Bar& b = series[first + span];
        std::vector<ChartPoint> anchors{
            {double(first), a.low}, {double(first + span), b.high}, {double(first + span * 3 / 2), a.high}};
        anchors.resize(std::size_t(kind.anchorCount));
        drawings.push_back({kind.progId, anchors, defaultsOf(kind)});
    }
    return drawings;
}

struct Chart {
    PriceData prices;
    ChartDocument document;
    MainWindow window;
    ChartView& view;
    Chart(int barCount, int toolCount)
        : prices({bars(barCount), 0}), window(prices, document, QString()), view(window.view())
    {
        document.reset(tools(bars(barCount), toolCount));
        window.resize(windowSize);
        window.show();
        QCoreApplication::processEvents();
    }
};

/// Counts the view's paint events, so that a step is timed until the chart has shown it.
class Paints : public QObject {
public:
    explicit Paints(QWidget& view) { view.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        count_ += event->type() == QEvent::Paint;
        return false;
    }
    /// Runs the event loop until the view was painted once more than `before`; false after a second.
    bool waitBeyond(int before) const
    {
        QElapsedTimer waited;
        waited.start();
        while (count_ == before && waited.elapsed() < 1000)
            QCoreApplication::processEvents();
        return count_ != before;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

void moveMouse(QWidget& view, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
}

void pressMouse(QWidget& view, QPointF at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, view.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
}

/// The candles of the chart as shown, bare: a wick and a body for each bar in view, each its own
/// call, on a white image of the view's size. Nothing is kept from one round to the next.
void BareCandles(benchmark::State& state)
{
    Chart chart(int(state.range(0)), 0);
    const Series& series = bars(int(state.range(0)));
    const Mapping m = chart.view.mapping();
    QImage image(chart.view.size(), QImage::Format_ARGB32_Premultiplied);
    const QColor up(0x26, 0xA6, 0x9A), down(0xEF, 0x53, 0x50);
    const double bodyWidth = std::floor(m.pixelsPerBar() * 0.7);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        p.setClipRect(m.plot());
        for (std::size_t i = 0; i < series.size(); ++i) {
            const Bar& bar = series[i];
            const QColor& colour = bar.close >= bar.open ? up : down;
            const double x = std::round(m.xToPixel(double(i))) + 0.5;
            p.setPen(colour);
            p.drawLine(QLineF(x, m.yToPixel(bar.high), x, m.yToPixel(bar.low)));
            if (bodyWidth >= 2) {
                const double top = std::round(m.yToPixel(std::max(bar.open, bar.close)));
                const double bottom = std::round(m.yToPixel(std::min(bar.open, bar.close)));
                p.fillRect(QRectF(x - 0.5 - std::floor(bodyWidth / 2), top, bodyWidth, std::max(1.0, bottom - top)),
                           colour);
            }
        }
    }
}
BENCHMARK(BareCandles)->Arg(2000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

/// The view painted whole into an image of its size: candles, grid, axes and every tool. The
/// window's width changes between rounds, so that nothing painted before can be shown again.
void Repaint(benchmark::State& state)
{
    Chart chart(int(state.range(0)), int(state.range(1)));
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        chart.window.resize(windowSize.width() + round++ % 2, windowSize.height());
        QImage image(chart.view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black); // its memory handed out before the timing starts
        state.ResumeTiming();
        chart.view.render(&image);
    }
}
BENCHMARK(Repaint)
    ->Args({2000, 100})
    ->Args({10000, 200})
    ->Args({100000, 500})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

/// One keystroke in the retracement's dialog to the chart repainted with the value it makes:
/// the key, the preview the library reports, the view's update, and the paint.
void Keystroke(benchmark::State& state)
{
    Chart chart(int(state.range(0)), int(state.range(1)));
    const Paints paints(chart.view);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* box = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("V(5)")) : nullptr;
        if (!box) {
            state.SkipWithError("the retracement dialog did not open");
            for (auto _ : state) {
            }
        } else {
            box->setFocus();
            box->selectAll();
            int keys = 0;
            for (auto _ : state) {
                // "1" and "2" in turn over the last character: each changes what "OK" would store.
                const int digit = 1 + keys++ % 2;
                QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + digit, Qt::NoModifier, QString::number(digit));
                QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
                QCoreApplication::sendEvent(box, &backspace);
                const int before = paints.count();
                QCoreApplication::sendEvent(box, &press);
                if (!paints.waitBeyond(before)) {
                    state.SkipWithError("the chart did not repaint: no preview");
                    break;
                }
            }
        }
        if (dialog)
            dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    });
    // The first tool is a retracement, in the middle of the chart's drawings.
    chart.window.editProperties(0);
}
BENCHMARK(Keystroke)->Args({10000, 200})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

/// One step of dragging a handle of a selected tool, from the mouse's move to the repainted chart.
void DragStep(benchmark::State& state)
{
    Chart chart(int(state.range(0)), int(state.range(1)));
    const Paints paints(chart.view);
    // The twelfth tool, an ellipse, by its second anchor.
    const int index = 11;
    chart.view.select(index);
    const QPointF handle = chart.view.mapping().toPixel(chart.document.drawings()[std::size_t(index)].anchors[1]);
    pressMouse(chart.view, handle);
    moveMouse(chart.view, handle + QPointF(10, 10), Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const int before = paints.count();
        moveMouse(chart.view, handle + QPointF(10 + step % 2, 10 + step % 2), Qt::LeftButton);
        ++step;
        if (!paints.waitBeyond(before)) {
            state.SkipWithError("the chart did not repaint: no drag");
            break;
        }
    }
}
BENCHMARK(DragStep)->Args({10000, 200})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

/// One step of panning the chart with the mouse, from the move to the repainted chart.
void PanStep(benchmark::State& state)
{
    Chart chart(int(state.range(0)), int(state.range(1)));
    const Paints paints(chart.view);
    // A point of the plot's background: no tool there to be dragged instead.
    const QRectF plot = chart.view.mapping().plot();
    QPointF from;
    for (double y = plot.top() + 10; y < plot.bottom() - 10 && from.isNull(); y += 3)
        for (double x = plot.left() + 10; x < plot.right() - 10 && from.isNull(); x += 3)
            if (chart.view.drawingAt({x, y}) < 0)
                from = {x, y};
    if (from.isNull()) {
        state.SkipWithError("no background to pan by");
        return;
    }
    pressMouse(chart.view, from);
    int step = 0;
    for (auto _ : state) {
        const int before = paints.count();
        moveMouse(chart.view, from + QPointF(step % 2 ? 4 : -4, 0), Qt::LeftButton);
        ++step;
        if (!paints.waitBeyond(before)) {
            state.SkipWithError("the chart did not repaint: no pan");
            break;
        }
    }
}
BENCHMARK(PanStep)->Args({10000, 200})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

/// One step of the pointer over the chart with no button down, from the move to the repainted
/// chart: the crosshair and the bar's values, the drawing under the pointer lit, the cursor. The
/// kept images must not be painted again: `kept_paints` counts it when they are.
void PointerMove(benchmark::State& state)
{
    Chart chart(int(state.range(0)), int(state.range(1)));
    const Paints paints(chart.view);
    const QPointF middle = chart.view.mapping().plot().center();
    moveMouse(chart.view, middle, Qt::NoButton);
    QCoreApplication::processEvents();
    const ChartLayers& layers = chart.view.layers();
    const int kept = layers.basePaints() + layers.settledPaints();
    int step = 0;
    for (auto _ : state) {
        const int before = paints.count();
        // Across a few bars and up and down, over the tools there.
        moveMouse(chart.view, middle + QPointF(step % 16 * 3, step % 7 * 5), Qt::NoButton);
        ++step;
        if (!paints.waitBeyond(before)) {
            state.SkipWithError("the chart did not repaint: no crosshair");
            break;
        }
    }
    state.counters["kept_paints"] = layers.basePaints() + layers.settledPaints() - kept;
}
BENCHMARK(PointerMove)->Args({10000, 200})->Args({100000, 500})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

/// Prints, after the usual report, each case's CPU time beside the bare candles of its bars: the
/// median when the benchmarks were repeated.
class WithRatios : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || !(median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1)))
                continue;
            std::string name = run.run_name.str();
            if (const auto suffix = name.find("/process_time"); suffix != std::string::npos)
                name.erase(suffix);
            const double ms = run.GetAdjustedCPUTime() * (run.time_unit == benchmark::kMillisecond ? 1 : 1e-3);
            order_.push_back(name);
            cpu_[name] = ms;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-28s %12s %12s %8s\n", "case (bars/tools)", "CPU ms", "bare ms", "ratio");
        for (const std::string& name : order_) {
            if (name.rfind("BareCandles", 0) == 0)
                continue;
            const std::string barCount = name.substr(name.find('/') + 1,
                                                     name.find('/', name.find('/') + 1) - name.find('/') - 1);
            const auto bare = cpu_.find("BareCandles/" + barCount);
            if (bare == cpu_.end())
                std::printf("%-28s %12.2f %12s %8s\n", name.c_str(), cpu_[name], "-", "-");
            else
                std::printf("%-28s %12.2f %12.2f %8.2f\n", name.c_str(), cpu_[name], bare->second,
                            cpu_[name] / bare->second);
        }
    }

private:
    std::vector<std::string> order_;
    std::map<std::string, double> cpu_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Settings of its own: the tools start from their built-in defaults.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    nameApplication();
    benchmark::Initialize(&argc, argv);
    WithRatios reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
