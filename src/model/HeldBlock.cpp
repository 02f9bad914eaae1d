#include "model/HeldBlock.h"

#include "model/MemoryPages.h"

#include <new>
#include <utility>

namespace {
// From 1 MiB up a block is mapped on its own: the heap gives such a block back to the system
// when it is let go and faults it in again a page at a time on the next load, which slows that
// load badly (docs/performance.md). Smaller blocks come from the heap.
constexpr std::size_t kMapAtLeast = std::size_t(1) << 20;
}  // namespace

HeldBlock::HeldBlock(std::size_t size, Pages pages) : m_size(size)
{
    if (size < kMapAtLeast) {
        m_data = static_cast<char *>(::operator new(size == 0 ? 1 : size));
        populate(m_data, size);
        return;
    }
    // Ordinary pages, populated up front. Huge pages would have the kernel gather 2 MiB pieces
    // first, which slows a fresh process's first load (see docs/performance.md).
    const std::size_t length = (size + kPageSize - 1) / kPageSize * kPageSize;
    void *mapped = mapPages(length);
    if (mapped == nullptr)
        throw std::bad_alloc();
    if (pages == Pages::Populated)
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
        unmapPages(m_data, m_mapped);
    else
        ::operator delete(m_data);
    m_data = nullptr;
}
