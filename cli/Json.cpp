#include "Json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace zarvcli {
namespace {

// A float as JSON: whole values as integers (1, not 1.0), others as the double nearest the
// float's shortest decimal, which prints as that decimal.
Json floatJson(float number)
{
    if (number == std::trunc(number) && std::fabs(number) < 0x1p53f && !(number == 0 && std::signbit(number)))
        return static_cast<std::int64_t>(number);
    char text[32];
    const auto shortest = std::to_chars(text, text + sizeof text, number);
    double widened = 0;
    std::from_chars(text, shortest.ptr, widened);
    return widened;
}

} // namespace

Json toJson(const ZarvLinesParm::Variant& value)
{
    return std::visit(
        [](const auto& x) -> Json {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return nullptr;
            else if constexpr (std::is_same_v<T, float>)
                return floatJson(x);
            else
                return x;
        },
        value);
}

std::string jsonText(const Json& json, bool indented)
{
    return json.dump(indented ? 2 : -1, ' ', false, Json::error_handler_t::replace);
}

} // namespace zarvcli
