#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::ratio {

/// The fan record, fields in this order.
struct FanRecord {
    std::int16_t FanShow; // flag set: bits 0 to 3, the four lines shown
    std::array<std::int32_t, 4> Cor; // the colours of the four lines
    std::array<float, 4> Porcento; // the host's own values, carried through untouched
    std::int16_t HLines; // "Horizontal Line": non-zero is on
    std::int16_t AteFim; // flag set: bit 0, "Extend to end"
    std::int16_t SaveDefault;

    bool operator==(const FanRecord&) const = default;
};

} // namespace ZarvLinesParm::ratio
