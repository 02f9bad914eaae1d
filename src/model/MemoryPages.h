#pragma once

#include <cstddef>

// Memory taken from the system a page at a time, apart from the heap: one implementation per
// system, in model/posix/ and model/windows/, chosen when the program is built.

constexpr std::size_t kPageSize = 4096;

// `length` bytes of zeroed, writable pages of their own, given back to the system by
// unmapPages; nullptr when the system has none to give.
void *mapPages(std::size_t length);
void unmapPages(void *data, std::size_t length) noexcept;

// Faults in the whole pages of memory about to be filled, in one call: in a virtual machine a
// page fault each 4 KiB costs more than the copy. Only advice, where the system takes it; less
// than kLeastPopulated is left to page faults.
constexpr std::size_t kLeastPopulated = 16 * kPageSize;
void populate(void *data, std::size_t size);
