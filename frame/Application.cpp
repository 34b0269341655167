#include "frame/Application.h"

#include "frame/Display.h"

#include <ZarvLinesParm/Types.h>

#include <QApplication>
#include <QThread>

namespace ZarvLinesParm::frame {

namespace detail {

std::atomic<std::thread::id> owner{};

} // namespace detail

namespace {

// Set on the owning thread right before the library makes the application, and never cleared:
// from then on the owner on record is the application's thread, and no other thread has any
// reason to look at the application object while it is being built.
std::atomic<bool> making{false};
std::atomic<QCoreApplication*> ours{nullptr};

} // namespace

bool detail::claimOwnership()
{
    const std::thread::id caller = std::this_thread::get_id();
    if (!making.load(std::memory_order_acquire)) {
        // Once the host has an application, its thread owns the library.
        if (const QCoreApplication* app = QCoreApplication::instance()) {
            if (app->thread() != QThread::currentThread())
                return false;
            owner.store(caller, std::memory_order_release);
            return true;
        }
    }
    std::thread::id nobody;
    return owner.compare_exchange_strong(nobody, caller, std::memory_order_acq_rel);
}

void detail::refuseOtherThread() { throw Error(5, "called off the thread that owns the library"); }

void ensureApplication()
{
    requireOwningThread();
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        // The toolkit ends the process when it finds no display; find out before it tries.
        const DisplayProbe display = requireDisplay();
        making.store(true, std::memory_order_release);
        // QApplication keeps references to argc and argv for its whole life.
        static int argc = 1;
        static char name[] = "ZarvLinesParm";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        ours.store(app, std::memory_order_release);
    }
    if (!qobject_cast<QApplication*>(app))
        throw Error(5, "the host's application object cannot show widgets");
    if (QThread::currentThread() != app->thread())
        throw Error(5, "dialogs run on the application's thread only");
}

bool ownsApplication()
{
    const QCoreApplication* app = ours.load(std::memory_order_acquire);
    return app && QCoreApplication::instance() == app;
}

} // namespace ZarvLinesParm::frame
