#include "text/FloatFaults.h"

#include <cmath>

#include "text/Exceptions.h"

namespace text {

namespace {

// An infinite result of finite operands overflowed; a NaN result was an invalid operation.
Extended Checked(Extended result, Extended a, Extended b) {
    if (std::isnan(result)) {
        throw EInvalidOp();
    }
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) {
        throw EOverflow();
    }
    return result;
}

}  // namespace

Extended Add(Extended a, Extended b) {
    return Checked(a + b, a, b);
}

Extended Sub(Extended a, Extended b) {
    return Checked(a - b, a, b);
}

Extended Mul(Extended a, Extended b) {
    return Checked(a * b, a, b);
}

Extended Div(Extended dividend, Extended divisor) {
    if (divisor == 0 && std::isfinite(dividend)) {
        if (dividend == 0) {
            throw EInvalidOp();  // 0 / 0
        }
        throw EZeroDivide();
    }
    return Checked(dividend / divisor, dividend, divisor);
}

std::int32_t RoundToWhole(Extended value) {
    if (std::isnan(value)) {
        throw EInvalidOp();
    }
    const Extended rounded = std::nearbyint(value);  // the default mode: nearest, ties to even
    if (rounded < -2147483648.0L || rounded > 2147483647.0L) {
        throw EInvalidOp();
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace text
