#include "catalog/MemoryRoom.h"

#include "catalog/CatalogError.h"

#include <fstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t kMiB = 1 << 20;
// Bytes of memory a load takes per byte of file, at most: the bytes themselves and the records.
constexpr std::uint64_t kLoadFactor = 2;

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

std::string mib(std::uint64_t bytes)
{
    return std::to_string(bytes / kMiB);
}

MessageArgument figure(const std::optional<std::uint64_t> &bytes, const char *absent)
{
    if (!bytes)
        return Message{absent, {}};
    return Message{QT_TRANSLATE_NOOP("CatalogError", "%1 MiB"), {mib(*bytes)}};
}

}  // namespace

MemoryRoom MemoryRoom::now()
{
    return {memAvailable(), addressSpaceLeft()};
}

void refuseWhatCannotFit(const std::filesystem::path &file, std::uint64_t size,
                         const MemoryRoom &room)
{
    const std::uint64_t needed = size * kLoadFactor;
    const bool fits = (!room.available || needed <= *room.available)
                      && (!room.addressSpace || needed <= *room.addressSpace);
    if (fits)
        return;
    throw CatalogError(
        Message{QT_TRANSLATE_NOOP("CatalogError",
                                  "%1: too large to load: the file is %2 MiB and loading it "
                                  "takes up to %3 MiB of memory, but the system has %4 available "
                                  "(MemAvailable) and the address-space limit (RLIMIT_AS) leaves "
                                  "%5; nothing was read"),
                {file.string(), mib(size + kMiB - 1), mib(needed + kMiB - 1),
                 figure(room.available, QT_TRANSLATE_NOOP("CatalogError", "an unknown amount")),
                 figure(room.addressSpace,
                        QT_TRANSLATE_NOOP("CatalogError", "any amount (none is set)"))}},
        CatalogError::Kind::CannotRead);
}
