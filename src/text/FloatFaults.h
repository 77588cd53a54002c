// Checked arithmetic: the one way the calculation's operations raise the floating-point faults.
//
// Plain arithmetic does not trap, and the status flags are unreliable once the optimiser folds
// or moves operations, so each operation checks its operands and its result instead. Underflow
// and inexact results stay silent, as they must. Inline: the schedule runs these per row.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "text/Extended.h"

namespace text {

[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseInvalidOp();

namespace detail {
// A NaN result was an invalid operation; an infinite one of finite operands overflowed.
[[noreturn]] void RaiseFault(Extended result, Extended a, Extended b);

// One comparison on the way through: NaN and infinity both fail it.
inline Extended Checked(Extended result, Extended a, Extended b) {
    if (!(std::fabs(result) <= std::numeric_limits<Extended>::max())) [[unlikely]] {
        if (std::isnan(result) || (std::isfinite(a) && std::isfinite(b))) {
            RaiseFault(result, a, b);
        }
    }
    return result;
}
}  // namespace detail

inline Extended Add(Extended a, Extended b) {
    return detail::Checked(a + b, a, b);
}
inline Extended Sub(Extended a, Extended b) {
    return detail::Checked(a - b, a, b);
}
inline Extended Mul(Extended a, Extended b) {
    return detail::Checked(a * b, a, b);
}

inline Extended Div(Extended dividend, Extended divisor) {
    if (divisor == 0 && std::isfinite(dividend)) [[unlikely]] {
        if (dividend == 0) {
            RaiseInvalidOp();  // 0 / 0
        }
        RaiseZeroDivide();
    }
    return detail::Checked(dividend / divisor, dividend, divisor);
}

// Nearest whole number, ties to even; EInvalidOp outside the 32-bit signed range.
std::int32_t RoundToWhole(Extended value);

}  // namespace text
