#pragma once

#include <cstdint>

namespace ZarvLinesParm::frame {

// A flag set keeps a row of check boxes in one 16-bit field, box k as bit k.

/// Whether box `bit` shows checked: bit `bit` of the field is set.
constexpr bool flagIsSet(std::int16_t field, int bit) { return (static_cast<std::uint16_t>(field) >> bit) & 1u; }

/// The field after "OK" has read box `bit` with value `boxValue`. A box in any state but
/// cleared ORs its bit in; a cleared box ANDs the field with 255 - 2^bit. The mask is 8 bits
/// wide on purpose (254, 253, ... 127, never 65534): clearing any box also clears bits 8 to
/// 15, which keep their value only while every box is checked.
constexpr std::int16_t applyFlag(std::int16_t field, int bit, std::int16_t boxValue)
{
    const int f = static_cast<std::uint16_t>(field);
    const int result = boxValue != 0 ? (f | (1 << bit)) : (f & (255 - (1 << bit)));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(result));
}

} // namespace ZarvLinesParm::frame
