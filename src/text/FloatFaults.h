// Checked arithmetic: the one way the calculation's operations raise the floating-point faults.
//
// Plain arithmetic does not trap, and the status flags are unreliable once the optimiser folds
// or moves operations, so each operation checks its operands and its result instead. Underflow
// and inexact results stay silent, as they must.
#pragma once

#include <cstdint>

#include "text/Extended.h"

namespace text {

Extended Add(Extended a, Extended b);
Extended Sub(Extended a, Extended b);
Extended Mul(Extended a, Extended b);
Extended Div(Extended dividend, Extended divisor);

// Nearest whole number, ties to even; EInvalidOp outside the 32-bit signed range.
std::int32_t RoundToWhole(Extended value);

}  // namespace text
