#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::ratio {

/// The expansion record, fields in this order.
struct ExpansionRecord {
    std::int16_t FExpShow; // flag set: bits 0-3 show lines 1-4, bit 4 "Extend to end"
    std::array<std::int32_t, 4> Cor; // the colours of lines 1 to 4
    std::array<float, 4> V; // the values of lines 1 to 4
    std::int16_t SaveDefault;

    bool operator==(const ExpansionRecord&) const = default;
};

} // namespace ZarvLinesParm::ratio
