#include "catalog/MemoryRoom.h"

#include "catalog/CatalogError.h"

#include <string>

namespace {

constexpr std::uint64_t kMiB = 1 << 20;
// Bytes of memory a load takes per byte of file, at most: the bytes themselves and the records.
constexpr std::uint64_t kLoadFactor = 2;

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
                                  "(%6) and the address-space limit (%7) leaves %5; nothing was "
                                  "read"),
                {file.string(), mib(size + kMiB - 1), mib(needed + kMiB - 1),
                 figure(room.available, QT_TRANSLATE_NOOP("CatalogError", "an unknown amount")),
                 figure(room.addressSpace,
                        QT_TRANSLATE_NOOP("CatalogError", "any amount (none is set)")),
                 MemoryRoom::kAvailableSource, MemoryRoom::kLimitSource}},
        CatalogError::Kind::CannotRead);
}
