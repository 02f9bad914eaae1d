#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

// What tells one state of a file from another: which file it is (the device and inode, or on
// Windows the volume's serial number and the file's index), its size and when it was last
// written. A file replaced, rewritten or touched gets another stamp.
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // since 1970-01-01 UTC

    bool sameFile(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode;
    }
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// The stamp of the file at `path`, its links followed; nothing when there is none.
std::optional<FileStamp> stampOf(const std::filesystem::path &path);
