#include "model/HeldBlock.h"

#include <cstdint>
#include <new>
#include <utility>

#include <sys/mman.h>

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
// From half a huge page up a block is mapped on huge pages: the heap gives such a block back
// to the system when it is let go and faults it in again 4 KiB at a time on the next load,
// which made a 1.5 MiB catalog load three times slower. Smaller blocks come from the heap.
constexpr std::size_t kMapAtLeast = kHugePage / 2;
}  // namespace

void populate(void *data, std::size_t size)
{
    constexpr std::uintptr_t kPage = 4096;
    if (size < 16 * kPage)
        return;
#ifdef MADV_POPULATE_WRITE
    const auto start = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) / kPage * kPage;
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) / kPage * kPage;
    if (end > start)
        ::madvise(reinterpret_cast<void *>(start), end - start, MADV_POPULATE_WRITE);
#endif
}

HeldBlock::HeldBlock(std::size_t size) : m_size(size)
{
    if (size < kMapAtLeast) {
        m_data = static_cast<char *>(::operator new(size == 0 ? 1 : size));
        populate(m_data, size);
        return;
    }
    // Huge pages need an aligned start: map a huge page more and give back what lies outside.
    const std::size_t length = (size + kHugePage - 1) / kHugePage * kHugePage;
    void *mapped = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto *start = static_cast<char *>(mapped);
    auto *aligned = reinterpret_cast<char *>(
        (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) / kHugePage * kHugePage);
    if (aligned != start)
        ::munmap(start, static_cast<std::size_t>(aligned - start));
    const std::size_t tail = kHugePage - static_cast<std::size_t>(aligned - start);
    if (tail != 0)
        ::munmap(aligned + length, tail);
    // Only advice: without huge pages the block works the same.
    ::madvise(aligned, length, MADV_HUGEPAGE);
    populate(aligned, length);
    m_data = aligned;
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
