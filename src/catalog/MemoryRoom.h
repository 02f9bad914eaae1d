#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

// How much more memory the program may take: what the system has available and what the
// process's address-space limit leaves of it. Either is empty where it is unknown or unlimited.
struct MemoryRoom
{
    std::optional<std::uint64_t> available;
    std::optional<std::uint64_t> addressSpace;  // the limit less the address space in use

    // Where the system's figures come from, as the message names them: "MemAvailable" and
    // "RLIMIT_AS" on Linux.
    static const char *const kAvailableSource;
    static const char *const kLimitSource;

    // Measured now, for this process.
    static MemoryRoom now();
};

// A load holds the file's bytes and, beside them, its records: up to about twice the file in
// all. Throws CatalogError (CannotRead) naming the file and the figures when that cannot fit
// in `room`, so that a huge file is refused before a byte of it is read.
void refuseWhatCannotFit(const std::filesystem::path &file, std::uint64_t size,
                         const MemoryRoom &room);
