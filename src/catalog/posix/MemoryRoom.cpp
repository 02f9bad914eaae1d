#include "catalog/MemoryRoom.h"

#include <fstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

const char *const MemoryRoom::kAvailableSource = "MemAvailable";
const char *const MemoryRoom::kLimitSource = "RLIMIT_AS";

namespace {

std::optional<std::uint64_t> memAvailable()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit) {
        if (key == "MemAvailable:")
            return kib * 1024;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> addressSpaceLeft()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    // The first figure of statm is the address space in use, in pages.
    std::uint64_t pages = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages;
    const std::uint64_t used = pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

}  // namespace

MemoryRoom MemoryRoom::now()
{
    return {memAvailable(), addressSpaceLeft()};
}
