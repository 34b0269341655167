#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::ratio {

/// The arcs record, fields in this order.
struct ArcsRecord {
    std::array<std::int32_t, 1> Cor; // the colour of all the arcs
    std::array<float, 6> V; // the six ratio values, boxes "1" to "6"
    std::int16_t SaveDefault;
    std::int16_t FullCircle; // the "Full Circle" box: 0 cleared, 1 checked, 2 greyed

    bool operator==(const ArcsRecord&) const = default;
};

} // namespace ZarvLinesParm::ratio
