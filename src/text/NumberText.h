// The conversions between numbers and their texts: every figure on screen, paper and file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/Extended.h"
#include "text/Real6.h"

namespace text {

enum class AmountPattern {
    Plain,   // "0.00"
    Dollar,  // "$0.00"
};

// Enough for every text these conversions form (a NumberToText of any 80-bit value included).
inline constexpr std::size_t kNumberTextCapacity = 64;

// Hundredths, ties away from zero, judged on the 18-digit image; no grouping; 1E18 and up as
// NumberToText. Writes into out (kNumberTextCapacity bytes) and returns the length.
std::size_t FormatAmountTo(char* out, Extended value, AmountPattern pattern);
std::string FormatAmount(Extended value, AmountPattern pattern);

// "$" and FormatAmount "0.00" of a Real6 value.
std::size_t FormatMoneyTo(char* out, const Real6& value);
std::string FormatMoney(const Real6& value);
// The same text assigned to out, which keeps its storage (the schedule's cells).
void FormatMoneyInto(std::string& out, const Real6& value);

// Raises EConvertError "'<text>' is not a valid floating point value".
Extended TextToNumber(std::string_view text);
// Returns false instead of raising; value is left alone then.
bool TryTextToNumber(std::string_view text, Extended& value);

// Raises EConvertError "'<text>' is not a valid integer value".
std::int32_t TextToWhole(std::string_view text);
std::int32_t TextToWholeDef(std::string_view text, std::int32_t defaultValue);
bool TryTextToWhole(std::string_view text, std::int32_t& value);

std::size_t WholeToTextTo(char* out, std::int32_t value);
std::string WholeToText(std::int32_t value);
void WholeToTextInto(std::string& out, std::int32_t value);

// 15 significant digits, exponent form outside 1E-4 .. 1E15.
std::size_t NumberToTextTo(char* out, Extended value);
std::string NumberToText(Extended value);

// The steps of the amount texts, open to the tests that hold the shortcuts to the image.
namespace detail {

// The 18-digit image: digits in [10^17, 10^18) and the decimal exponent E, with
// 10^(E-1) <= |value| < 10^E.
struct Image {
    std::uint64_t digits;
    int exponent;
};
Image DecimalImage(Extended magnitude);

// An amount rounded to hundredths: its whole part and its cents.
struct Hundredths {
    std::uint64_t whole;
    unsigned cents;
    bool operator==(const Hundredths&) const = default;
};
// Of an image with E at most 18: ties away from zero, judged on the image.
Hundredths ImageHundredths(const Image& image);
// The same hundredths without the image, where it cannot change them; false elsewhere.
bool FastHundredths(Extended magnitude, Hundredths& hundredths);
bool Real6Hundredths(const Real6::Fields& fields, Hundredths& hundredths);

}  // namespace detail

}  // namespace text
