// Random samples against a model built from the exactly rounded 18-digit decimal of each value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "text/NumberText.h"

namespace text {
namespace {

struct ModelImage {
    std::string digits;  // 18 digits
    int exponent;        // 10^(E-1) <= |v| < 10^E
};

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
    ModelImage image = ExactImage(std::fabs(value));
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
    const ModelImage image = ExactImage(std::fabs(value));
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
    for (int i = 0; i < 40000; ++i) {
        values.push_back(static_cast<Extended>(cents(random)) / 100.0L);             // cents
        values.push_back(static_cast<Extended>(cents(random)) / 1000.0L + 0.0005L);  // near ties
        values.push_back(static_cast<Extended>(cents(random) * 2 + 1) / 200.0L);     // exact ties
        values.push_back(static_cast<Extended>(unit(random)) * std::pow(10.0L, power(random)));
        values.push_back(TextToNumber(std::to_string(cents(random)) + ".005"));
    }
    for (const Extended edge : {1e18L, 999999999999999999.5L, 1e17L - 0.5L, 0.0049999L, 0.005L,
                                0.00999L, 0.995L, 1e-300L, 9.99999999999999999e15L}) {
        values.push_back(edge);
        values.push_back(-edge);
    }
    return values;
}

TEST(NumberTextModel, FormatAmountAgreesOnRandomSamples) {
    int checked = 0;
    for (const Extended value : Samples()) {
        const ModelImage image = ExactImage(std::fabs(value));
        // The one-scaling image may differ from the exact decimal in its 18th digit only; skip
        // the values whose text reads that digit.
        if (value != 0 && image.exponent >= 15 && image.exponent <= 18) {
            continue;
        }
        ASSERT_EQ(FormatAmount(value, AmountPattern::Plain), ModelFormatAmount(value, false))
            << static_cast<double>(value);
        ASSERT_EQ(FormatAmount(value, AmountPattern::Dollar), ModelFormatAmount(value, true));
        ++checked;
    }
    EXPECT_GT(checked, 150000);
}

TEST(NumberTextModel, FormatMoneyAgreesOnRandomSamples) {
    int checked = 0;
    std::string cell = "previous text that was long";
    for (const Extended sample : Samples()) {
        const Extended value = std::fabs(sample) < 1e38L ? sample : sample / 1e300L;
        const Real6 money = Real6::Narrow(value);
        const Extended widened = money.Widen();
        const ModelImage image = ExactImage(std::fabs(widened));
        if (widened != 0 && image.exponent >= 15 && image.exponent <= 18) {
            continue;
        }
        ASSERT_EQ(FormatMoney(money), "$" + ModelFormatAmount(widened, false))
            << static_cast<double>(value);
        FormatMoneyInto(cell, money);  // a reused cell, as the schedule writes it
        ASSERT_EQ(cell, FormatMoney(money));
        ++checked;
    }
    EXPECT_GT(checked, 150000);
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
