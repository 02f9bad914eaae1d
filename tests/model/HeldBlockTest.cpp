#include "model/HeldBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

// Blocks below and above the size that is mapped on its own: every byte can be written and
// read back, and a move hands the bytes over whole, leaving the source empty.
TEST(HeldBlock, EverySizeHoldsItsBytesAndMoves)
{
    for (const std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(1) << 20,
                                   (std::size_t(3) << 20) + 1}) {
        HeldBlock block(size);
        EXPECT_EQ(block.size(), size);
        std::memset(block.data(), 'x', size);
        const char *data = block.data();
        HeldBlock moved = std::move(block);
        EXPECT_EQ(block.size(), 0u) << size;  // NOLINT: a moved-from block is empty
        EXPECT_EQ(block.data(), nullptr) << size;
        EXPECT_EQ(moved.data(), data) << size;
        if (size > 0) {
            EXPECT_EQ(moved.data()[size - 1], 'x') << size;
        }
        block = std::move(moved);
        EXPECT_EQ(block.size(), size) << size;
    }
}

}  // namespace
