#include <QAccessible>
#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

// Every dialog as a user with a high-density screen and a large system font sees it: device
// pixel ratio 2 and a 20-point application font.
int main(int argc, char** argv)
{
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("does not support propagateSizeHints")))
            previous(type, context, message);
    });
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    // As while a screen reader listens: the dialogs then name their controls.
    QAccessible::setActive(true);
    QFont font = QApplication::font();
    font.setPointSize(20);
    QApplication::setFont(font);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
