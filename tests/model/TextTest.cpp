#include "model/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Held bytes of any length are referred to, never copied: up to 0xFFFD bytes in the 16-bit
// length, longer ones through a block that holds the address and length.
TEST(Text, RefersToHeldBytesOfAnyLength)
{
    const std::string held(0x100000, 'x');
    const struct
    {
        const char *name;
        std::size_t size;
    } rows[] = {
        {"empty", 0},         {"one byte", 1},          {"longest short", 0xFFFD},
        {"long mark", 0xFFFE}, {"owned mark", 0xFFFF}, {"a mebibyte", 0x100000},
    };
    for (const auto &row : rows) {
        const std::string_view bytes(held.data(), row.size);
        const Text text = Text::refer(bytes);
        EXPECT_EQ(text.view(), bytes) << row.name;
        EXPECT_FALSE(text.isOwned()) << row.name;
        EXPECT_EQ(text.empty(), row.size == 0) << row.name;
        if (row.size > 0) {
            EXPECT_EQ(text.data(), held.data()) << row.name;
        }
    }
}

// A copy of a reference refers to the same bytes; a copy of owned text owns a copy of its own.
// Moving leaves the source empty; assigning to itself keeps the text.
TEST(Text, CopyMoveAndSelfAssignment)
{
    const std::string held = "Hrast 22x2";
    const std::string longHeld(0x20000, 'x');
    for (Text original : {Text::refer(held), Text(std::string_view(held)), Text::refer(longHeld)}) {
        const std::string_view text = original.view();
        const bool owned = original.isOwned();
        Text copy = original;
        EXPECT_EQ(copy, text);
        EXPECT_EQ(copy.data() == original.data(), !owned);
        copy = *&copy;
        EXPECT_EQ(copy, text);
        Text moved = std::move(copy);
        EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from Text is empty
        EXPECT_EQ(moved, text);
        moved += "!";
        EXPECT_TRUE(moved.isOwned());
        EXPECT_EQ(original, text);
    }
}

}  // namespace
