// A host that knows the library only by the ProgIDs in the component registry: it links Qt for
// its own user interface but not the library, which it loads, uses for one Start, and lets go.
//
//   registry_host [--no-application] LIBRARY_FILE
//
// LIBRARY_FILE is the library as registered, to see that it is loaded only while used. With
// --no-application the host makes no QApplication, so the library makes one for its dialog and
// must then stay loaded: that application needs the library's code.

#include <ZarvLinesParm/ComponentLoader.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <string>

#include <dlfcn.h>

namespace {

using ZarvLinesParm::Variant;
using ZarvLinesParm::loader::ComponentError;
using ZarvLinesParm::loader::CreateObjectFromRegistry;

int failures = 0;

void check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("failed: %s\n", what);
        ++failures;
    }
}

bool loaded(const std::string& file)
{
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        ::dlclose(handle);
    return handle != nullptr;
}

// Presses OK in whatever modal dialog shows next.
void pressOkWhenShown()
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    poll->start(1);
}

// Loaded while an object lives, answered through the loader, unloaded after the last release.
void withApplication(int argc, char** argv, const std::string& library)
{
    QApplication app(argc, argv);
    check(!loaded(library), "the library is not linked");
    {
        auto circle = CreateObjectFromRegistry("zarvlinesparm.CIRCLEELIPSECLS");
        check(circle->progId() == "ZarvLinesParm.CircleElipseCls", "the registry's spelling");
        check(loaded(library), "loaded while an object lives");
        circle->let("Cor", {std::int16_t{1}, std::int32_t{255}});
        circle->let("Fill", {std::int16_t{1}});
        pressOkWhenShown();
        check(circle->call("Start", {std::int16_t{1}, std::string("Ellipse")}).index() == 0, "Start returns empty");
        check(circle->get("Cor", {std::int16_t{1}}) == Variant(std::int32_t{255})
                  && circle->get("Fill") == Variant(std::int16_t{1}),
              "the values after OK");
        try {
            circle->get("Cor", {std::int16_t{3}});
            check(false, "Cor(3) read");
        } catch (const ComponentError& e) {
            check(e.number() == 9, "the library's error number");
        }
    }
    check(!loaded(library), "unloaded after the last release");
}

// The library makes the application at Start and keeps it; so it keeps itself loaded too.
void withoutApplication(const std::string& library)
{
    check(!loaded(library), "the library is not linked");
    {
        auto circle = CreateObjectFromRegistry("ZarvLinesParm.CircleElipseCls");
        // Queued before any application exists; delivered once Start runs the dialog's loop.
        QObject context;
        QMetaObject::invokeMethod(&context, pressOkWhenShown, Qt::QueuedConnection);
        circle->call("Start", {std::int16_t{0}, std::string()});
    }
    check(QCoreApplication::instance() != nullptr, "the library made an application");
    check(loaded(library), "kept loaded under the application it made");
}

} // namespace

int main(int argc, char** argv)
{
    const bool noApplication = argc == 3 && std::string(argv[1]) == "--no-application";
    if (argc != 2 && !noApplication) {
        std::fputs("usage: registry_host [--no-application] LIBRARY_FILE\n", stderr);
        return 2;
    }
    try {
        if (noApplication)
            withoutApplication(argv[2]);
        else
            withApplication(argc, argv, argv[1]);
    } catch (const ComponentError& e) {
        std::printf("failed: error %d: %s\n", e.number(), e.what());
        return 1;
    }
    std::printf("%s\n", failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}
