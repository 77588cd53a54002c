#include "text/FloatFaults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "text/Exceptions.h"

namespace text {
namespace {

template <typename Fault>
void ExpectFault(const std::function<void()>& operation, const char* message, const char* name) {
    try {
        operation();
        ADD_FAILURE() << name << ": no fault";
    } catch (const Fault& e) {
        EXPECT_EQ(e.Message(), message) << name;
    } catch (const std::exception& e) {
        ADD_FAILURE() << name << ": wrong fault " << e.what();
    }
}

TEST(FloatFaults, RaiseTheNamedExceptions) {
    const Extended big = 1e4000L;
    ExpectFault<EZeroDivide>([] { Div(1, 0); }, "Floating point division by zero", "1 / 0");
    ExpectFault<EZeroDivide>([] { Div(-5, -0.0L); }, "Floating point division by zero", "-5 / -0");
    ExpectFault<EInvalidOp>([] { Div(0, 0); }, "Invalid floating point operation", "0 / 0");
    ExpectFault<EOverflow>([&] { Mul(big, big); }, "Floating point overflow", "square of 1E4000");
    ExpectFault<EOverflow>([&] { Add(LDBL_MAX, LDBL_MAX); }, "Floating point overflow",
                           "max + max");
    ExpectFault<EOverflow>([&] { Sub(-LDBL_MAX, LDBL_MAX); }, "Floating point overflow",
                           "-max - max");
    ExpectFault<EOverflow>([&] { Div(big, 1e-4000L); }, "Floating point overflow", "big / tiny");
    ExpectFault<EInvalidOp>([] { RoundToWhole(2147483647.5L); }, "Invalid floating point operation",
                            "rounds past the 32-bit range");
    ExpectFault<EInvalidOp>([] { RoundToWhole(-2147483649.0L); },
                            "Invalid floating point operation", "below the 32-bit range");
    ExpectFault<EInvalidOp>([] { RoundToWhole(NAN); }, "Invalid floating point operation", "NaN");
}

TEST(FloatFaults, FaultsAreMathErrors) {
    EXPECT_THROW(Div(1, 0), EMathError);
    EXPECT_THROW(Div(1, 0), Exception);
}

TEST(FloatFaults, UnderflowAndInexactStaySilent) {
    EXPECT_EQ(Mul(1e-4000L, 1e-4000L), 0.0L);
    EXPECT_GT(Div(1e-4940L, 3), 0.0L);  // a denormal
    EXPECT_EQ(Div(1, 3), 1.0L / 3.0L);
    EXPECT_EQ(Add(0.1L, 0.2L), 0.1L + 0.2L);
}

TEST(FloatFaults, RoundToWholeTiesToEven) {
    const struct {
        Extended value;
        std::int32_t expected;
    } cases[] = {{6.5L, 6},
                 {19.5L, 20},
                 {-2.5L, -2},
                 {10.8333L, 11},
                 {2147483647.4L, INT32_MAX},
                 {-2147483648.5L, INT32_MIN},
                 {0.5L, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToWhole(c.value), c.expected) << static_cast<double>(c.value);
    }
}

}  // namespace
}  // namespace text
