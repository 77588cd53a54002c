// Random samples against a model of the 18-digit image built from integer arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "text/NumberText.h"

namespace text {
namespace {

__extension__ using Wide = unsigned __int128;

struct ModelImage {
    std::string digits;  // 18 digits
    int exponent;        // 10^(E-1) <= |v| < 10^E
};

// |v| as a 64-bit whole number times a power of two.
std::uint64_t Significand(Extended v, int& power) {
    int exponent = 0;
    const Extended fraction = std::frexp(v, &exponent);
    power = exponent - 64;
    return static_cast<std::uint64_t>(std::ldexp(fraction, 64));
}

// n / 2^shift rounded to the nearest whole number, ties to even; shift from 1 to 127.
Wide ShiftRounded(Wide n, int shift) {
    const Wide kept = n >> shift;
    const Wide rest = n - (kept << shift);
    const Wide half = Wide{1} << (shift - 1);
    return rest > half || (rest == half && (kept & 1) != 0) ? kept + 1 : kept;
}

// a × b as 80-bit arithmetic gives it, then rounded to a whole number: the exact product of the
// two 64-bit significands, rounded to 64 bits, then to the units place; ties to even both times.
// Only for products between 1E17 and 1E18.
std::uint64_t ScaledAndRounded(Extended a, Extended b) {
    int powerA = 0;
    int powerB = 0;
    const Wide product = Wide{Significand(a, powerA)} * Significand(b, powerB);
    const int dropped = product >> 127 != 0 ? 64 : 63;    // both factors have their top bit set
    const Wide rounded = ShiftRounded(product, dropped);  // may carry to 2^64: still exact
    return static_cast<std::uint64_t>(ShiftRounded(rounded, -(powerA + powerB + dropped)));
}

// The exactly rounded decimal: what the image is where 10^(18-E) lies beyond the 80-bit range.
ModelImage ExactImage(Extended magnitude) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    ModelImage image;
    const std::string text(buffer);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            image.digits += text[i];
        }
    }
    image.exponent = std::stoi(text.substr(e + 1)) + 1;
    return image;
}

// |v| times the 80-bit value nearest to 10^(18-E), rounded to a whole number.
ModelImage RuleImage(Extended magnitude) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.40Le", magnitude);  // 40 digits never round up to 10^E
    int exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    if (18 - exponent > 4932) {
        return ExactImage(magnitude);
    }
    const Extended factor = std::strtold(("1e" + std::to_string(18 - exponent)).c_str(), nullptr);
    std::uint64_t digits = ScaledAndRounded(magnitude, factor);
    if (digits == 1000000000000000000ULL) {
        digits /= 10;
        ++exponent;
    }
    return ModelImage{std::to_string(digits), exponent};
}

// Decimal digit string plus one, as a person adds on paper.
std::string Increment(std::string digits) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
        digits[static_cast<std::size_t>(i--)] = '0';
    }
    if (i < 0) {
        return "1" + digits;
    }
    ++digits[static_cast<std::size_t>(i)];
    return digits;
}

std::string ModelNumberToText(Extended value) {
    if (value == 0) {
        return "0";
    }
    ModelImage image = RuleImage(std::fabs(value));
    std::string digits = image.digits.substr(0, 15);
    if (image.digits[15] >= '5') {
        digits = Increment(digits);
        if (digits.size() > 15) {
            digits.pop_back();
            ++image.exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string out = value < 0 ? "-" : "";
    const int e = image.exponent;
    if (e >= -3 && e <= 15) {
        if (e > 0) {
            std::string whole = digits.substr(0, std::min<std::size_t>(digits.size(), e));
            whole.resize(static_cast<std::size_t>(e), '0');
            out += whole;
            if (digits.size() > static_cast<std::size_t>(e)) {
                out += "." + digits.substr(static_cast<std::size_t>(e));
            }
        } else {
            out += "0." + std::string(static_cast<std::size_t>(-e), '0') + digits;
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) {
            out += "." + digits.substr(1);
        }
        out += "E" + std::to_string(e - 1);
    }
    return out;
}

std::string ModelFormatAmount(Extended value, bool dollar) {
    const std::string zero = dollar ? "$0.00" : "0.00";
    if (value == 0) {
        return zero;
    }
    const ModelImage image = RuleImage(std::fabs(value));
    if (image.exponent > 18) {
        return ModelNumberToText(value);
    }
    const int keep = image.exponent + 2;
    if (keep < 0) {
        return zero;
    }
    std::string hundredths;
    if (keep >= 18) {
        hundredths = image.digits + std::string(static_cast<std::size_t>(keep - 18), '0');
    } else {
        hundredths = image.digits.substr(0, static_cast<std::size_t>(keep));
        if (image.digits[static_cast<std::size_t>(keep)] >= '5') {
            hundredths = Increment(hundredths.empty() ? "0" : hundredths);
        }
        if (hundredths.empty() || hundredths.find_first_not_of('0') == std::string::npos) {
            return zero;
        }
        hundredths.erase(0, hundredths.find_first_not_of('0'));
    }
    while (hundredths.size() < 3) {
        hundredths.insert(0, "0");
    }
    std::string out = value < 0 ? "-" : "";
    if (dollar) {
        out += "$";
    }
    return out + hundredths.substr(0, hundredths.size() - 2) + "." +
           hundredths.substr(hundredths.size() - 2);
}

std::vector<Extended> Samples() {
    std::mt19937_64 random(20261208);
    std::vector<Extended> values;
    std::uniform_int_distribution<long long> cents(-100000000000LL, 100000000000LL);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> power(-12, 22);
    // Next to a tie of the 15-digit rounding, where the image's last digit decides the text.
    std::uniform_int_distribution<long long> fifteenDigits(100000000000000LL, 999999999999999LL);
    std::uniform_int_distribution<int> nearPower(-25, 25);
    std::uniform_int_distribution<int> farPower(-4940, 4900);
    const auto nextToATie = [&](int exponent) {
        return TextToNumber(std::to_string(fifteenDigits(random)) + "4995E" +
                            std::to_string(exponent));
    };
    for (int i = 0; i < 40000; ++i) {
        values.push_back(static_cast<Extended>(cents(random)) / 100.0L);             // cents
        values.push_back(static_cast<Extended>(cents(random)) / 1000.0L + 0.0005L);  // near ties
        values.push_back(static_cast<Extended>(cents(random) * 2 + 1) / 200.0L);     // exact ties
        values.push_back(static_cast<Extended>(unit(random)) * std::pow(10.0L, power(random)));
        values.push_back(TextToNumber(std::to_string(cents(random)) + ".005"));
        values.push_back(nextToATie(nearPower(random)));
        if (i % 4 == 0) {
            values.push_back(-nextToATie(farPower(random)));
        }
    }
    for (const Extended edge : {1e18L, 999999999999999999.5L, 1e17L - 0.5L, 0.0049999L, 0.005L,
                                0.00999L, 0.995L, 1e-300L, 9.99999999999999999e15L, 1e-4940L}) {
        values.push_back(edge);
        values.push_back(-edge);
    }
    return values;
}

TEST(NumberTextModel, FormatAmountAgreesOnRandomSamples) {
    for (const Extended value : Samples()) {
        ASSERT_EQ(FormatAmount(value, AmountPattern::Plain), ModelFormatAmount(value, false))
            << static_cast<double>(value);
        ASSERT_EQ(FormatAmount(value, AmountPattern::Dollar), ModelFormatAmount(value, true));
    }
}

TEST(NumberTextModel, FormatMoneyAgreesOnRandomSamples) {
    std::string cell = "previous text that was long";
    for (const Extended sample : Samples()) {
        // Larger samples are brought into the money range with their significand kept.
        const Extended value = std::fabs(sample) < 1e38L
                                   ? sample
                                   : std::scalbn(sample, -std::ilogb(sample) / 126 * 126);
        const Real6 money = Real6::Narrow(value);
        const Extended widened = money.Widen();
        ASSERT_EQ(FormatMoney(money), "$" + ModelFormatAmount(widened, false))
            << static_cast<double>(value);
        FormatMoneyInto(cell, money);  // a reused cell, as the schedule writes it
        ASSERT_EQ(cell, FormatMoney(money));
    }
}

TEST(NumberTextModel, NumberToTextAgreesOnRandomSamples) {
    for (const Extended value : Samples()) {
        ASSERT_EQ(NumberToText(value), ModelNumberToText(value)) << static_cast<double>(value);
    }
}

TEST(NumberTextModel, FormattedAmountsReadBack) {
    for (const Extended value : Samples()) {
        const std::string text = FormatAmount(value, AmountPattern::Plain);
        Extended back = 0;
        ASSERT_TRUE(TryTextToNumber(text, back)) << text;
        ASSERT_EQ(FormatAmount(back, AmountPattern::Plain), text);
    }
}

}  // namespace
}  // namespace text
