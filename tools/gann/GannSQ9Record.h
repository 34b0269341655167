#pragma once

#include <cstdint>

namespace ZarvLinesParm::gann {

/// The square-of-nine record, fields in this order.
struct GannSQ9Record {
    std::int32_t Cor; // the line colour
    std::int16_t Price; // flag set: bit i selects the angle 45 * i in the "Price" column
    std::int16_t Time; // the same for the "Time" column
    std::int16_t UpDown; // 0 "Up", anything else "Down"; the dialog writes 0 or 1
    float Step; // "OK" never leaves it at exactly 0
    std::int16_t SaveDefault;

    bool operator==(const GannSQ9Record&) const = default;
};

} // namespace ZarvLinesParm::gann
