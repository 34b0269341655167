// What a live-preview handler costs Start: one whole Start of every class (load, show, press OK,
// unload) with no handler registered and with one, in alternation in the same run. The handler
// reads one getter of the view, as a host's redraw would start; with only "OK" pressed it is
// called once, when Start ends, after the dialog was watched and its would-be outcome taken.
//
//     preview_bench [--rounds N]      (default 300 timed rounds per class, after 30 warm-up ones)

#include "DialogRounds.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace ZarvLinesParm;
using namespace bench;

int main(int argc, char** argv)
{
    int rounds = 300;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    std::printf("Start of each class with no preview handler and with one (%s, median of %d)\n\n",
                qPrintable(QGuiApplication::platformName()), rounds);
    std::printf("| Class | No handler (us) | Handler (us) | Difference (us) | Handler calls |\n"
                "|---|---:|---:|---:|---:|\n");
    for (const std::string& progId : ProgIds()) {
        const auto object = CreateObject(progId);
        const std::vector<Variant> args = startArguments(progId);
        long calls = 0;
        const PreviewHandler handler = [&calls](Object& view, PreviewStage) {
            ++calls;
            view.invoke("SaveDefault", Invoke::Get, {});
        };
        auto startOnce = [&](bool withHandler) {
            SetPreviewHandler(progId, withHandler ? handler : PreviewHandler());
            onceShown(pressOk);
            QElapsedTimer clock;
            clock.start();
            object->invoke("Start", Invoke::Method, args);
            return clock.nsecsElapsed() / 1000.0;
        };
        for (int i = 0; i < 30; ++i) {
            startOnce(false);
            startOnce(true);
        }
        calls = 0;
        std::vector<double> without, with;
        for (int i = 0; i < rounds; ++i) {
            without.push_back(startOnce(false));
            with.push_back(startOnce(true));
        }
        SetPreviewHandler(progId, nullptr);
        const double a = median(without), b = median(with);
        std::printf("| %s | %.0f | %.0f | %+.0f | %ld |\n", progId.substr(progId.find('.') + 1).c_str(), a, b, b - a,
                    calls);
        std::fflush(stdout);
    }
    return 0;
}
