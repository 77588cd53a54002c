// The stored 6-byte real: 40 significant bits, exponent biased by 129, sign in the top bit.
#pragma once

#include <array>
#include <cstdint>

#include "text/Extended.h"

namespace text {

class Real6 {
  public:
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
    const std::array<std::uint8_t, 6>& Bytes() const { return bytes_; }

  private:
    std::array<std::uint8_t, 6> bytes_{};
};

// Narrow and widen again: the value a Real6 variable would hold.
inline Extended RoundToReal6(Extended value) {
    return Real6::Narrow(value).Widen();
}

}  // namespace text
