#include "chart/model/DrawingsFile.h"

#include "chart/model/ReadLimited.h"
#include "chart/model/WriteWhole.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <charconv>
#include <cmath>

namespace zarvchart {
namespace {

const QString formatName = QStringLiteral("zarvchart drawings");

} // namespace

double shortestDouble(float f)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, f);
    double d = 0;
    std::from_chars(text, written.ptr, d);
    return float(d) == f ? d : double(f);
}

QJsonObject parametersToJson(const QVariantMap& parameters)
{
    QJsonObject json;
    for (auto it = parameters.begin(); it != parameters.end(); ++it) {
        const QVariant& v = it.value();
        if (v.typeId() == QMetaType::Float)
            json.insert(it.key(), shortestDouble(v.toFloat()));
        else
            json.insert(it.key(), QJsonValue::fromVariant(v));
    }
    return json;
}

QVariantMap parametersFromJson(const QJsonObject& json)
{
    QVariantMap parameters;
    for (auto it = json.begin(); it != json.end(); ++it)
        parameters.insert(it.key(), it.value().isDouble() ? QVariant(it.value().toDouble()) : it.value().toVariant());
    return parameters;
}

QByteArray drawingsToJson(const std::vector<Drawing>& drawings)
{
    QJsonArray list;
    for (const Drawing& d : drawings) {
        QJsonArray anchors;
        for (const ChartPoint& p : d.anchors)
            anchors.append(QJsonArray{p.x, p.y});
        QJsonObject item{{QStringLiteral("tool"), d.progId},
                         {QStringLiteral("anchors"), anchors},
                         {QStringLiteral("parameters"), parametersToJson(d.parameters)}};
        // Written only when set, so that a file without locked drawings is as it always was.
        if (d.locked)
            item.insert(QStringLiteral("locked"), true);
        list.append(item);
    }
    const QJsonObject file{{QStringLiteral("format"), formatName},
                           {QStringLiteral("version"), drawingsFormatVersion},
                           {QStringLiteral("drawings"), list}};
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

std::vector<Drawing> drawingsFromJson(const QByteArray& json, const QString& name)
{
    auto fail = [&](const QString& why) -> void { throw ChartError(QStringLiteral("%1: %2").arg(name, why)); };

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const auto line = json.left(error.offset).count('\n') + 1;
        throw ChartError(QStringLiteral("%1 line %2: %3; this is no drawings file, or a damaged one")
                             .arg(name)
                             .arg(line)
                             .arg(error.errorString()));
    }
    const QJsonObject file = document.object();
    if (file.value(QStringLiteral("format")).toString() != formatName)
        fail(QStringLiteral("this is no drawings file (it should say \"format\": \"%1\")").arg(formatName));
    const QJsonValue version = file.value(QStringLiteral("version"));
    if (version.toDouble(-1) != drawingsFormatVersion)
        fail(QStringLiteral("the drawings are in format version %1, and this program reads version %2 only")
                 .arg(version.isDouble() ? QString::number(version.toDouble()) : QStringLiteral("(none)"))
                 .arg(drawingsFormatVersion));
    if (!file.value(QStringLiteral("drawings")).isArray())
        fail(QStringLiteral("\"drawings\" is not a list"));

    std::vector<Drawing> drawings;
    const QJsonArray list = file.value(QStringLiteral("drawings")).toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        auto bad = [&](const QString& why) { fail(QStringLiteral("drawing %1: %2").arg(i + 1).arg(why)); };
        const QJsonObject item = list[i].toObject();
        Drawing d;
        d.progId = item.value(QStringLiteral("tool")).toString();
        if (d.progId.isEmpty())
            bad(QStringLiteral("no \"tool\""));
        for (const QJsonValue& anchor : item.value(QStringLiteral("anchors")).toArray()) {
            const QJsonArray xy = anchor.toArray();
            if (xy.size() != 2 || !xy[0].isDouble() || !xy[1].isDouble())
                bad(QStringLiteral("an anchor is not a pair of numbers"));
            d.anchors.push_back({xy[0].toDouble(), xy[1].toDouble()});
        }
        if (!item.value(QStringLiteral("parameters")).isObject())
            bad(QStringLiteral("no \"parameters\""));
        d.parameters = parametersFromJson(item.value(QStringLiteral("parameters")).toObject());
        const QJsonValue locked = item.value(QStringLiteral("locked"));
        if (!locked.isUndefined() && !locked.isBool())
            bad(QStringLiteral("\"locked\" is neither true nor false"));
        d.locked = locked.toBool();
        drawings.push_back(std::move(d));
    }
    return drawings;
}

void writeDrawingsFile(const QString& path, const std::vector<Drawing>& drawings)
{
    writeWhole(path, drawingsToJson(drawings));
}

std::vector<Drawing> readDrawingsFile(const QString& path)
{
    return drawingsFromJson(readLimited(path, largestDrawingsFile), path);
}

} // namespace zarvchart
