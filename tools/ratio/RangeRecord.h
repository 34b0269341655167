#pragma once

#include <cstdint>
#include <string>

namespace ZarvLinesParm::ratio {

/// The range record, fields in this order. It holds a string, so it is copied by assignment:
/// each copy owns its own `ONH`, and the two records never share one.
struct RangeRecord {
    std::int16_t Periodos; // "Periods"; the load handler makes 0 into 3
    float Cte1; // "Const1"; zero or not a number becomes 0.618
    float Cte2; // "Const2"; zero or not a number becomes 1.382
    std::int32_t Cor1; // "Up"; 0 becomes 65280
    std::int32_t Cor2; // "Down"; 0 becomes 255
    std::int32_t Cor3; // "Range"
    std::string ONH; // the host's own text, carried unchanged
    std::int16_t ExtendRight; // non-zero: extends to the right; "OK" writes 1 or 0
    std::int16_t SaveDefault;

    bool operator==(const RangeRecord&) const = default;
};

} // namespace ZarvLinesParm::ratio
