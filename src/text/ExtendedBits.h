// The x87 80-bit layout taken apart: a 64-bit significand with its leading 1 explicit, then the
// sign and the exponent (biased by 16383) in the next 16 bits. Direct access spares the
// library's frexp and ldexp on the hot paths.
#pragma once

#include <cstdint>
#include <cstring>

#include "text/Extended.h"

namespace text {

inline constexpr int kExtendedBias = 16383;

struct ExtendedBits {
    bool negative;
    int biasedExponent;  // 0 for zero and denormals
    std::uint64_t significand;
};

inline ExtendedBits BitsOf(Extended value) {
    unsigned char raw[sizeof(Extended)];
    std::memcpy(raw, &value, sizeof raw);
    std::uint64_t significand = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&significand, raw, 8);
    std::memcpy(&signAndExponent, raw + 8, 2);
    return ExtendedBits{(signAndExponent & 0x8000) != 0, signAndExponent & 0x7FFF, significand};
}

inline Extended ExtendedOf(bool negative, int biasedExponent, std::uint64_t significand) {
    unsigned char raw[sizeof(Extended)] = {};
    const auto signAndExponent =
        static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biasedExponent);
    std::memcpy(raw, &significand, 8);
    std::memcpy(raw + 8, &signAndExponent, 2);
    Extended value;
    std::memcpy(&value, raw, sizeof value);
    return value;
}

}  // namespace text
