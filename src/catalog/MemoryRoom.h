#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

// How much more memory the program may take: what the system has available and what the
// process's address-space limit leaves of it. Either is empty where it is unknown or unlimited.
struct MemoryRoom
{
    std::optional<std::uint64_t> available;    // MemAvailable in /proc/meminfo
    std::optional<std::uint64_t> addressSpace; // RLIMIT_AS less the address space in use

    // Measured now, for this process.
    static MemoryRoom now();
};

// A load holds the file's bytes and, beside them, its records: up to about twice the file in
// all. Throws CatalogError (CannotRead) naming the file and the figures when that cannot fit
// in `room`, so that a huge file is refused before a byte of it is read.
void refuseWhatCannotFit(const std::filesystem::path &file, std::uint64_t size,
                         const MemoryRoom &room);
