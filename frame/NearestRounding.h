#pragma once

#include <cfenv>

namespace ZarvLinesParm::frame {

/// Rounds to nearest, ties to even, for as long as it lives, and gives the thread back the
/// rounding mode it found on every way out, a thrown error included. Every conversion between
/// text and numbers, or between number types, runs under one: a host that left its thread
/// rounding up, down or toward zero gets the same values as any other, and keeps its mode.
/// Costs one read of the mode when it already is round to nearest.
class NearestRounding {
public:
    NearestRounding() noexcept : found_(std::fegetround())
    {
        if (found_ != FE_TONEAREST)
            std::fesetround(FE_TONEAREST);
    }
    ~NearestRounding()
    {
        if (found_ != FE_TONEAREST)
            std::fesetround(found_);
    }
    NearestRounding(const NearestRounding&) = delete;
    NearestRounding& operator=(const NearestRounding&) = delete;

private:
    int found_;
};

} // namespace ZarvLinesParm::frame
