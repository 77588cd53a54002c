// The stored 6-byte real: 40 significant bits, exponent biased by 129, sign in the top bit.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "text/Extended.h"
#include "text/ExtendedBits.h"
#include "text/FloatFaults.h"

namespace text {

class Real6 {
  public:
    static constexpr int kBias = 129;
    static constexpr int kFractionBits = 39;

    // The stored fields: |value| = significand × 2^(biasedExponent − kBias − kFractionBits), the
    // significand holding the implied leading 1 in bit 39; a biased exponent of 0 means zero.
    struct Fields {
        bool negative;
        int biasedExponent;
        std::uint64_t significand;
    };

    Real6() = default;  // zero

    // Keeps 40 significant bits, ties away from zero; zero below 2^-128, EOverflow from 2^127.
    static Real6 Narrow(Extended value);
    static Real6 FromBytes(const std::array<std::uint8_t, 6>& bytes) {
        Real6 r;
        r.bytes_ = bytes;
        return r;
    }

    // Exact.
    Extended Widen() const;
    Fields Unpack() const;
    const std::array<std::uint8_t, 6>& Bytes() const { return bytes_; }

  private:
    static constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << kFractionBits) - 1;

    // Exponent byte, then the 39 fraction bits, then the sign: one little-endian 48-bit word.
    std::array<std::uint8_t, 6> bytes_{};
};

namespace detail {
// 2^(e − kBias − kFractionBits) for each exponent byte e: the weight of the lowest significand bit.
struct Real6LowBitWeights {
    Extended value[256];
    constexpr Real6LowBitWeights() : value() {
        Extended weight = 1;
        for (int i = 0; i < Real6::kBias + Real6::kFractionBits; ++i) {
            weight /= 2;
        }
        for (int e = 0; e < 256; ++e) {
            value[e] = weight;
            weight *= 2;
        }
    }
};
inline constexpr Real6LowBitWeights kReal6LowBitWeight{};
}  // namespace detail

// Inline: the schedule narrows several values a row, and a call costs more than the work.
inline Real6 Real6::Narrow(Extended value) {
    if (!(std::fabs(value) <= std::numeric_limits<Extended>::max())) [[unlikely]] {
        if (std::isnan(value)) {
            RaiseInvalidOp();
        }
        RaiseOverflow();
    }
    const ExtendedBits bits = BitsOf(value);
    if (bits.biasedExponent == 0) {
        return Real6{};  // zero, or an 80-bit denormal far below 2^-128
    }
    std::uint64_t kept = bits.significand >> 24;  // the leading 1 and 39 fraction bits
    int exponent = bits.biasedExponent - kExtendedBias + kBias;
    if ((bits.significand >> 23) & 1) {  // first dropped bit: ties go away from zero
        ++kept;
        if (kept >> 40) {
            kept >>= 1;
            ++exponent;
        }
    }
    if (exponent <= 0) {
        return Real6{};
    }
    if (exponent > 255) [[unlikely]] {
        RaiseOverflow();
    }
    const std::uint64_t packed = static_cast<std::uint64_t>(exponent) |
                                 ((kept & kFractionMask) << 8) |
                                 (bits.negative ? std::uint64_t{1} << 47 : 0);
    Real6 result;
    std::memcpy(result.bytes_.data(), &packed, result.bytes_.size());
    return result;
}

// Read as the two loads the bytes were stored as: one wide load of narrower stores waits for
// them to reach the cache.
inline Real6::Fields Real6::Unpack() const {
    std::uint32_t low = 0;
    std::uint16_t high = 0;
    std::memcpy(&low, bytes_.data(), 4);
    std::memcpy(&high, bytes_.data() + 4, 2);
    const std::uint64_t packed = low | (std::uint64_t{high} << 32);
    return Fields{((packed >> 47) & 1) != 0, static_cast<int>(packed & 0xFF),
                  ((packed >> 8) & kFractionMask) | (std::uint64_t{1} << kFractionBits)};
}

inline Extended Real6::Widen() const {
    const Fields fields = Unpack();
    if (fields.biasedExponent == 0) {
        return 0;
    }
    // Both factors are exact and the product needs only 40 bits: no rounding.
    const Extended magnitude =
        static_cast<Extended>(static_cast<std::int64_t>(fields.significand)) *
        detail::kReal6LowBitWeight.value[fields.biasedExponent];
    return fields.negative ? -magnitude : magnitude;
}

// Narrow and widen again: the value a Real6 variable would hold.
inline Extended RoundToReal6(Extended value) {
    return Real6::Narrow(value).Widen();
}

}  // namespace text
