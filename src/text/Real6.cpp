#include "text/Real6.h"

#include <cmath>

#include "text/Exceptions.h"

namespace text {

namespace {
constexpr int kBias = 129;
constexpr int kFractionBits = 39;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << kFractionBits) - 1;
}  // namespace

Real6 Real6::Narrow(Extended value) {
    if (std::isnan(value)) {
        throw EInvalidOp();
    }
    if (std::isinf(value)) {
        throw EOverflow();
    }
    if (value == 0) {
        return Real6{};
    }
    const bool negative = std::signbit(value);
    int binaryExponent = 0;
    // |value| = m × 2^binaryExponent with m in [0.5, 1); m × 2^64 is the 64-bit significand.
    const Extended m = std::frexp(std::fabs(value), &binaryExponent);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(m, 64));

    std::uint64_t kept = significand >> 24;  // the leading 1 and 39 fraction bits
    int exponent = binaryExponent - 1 + kBias;
    if ((significand >> 23) & 1) {  // first dropped bit: ties go away from zero
        ++kept;
        if (kept >> 40) {
            kept >>= 1;
            ++exponent;
        }
    }
    if (exponent <= 0) {
        return Real6{};
    }
    if (exponent > 255) {
        throw EOverflow();
    }
    const std::uint64_t fraction = kept & kFractionMask;
    Real6 result;
    result.bytes_[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 0; i < 5; ++i) {
        result.bytes_[1 + i] = static_cast<std::uint8_t>(fraction >> (8 * i));
    }
    if (negative) {
        result.bytes_[5] = static_cast<std::uint8_t>(result.bytes_[5] | 0x80);
    }
    return result;
}

Extended Real6::Widen() const {
    if (bytes_[0] == 0) {
        return 0;
    }
    std::uint64_t fraction = 0;
    for (int i = 0; i < 5; ++i) {
        fraction |= std::uint64_t{bytes_[1 + i]} << (8 * i);
    }
    const bool negative = (fraction >> kFractionBits) & 1;
    const std::uint64_t significand =
        (fraction & kFractionMask) | (std::uint64_t{1} << kFractionBits);
    const Extended magnitude =
        std::ldexp(static_cast<Extended>(significand), bytes_[0] - kBias - kFractionBits);
    return negative ? -magnitude : magnitude;
}

}  // namespace text
