#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

struct stat;

// What tells one state of a file from another: which file it is (device and inode), its size
// and when it was last written. A file replaced, rewritten or touched gets another stamp.
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the epoch

    static FileStamp of(const struct stat &status);
    bool sameFile(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode;
    }
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// The stamp of the file at `path`, its links followed; nothing when there is none.
std::optional<FileStamp> stampOf(const std::filesystem::path &path);
