#include "model/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// A reference holds at most 0xFFFE bytes in its 16-bit length; longer text is copied.
TEST(Text, ReferOrCopyByLength)
{
    const std::string held(0x10000, 'x');
    struct Row
    {
        const char *name;
        std::size_t size;
        bool owned;
    };
    const Row rows[] = {
        {"empty", 0, false}, {"one byte", 1, false}, {"longest reference", 0xFFFE, false},
        {"length mark", 0xFFFF, true}, {"past the length", 0x10000, true},
    };
    for (const Row &row : rows) {
        const std::string_view bytes(held.data(), row.size);
        const Text text = Text::refer(bytes);
        EXPECT_EQ(text.view(), bytes) << row.name;
        EXPECT_EQ(text.isOwned(), row.owned) << row.name;
        EXPECT_EQ(text.empty(), row.size == 0) << row.name;
        if (row.size > 0) {
            EXPECT_EQ(text.data() == held.data(), !row.owned) << row.name;
        }
    }
}

// A copy of a reference refers to the same bytes; a copy of owned text owns a copy of its own.
// Moving leaves the source empty; assigning to itself keeps the text.
TEST(Text, CopyMoveAndSelfAssignment)
{
    const std::string held = "Hrast 22x2";
    for (Text original : {Text::refer(held), Text(std::string_view(held))}) {
        const bool owned = original.isOwned();
        Text copy = original;
        EXPECT_EQ(copy, held);
        EXPECT_EQ(copy.data() == original.data(), !owned);
        copy = *&copy;
        EXPECT_EQ(copy, held);
        Text moved = std::move(copy);
        EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from Text is empty
        EXPECT_EQ(moved, held);
        moved += "!";
        EXPECT_TRUE(moved.isOwned());
        EXPECT_EQ(original, held);
    }
}

}  // namespace
