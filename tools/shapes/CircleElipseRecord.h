#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::shapes {

/// The circle and ellipse record, 12 bytes, fields in this order.
struct CircleElipseRecord {
    std::array<std::int32_t, 2> Cor; // 1: outline colour, 2: fill colour
    std::int16_t Fill; // non-zero: filled; the dialog writes 1 or 0
    std::int16_t SaveDefault;

    bool operator==(const CircleElipseRecord&) const = default;
};
static_assert(sizeof(CircleElipseRecord) == 12);

} // namespace ZarvLinesParm::shapes
