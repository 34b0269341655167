#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::gann {

/// The Gann zones record, fields in this order.
struct GannZonesRecord {
    std::array<std::int32_t, 2> Cor; // 1: odd lines, 2: even lines
    std::int16_t NZones; // "OK" leaves it within 1 to 50
    std::int16_t SaveDefault;

    bool operator==(const GannZonesRecord&) const = default;
};

} // namespace ZarvLinesParm::gann
