#pragma once

#include "model/MemoryPages.h"

#include <cstddef>

// A block of bytes that loaded records refer to, or that holds their section objects. A large
// one is mapped on its own and populated in one call, so that filling it takes no page fault
// per 4 KiB: in a virtual machine each costs microseconds.
class HeldBlock
{
public:
    // Whether a large block's pages are populated as it is made, or left for its user to
    // populate (while it fills the front, say) or to fault in as they are written.
    enum class Pages { Populated, Unpopulated };

    HeldBlock() = default;
    // Throws std::bad_alloc.
    explicit HeldBlock(std::size_t size, Pages pages = Pages::Populated);
    ~HeldBlock();
    HeldBlock(HeldBlock &&other) noexcept;
    HeldBlock &operator=(HeldBlock &&other) noexcept;
    HeldBlock(const HeldBlock &) = delete;
    HeldBlock &operator=(const HeldBlock &) = delete;

    char *data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    void release() noexcept;

    char *m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_mapped = 0;  // bytes mapped at m_data; 0 for a block from the heap
};
