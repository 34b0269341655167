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

int errorOf(auto&& call)
{
    try {
        call();
    } catch (const ComponentError& e) {
        return e.number();
    }
    return 0;
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

// The library makes the application at Start and keeps it; so it keeps itself loaded too.
int withoutApplication(const std::string& library)
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
    std::printf("%s\n", failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool noApplication = argc == 3 && std::string(argv[1]) == "--no-application";
    if (argc != 2 && !noApplication) {
        std::fputs("usage: registry_host [--no-application] LIBRARY_FILE\n", stderr);
        return 2;
    }
    const std::string library = argv[argc - 1];
    try {
        if (noApplication)
            return withoutApplication(library);
    } catch (const ComponentError& e) {
        std::printf("failed: error %d: %s\n", e.number(), e.what());
        return 1;
    }

    QApplication app(argc, argv);
    check(!loaded(library), "the library is not linked");

    try {
        {
            auto circle = CreateObjectFromRegistry("zarvlinesparm.CIRCLEELIPSECLS");
            check(circle->progId() == "ZarvLinesParm.CircleElipseCls", "the registry's spelling");
            check(loaded(library), "loaded while an object lives");
            circle->let("Cor", {std::int16_t{1}, std::int32_t{255}});
            circle->let("Fill", {std::int16_t{1}});
            pressOkWhenShown();
            check(circle->call("Start", {std::int16_t{1}, std::string("Ellipse")}).index() == 0, "Start returns empty");
            check(circle->get("Cor", {std::int16_t{1}}) == ZarvLinesParm::Variant(std::int32_t{255}), "Cor(1) after OK");
            check(circle->get("Fill") == ZarvLinesParm::Variant(std::int16_t{1}), "Fill after OK");
            check(errorOf([&] { circle->get("Cor", {std::int16_t{3}}); }) == 9, "error 9 through the loader");
            check(errorOf([&] { circle->let("Fill", {std::string("x")}); }) == 13, "error 13 through the loader");
        }
        check(!loaded(library), "unloaded after the last release");

        // Every class the registry names for the library, created as any host would.
        const auto entries = ZarvLinesParm::registry::Registry::load(ZarvLinesParm::registry::registryPath());
        int classes = 0;
        for (const auto& line : entries.lines()) {
            if (!line.key.starts_with("ProgID/ZarvLinesParm.") || !line.key.ends_with("/CLSID"))
                continue;
            auto object = CreateObjectFromRegistry(line.key.substr(7, line.key.size() - 7 - 6));
            check(object->get("SaveDefault").index() == 1, "every class has a 16-bit SaveDefault");
            ++classes;
        }
        check(classes >= 1, "the registry names the library's classes");
        std::printf("%d classes through the registry\n", classes);

        // Loaded afresh, the library's records start zeroed again.
        auto again = CreateObjectFromRegistry("ZarvLinesParm.CircleElipseCls");
        check(again->get("Fill") == ZarvLinesParm::Variant(std::int16_t{0}), "records new after reloading");
    } catch (const ComponentError& e) {
        std::printf("failed: error %d: %s\n", e.number(), e.what());
        return 1;
    }
    check(!loaded(library), "unloaded again");
    check(errorOf([] { CreateObjectFromRegistry("ZarvLinesParm.NoSuchClass"); }) == 429, "unknown ProgID");

    std::printf("%s\n", failures ? "FAILED" : "passed");
    return failures ? 1 : 0;
}
