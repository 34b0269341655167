#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

// The dialogs need a widgets application, as a host has; tests run offscreen. Built with
// LARGE_TEXT, as a user with a high-density screen and a large system font has it: device pixel
// ratio 2 and a 20-point application font.
int main(int argc, char** argv)
{
    // The offscreen platform says so each time a fixed-size dialog is laid out; it is no fault.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("does not support propagateSizeHints")))
            previous(type, context, message);
    });
#ifdef LARGE_TEXT
    qputenv("QT_SCALE_FACTOR", "2");
#endif
    QApplication app(argc, argv);
#ifdef LARGE_TEXT
    QFont font = QApplication::font();
    font.setPointSize(20);
    QApplication::setFont(font);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
