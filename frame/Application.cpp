#include "frame/Application.h"

#include <ZarvLinesParm/Types.h>

#include <QApplication>
#include <QThread>

namespace ZarvLinesParm::frame {
namespace {

QCoreApplication* ours = nullptr;

} // namespace

void ensureApplication()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        // QApplication keeps references to argc and argv for its whole life.
        static int argc = 1;
        static char name[] = "ZarvLinesParm";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        ours = app;
    }
    if (!qobject_cast<QApplication*>(app))
        throw Error(5, "the host's application object cannot show widgets");
    if (QThread::currentThread() != app->thread())
        throw Error(5, "dialogs run on the host's user-interface thread only");
}

bool ownsApplication()
{
    return ours && QCoreApplication::instance() == ours;
}

} // namespace ZarvLinesParm::frame
