#include "text/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "text/Exceptions.h"
#include "text/ExtendedBits.h"
#include "text/LocaleFormats.h"
#include "text/ShortText.h"

namespace text {

namespace {

// Powers of ten that the 80-bit format holds exactly (5^27 still fits in 64 bits).
constexpr int kExactPowers = 27;
struct PowerTable {
    Extended value[kExactPowers + 1];
    constexpr PowerTable() : value() {
        Extended power = 1;
        for (int i = 0; i <= kExactPowers; ++i) {
            value[i] = power;
            power *= 10;
        }
    }
};
constexpr PowerTable kPow10;

// 10^-1 to 10^-40 rounded to the nearest 80-bit value, as the compiler reads each literal: the
// factors for images of values from 1E18 up to beyond the money range.
constexpr Extended kNegativePow10[] = {
    1e-1L,  1e-2L,  1e-3L,  1e-4L,  1e-5L,  1e-6L,  1e-7L,  1e-8L,  1e-9L,  1e-10L,
    1e-11L, 1e-12L, 1e-13L, 1e-14L, 1e-15L, 1e-16L, 1e-17L, 1e-18L, 1e-19L, 1e-20L,
    1e-21L, 1e-22L, 1e-23L, 1e-24L, 1e-25L, 1e-26L, 1e-27L, 1e-28L, 1e-29L, 1e-30L,
    1e-31L, 1e-32L, 1e-33L, 1e-34L, 1e-35L, 1e-36L, 1e-37L, 1e-38L, 1e-39L, 1e-40L};
constexpr int kTabledNegativePowers = static_cast<int>(std::size(kNegativePow10));

// The largest power of ten below the 80-bit maximum (about 1.19E4932).
constexpr int kLargestPower = 4932;

// The 80-bit value nearest to 10^power, for |power| up to kLargestPower.
Extended PowerOfTen(int power) {
    if (power >= 0 && power <= kExactPowers) {
        return kPow10.value[power];
    }
    if (power < 0 && power >= -kTabledNegativePowers) {
        return kNegativePow10[-power - 1];
    }
    // Far from money: the C library's reading rounds the exact decimal correctly.
    const std::string decimal = "1e" + std::to_string(power);
    return std::strtold(decimal.c_str(), nullptr);
}

constexpr std::uint64_t kWholePow10[] = {1ULL,
                                         10ULL,
                                         100ULL,
                                         1000ULL,
                                         10000ULL,
                                         100000ULL,
                                         1000000ULL,
                                         10000000ULL,
                                         100000000ULL,
                                         1000000000ULL,
                                         10000000000ULL,
                                         100000000000ULL,
                                         1000000000000ULL,
                                         10000000000000ULL,
                                         100000000000000ULL,
                                         1000000000000000ULL,
                                         10000000000000000ULL,
                                         100000000000000000ULL,
                                         1000000000000000000ULL};
// The longest texts of the whole numbers written: 2^64 - 1 and -2^31.
constexpr std::size_t kLongestUnsigned = 20;
constexpr std::size_t kLongestWhole = 11;

constexpr Extended kImageLow = 1e17L;
constexpr Extended kImageHigh = 1e18L;

// Nearest integer, ties to even, for a non-negative value. From 2^63 on every 80-bit value is
// already whole; below it, adding 2^63 leaves no fraction bits, so the addition itself rounds.
inline Extended RoundToInteger(Extended value) {
    constexpr Extended kTwo63 = 9223372036854775808.0L;
    return value < kTwo63 ? (value + kTwo63) - kTwo63 : value;
}

// Below about 1E-4914, where the factor 10^(18 - E) lies beyond the 80-bit range, and for
// denormals: the digits of the exactly rounded decimal, which the one-scaling image may differ
// from only in its last digit.
detail::Image ExactDecimalImage(Extended magnitude) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    detail::Image image{0, 0};
    const char* p = buffer;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            image.digits = image.digits * 10 + static_cast<std::uint64_t>(*p - '0');
        }
    }
    int exponent = 0;
    if (*p == 'e') {
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), buffer + std::strlen(buffer), exponent);
    }
    image.exponent = exponent + 1;
    return image;
}

// Thousandths rounded to hundredths, ties away from zero.
detail::Hundredths RoundThousandths(std::uint64_t thousandths) {
    const std::uint64_t count = thousandths / 10 + (thousandths % 10 >= 5 ? 1 : 0);
    return detail::Hundredths{count / 100, static_cast<unsigned>(count % 100)};
}

}  // namespace

namespace detail {

Image DecimalImage(Extended magnitude) {
    const ExtendedBits bits = BitsOf(magnitude);
    if (bits.biasedExponent == 0) {
        return ExactDecimalImage(magnitude);  // denormals
    }
    // E, or one less, from the binary exponent (log10 2 is just above 1292913986 / 2^32); a
    // product above 10^18 tells it was one less.
    const std::int64_t binaryExponent = bits.biasedExponent - kExtendedBias;
    int exponent = static_cast<int>((binaryExponent * 1292913986LL) >> 32) + 1;
    for (;;) {
        const int power = 18 - exponent;
        if (power > kLargestPower) {
            return ExactDecimalImage(magnitude);
        }
        const Extended rounded = RoundToInteger(magnitude * PowerOfTen(power));
        if (rounded == kImageHigh) {
            return Image{kWholePow10[17], exponent + 1};
        }
        if (rounded > kImageHigh) {
            ++exponent;
            continue;
        }
        if (rounded < kImageLow) {
            --exponent;
            continue;
        }
        return Image{static_cast<std::uint64_t>(rounded), exponent};
    }
}

Hundredths ImageHundredths(const Image& image) {
    const int keep = image.exponent + 2;  // digits down to the hundredths
    if (keep < 0) {
        return Hundredths{0, 0};
    }
    if (keep < 18) {
        return RoundThousandths(image.digits / kWholePow10[17 - keep]);
    }
    // Every digit is kept: the first E are the whole part, the next two (or zeros) the cents.
    const std::uint64_t scale = kWholePow10[18 - image.exponent];
    return Hundredths{image.digits / scale,
                      static_cast<unsigned>(image.digits % scale * (100 / scale))};
}

// Below 1E12 the image, divided down to thousandths, lies within 0.0006 of |value| × 1000. So
// when |value| × 1000 is clear of a whole number its floor is the thousandths the image keeps;
// and next to a whole number n either n or n - 1 is, which round to the same hundredths unless
// n ends in 5 (a decimal tie), which is left to the image.
bool FastHundredths(Extended magnitude, Hundredths& hundredths) {
    if (!(magnitude < 1e12L)) {
        return false;
    }
    const Extended thousandths = magnitude * 1000;
    const Extended nearest = RoundToInteger(thousandths);
    const auto n = static_cast<std::uint64_t>(static_cast<std::int64_t>(nearest));
    const Extended distance = thousandths - nearest;
    std::uint64_t kept = n;
    if (distance >= 0.001L || distance <= -0.001L) {
        kept = distance < 0 ? n - 1 : n;
    } else if (n % 10 == 5) {
        return false;
    }
    hundredths = RoundThousandths(kept);
    return true;
}

// Below 2^39 |value| × 1000 is significand × 1000 / 2^shift exactly. A fraction of it is at least
// 2^-shift, more than |value| / 2^40 and so over 90 units of the image's last digit, while the
// image lies within 0.6 of such a unit: the thousandths it keeps are the whole part, always.
bool Real6Hundredths(const Real6::Fields& fields, Hundredths& hundredths) {
    const int shift = Real6::kBias + Real6::kFractionBits - fields.biasedExponent;
    if (shift < 1) {
        return false;
    }
    if (fields.biasedExponent == 0 || shift >= 64) {
        hundredths = Hundredths{0, 0};  // zero, or below 2^-24: nothing reaches the hundredths
        return true;
    }
    hundredths = RoundThousandths((fields.significand * 1000) >> shift);  // below 2^50 before
    return true;
}

}  // namespace detail

namespace {

using detail::Hundredths;

std::size_t WriteSpecial(char* out, Extended value) {
    const char* text = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return length;
}

// The one writer of amounts: "-" unless the amount is zero, "$" for that pattern, the whole part
// (at least the digit 0), the decimal mark and two digits.
std::size_t WriteAmount(char* out, bool negative, AmountPattern pattern, Hundredths amount) {
    char* p = out;
    if (negative && (amount.whole != 0 || amount.cents != 0)) {
        *p++ = '-';
    }
    if (pattern == AmountPattern::Dollar) {
        *p++ = '$';
    }
    p = std::to_chars(p, p + kLongestUnsigned, amount.whole).ptr;
    *p++ = CurrentLocaleFormats().decimalMark;
    *p++ = static_cast<char>('0' + amount.cents / 10);
    *p++ = static_cast<char>('0' + amount.cents % 10);
    return static_cast<std::size_t>(p - out);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void ThrowNotFloat(std::string_view text) {
    std::string message = "'";
    message += text;
    message += "' is not a valid floating point value";
    throw EConvertError(std::move(message));
}

[[noreturn]] void ThrowNotInteger(std::string_view text) {
    std::string message = "'";
    message += text;
    message += "' is not a valid integer value";
    throw EConvertError(std::move(message));
}

// Mantissa digits times ten to the power, rounded once to the nearest 80-bit value.
bool ScaleDecimal(std::string_view significant, long power, Extended& value) {
    if (significant.empty()) {
        value = 0;
        return true;
    }
    // Trailing zeros only move the power, and keep short numbers on the exact path.
    while (significant.size() > 1 && significant.back() == '0') {
        significant.remove_suffix(1);
        ++power;
    }
    if (significant.size() <= 19 && power >= -kExactPowers && power <= kExactPowers) {
        std::uint64_t mantissa = 0;
        for (const char c : significant) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        }
        const auto whole = static_cast<Extended>(mantissa);  // exact: 64-bit significand
        value = power >= 0 ? whole * kPow10.value[power] : whole / kPow10.value[-power];
        return true;
    }
    // Long mantissas and large powers: the C library rounds the exact decimal correctly.
    std::string decimal(significant);
    decimal += 'e';
    decimal += std::to_string(power);
    const Extended parsed = std::strtold(decimal.c_str(), nullptr);
    if (std::isinf(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

std::size_t NumberToTextTo(char* out, Extended value) {
    if (!std::isfinite(value)) {
        return WriteSpecial(out, value);
    }
    if (value == 0) {
        out[0] = '0';
        return 1;
    }
    const char mark = CurrentLocaleFormats().decimalMark;
    detail::Image image = detail::DecimalImage(std::fabs(value));
    std::uint64_t kept = image.digits / 1000;
    if ((image.digits / 100) % 10 >= 5) {
        ++kept;
        if (kept == kWholePow10[15]) {
            kept = kWholePow10[14];
            ++image.exponent;
        }
    }
    char digits[20];
    std::to_chars(digits, std::end(digits), kept);  // exactly 15 digits
    std::size_t count = 15;
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }

    char* p = out;
    if (value < 0) {
        *p++ = '-';
    }
    const int e = image.exponent;
    if (e >= -3 && e <= 15) {
        if (e > 0) {
            const auto whole = static_cast<std::size_t>(e);
            for (std::size_t i = 0; i < whole; ++i) {
                *p++ = i < count ? digits[i] : '0';
            }
            if (count > whole) {
                *p++ = mark;
                std::memcpy(p, digits + whole, count - whole);
                p += count - whole;
            }
        } else {
            *p++ = '0';
            *p++ = mark;
            for (int i = 0; i < -e; ++i) {
                *p++ = '0';
            }
            std::memcpy(p, digits, count);
            p += count;
        }
    } else {
        *p++ = digits[0];
        if (count > 1) {
            *p++ = mark;
            std::memcpy(p, digits + 1, count - 1);
            p += count - 1;
        }
        *p++ = 'E';
        p += WholeToTextTo(p, e - 1);
    }
    return static_cast<std::size_t>(p - out);
}

std::string NumberToText(Extended value) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, NumberToTextTo(buffer, value));
}

std::size_t FormatAmountTo(char* out, Extended value, AmountPattern pattern) {
    if (!std::isfinite(value)) {
        return WriteSpecial(out, value);
    }
    const Extended magnitude = std::fabs(value);
    Hundredths amount{0, 0};
    if (!detail::FastHundredths(magnitude, amount)) {
        const detail::Image image = detail::DecimalImage(magnitude);
        if (image.exponent > 18) {
            return NumberToTextTo(out, value);
        }
        amount = detail::ImageHundredths(image);
    }
    return WriteAmount(out, value < 0, pattern, amount);
}

std::string FormatAmount(Extended value, AmountPattern pattern) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, FormatAmountTo(buffer, value, pattern));
}

std::size_t FormatMoneyTo(char* out, const Real6& value) {
    out[0] = '$';
    const Real6::Fields fields = value.Unpack();
    Hundredths amount{0, 0};
    if (detail::Real6Hundredths(fields, amount)) {
        return 1 + WriteAmount(out + 1, fields.negative, AmountPattern::Plain, amount);
    }
    return 1 + FormatAmountTo(out + 1, value.Widen(), AmountPattern::Plain);
}

std::string FormatMoney(const Real6& value) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, FormatMoneyTo(buffer, value));
}

void FormatMoneyInto(std::string& out, const Real6& value) {
    char buffer[kNumberTextCapacity];
    AssignShortText(out, buffer, FormatMoneyTo(buffer, value));
}

bool TryTextToNumber(std::string_view text, Extended& value) {
    const char mark = CurrentLocaleFormats().decimalMark;
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The mantissa's digits, leading zeros dropped, as one decimal integer.
    const std::size_t integerStart = i;
    while (i < size && IsDigit(text[i])) {
        ++i;
    }
    const std::string_view integerDigits = text.substr(integerStart, i - integerStart);
    bool sawMark = false;
    std::string_view fractionDigits;
    if (i < size && text[i] == mark) {
        sawMark = true;
        const std::size_t fractionStart = ++i;
        while (i < size && IsDigit(text[i])) {
            ++i;
        }
        fractionDigits = text.substr(fractionStart, i - fractionStart);
    }
    if (integerDigits.empty() && fractionDigits.empty() && !sawMark) {
        return false;
    }

    long exponent = 0;
    if (i < size && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < size && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        // Digits are taken only while the exponent so far is below 500.
        while (i < size && IsDigit(text[i]) && exponent < 500) {
            exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    while (i < size && text[i] == ' ') {
        ++i;
    }
    if (i != size) {
        return false;
    }

    std::string_view significant;
    std::string joined;
    if (fractionDigits.empty()) {
        significant = integerDigits;
    } else {
        joined.reserve(integerDigits.size() + fractionDigits.size());
        joined.append(integerDigits);
        joined.append(fractionDigits);
        significant = joined;
    }
    const std::size_t firstNonZero = significant.find_first_not_of('0');
    significant = firstNonZero == std::string_view::npos ? std::string_view{}
                                                         : significant.substr(firstNonZero);
    Extended magnitude = 0;
    if (!ScaleDecimal(significant, exponent - static_cast<long>(fractionDigits.size()),
                      magnitude)) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

Extended TextToNumber(std::string_view text) {
    Extended value = 0;
    if (!TryTextToNumber(text, value)) {
        ThrowNotFloat(text);
    }
    return value;
}

bool TryTextToWhole(std::string_view text, std::int32_t& value) {
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size && text[i] == ' ') {
        ++i;
    }
    if (i < size && text[i] == '$') {
        ++i;
        if (i == size) {
            return false;
        }
        std::uint64_t pattern = 0;
        for (; i < size; ++i) {
            const char c = text[i];
            int digit = 0;
            if (IsDigit(c)) {
                digit = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            } else {
                return false;
            }
            pattern = pattern * 16 + static_cast<std::uint64_t>(digit);
            if (pattern > 0xFFFFFFFFULL) {
                return false;
            }
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern));
        return true;
    }
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == size) {
        return false;
    }
    std::uint64_t magnitude = 0;
    for (; i < size; ++i) {
        if (!IsDigit(text[i])) {
            return false;
        }
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (magnitude > 2147483648ULL) {
            return false;
        }
    }
    if (!negative && magnitude > 2147483647ULL) {
        return false;
    }
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

std::int32_t TextToWhole(std::string_view text) {
    std::int32_t value = 0;
    if (!TryTextToWhole(text, value)) {
        ThrowNotInteger(text);
    }
    return value;
}

std::int32_t TextToWholeDef(std::string_view text, std::int32_t defaultValue) {
    std::int32_t value = 0;
    return TryTextToWhole(text, value) ? value : defaultValue;
}

std::size_t WholeToTextTo(char* out, std::int32_t value) {
    return static_cast<std::size_t>(std::to_chars(out, out + kLongestWhole, value).ptr - out);
}

std::string WholeToText(std::int32_t value) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, WholeToTextTo(buffer, value));
}

void WholeToTextInto(std::string& out, std::int32_t value) {
    char buffer[kNumberTextCapacity];
    AssignShortText(out, buffer, WholeToTextTo(buffer, value));
}

}  // namespace text
