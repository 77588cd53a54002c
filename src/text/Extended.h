// The 80-bit extended type that every figure of the calculation is computed in.
#pragma once

#include <cstdint>
#include <limits>

namespace text {

using Extended = long double;
static_assert(
    std::numeric_limits<Extended>::digits == 64,
    "money is computed in the 80-bit extended format: long double must have a 64-bit significand");

// Days since 30 December 1899; the fraction is the time of day.
using DateTime = double;

}  // namespace text
