// How fast the chart answers: a whole repaint of 2,000 bars and 100 tools, which must fit in one
// frame at 60 Hz (16.7 ms), and a keystroke in a tool's dialog until the chart shows it.
//
//     QT_QPA_PLATFORM=offscreen chart_bench

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
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace zarvchart;

namespace {

const Series& bars()
{
    static const Series series = sampleSeries(2000);
    return series;
}

/// 100 tools, the twelve kinds in turn, each across 40 bars of its own stretch of the chart.
std::vector<Drawing> hundredTools()
{
    std::vector<Drawing> drawings;
    const auto& kinds = toolKinds();
    for (std::size_t i = 0; i < 100; ++i) {
        const ToolKind& kind = kinds[i % kinds.size()];
        const std::size_t first = i * 19;
        const Bar& a = bars()[first];
        const Bar& b = bars()[first + 40];
        std::vector<ChartPoint> anchors{{double(first), a.low}, {double(first + 40), b.high}, {double(first + 60), a.high}};
        anchors.resize(std::size_t(kind.anchorCount));
        drawings.push_back({kind.progId, anchors, defaultsOf(kind)});
    }
    return drawings;
}

struct Chart {
    ChartDocument document;
    MainWindow window{bars(), QStringLiteral("Bench"), document, QString()};
    Chart()
    {
        document.reset(hundredTools());
        window.resize(1280, 800);
        window.show();
    }
};

/// The view painted whole into an image of its size: candles, grid, axes and every tool's shapes.
void RepaintHundredToolsOnTwoThousandBars(benchmark::State& state)
{
    Chart chart;
    ChartView& view = chart.window.view();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        view.render(&image);
}
BENCHMARK(RepaintHundredToolsOnTwoThousandBars)->Unit(benchmark::kMillisecond)->UseRealTime();

/// One keystroke in the retracement's dialog to the chart repainted with the value it makes:
/// the key, the preview the library reports, the view's update, and the paint.
void KeystrokeToRepaintedChart(benchmark::State& state)
{
    Chart chart;
    ChartView& view = chart.window.view();
    int paints = 0;
    struct PaintCounter : QObject {
        int& paints;
        explicit PaintCounter(int& p) : paints(p) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    view.installEventFilter(&counter);

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
                const int before = paints;
                QCoreApplication::sendEvent(box, &press);
                QElapsedTimer waited;
                waited.start();
                while (paints == before && waited.elapsed() < 1000)
                    QCoreApplication::processEvents();
                if (paints == before) {
                    state.SkipWithError("the chart did not repaint: no preview");
                    break;
                }
            }
        }
        if (dialog)
            dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    });
    chart.window.editProperties(0);
}
BENCHMARK(KeystrokeToRepaintedChart)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Settings of its own: the tools start from their built-in defaults.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    nameApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
