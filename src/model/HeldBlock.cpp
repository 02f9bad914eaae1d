#include "model/HeldBlock.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include <sys/mman.h>

namespace {
// From 1 MiB up a block is mapped on its own: the heap gives such a block back to the system
// when it is let go and faults it in again a page at a time on the next load, which slows that
// load badly (docs/performance.md). Smaller blocks come from the heap.
constexpr std::size_t kMapAtLeast = std::size_t(1) << 20;
constexpr std::size_t kPageSize = 4096;
}  // namespace

void populate(void *data, std::size_t size)
{
    constexpr std::uintptr_t kPage = kPageSize;
    if (size < 16 * kPage)
        return;
#ifdef MADV_POPULATE_WRITE
    const auto start = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) / kPage * kPage;
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) / kPage * kPage;
    // A step at a time: the call holds the process's memory map for its whole length, and
    // other threads (the window painting during a long load) wait for it to let go.
    constexpr std::uintptr_t kStep = std::uintptr_t(64) << 20;
    for (std::uintptr_t at = start; at < end; at += kStep)
        ::madvise(reinterpret_cast<void *>(at), std::min(kStep, end - at), MADV_POPULATE_WRITE);
#endif
}

HeldBlock::HeldBlock(std::size_t size) : m_size(size)
{
    if (size < kMapAtLeast) {
        m_data = static_cast<char *>(::operator new(size == 0 ? 1 : size));
        populate(m_data, size);
        return;
    }
    // Ordinary pages, populated up front. Huge pages would have the kernel gather 2 MiB pieces
    // first, which slows a fresh process's first load (see docs/performance.md).
    const std::size_t length = (size + kPageSize - 1) / kPageSize * kPageSize;
    void *mapped =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    populate(mapped, length);
    m_data = static_cast<char *>(mapped);
    m_mapped = length;
}

HeldBlock::~HeldBlock()
{
    release();
}

HeldBlock::HeldBlock(HeldBlock &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, 0))
{
}

HeldBlock &HeldBlock::operator=(HeldBlock &&other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, 0);
    }
    return *this;
}

void HeldBlock::release() noexcept
{
    if (m_data == nullptr)
        return;
    if (m_mapped != 0)
        ::munmap(m_data, m_mapped);
    else
        ::operator delete(m_data);
    m_data = nullptr;
}
