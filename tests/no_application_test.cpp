// A host with no QApplication of its own: Start makes one, keeps it, and the dialog runs.

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

int main()
{
    using namespace ZarvLinesParm;
    if (QCoreApplication::instance()) {
        std::puts("an application exists before Start");
        return 1;
    }
    CircleElipseCls c;
    c.Fill(3);
    c.Cor(2, 0x123456);

    // Posted before any application exists; delivered once Start runs the dialog's loop.
    QObject presser;
    QMetaObject::invokeMethod(&presser, [] {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll] {
            QWidget* d = QApplication::activeModalWidget();
            if (!d)
                return;
            poll->stop();
            poll->deleteLater();
            d->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        });
        poll->start(1);
    }, Qt::QueuedConnection);

    try {
        c.Start(1, "Ellipse");
    } catch (const Error& e) {
        std::printf("Start failed: %d %s\n", e.number(), e.what());
        return 1;
    }
    const bool kept = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    const bool ok = kept && c.Fill() == 1 && c.Cor(2) == 0x123456 && QApplication::topLevelWidgets().isEmpty();
    std::printf("application kept: %d, Fill %d, Cor(2) %d: %s\n", kept, c.Fill(), c.Cor(2), ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
