#include "text/Real6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "text/Exceptions.h"

namespace text {
namespace {

using Bytes = std::array<std::uint8_t, 6>;

TEST(Real6, StoredByteLayout) {
    const struct {
        Extended value;
        Bytes bytes;
    } cases[] = {
        {1.0L, {0x81, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {-2.5L, {0x82, 0x00, 0x00, 0x00, 0x00, 0xA0}},
        {100.0L, {0x87, 0x00, 0x00, 0x00, 0x00, 0x48}},
        {0.0L, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {-0.0L, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Real6::Narrow(c.value).Bytes(), c.bytes) << static_cast<double>(c.value);
        EXPECT_EQ(Real6::FromBytes(c.bytes).Widen(), c.value == 0 ? 0.0L : c.value);
    }
}

TEST(Real6, ZeroExponentMeansZeroWhateverTheOtherBytes) {
    EXPECT_EQ(Real6::FromBytes({0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}).Widen(), 0.0L);
}

TEST(Real6, NarrowingKeepsFortyBitsWithTiesAwayFromZero) {
    const Extended ulp = std::ldexp(1.0L, -39);  // the last kept place at 1
    const struct {
        const char* name;
        Extended value;
        Extended expected;
    } cases[] = {
        {"exact 40 bits", 1.0L + ulp, 1.0L + ulp},
        {"below the tie goes down", 1.0L + ulp * 0.4999L, 1.0L},
        {"tie goes away from zero", 1.0L + ulp / 2, 1.0L + ulp},
        {"negative tie goes away from zero", -(1.0L + ulp / 2), -(1.0L + ulp)},
        {"carry into the exponent", 2.0L - ulp / 2, 2.0L},
        {"2.675 lands below", 2.675L, 2.67499999999927240423858165740966796875L},
        {"just under 2^127 rounds down", std::ldexp(1.0L, 127) - std::ldexp(1.0L, 127 - 41) * 1.5L,
         std::ldexp(1.0L, 127) - std::ldexp(1.0L, 127 - 40)},
        {"smallest", std::ldexp(1.0L, -128), std::ldexp(1.0L, -128)},
        {"below the smallest becomes zero", std::ldexp(1.0L, -129), 0.0L},
        {"1E-39 becomes zero", 1e-39L, 0.0L},
        {"negative tiny loses its sign", -1e-40L, 0.0L},
        {"80-bit denormal", std::ldexp(1.0L, -16400), 0.0L},
    };
    for (const auto& c : cases) {
        const Extended narrowed = RoundToReal6(c.value);
        EXPECT_EQ(narrowed, c.expected) << c.name;
        EXPECT_FALSE(std::signbit(narrowed) && narrowed == 0) << c.name;
    }
}

TEST(Real6, OverflowFromTwoToThe127) {
    const Extended tooLarge[] = {std::ldexp(1.0L, 127), -std::ldexp(1.0L, 127), 1e39L,
                                 std::ldexp(1.0L, 127) - std::ldexp(1.0L, 127 - 41), HUGE_VALL};
    for (const Extended value : tooLarge) {
        EXPECT_THROW(Real6::Narrow(value), EOverflow) << static_cast<double>(value);
    }
    try {
        Real6::Narrow(1e39L);
    } catch (const EOverflow& e) {
        EXPECT_EQ(e.Message(), "Floating point overflow");
    }
}

TEST(Real6, WideningIsExact) {
    // Values of 40 significant bits come back unchanged.
    for (int i = -60; i <= 60; ++i) {
        const Extended value = std::ldexp(static_cast<Extended>(0xABCDEF1234LL + i), i);
        EXPECT_EQ(RoundToReal6(value), value) << i;
    }
    // Any stored bytes widen to sign × (2^39 + fraction) × 2^(exponent − 168), and narrow back.
    std::mt19937_64 random(6);
    for (int i = 0; i < 10000; ++i) {
        Bytes bytes{};
        for (auto& byte : bytes) {
            byte = static_cast<std::uint8_t>(random());
        }
        bytes[0] |= 1;  // not zero
        std::uint64_t fraction = bytes[5] & 0x7F;
        for (int k = 4; k >= 1; --k) {
            fraction = fraction << 8 | bytes[static_cast<std::size_t>(k)];
        }
        const Extended magnitude =
            std::ldexp(static_cast<Extended>(fraction + (1ULL << 39)), bytes[0] - 168);
        const Extended expected = bytes[5] & 0x80 ? -magnitude : magnitude;
        ASSERT_EQ(Real6::FromBytes(bytes).Widen(), expected);
        ASSERT_EQ(Real6::Narrow(expected).Bytes(), bytes);
    }
}

}  // namespace
}  // namespace text
