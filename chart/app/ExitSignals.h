#pragma once

// The signals that end a program from outside, SIGTERM (a logout, a shutdown), SIGINT (Ctrl+C)
// and SIGHUP (its terminal gone), brought into the event loop: the handler only writes the
// signal's number into a pipe, and `caught` is emitted from the loop, where a file can be
// written whole. A signal never writes anything itself; one that nothing listens for ends the
// program as it would have.

#include <QObject>

class QSocketNotifier;

namespace zarvchart {

class ExitSignals : public QObject {
    Q_OBJECT
public:
    /// The one watcher; the handlers are installed when it is first asked for, after the
    /// application is made.
    static ExitSignals& instance();

Q_SIGNALS:
    void caught(int signal);

private:
    ExitSignals();
    QSocketNotifier* notifier_;
};

} // namespace zarvchart
