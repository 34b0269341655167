// A host that knows the library only by the ProgIDs in the component registry: it links Qt for
// its own user interface but not the library, which it loads, uses for one Start, and lets go.
//
//   registry_host LIBRARY_FILE
//
// LIBRARY_FILE is the library as registered, to see that it is loaded only while used.

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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: registry_host LIBRARY_FILE\n", stderr);
        return 2;
    }
    const std::string library = argv[1];
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
