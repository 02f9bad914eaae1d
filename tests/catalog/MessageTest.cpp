#include "catalog/Message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Message, SubstituteArguments)
{
    const std::vector<std::string> two = {"a%2", "b"};
    struct Row
    {
        const char *name;
        const char *format;
        const char *expected;
    };
    const Row rows[] = {
        {"in order", "%1 and %2", "a%2 and b"},
        {"out of order and twice", "%2%1%2", "ba%2b"},
        {"no argument for the place", "%3 %9", "%3 %9"},
        {"not a place", "%0 %% 100%", "%0 %% 100%"},
        {"percent at the end", "%1%", "a%2%"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(substituteArguments(row.format, two), row.expected) << row.name;
}

}  // namespace
