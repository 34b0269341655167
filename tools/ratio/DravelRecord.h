#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::ratio {

/// The Dravel lines record, fields in this order.
struct DravelRecord {
    std::array<std::int32_t, 2> Cor; // 1: external lines, 2: internal lines
    std::array<float, 2> V; // the internal lines' factors 1 and 2
    std::int16_t SaveDefault;

    bool operator==(const DravelRecord&) const = default;
};

} // namespace ZarvLinesParm::ratio
