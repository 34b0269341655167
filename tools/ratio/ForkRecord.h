#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::ratio {

/// The fork record, fields in this order.
struct ForkRecord {
    std::int16_t ForkShow; // flag set: bit 0 internal lines, bit 1 external lines shown
    std::array<std::int32_t, 4> Cor; // internal, external and fork lines; the fourth is the host's
    std::array<float, 4> Per1; // the host's own values, carried through untouched
    std::int16_t SaveDefault;

    bool operator==(const ForkRecord&) const = default;
};

} // namespace ZarvLinesParm::ratio
