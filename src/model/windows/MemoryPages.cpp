#include "model/MemoryPages.h"

#include <windows.h>

void *mapPages(std::size_t length)
{
    return ::VirtualAlloc(nullptr, length, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void unmapPages(void *data, std::size_t /*length*/) noexcept
{
    ::VirtualFree(data, 0, MEM_RELEASE);
}

// Windows faults in pages cheaply enough, and has no call that populates them for writing.
void populate(void * /*data*/, std::size_t /*size*/)
{
}
