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

} // namespace

QVariantMap defaultsOf(const ToolKind& kind)
{
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
    QSettings().setValue(keyOf(kind),
                         QString::fromUtf8(QJsonDocument(parametersToJson(parameters)).toJson(QJsonDocument::Compact)));
}

void resetDefaults()
{
    QSettings().remove(group);
}

} // namespace zarvchart
