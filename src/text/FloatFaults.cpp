#include "text/FloatFaults.h"

#include "text/Exceptions.h"

namespace text {

void RaiseZeroDivide() {
    throw EZeroDivide();
}
void RaiseOverflow() {
    throw EOverflow();
}
void RaiseInvalidOp() {
    throw EInvalidOp();
}

std::int32_t RoundToWhole(Extended value) {
    if (std::isnan(value)) {
        RaiseInvalidOp();
    }
    const Extended rounded = std::rint(value);  // the default mode: nearest, ties to even
    if (rounded < -2147483648.0L || rounded > 2147483647.0L) {
        RaiseInvalidOp();
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace text

namespace text::detail {

void RaiseFault(Extended result, Extended, Extended) {
    if (std::isnan(result)) {
        throw EInvalidOp();
    }
    throw EOverflow();
}

}  // namespace text::detail
