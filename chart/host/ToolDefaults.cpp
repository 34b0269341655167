#include "chart/host/ToolDefaults.h"

#include "chart/host/ToolClass.h"
#include "chart/model/DrawingsFile.h"

#include <QJsonDocument>
#include <QSettings>

namespace zarvchart {
namespace {

const QString group = QStringLiteral("Defaults");

/// "Defaults/RetracementParmClass" for "ZarvLinesParm.RetracementParmClass".
QString keyOf(const ToolKind& kind) { return group + QLatin1Char('/') + kind.progId.section(QLatin1Char('.'), -1); }

/// Writes what `settings` holds to its file now; a failure is a ChartError saying which file.
void written(QSettings& settings)
{
    settings.sync();
    if (settings.status() == QSettings::AccessError)
        throw ChartError(QStringLiteral("%1: cannot be written").arg(settings.fileName()));
    if (settings.status() == QSettings::FormatError)
        throw ChartError(QStringLiteral("%1: cannot be read, so it is not written over").arg(settings.fileName()));
}

} // namespace

QVariantMap defaultsOf(const ToolKind& kind)
{
    if (!unavailable(kind).isEmpty())
        return kind.builtInDefaults;
    const ToolClass& tool = ToolClass::of(kind);
    const QString kept = QSettings().value(keyOf(kind)).toString();
    if (!kept.isEmpty()) {
        try {
            return tool.typed(parametersFromJson(QJsonDocument::fromJson(kept.toUtf8()).object()));
        } catch (const ChartError& e) {
            qWarning("zarvchart: the kept defaults of %s are ignored: %s", qPrintable(kind.title), e.what());
        }
    }
    return tool.typed({});
}

void keepDefaults(const ToolKind& kind, const QVariantMap& parameters)
{
    QSettings settings;
    const QVariant before = settings.value(keyOf(kind));
    settings.setValue(keyOf(kind),
                      QString::fromUtf8(QJsonDocument(parametersToJson(parameters)).toJson(QJsonDocument::Compact)));
    try {
        written(settings);
    } catch (const ChartError&) {
        // Not kept, so not to be taken from here as if it were.
        if (before.isValid())
            settings.setValue(keyOf(kind), before);
        else
            settings.remove(keyOf(kind));
        throw;
    }
}

bool defaultsKept()
{
    QSettings settings;
    settings.beginGroup(group);
    return !settings.childKeys().isEmpty();
}

void resetDefaults()
{
    QSettings settings;
    settings.beginGroup(group);
    QVariantMap before;
    for (const QString& key : settings.childKeys())
        before.insert(key, settings.value(key));
    settings.endGroup();
    settings.remove(group);
    try {
        written(settings);
    } catch (const ChartError&) {
        for (auto it = before.begin(); it != before.end(); ++it)
            settings.setValue(group + QLatin1Char('/') + it.key(), it.value());
        throw;
    }
}

} // namespace zarvchart
