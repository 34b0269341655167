#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::ratio {

/// The retracement record, fields in this order.
struct RetracementRecord {
    std::int16_t Extend; // non-zero: lines extend to the end; "OK" writes 1 or 0
    std::array<std::int32_t, 1> Cor; // the colour of all the lines
    std::array<float, 6> V; // the six ratio values, boxes "1" to "6"
    std::int16_t SaveDefault;
    std::int16_t Numbers; // non-zero: each line shows its value; "OK" writes 1 or 0

    bool operator==(const RetracementRecord&) const = default;
};

} // namespace ZarvLinesParm::ratio
