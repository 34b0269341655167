#include <QApplication>

#include <gtest/gtest.h>

// The dialogs need a widgets application, as a host has; tests run offscreen.
int main(int argc, char** argv)
{
    // The offscreen platform says so each time a fixed-size dialog is laid out; it is no fault.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("does not support propagateSizeHints")))
            previous(type, context, message);
    });
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
