#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::gann {

/// The Gann fan record, fields in this order.
struct GannFanRecord {
    std::array<std::int32_t, 1> Cor; // the colour of the fan's lines, an array of one
    std::array<float, 6> V; // the fan's values 1 to 6
    std::int16_t SaveDefault;

    bool operator==(const GannFanRecord&) const = default;
};

} // namespace ZarvLinesParm::gann
