#include "chart/host/ToolClass.h"

#include "chart/model/ReadLimited.h"

#include <cfloat>
#include <cmath>
#include <map>
#include <memory>

namespace zarvchart {

using ZarvLinesParm::Invoke;
using ZarvLinesParm::MemberInfo;
using ZarvLinesParm::ValueType;
using ZarvLinesParm::Variant;

namespace {

// Members the host answers for itself rather than per drawing: whether the user pressed
// "Save as Default", and the dialog's title.
const std::string saveDefault = "SaveDefault";
const std::string caption = "Caption";

bool sameName(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

QString title(const ToolKind& kind) { return kind.dialogCaption.isEmpty() ? kind.title : kind.dialogCaption; }

QVariant zeroOf(ValueType type)
{
    switch (type) {
    case ValueType::Int16:
    case ValueType::Int32: return 0;
    case ValueType::Float: return 0.0f;
    case ValueType::String: return QString();
    }
    return {};
}

/// `value` as a parameter of `type`, or why it cannot be one.
std::optional<QVariant> converted(const QVariant& value, ValueType type)
{
    if (type == ValueType::String)
        return value.typeId() == QMetaType::QString ? std::optional<QVariant>(value) : std::nullopt;
    const bool numeric = value.typeId() == QMetaType::Int || value.typeId() == QMetaType::Float
        || value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong;
    if (!numeric)
        return std::nullopt;
    const double d = value.toDouble();
    if (type == ValueType::Float)
        return std::isfinite(d) && std::abs(d) <= FLT_MAX ? std::optional<QVariant>(float(d)) : std::nullopt;
    const double limit = type == ValueType::Int16 ? 32767 : 2147483647;
    if (d != std::floor(d) || d < -limit - 1 || d > limit)
        return std::nullopt;
    return QVariant(int(d));
}

QString expected(ValueType type)
{
    switch (type) {
    case ValueType::Int16: return QStringLiteral("a whole number from -32768 to 32767");
    case ValueType::Int32: return QStringLiteral("a whole number from -2147483648 to 2147483647");
    case ValueType::Float: return QStringLiteral("a number");
    case ValueType::String: return QStringLiteral("text");
    }
    return {};
}

Variant toVariant(const QVariant& value, ValueType type)
{
    switch (type) {
    case ValueType::Int16: return std::int16_t(value.toInt());
    case ValueType::Int32: return std::int32_t(value.toInt());
    case ValueType::Float: return value.toFloat();
    case ValueType::String: return value.toString().toStdString();
    }
    return {};
}

QVariant fromVariant(const Variant& value)
{
    return std::visit(
        [](const auto& v) -> QVariant {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return QString::fromStdString(v);
            else if constexpr (std::is_same_v<T, std::monostate>)
                return {};
            else if constexpr (std::is_floating_point_v<T>)
                return float(v);
            else
                return int(v);
        },
        value);
}

} // namespace

ToolClass::ToolClass(const ToolKind& kind) : kind_(&kind)
{
    for (const MemberInfo& m : ZarvLinesParm::Describe(kind.progId.toStdString())) {
        if (m.kind == MemberInfo::Kind::Method) {
            startTakesCaption_ = startTakesCaption_ || (sameName(m.name, "Start") && m.arguments.size() == 2);
            continue;
        }
        if (sameName(m.name, saveDefault))
            continue;
        if (sameName(m.name, caption)) {
            hasCaption_ = true;
            continue;
        }
        if (!m.index) {
            parameters_.push_back({QString::fromStdString(m.name), m.name, std::nullopt, m.type});
            continue;
        }
        for (int i = m.index->first; i <= m.index->second; ++i)
            parameters_.push_back({memberKey(QString::fromStdString(m.name), i), m.name, std::int16_t(i), m.type});
    }
}

const ToolClass& ToolClass::of(const ToolKind& kind)
{
    static std::map<QString, std::unique_ptr<ToolClass>> described;
    auto& entry = described[kind.progId];
    if (!entry)
        entry.reset(new ToolClass(kind));
    return *entry;
}

QVariantMap ToolClass::typed(const QVariantMap& values) const
{
    QVariantMap out;
    for (const Parameter& p : parameters_) {
        const auto given = values.find(p.key);
        const QVariant value = given != values.end() ? *given : kind_->builtInDefaults.value(p.key, zeroOf(p.type));
        const std::optional<QVariant> typed = converted(value, p.type);
        if (!typed)
            throw ChartError(QStringLiteral("%1 of %2 should be %3").arg(p.key, kind_->title, expected(p.type)));
        out.insert(p.key, *typed);
    }
    for (auto it = values.begin(); it != values.end(); ++it)
        if (!out.contains(it.key()))
            throw ChartError(QStringLiteral("%1 has no parameter %2").arg(kind_->title, excerpt(it.key())));
    return out;
}

void ToolClass::write(ZarvLinesParm::Object& object, const QVariantMap& values) const
{
    for (const Parameter& p : parameters_) {
        Variant value = toVariant(values.value(p.key), p.type);
        object.invoke(p.member, Invoke::Let,
                      p.index ? std::vector<Variant>{*p.index, value} : std::vector<Variant>{value});
    }
    object.invoke(saveDefault, Invoke::Let, {std::int16_t(0)});
    if (hasCaption_)
        object.invoke(caption, Invoke::Let, {title(*kind_).toStdString()});
}

QVariantMap ToolClass::read(ZarvLinesParm::Object& object) const
{
    QVariantMap values;
    for (const Parameter& p : parameters_)
        values.insert(p.key,
                      fromVariant(object.invoke(p.member, Invoke::Get,
                                                p.index ? std::vector<Variant>{*p.index} : std::vector<Variant>{})));
    return values;
}

std::vector<Variant> ToolClass::startArguments(std::int16_t fdef) const
{
    if (startTakesCaption_)
        return {fdef, title(*kind_).toStdString()};
    return {fdef};
}

QString unavailable(const ToolKind& kind)
{
    try {
        ToolClass::of(kind);
        return {};
    } catch (const ZarvLinesParm::Error& e) {
        return QStringLiteral("error %1: %2").arg(e.number()).arg(QString::fromUtf8(e.what()));
    }
}

Drawing checkedDrawing(const Drawing& drawing)
{
    const ToolKind* kind = toolKind(drawing.progId);
    if (!kind)
        throw ChartError(QStringLiteral("%1 is no tool of this chart").arg(excerpt(drawing.progId)));
    if (drawing.anchors.size() != std::size_t(kind->anchorCount))
        throw ChartError(QStringLiteral("%1 has %2 points, and should have %3")
                             .arg(kind->title)
                             .arg(drawing.anchors.size())
                             .arg(kind->anchorCount));
    Drawing checked = drawing;
    checked.progId = kind->progId;
    // A library without this class (older or newer than the chart) cannot say what its
    // parameters are: the drawing is kept as it was read, drawn, and saved again unchanged.
    if (unavailable(*kind).isEmpty())
        checked.parameters = ToolClass::of(*kind).typed(drawing.parameters);
    return checked;
}

} // namespace zarvchart
