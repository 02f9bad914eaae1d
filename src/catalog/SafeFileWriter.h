#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Replaces a file only when the new contents are complete and on disk. The bytes go to a new
// temporary file in the same folder; commit() flushes it, renames it over the target and syncs
// the folder. Until then, and after any failure, the target is exactly as it was and the
// temporary file is removed. Every failure throws CatalogError naming the target.
class SafeFileWriter
{
public:
    explicit SafeFileWriter(std::filesystem::path target);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    [[noreturn]] void fail(const char *what, int error);
    void discard();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
};
