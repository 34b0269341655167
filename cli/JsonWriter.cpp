#include "JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <type_traits>

namespace zarvcli {
namespace {

template <class Number>
std::string shortest(Number number)
{
    // JSON has no infinities or NaN.
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(number))
            return "null";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

} // namespace

void JsonWriter::newline()
{
    if (layout_ == Layout::Indented) {
        out_ += '\n';
        out_.append(2 * levels_.size(), ' ');
    }
}

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!levels_.empty()) {
        if (!levels_.back().empty)
            out_ += ',';
        levels_.back().empty = false;
        newline();
    }
}

void JsonWriter::begin(char bracket)
{
    beforeValue();
    out_ += bracket;
    levels_.push_back({});
}

void JsonWriter::end(char bracket)
{
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty)
        newline();
    out_ += bracket;
}

JsonWriter& JsonWriter::beginObject() { begin('{'); return *this; }
JsonWriter& JsonWriter::endObject() { end('}'); return *this; }
JsonWriter& JsonWriter::beginArray() { begin('['); return *this; }
JsonWriter& JsonWriter::endArray() { end(']'); return *this; }

JsonWriter& JsonWriter::key(std::string_view name)
{
    value(name);
    out_ += layout_ == Layout::Indented ? ": " : ":";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    beforeValue();
    out_ += '"';
    for (const char c : text) {
        switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\b': out_ += "\\b"; break;
        case '\f': out_ += "\\f"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out_ += escaped;
            } else {
                out_ += c;
            }
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number)
{
    beforeValue();
    out_ += shortest(number);
    return *this;
}

JsonWriter& JsonWriter::value(float number)
{
    beforeValue();
    out_ += shortest(number);
    return *this;
}

JsonWriter& JsonWriter::value(double number)
{
    beforeValue();
    out_ += shortest(number);
    return *this;
}

JsonWriter& JsonWriter::value(const ZarvLinesParm::Variant& v)
{
    std::visit(
        [this](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                beforeValue();
                out_ += "null";
            } else if constexpr (std::is_integral_v<T>) {
                value(static_cast<std::int64_t>(x));
            } else {
                value(x);
            }
        },
        v);
    return *this;
}

} // namespace zarvcli
