#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Replaces a file only when the new contents are complete and on disk. The bytes go to an
// unnamed file in the target's folder (a hidden, locked ".<name>.velmora-XXXXXX" where the
// system cannot make unnamed files); commit() flushes it, names it and renames it over the
// target. Until then, and after any failure, the target is exactly as it was, and a save that
// is killed leaves nothing that the next save does not remove.
//
// A target that is a symbolic link is followed, as opening it would, and the file it leads to
// is replaced; the link stays. Where the folder refuses a new file but the target may be
// written, the target is written in place: then a failure leaves it incomplete, and says so.
// Every failure throws CatalogError naming the target. A commit that has replaced the file but
// could not sync the folder throws SavedButNotSynced.
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
    void createBeside();
    void openInPlace();
    void truncateInPlace();
    void nameTemporary();
    void syncFolder();
    [[noreturn]] void fail(const char *what, int error);
    void discard();

    std::filesystem::path m_target;    // as the caller named it, for messages
    std::filesystem::path m_file;      // the file replaced: m_target with its links followed
    std::filesystem::path m_temporary; // the new file's name while it has one
    int m_fd = -1;
    bool m_unnamed = false;            // created with O_TMPFILE, named only in commit()
    bool m_inPlace = false;
    bool m_truncated = false;
    std::uint64_t m_requested = 0;     // bytes handed to write() so far
    std::uint64_t m_existingSize = 0;
    std::uint64_t m_freeAtStart = 0;
};
