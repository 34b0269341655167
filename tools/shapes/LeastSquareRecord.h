#pragma once

#include <array>
#include <cstdint>

namespace ZarvLinesParm::shapes {

/// The least-square channel record, fields in this order.
struct LeastSquareRecord {
    std::int16_t UseToCalc; // 1 open, 2 high, 3 low, 4 close, 5 "O+H+L/3"; 0 loads as 1
    std::array<std::int32_t, 3> Cor; // 1: the least-square line, 2: upper, 3: lower
    std::array<float, 2> V; // standard deviations: 1 upper, 2 lower
    std::int16_t SaveDefault;

    bool operator==(const LeastSquareRecord&) const = default;
};

} // namespace ZarvLinesParm::shapes
