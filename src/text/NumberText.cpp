#include "text/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
constexpr std::uint64_t kImageLow = kWholePow10[17];
constexpr Extended kImageLowX = 1e17L;
constexpr Extended kImageHighX = 1e18L;

// The 18 significant decimal digits of a value and its decimal exponent E, with
// 10^(E-1) <= |value| < 10^E and digits in [10^17, 10^18).
struct Image {
    std::uint64_t digits;
    int exponent;
};

// Beyond the exact powers: the digits of the exactly rounded decimal, which the image's
// one-scaling rule may differ from only in its last digit.
// Nearest integer, ties to even, for a non-negative value. From 2^63 on every 80-bit value is
// already whole; below it, adding 2^63 leaves no fraction bits, so the addition itself rounds.
inline Extended RoundToInteger(Extended value) {
    constexpr Extended kTwo63 = 9223372036854775808.0L;
    return value < kTwo63 ? (value + kTwo63) - kTwo63 : value;
}

Image SlowImage(Extended magnitude) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    Image image{0, 0};
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

Image DecimalImage(Extended magnitude) {
    // floor(log10 |value|) + 1, or one less, from the binary exponent (log10 2 ≈ 1292913986 /
    // 2^32); the loop below settles it.
    const std::int64_t binaryExponent = BitsOf(magnitude).biasedExponent - kExtendedBias;
    int exponent = static_cast<int>((binaryExponent * 1292913986LL) >> 32) + 1;
    if (binaryExponent < -16382) {
        return SlowImage(magnitude);  // denormals
    }
    if (18 - exponent > kExactPowers - 1 || exponent - 18 > kExactPowers - 1) {
        return SlowImage(magnitude);
    }
    for (;;) {
        const int power = 18 - exponent;
        const Extended scaled =
            power >= 0 ? magnitude * kPow10.value[power] : magnitude / kPow10.value[-power];
        const Extended rounded = RoundToInteger(scaled);
        if (rounded >= kImageHighX) {
            if (rounded == kImageHighX) {
                return Image{kImageLow, exponent + 1};
            }
            ++exponent;
            continue;
        }
        if (rounded < kImageLowX) {
            --exponent;
            continue;
        }
        return Image{static_cast<std::uint64_t>(rounded), exponent};
    }
}

// Writes the decimal digits of n (at least one) and returns the end.
char* WriteDigits(char* out, std::uint64_t n) {
    return std::to_chars(out, out + 24, n).ptr;
}

// Writes hundredths as "<int><mark><2 digits>" from a digit string without leading zeros.
char* WriteHundredths(char* out, const char* digits, std::size_t length, char mark) {
    if (length <= 2) {
        *out++ = '0';
        *out++ = mark;
        if (length < 2) {
            *out++ = '0';
        }
        std::memcpy(out, digits, length);
        return out + length;
    }
    std::memcpy(out, digits, length - 2);
    out += length - 2;
    *out++ = mark;
    *out++ = digits[length - 2];
    *out++ = digits[length - 1];
    return out;
}

std::size_t WriteSignedHundredths(char* out, bool negative, AmountPattern pattern,
                                  const char* digits, std::size_t length, char mark) {
    char* p = out;
    if (negative) {
        *p++ = '-';
    }
    if (pattern == AmountPattern::Dollar) {
        *p++ = '$';
    }
    p = WriteHundredths(p, digits, length, mark);
    return static_cast<std::size_t>(p - out);
}

// The amount's hundredths without building the image, where the image cannot change them.
// Below 1E12 the image, divided down to thousandths, lies within 0.0006 of |value| × 1000. So
// when |value| × 1000 is clear of a whole number its floor is the thousandths the image keeps;
// and next to a whole number n either n or n - 1 is, which round to the same hundredths unless
// n ends in 5 (a decimal tie), which is left to the image.
bool FastHundredths(Extended magnitude, std::uint64_t& hundredths) {
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
    hundredths = kept / 10 + (kept % 10 >= 5 ? 1 : 0);
    return true;
}

std::size_t WriteSpecial(char* out, Extended value) {
    const char* text = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return length;
}

std::size_t WriteZeroAmount(char* out, AmountPattern pattern, char mark) {
    char* p = out;
    if (pattern == AmountPattern::Dollar) {
        *p++ = '$';
    }
    *p++ = '0';
    *p++ = mark;
    *p++ = '0';
    *p++ = '0';
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
    errno = 0;
    char* end = nullptr;
    const Extended parsed = std::strtold(decimal.c_str(), &end);
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
    Image image = DecimalImage(std::fabs(value));
    std::uint64_t kept = image.digits / 1000;
    if ((image.digits / 100) % 10 >= 5) {
        ++kept;
        if (kept == kWholePow10[15]) {
            kept = kWholePow10[14];
            ++image.exponent;
        }
    }
    char digits[16];
    WriteDigits(digits, kept);  // exactly 15 digits
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
        const int shown = e - 1;
        if (shown < 0) {
            *p++ = '-';
        }
        p = WriteDigits(p, static_cast<std::uint64_t>(shown < 0 ? -shown : shown));
    }
    return static_cast<std::size_t>(p - out);
}

std::string NumberToText(Extended value) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, NumberToTextTo(buffer, value));
}

namespace {
// One body for amounts and money, inlined into both so the value never crosses a call.
inline std::size_t FormatAmountBody(char* out, Extended value, AmountPattern pattern) {
    if (!std::isfinite(value)) {
        return WriteSpecial(out, value);
    }
    const char mark = CurrentLocaleFormats().decimalMark;
    // Below a thousandth nothing survives the rounding to hundredths; spares the image.
    if (std::fabs(value) < 0.0009L) {
        return WriteZeroAmount(out, pattern, mark);
    }
    std::uint64_t quick = 0;
    if (FastHundredths(std::fabs(value), quick)) {
        if (quick == 0) {
            return WriteZeroAmount(out, pattern, mark);
        }
        char digits[24];
        const auto length = static_cast<std::size_t>(WriteDigits(digits, quick) - digits);
        return WriteSignedHundredths(out, value < 0, pattern, digits, length, mark);
    }
    const Image image = DecimalImage(std::fabs(value));
    if (image.exponent > 18) {
        return NumberToTextTo(out, value);
    }
    const int keep = image.exponent + 2;  // digits down to the hundredths
    if (keep < 0) {
        return WriteZeroAmount(out, pattern, mark);
    }

    char digits[24];
    std::size_t length = 0;
    if (keep >= 18) {
        length = static_cast<std::size_t>(WriteDigits(digits, image.digits) - digits);
        for (int i = 18; i < keep; ++i) {
            digits[length++] = '0';
        }
    } else {
        const std::uint64_t divisor = kWholePow10[18 - keep];
        std::uint64_t hundredths = image.digits / divisor;
        const std::uint64_t firstDropped = (image.digits / (divisor / 10)) % 10;
        if (firstDropped >= 5) {
            ++hundredths;  // ties away from zero, carrying to the left
        }
        if (hundredths == 0) {
            return WriteZeroAmount(out, pattern, mark);
        }
        length = static_cast<std::size_t>(WriteDigits(digits, hundredths) - digits);
    }

    return WriteSignedHundredths(out, value < 0, pattern, digits, length, mark);
}
}  // namespace

std::size_t FormatAmountTo(char* out, Extended value, AmountPattern pattern) {
    return FormatAmountBody(out, value, pattern);
}

std::string FormatAmount(Extended value, AmountPattern pattern) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, FormatAmountTo(buffer, value, pattern));
}

namespace {
// The hundredths of a Real6 below 2^39, by integer arithmetic on its 40-bit significand: there
// |value| × 1000 is m × 1000 / 2^shift exactly, so its whole part and fraction are known, and the
// rule of FastHundredths applies without rounding error.
bool Real6Hundredths(std::uint64_t packed, std::uint64_t& hundredths) {
    constexpr int kLowBitExponent = 129 + 39;
    const int exponent = static_cast<int>(packed & 0xFF);
    if (exponent == 0) {
        hundredths = 0;
        return true;
    }
    const int shift = kLowBitExponent - exponent;
    if (shift < 1) {
        return false;
    }
    if (shift >= 64) {
        hundredths = 0;  // below 2^-24: nothing reaches the hundredths
        return true;
    }
    const std::uint64_t significand =
        ((packed >> 8) & ((std::uint64_t{1} << 39) - 1)) | (std::uint64_t{1} << 39);
    const std::uint64_t scaled = significand * 1000;  // below 2^50
    const std::uint64_t unit = std::uint64_t{1} << shift;
    const std::uint64_t whole = scaled >> shift;
    const std::uint64_t fraction = scaled & (unit - 1);
    const std::uint64_t margin = unit >> 10;  // about 0.001
    std::uint64_t kept = whole;
    if (fraction != 0 && fraction < margin) {
        if (whole % 10 == 5) {
            return false;
        }
    } else if (fraction != 0 && fraction > unit - margin) {
        kept = whole + 1;
        if (kept % 10 == 5) {
            return false;
        }
    }
    hundredths = kept / 10 + (kept % 10 >= 5 ? 1 : 0);
    return true;
}
}  // namespace

namespace {
// The 48 bits of a Real6, read as the two loads they were stored as (a single wide load of
// narrower stores waits for them to reach the cache).
std::uint64_t PackedBits(const Real6& value) {
    std::uint32_t low = 0;
    std::uint16_t high = 0;
    std::memcpy(&low, value.Bytes().data(), 4);
    std::memcpy(&high, value.Bytes().data() + 4, 2);
    return low | (std::uint64_t{high} << 32);
}

std::size_t DigitCount(std::uint64_t n) {
    std::size_t count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
}
}  // namespace

std::size_t FormatMoneyTo(char* out, const Real6& value) {
    out[0] = '$';
    const std::uint64_t packed = PackedBits(value);
    std::uint64_t hundredths = 0;
    if (Real6Hundredths(packed, hundredths)) {
        const char mark = CurrentLocaleFormats().decimalMark;
        if (hundredths == 0) {
            return 1 + WriteZeroAmount(out + 1, AmountPattern::Plain, mark);
        }
        char digits[24];
        const auto length = static_cast<std::size_t>(WriteDigits(digits, hundredths) - digits);
        const bool negative = (packed >> 47) & 1;
        return 1 +
               WriteSignedHundredths(out + 1, negative, AmountPattern::Plain, digits, length, mark);
    }
    return 1 + FormatAmountBody(out + 1, value.Widen(), AmountPattern::Plain);
}

void FormatMoneyInto(std::string& out, const Real6& value) {
    const std::uint64_t packed = PackedBits(value);
    std::uint64_t hundredths = 0;
    if (!Real6Hundredths(packed, hundredths)) {
        char buffer[kNumberTextCapacity];
        AssignShortText(out, buffer, FormatMoneyTo(buffer, value));
        return;
    }
    // Written straight into the cell, from the last digit back: no buffer to copy from.
    const bool negative = hundredths != 0 && ((packed >> 47) & 1);
    const std::size_t digits = std::max<std::size_t>(DigitCount(hundredths), 3);
    const std::size_t length = 1 + (negative ? 1 : 0) + digits + 1;
    out.resize(length);
    char* p = out.data() + length;
    for (std::size_t i = 0; i < digits; ++i) {
        if (i == 2) {
            *--p = CurrentLocaleFormats().decimalMark;
        }
        *--p = static_cast<char>('0' + hundredths % 10);
        hundredths /= 10;
    }
    if (negative) {
        *--p = '-';
    }
    *--p = '$';
}

void WholeToTextInto(std::string& out, std::int32_t value) {
    const bool negative = value < 0;
    std::uint64_t magnitude = negative
                                  ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(value))
                                  : static_cast<std::uint64_t>(value);
    const std::size_t length = DigitCount(magnitude) + (negative ? 1 : 0);
    out.resize(length);
    char* p = out.data() + length;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        *--p = '-';
    }
}

std::string FormatMoney(const Real6& value) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, FormatMoneyTo(buffer, value));
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
    return static_cast<std::size_t>(std::to_chars(out, out + 16, value).ptr - out);
}

std::string WholeToText(std::int32_t value) {
    char buffer[16];
    return std::string(buffer, WholeToTextTo(buffer, value));
}

}  // namespace text
