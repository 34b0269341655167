// The number reading on arbitrary bytes: it must never fail, never give an infinity or a value
// that is not a number (beyond the range it saturates), and what it reads must survive the short
// number form and a second reading within the seven digits that form keeps.

#include "frame/NumberReading.h"
#include "frame/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ZarvLinesParm::frame;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double number = readNumber(text);
    const float single = readSingle(text);
    if (!std::isfinite(number) || !std::isfinite(single))
        std::abort();

    (void)readInteger16(text);

    // Shown and read again, a float moves by less than half a unit in the seventh digit.
    const float again = readSingle(shortNumberForm(single));
    if (!std::isfinite(again))
        std::abort();
    const double magnitude = std::fabs(static_cast<double>(single));
    if (magnitude > 1e-30 && std::fabs(static_cast<double>(again) - single) > magnitude * 6e-7)
        std::abort();

    (void)fixedNumberForm(single, 3);
    return 0;
}
