#include "frame/Display.h"

#include <ZarvLinesParm/Types.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>

#include <xcb/xcb.h>

#include <set>

namespace ZarvLinesParm::frame {
namespace {

// The platforms the toolkit tries in turn: those QT_QPA_PLATFORM names ("name:options;..."),
// or its own choice on a desktop.
QStringList platformsTried(bool& chosen)
{
    QStringList names;
    const QString named = qEnvironmentVariable("QT_QPA_PLATFORM");
    chosen = !named.isEmpty();
    for (const QString& entry : named.split(u';', Qt::SkipEmptyParts))
        names << entry.section(u':', 0, 0).trimmed().toLower();
    if (chosen)
        return names;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        names << QStringLiteral("wayland");
    names << QStringLiteral("xcb");
    return names;
}

// The names of the platform plugins installed where the toolkit looks for them, in lower case;
// each plugin's names are read from its file without loading it.
std::set<QString> installedPlatforms()
{
    QStringList folders;
    if (const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !own.isEmpty())
        folders << own;
    for (const QString& path : qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders << path + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");

    std::set<QString> names;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QJsonObject meta = QPluginLoader(dir.filePath(file)).metaData();
            if (!meta.value(QLatin1String("IID"))
                     .toString()
                     .startsWith(QLatin1String("org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface")))
                continue;
            const QJsonArray keys =
                meta.value(QLatin1String("MetaData")).toObject().value(QLatin1String("Keys")).toArray();
            for (const QJsonValue key : keys)
                names.insert(key.toString().toLower());
        }
    }
    return names;
}

// The connection the toolkit's X11 platform would make, to the display DISPLAY names; empty, with
// the reason in `failure`, when it cannot be made.
DisplayProbe openXDisplay(QString& failure)
{
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        failure = QStringLiteral("DISPLAY is not set");
        return {};
    }
    DisplayProbe connection(xcb_connect(display.constData(), nullptr),
                            [](void* c) { xcb_disconnect(static_cast<xcb_connection_t*>(c)); });
    if (xcb_connection_has_error(static_cast<xcb_connection_t*>(connection.get())) == 0)
        return connection;
    failure = QStringLiteral("cannot open the X display \"%1\"").arg(QString::fromLocal8Bit(display));
    return {};
}

} // namespace

DisplayProbe requireDisplay()
{
    bool chosen = false;
    const QStringList platforms = platformsTried(chosen);
    // The toolkit's own choice with no sign of Wayland is X11 alone.
    if (!chosen && platforms.size() == 1 && qEnvironmentVariableIsEmpty("DISPLAY"))
        throw Error(68, "no display: neither DISPLAY nor WAYLAND_DISPLAY is set");

    const std::set<QString> installed = installedPlatforms();
    QStringList failures;
    bool pluginMissing = false;
    for (const QString& platform : platforms) {
        if (!installed.count(platform)) {
            failures << QStringLiteral("no platform plugin \"%1\"").arg(platform);
            pluginMissing = true;
        } else if (platform != QLatin1String("xcb")) {
            return {};
        } else {
            QString failure;
            if (DisplayProbe connection = openXDisplay(failure))
                return connection;
            failures << failure;
        }
    }
    QString detail = failures.join(QStringLiteral("; "));
    if (pluginMissing) {
        const QStringList names(installed.begin(), installed.end());
        detail += QStringLiteral(" (installed: %1)").arg(names.join(QStringLiteral(", ")));
    }
    throw Error(68, detail.toStdString());
}

} // namespace ZarvLinesParm::frame
