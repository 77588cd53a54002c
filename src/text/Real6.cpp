#include "text/Real6.h"

#include <cmath>
#include <cstring>

#include "text/Exceptions.h"
#include "text/ExtendedBits.h"

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
    const ExtendedBits bits = BitsOf(value);
    if (bits.biasedExponent == 0) {
        return Real6{};  // an 80-bit denormal lies far below 2^-128
    }
    const bool negative = bits.negative;
    const std::uint64_t significand = bits.significand;

    std::uint64_t kept = significand >> 24;  // the leading 1 and 39 fraction bits
    int exponent = bits.biasedExponent - kExtendedBias + kBias;
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
    return ExtendedOf(negative, bytes_[0] - kBias + kExtendedBias, significand << 24);
}

}  // namespace text
