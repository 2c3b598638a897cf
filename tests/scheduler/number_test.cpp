#include "scheduler/number.h"

#include <gtest/gtest.h>

#include <string>

namespace taktomat::scheduler {
namespace {

struct NumberCase {
    std::string text;
    std::optional<std::int32_t> value;
};

const std::optional<std::int32_t> kNone = std::nullopt;

TEST(Number, ReadsExactlyBlanksSignDigitsBlanksInTheInt32Range) {
    const NumberCase cases[] = {
        // Plain numbers and their written forms.
        {"0", 0},
        {"42", 42},
        {" 42 ", 42},
        {"   7", 7},
        {"7   ", 7},
        {"007", 7},
        {"-0", 0},
        {"+5", 5},
        {"-5", -5},
        {"  -12  ", -12},
        {"000000000000000000002147483647", 2147483647},
        // The edges of the range.
        {"2147483647", 2147483647},
        {"2147483648", kNone},
        {"-2147483648", -2147483648},
        {"-2147483649", kNone},
        {"+2147483647", 2147483647},
        {"+2147483648", kNone},
        {"99999999999", kNone},
        {std::string(1000, '9'), kNone},
        {"-" + std::string(1000, '9'), kNone},
        {std::string(1000, '0') + "1", 1},
        // Nothing, or nothing but signs and blanks.
        {"", kNone},
        {" ", kNone},
        {"     ", kNone},
        {"-", kNone},
        {"+", kNone},
        {" - ", kNone},
        {"+-1", kNone},
        {"--1", kNone},
        // Blanks in the wrong place, other white space.
        {"1 2", kNone},
        {"- 1", kNone},
        {"1-", kNone},
        {"\t1", kNone},
        {"1\n", kNone},
        // Letters and other written forms of numbers.
        {"12a", kNone},
        {"a12", kNone},
        {"0x10", kNone},
        {"&H10", kNone},
        {"1e3", kNone},
        {"1.5", kNone},
        {"1,5", kNone},
        {"1.000", kNone},
        {"1'000", kNone},
        // Other scripts' digits and other UTF-8.
        {"\xD9\xA3", kNone},      // Arabic-Indic three
        {"\xEF\xBC\x91", kNone},  // full-width one
        {"1\xC2\xA0", kNone},     // no-break space after a digit
        {"\xC3\xA4", kNone},      // a-umlaut
        {std::string("1\0", 2), kNone},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(toInt32(c.text), c.value) << '"' << c.text << '"';
        EXPECT_EQ(isNumber(c.text), c.value.has_value()) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace taktomat::scheduler
