#include "chart/app/ExitSignals.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace zarvchart {
namespace {

int pipeEnds[2] = {-1, -1};

extern "C" void onExitSignal(int signal)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds a signal to act on.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = saved;
}

} // namespace

ExitSignals& ExitSignals::instance()
{
    // Parented to the application, so that it goes with it; made once.
    static ExitSignals* watcher = new ExitSignals;
    return *watcher;
}

ExitSignals::ExitSignals() : QObject(QCoreApplication::instance())
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        qFatal("zarvchart: no pipe for the exit signals");
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char number = 0;
        while (::read(pipeEnds[0], &number, 1) == 1) {
            // A signal nobody listens for (no window keeps drawings) ends the program as it would
            // have without the handler.
            if (!isSignalConnected(QMetaMethod::fromSignal(&ExitSignals::caught))) {
                ::signal(number, SIG_DFL);
                ::raise(number);
            }
            Q_EMIT caught(number);
        }
    });
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace zarvchart
