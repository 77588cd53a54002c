#include "text/Exceptions.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(ErrorBoxText, AddsAPeriodAfterCharactersAboveIt) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Floating point division by zero", "Floating point division by zero."},
        {"'abc' is not a valid floating point value", "'abc' is not a valid floating point value."},
        {"Is it?", "Is it?."},
        {"Note:", "Note:."},
        {"Value 7", "Value 7."},
        {"Unable to write to /tmp/a.tsl", "Unable to write to /tmp/a.tsl."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"(see above)", "(see above)"},
        {"a,", "a,"},
        {"a-", "a-"},
        {"trailing blank ", "trailing blank "},
        {"", ""},
        {"caf\xc3\xa9", "caf\xc3\xa9."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
    }
}

TEST(Exceptions, CarryTheirMessages) {
    EXPECT_EQ(WriteError("/x/y.tsl").Message(), "Unable to write to /x/y.tsl");
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
    EXPECT_STREQ(EInvalidOp().what(), "Invalid floating point operation");
    EXPECT_STREQ(EPrinter("Printing in progress").what(), "Printing in progress");
}

}  // namespace
}  // namespace text
