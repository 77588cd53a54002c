#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "text/Exceptions.h"
#include "text/LocaleFormats.h"

namespace text {
namespace {

LocaleFormats CommaMark() {
    LocaleFormats formats;
    formats.decimalMark = ',';
    formats.thousandsMark = '.';
    return formats;
}

struct AmountCase {
    const char* name;
    Extended value;
    AmountPattern pattern;
    const char* expected;
};

TEST(FormatAmount, RoundsToHundredthsOnTheImage) {
    const AmountCase cases[] = {
        {"zero", 0.0L, AmountPattern::Plain, "0.00"},
        {"below half a cent", 0.004L, AmountPattern::Plain, "0.00"},
        {"half a cent goes up", 0.005L, AmountPattern::Plain, "0.01"},
        {"small negative loses its sign", -0.004L, AmountPattern::Plain, "0.00"},
        {"tiny negative loses its sign", -0.0004L, AmountPattern::Plain, "0.00"},
        {"negative zero", -0.0L, AmountPattern::Dollar, "$0.00"},
        {"negative half cent, sign first", -0.005L, AmountPattern::Dollar, "-$0.01"},
        {"never grouped", 1234567.891L, AmountPattern::Plain, "1234567.89"},
        {"tie away from zero", 0.125L, AmountPattern::Plain, "0.13"},
        {"negative tie away from zero", -0.125L, AmountPattern::Plain, "-0.13"},
        {"carry into a new digit", 9.995L, AmountPattern::Plain, "10.00"},
        {"carry from below one", 0.996L, AmountPattern::Plain, "1.00"},
        {"carry past the hundreds", 99.995L, AmountPattern::Plain, "100.00"},
        {"80-bit tie rounds up", 2.675L, AmountPattern::Plain, "2.68"},
        {"dollar pattern", 599.5505L, AmountPattern::Dollar, "$599.55"},
        {"negative dollar", -459.98L, AmountPattern::Dollar, "-$459.98"},
        {"one", 1.0L, AmountPattern::Plain, "1.00"},
        {"large but below 1E18", 123456789012345678.0L, AmountPattern::Plain,
         "123456789012345678.00"},
        {"1E17 with cents", 1e17L, AmountPattern::Dollar, "$100000000000000000.00"},
        {"1E18 drops the pattern", 1e18L, AmountPattern::Dollar, "1E18"},
        {"above 1E18 negative", -2.5e20L, AmountPattern::Plain, "-2.5E20"},
        {"just under a thousandth", 0.00099L, AmountPattern::Plain, "0.00"},
        {"a thousandth", 0.001L, AmountPattern::Plain, "0.00"},
        {"1E-20", 1e-20L, AmountPattern::Plain, "0.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAmount(c.value, c.pattern), c.expected) << c.name;
    }
}

TEST(FormatAmount, UsesTheLocaleDecimalMark) {
    ScopedLocaleFormats comma(CommaMark());
    EXPECT_EQ(FormatAmount(1234567.891L, AmountPattern::Plain), "1234567,89");
    EXPECT_EQ(FormatAmount(12.5L, AmountPattern::Plain), "12,50");
    EXPECT_EQ(FormatAmount(0, AmountPattern::Dollar), "$0,00");
    EXPECT_EQ(FormatMoney(Real6::Narrow(-5)), "$-5,00");
}

TEST(FormatMoney, NarrowsBeforeFormatting) {
    const struct {
        const char* name;
        Extended value;
        const char* expected;
    } cases[] = {
        {"sign after the dollar", -5.0L, "$-5.00"},
        {"narrowing moves the tie down", 9.995L, "$9.99"},
        {"2.675 narrows below the tie", 2.675L, "$2.67"},
        {"1.005 narrows below the tie", 1.005L, "$1.00"},
        {"exact tie still goes up", 0.125L, "$0.13"},
        {"zero", 0.0L, "$0.00"},
        {"tiny remainder shows no sign", -1e-12L, "$0.00"},
        {"payment", 599.55052515275239L, "$599.55"},
        // The image is the value times the 80-bit 1E-14, 941806200252796499.4375 before the
        // rounding; dividing by 1E14 instead gives 941806200252796499.5 and the text ...797E31.
        {"runaway balance", std::ldexp(638192705234.0L, 67), "$9.41806200252796E31"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatMoney(Real6::Narrow(c.value)), c.expected) << c.name;
    }
}

TEST(FormatAmount, ShortcutsGiveTheImageHundredths) {
    // Next to decimal ties of the thousandths and at the shortcuts' margins of a thousandth.
    const Extended offsets[] = {0,      1e-15L,  -1e-15L, 0.0005L,  -0.0005L, 0.00097L, -0.00097L,
                                0.001L, -0.001L, 0.0011L, -0.0011L, 0.4L,     0.5L};
    std::mt19937_64 random(15);
    std::uniform_int_distribution<std::int64_t> thousandths(1, 999999999999999LL);
    int answered = 0;
    int tried = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t count = thousandths(random) / 10 * 10 + 5;
        for (const Extended offset : offsets) {
            const Extended value = (static_cast<Extended>(count) + offset) / 1000;
            detail::Hundredths fast{};
            if (detail::FastHundredths(value, fast)) {
                ASSERT_EQ(fast, detail::ImageHundredths(detail::DecimalImage(value)))
                    << static_cast<double>(value);
                ++answered;
            }
            const Real6 money = Real6::Narrow(value);
            if (detail::Real6Hundredths(money.Unpack(), fast)) {
                ASSERT_EQ(fast, detail::ImageHundredths(detail::DecimalImage(money.Widen())))
                    << static_cast<double>(value);
                ++answered;
            }
            tried += 2;
        }
    }
    EXPECT_GT(answered, tried / 3);  // the shortcuts answer for most values
}

TEST(TextToNumber, ReadsTheGrammar) {
    const struct {
        const char* name;
        std::string text;
        Extended expected;
    } cases[] = {
        {"blanks around", " 12.5 ", 12.5L},
        {"plus and leading mark", "+.5", 0.5L},
        {"lone mark", ".", 0.0L},
        {"minus and mark", "-.", 0.0L},
        {"lower-case exponent", "1e3", 1000.0L},
        {"exponent without digits", "1E", 1.0L},
        {"exponent with sign", "25E-1", 2.5L},
        {"exponent 499", "1E499", 1e499L},
        {"exponent 500 still reads", "1E500", 1e500L},
        {"leading zeros in exponent", "1E0000000002", 100.0L},
        {"trailing mark", "7.", 7.0L},
        {"negative", "-100000", -100000.0L},
        {"many blanks", "     3     ", 3.0L},
        {"long zero run", std::string(10000, '0') + "1", 1.0L},
        {"long fraction", "0." + std::string(499, '0') + "1E500", 1.0L},
        {"exponent sign without digits", "1E+", 1.0L},
        {"still an 80-bit value", "1E-500", 1e-500L},
        {"below the smallest value becomes zero", "0." + std::string(5000, '0') + "1", 0.0L},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToNumber(c.text), c.expected) << c.name;
    }
}

TEST(TextToNumber, RoundsOnceToTheNearestValue) {
    // Each decimal text must read as the nearest 80-bit value, as strtold gives it.
    const char* texts[] = {"0.01",
                           "599.55",
                           "0.1",
                           "1234567.891",
                           "45323.6603582176",
                           "9.995",
                           "2.675",
                           "123456789012345678.9",
                           "1.7976931348623157E308",
                           "3.14159265358979323846264338327950288",
                           "0.000000000000000000000000000001",
                           "4.9E-324",
                           "99999999999999999999"};
    for (const char* text : texts) {
        EXPECT_EQ(TextToNumber(text), std::strtold(text, nullptr)) << text;
    }
}

TEST(TextToNumber, RefusesWithTheWholeTextQuoted) {
    const std::string bad[] = {"1,000",
                               "$5",
                               "",
                               "-",
                               "+",
                               "1E9999",
                               "12.5x",
                               "E5",
                               "\t1",
                               "1\t",
                               "50%",
                               "--1",
                               "+-1",
                               "1..2",
                               "1 2",
                               "- 1",
                               "1E5000",
                               "0x10",
                               std::string("1\0", 2),
                               "\xff",
                               "1e-e",
                               "1E99999",
                               std::string(6000, '9') + "E0"};
    for (const auto& text : bad) {
        try {
            TextToNumber(text);
            ADD_FAILURE() << "read: " << text.substr(0, 40);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + text + "' is not a valid floating point value");
        }
    }
}

TEST(TextToNumber, UsesTheLocaleDecimalMark) {
    ScopedLocaleFormats comma(CommaMark());
    EXPECT_EQ(TextToNumber("12,50"), 12.5L);
    EXPECT_THROW(TextToNumber("12.50"), EConvertError);
    EXPECT_EQ(TextToNumber(FormatAmount(0.004L, AmountPattern::Plain)), 0.0L);
}

TEST(TextToWhole, ReadsDecimalAndHexadecimal) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"30", 30},
        {" 30", 30},
        {"-0", 0},
        {"$1f", 31},
        {"$1F", 31},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"+7", 7},
        {"0000000000000000012", 12},
        {"$00000000000a", 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToWhole(c.text), c.expected) << c.text;
    }
}

TEST(TextToWhole, RefusesWithTheWholeTextQuoted) {
    const std::string bad[] = {"30 ",
                               "",
                               "30.5",
                               "3e1",
                               "2147483648",
                               "-2147483649",
                               "-$1F",
                               "+ 5",
                               "$",
                               "$100000000",
                               "$G",
                               " ",
                               "-",
                               "1,000",
                               "\x80",
                               std::string("3\0", 2),
                               "99999999999999999999"};
    for (const auto& text : bad) {
        try {
            TextToWhole(text);
            ADD_FAILURE() << "read: " << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + text + "' is not a valid integer value");
        }
        EXPECT_EQ(TextToWholeDef(text, -77), -77) << text;
    }
}

TEST(WholeToText, PlainDigits) {
    EXPECT_EQ(WholeToText(0), "0");
    EXPECT_EQ(WholeToText(360), "360");
    EXPECT_EQ(WholeToText(-42), "-42");
    EXPECT_EQ(WholeToText(INT32_MIN), "-2147483648");
    std::string cell = "9999";
    for (const std::int32_t value : {0, 7, -42, 360, 100000, INT32_MIN, INT32_MAX}) {
        WholeToTextInto(cell, value);
        EXPECT_EQ(cell, WholeToText(value));
    }
}

TEST(FormatMoney, IntoACellUnderEitherMark) {
    std::string cell;
    for (const Extended value : {0.0L, -5.0L, 0.004L, -0.004L, 99900.45L, 2.675L, 1e20L, -1e-30L}) {
        FormatMoneyInto(cell, Real6::Narrow(value));
        EXPECT_EQ(cell, FormatMoney(Real6::Narrow(value))) << static_cast<double>(value);
    }
    ScopedLocaleFormats comma(CommaMark());
    FormatMoneyInto(cell, Real6::Narrow(-463.34L));
    EXPECT_EQ(cell, "$-463,34");
}

TEST(NumberToText, FifteenDigitsAndTheExponentForm) {
    const struct {
        const char* name;
        Extended value;
        const char* expected;
    } cases[] = {
        {"whole day", 45323.0L, "45323"},
        {"half day", 45323.5L, "45323.5"},
        {"time of day cut to 15 digits", 45323.660358217596L, "45323.6603582176"},
        {"ten thousandth", 0.0001L, "0.0001"},
        {"hundred thousandth", 0.00001L, "1E-5"},
        {"1E20", 1e20L, "1E20"},
        {"zero", 0.0L, "0"},
        {"negative", -12.5L, "-12.5"},
        {"fifteen digits", 123456789012345.0L, "123456789012345"},
        {"sixteen digits switch form", 1234567890123456.0L, "1.23456789012346E15"},
        {"rounding carries", 9.9999999999999999L, "10"},
        {"one third", 1.0L / 3.0L, "0.333333333333333"},
        {"tiny", 1.5e-300L, "1.5E-300"},
        {"huge", 1e4000L, "1E4000"},
        {"1E15 still plain", 1e14L, "100000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(c.value), c.expected) << c.name;
    }
}

TEST(NumberToText, ReadsBackWithinFifteenDigits) {
    const Extended saved = 45323.0L + 0.660358217596L;
    const Extended back = TextToNumber(NumberToText(saved));
    EXPECT_NEAR(static_cast<double>(back), static_cast<double>(saved), 1e-10);
    ScopedLocaleFormats comma(CommaMark());
    EXPECT_EQ(NumberToText(45323.5L), "45323,5");
}

TEST(Conversions, SurviveAnyText) {
    // Every byte value, lone signs and marks, and long runs: a value or the documented error.
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::string texts[] = {all,
                                 std::string(10000, '9'),
                                 std::string(10000, ' '),
                                 "+.",
                                 "-E",
                                 ".E",
                                 "$",
                                 "E",
                                 "1E-",
                                 std::string(10000, '.'),
                                 "9" + std::string(9999, '0') + "E-9999"};
    for (const auto& text : texts) {
        Extended number = 0;
        std::int32_t whole = 0;
        (void)TryTextToNumber(text, number);
        (void)TryTextToWhole(text, whole);
        EXPECT_FALSE(std::isnan(number));
    }
    EXPECT_EQ(TextToNumber(".E"), 0.0L);
}

}  // namespace
}  // namespace text
