#include "catalog/MemoryRoom.h"

#include <windows.h>

const char *const MemoryRoom::kAvailableSource = "ullAvailPhys";
const char *const MemoryRoom::kLimitSource = "ullAvailVirtual";

MemoryRoom MemoryRoom::now()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status))
        return {};
    return {status.ullAvailPhys, status.ullAvailVirtual};
}
