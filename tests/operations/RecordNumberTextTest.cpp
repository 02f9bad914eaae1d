#include "operations/RecordNumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();

struct ConversionRow
{
    const char *name;
    std::u16string text;
    std::int64_t expected;
};

const ConversionRow kConversions[] = {
    {"plain number", u"12", 12},
    {"leading zero", u"07", 7},
    {"blanks before and between digits", u" 1 2", 12},
    {"tabs and line feeds skipped", u"\t1\n2 ", 12},
    {"carriage return is not skipped", u"\r5", 0},
    {"empty text", u"", 0},
    {"letters", u"abc", 0},
    {"stops at a letter", u"3x", 3},
    {"negative", u"-3", -3},
    {"plus sign", u"+4", 4},
    {"sign then blank", u"- 3", -3},
    {"sign alone", u"-", 0},
    {"two signs", u"--3", 0},
    {"sign after digits ends the number", u"1-2", 1},
    {"half rounds down to even", u"2.5", 2},
    {"half rounds up to even", u"3.5", 4},
    {"zero and a half", u"0.5", 0},
    {"one and a half", u"1.5", 2},
    {"half with trailing zeros", u"2.5000", 2},
    {"just above half", u"2.5000001", 3},
    {"above half", u"2.51", 3},
    {"below half", u"2.49999", 2},
    {"blank inside the fraction", u"2. 6", 3},
    {"negative half to even", u"-2.5", -2},
    {"negative half away to even", u"-3.5", -4},
    {"period first", u".6", 1},
    {"period alone", u".", 0},
    {"decimal comma is no separator", u"2,5", 2},
    {"second period ends the number", u"1.9.9", 2},
    {"no exponent", u"1e3", 1},
    {"full-width digits are no digits", u"\uFF11", 0},
    {"eleven nines", u"99999999999", 99999999999},
    {"largest 64-bit value", u"9223372036854775807", kLargest},
    {"one past the 64-bit range saturates", u"9223372036854775808", kLargest},
    {"thirty nines saturate", u"999999999999999999999999999999", kLargest},
    {"hugely negative saturates", u"-999999999999999999999999999999.9", -kLargest},
    {"rounding up at the largest value stays there", u"9223372036854775807.9", kLargest},
};

TEST(RecordNumberTextTest, ConvertsTheNumberAtTheStartOfTheText)
{
    for (const ConversionRow &row : kConversions)
        EXPECT_EQ(recordNumberFromText(row.text), row.expected) << row.name;
}

}  // namespace
