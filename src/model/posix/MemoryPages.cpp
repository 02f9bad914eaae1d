#include "model/MemoryPages.h"

#include <algorithm>
#include <cstdint>

#include <sys/mman.h>

void *mapPages(std::size_t length)
{
    void *mapped =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return mapped == MAP_FAILED ? nullptr : mapped;
}

void unmapPages(void *data, std::size_t length) noexcept
{
    ::munmap(data, length);
}

void populate(void *data, std::size_t size)
{
    constexpr std::uintptr_t kPage = kPageSize;
    if (size < kLeastPopulated)
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
