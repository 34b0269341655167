#include "Display.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace zarvcli {

bool noDisplay()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

bool windowsUnseen()
{
    if (noDisplay())
        return true;
    // "offscreen" or "offscreen:option=value": the platform's name comes before any options.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM").split(':').front().trimmed();
    return platform == "offscreen" || platform == "minimal";
}

void selectPlatform()
{
    if (noDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void quietOffscreenNotes()
{
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("does not support propagateSizeHints")))
            previous(type, context, message);
    });
}

} // namespace zarvcli
