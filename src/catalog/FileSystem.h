#pragma once

#include "catalog/FileStamp.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

// What the catalog asks of the operating system beyond the standard library. Each system has
// its own implementation, in catalog/posix/ and catalog/windows/, chosen when the program is
// built; everything above this seam is the same code on both. Its other parts are the file
// stamps (FileStamp.h), the memory figures (MemoryRoom::now), the working folder
// (WorkingFolder) and the file writer (SafeFileWriter).

// An open file, closed when it goes: a descriptor or a handle, as the system has it.
class FileHandle
{
public:
    static constexpr std::intptr_t kNone = -1;

    FileHandle() = default;
    explicit FileHandle(std::intptr_t handle) : m_handle(handle) {}
    ~FileHandle();
    FileHandle(FileHandle &&other) noexcept : m_handle(std::exchange(other.m_handle, kNone)) {}
    FileHandle &operator=(FileHandle &&other) noexcept
    {
        std::swap(m_handle, other.m_handle);
        return *this;
    }

    std::intptr_t handle() const { return m_handle; }

private:
    std::intptr_t m_handle = kNone;
};

// Opens `file` for reading without waiting on it (a named pipe or a device in its place would
// otherwise block the program before it can say anything), and without keeping other programs
// from reading, writing, renaming or deleting it meanwhile. Throws CatalogError naming the file
// when it cannot be opened or is not a plain file.
FileHandle openRegularFile(const std::filesystem::path &file);

// The stamp of an open file; nothing when the system cannot tell (systemError() says why).
std::optional<FileStamp> stampOf(const FileHandle &file);

// Reads up to `size` bytes from `offset` on; fewer only at the end of the file. Nothing when
// the read fails (systemError() says why).
std::optional<std::size_t> readAt(const FileHandle &file, char *block, std::size_t size,
                                  std::uint64_t offset);

// Where the file's data goes on at or after `offset`, past the holes a sparse file may have
// there; nothing when only holes follow. `offset` itself where the system cannot tell.
std::optional<std::uint64_t> dataFrom(const FileHandle &file, std::uint64_t offset);

// The system's words for why its last call on this thread failed.
std::string systemError();

// Why the program could not enter `folder`, in the system's words; nothing when it can.
std::optional<std::string> cannotEnter(const std::filesystem::path &folder);

// Makes a write past the process's file-size limit fail with an error, as any failed write,
// instead of ending the program and the edits in memory with it: called once, at start-up.
void letWritesPastTheSizeLimitFail();
