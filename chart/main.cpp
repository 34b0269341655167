// zarvchart: a price chart with the twelve line tools, each placed with the mouse and edited
// through its parameter dialog, as a charting host uses the library.

#include "chart/app/ApplicationName.h"
#include "chart/app/DemoChart.h"
#include "chart/app/DrawingActions.h"
#include "chart/app/ExitSignals.h"
#include "chart/app/MainWindow.h"
#include "chart/app/WindowSettings.h"
#include "chart/host/DrawingsStore.h"
#include "chart/model/WriteWhole.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStatusBar>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

using namespace zarvchart;

struct Options {
    QString csv;
    QString open;
    QString screenshot;
    bool demo = false;
    std::optional<QPoint> pointer;
    bool magnet = false;
};

/// A message for the user: on standard error always, and in a box when the chart would show.
void tell(const QString& text, bool shown)
{
    std::fprintf(stderr, "zarvchart: %s\n", qPrintable(text));
    if (shown)
        QMessageBox::warning(nullptr, QStringLiteral("zarvchart"), text);
}

bool parse(const QApplication& app, Options& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A price chart with the twelve line tools of ZarvLinesParm."));
    parser.addHelpOption();
    const QCommandLineOption csv(
        QStringLiteral("csv"),
        QStringLiteral("Prices from FILE: separated values under a header naming the time, Open, "
                       "High, Low, Close and optionally Volume columns."),
        QStringLiteral("FILE"));
    const QCommandLineOption open(QStringLiteral("open"),
                                  QStringLiteral("The drawings of FILE instead of those kept from the last run."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the chart offscreen into FILE (PNG) and exit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("One tool of each kind on the sample data; with --screenshot, one of them "
                       "edited through its dialog first. Keeps no drawings."));
    const QCommandLineOption pointer(
        QStringLiteral("pointer"),
        QStringLiteral("With --screenshot: the mouse resting at X,Y, in pixels from the chart's top "
                       "left corner (the crosshair, the bar's values, the drawing a click would take)."),
        QStringLiteral("X,Y"));
    const QCommandLineOption magnet(
        QStringLiteral("magnet"),
        QStringLiteral("The magnet on: points set or dragged near a bar's open, high, low or close "
                       "take it (with --pointer, the crosshair shows where)."));
    parser.addOptions({csv, open, screenshot, demo, pointer, magnet});
    parser.process(app);
    options = {parser.value(csv),  parser.value(open), parser.value(screenshot),
               parser.isSet(demo), std::nullopt,       parser.isSet(magnet)};
    if (parser.isSet(pointer)) {
        const QStringList xy = parser.value(pointer).split(QLatin1Char(','));
        bool x = false, y = false;
        if (xy.size() == 2)
            options.pointer = QPoint(xy[0].trimmed().toInt(&x), xy[1].trimmed().toInt(&y));
        if (!x || !y) {
            std::fprintf(stderr, "zarvchart: --pointer needs X,Y in whole pixels, not %s\n%s",
                         qPrintable(parser.value(pointer)), qPrintable(parser.helpText()));
            return false;
        }
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "zarvchart: unexpected argument %s\n%s", qPrintable(parser.positionalArguments().front()),
                     qPrintable(parser.helpText()));
        return false;
    }
    // An empty name is no file: not the sample data, nor a chart shown instead of a picture.
    for (const QCommandLineOption* option : {&csv, &open, &screenshot}) {
        if (parser.values(*option).contains(QString())) {
            std::fprintf(stderr, "zarvchart: --%s needs a file name\n%s", qPrintable(option->names().front()),
                         qPrintable(parser.helpText()));
            return false;
        }
    }
    return true;
}

/// `picture` as PNG, or empty when it cannot be encoded.
QByteArray pngOf(const QImage& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    return buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG") ? png : QByteArray();
}

} // namespace

int main(int argc, char** argv)
{
    // A screenshot is taken off screen even where there is a display, and help needs none;
    // without a display nothing else can be done.
    bool windowless = false;
    for (int i = 1; i < argc; ++i)
        windowless = windowless || std::strncmp(argv[i], "--screenshot", 12) == 0 || std::strcmp(argv[i], "--help") == 0
            || std::strcmp(argv[i], "-h") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        if (windowless) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        } else if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            std::fprintf(stderr,
                         "zarvchart: no display to show the chart on; --screenshot FILE.png renders it offscreen\n");
            return 1;
        }
    }
    // The offscreen platform says this of every fixed-size dialog; it means no fault.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("does not support propagateSizeHints")))
            previous(type, context, message);
    });

    QApplication app(argc, argv);
    nameApplication();
    Options options;
    if (!parse(app, options))
        return 2;
    const bool shown = options.screenshot.isEmpty();
    // A logout, a shutdown or Ctrl+C ends a shown chart through its event loop, once the window
    // has kept its drawings (it hears of the signal first, the loop's end is queued after it).
    int endedBy = 0;
    if (shown) {
        QObject::connect(
            &ExitSignals::instance(), &ExitSignals::caught, &app,
            [&endedBy](int signal) {
                endedBy = signal;
                QCoreApplication::exit(128 + signal);
            },
            Qt::QueuedConnection);
    }

    // The demo and a screenshot keep nothing and remember nothing: the user's own drawings and
    // window stay as they were, and a picture shows what a first start shows.
    const bool keeping = shown && !options.demo;
    StartingPrices startPrices;
    try {
        startPrices = startingPrices(options.csv, keeping);
    } catch (const ChartError& e) {
        tell(e.message(), shown);
        return 1;
    }
    PriceData prices(std::move(startPrices.file), startPrices.path);

    ChartDocument document;
    StartingDrawings start;
    if (options.demo && options.open.isEmpty()) {
        start.drawings = demoDrawings(prices.series());
    } else {
        try {
            start = startingDrawings(prices.path(), options.open, keeping);
        } catch (const ChartError& e) {
            tell(e.message(), shown);
            return 1;
        }
    }
    document.reset(start.drawings);

    MainWindow window(prices, document, start.keepIn);
    if (!options.open.isEmpty())
        window.setDrawingsFile(QFileInfo(options.open).absoluteFilePath());
    window.resize(1280, 800);
    if (keeping) {
        window.remember();
        if (!prices.path().isEmpty())
            notePricesOpened(prices.path());
    }
    if (options.magnet)
        window.drawingActions().magnet()->setChecked(true);
    window.show();
    window.showSkippedRows(prices.skipped());
    if (!startPrices.message.isEmpty())
        window.statusBar()->showMessage(startPrices.message);
    if (!start.message.isEmpty())
        tell(start.message, shown);
    if (shown)
        return endedBy ? 128 + endedBy : app.exec(); // a signal during the message above needs no loop

    if (options.demo) {
        std::printf("%s\n", qPrintable(demoEdit(window, document)));
        window.view().select(-1);
    }
    // The window's layout settles first, or the status bar's message would be missing.
    QCoreApplication::processEvents();
    if (options.pointer) {
        const QPointF at(*options.pointer);
        QMouseEvent move(QEvent::MouseMove, at, window.view().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&window.view(), &move);
    }
    // Encoded first, then written whole or not at all: a full disk leaves the old picture as it was.
    try {
        const QByteArray png = pngOf(window.grab().toImage());
        if (png.isEmpty())
            throw ChartError(
                QStringLiteral("%1: cannot be written (the picture cannot be encoded)").arg(options.screenshot));
        writeWhole(options.screenshot, png);
    } catch (const ChartError& e) {
        tell(e.message(), false);
        return 1;
    }
    return 0;
}
