#include "frame/LateBinding.h"

#include "frame/Application.h"
#include "frame/Names.h"
#include "frame/NearestRounding.h"
#include "frame/NumberReading.h"

#include <cmath>
#include <optional>
#include <variant>

namespace ZarvLinesParm::frame {
namespace {

// Every numeric alternative as a double: all of them convert exactly.
std::optional<double> numberIn(const Variant& value)
{
    return std::visit(
        [](const auto& v) -> std::optional<double> {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::monostate>)
                return 0.0;
            else if constexpr (std::is_same_v<V, std::string>)
                return std::nullopt;
            else
                return static_cast<double>(v);
        },
        value);
}

template <class Whole>
Whole whole(double number)
{
    const std::optional<Whole> rounded = toWhole<Whole>(number);
    if (!rounded)
        throw Error(6); // also NaN
    return *rounded;
}

float single(double number)
{
    const NearestRounding nearest;
    const float f = static_cast<float>(number);
    if (std::isinf(f) && std::isfinite(number))
        throw Error(6);
    return f;
}

} // namespace

Variant convert(const Variant& value, ValueType type)
{
    if (type == ValueType::String) {
        if (std::holds_alternative<std::monostate>(value))
            return std::string();
        if (const auto* s = std::get_if<std::string>(&value))
            return *s;
        throw Error(13);
    }
    const auto number = numberIn(value);
    if (!number)
        throw Error(13);
    switch (type) {
    case ValueType::Int16:
        if (const auto* v = std::get_if<std::int16_t>(&value))
            return *v;
        return whole<std::int16_t>(*number);
    case ValueType::Int32:
        if (const auto* v = std::get_if<std::int32_t>(&value))
            return *v;
        return whole<std::int32_t>(*number);
    case ValueType::Float:
        if (const auto* v = std::get_if<float>(&value))
            return *v;
        return single(*number);
    case ValueType::String: break;
    }
    throw Error(13);
}

const Member* findMember(const MemberTable& table, std::string_view name)
{
    for (const Member& m : table)
        if (sameName(m.info.name, name))
            return &m;
    return nullptr;
}

Variant invoke(const MemberTable& table, const Object* caller, std::string_view name, Invoke kind,
               const std::vector<Variant>& args)
{
    requireOwningThread();
    const Member* member = findMember(table, name);
    if (!member)
        throw Error(438, std::string(name));
    const MemberInfo& info = member->info;

    if (info.kind == MemberInfo::Kind::Method) {
        if (kind != Invoke::Method || args.size() != info.arguments.size())
            throw Error(450);
        std::vector<Variant> converted;
        converted.reserve(args.size());
        for (std::size_t i = 0; i < args.size(); ++i)
            converted.push_back(convert(args[i], info.arguments[i]));
        return member->call(converted);
    }

    const std::size_t indexes = info.index ? 1 : 0;
    const std::size_t expected = kind == Invoke::Let ? indexes + 1 : indexes;
    if (kind == Invoke::Method || args.size() != expected)
        throw Error(450);
    const std::int16_t index = indexes ? std::get<std::int16_t>(convert(args[0], ValueType::Int16)) : std::int16_t{0};
    if (kind == Invoke::Get)
        return member->get(caller, index);
    const Variant value = convert(args.back(), info.type);
    member->let(index, value);
    return {};
}

} // namespace ZarvLinesParm::frame
