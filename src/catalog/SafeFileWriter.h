#pragma once

#include "catalog/FileStamp.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Thrown when one of the writer's questions is answered no: nothing was written.
struct SaveCancelled
{
};

// What a SafeFileWriter must refuse, reserve and ask.
struct WriteRules
{
    // A file that must never be written (the catalog the records were read from), by its
    // name for messages: a target that is that file, through any link, is refused.
    std::optional<FileStamp> neverWrite;
    std::string neverWriteName;
    // The size of everything write() will be given, asked for only when it is needed: before
    // a target is written in place, to set that much aside on the disk before its old contents
    // are touched, and for the message when the disk is too full. Empty: not known.
    std::function<std::uint64_t()> size;
    // Asked before an existing target is touched, with its stamp; false cancels.
    std::function<bool(const FileStamp &existing)> mayReplace;
    // Asked before a target is written in place, which a crash or kill would leave
    // incomplete; false cancels.
    std::function<bool()> mayWriteInPlace;
};

// Replaces a file only when the new contents are complete and on disk. The bytes go to an
// unnamed file in the target's folder (a hidden, locked ".<name>.velmora-XXXXXX" where the
// system cannot make unnamed files); commit() flushes it and names it: with the target's name
// where there is no target, else with the hidden name, which it renames over the target at
// once. Until then, and after any failure, the target is exactly as it was.
//
// A target that is a symbolic link is followed, as opening it would, and the file it leads to
// is replaced; the link stays. A link that someone else planted in a folder others may write
// is refused, and so is a target that is not a plain file. Where the folder refuses a new file
// but the target may be written, the target is written in place: the whole size is reserved
// before its old contents are touched, and a failure after that leaves it incomplete and says
// so. Every failure throws CatalogError naming the target. A commit that has replaced the file
// but could not sync the folder throws SavedButNotSynced.
class SafeFileWriter
{
public:
    // Throws CatalogError, or SaveCancelled when a question in `rules` is answered no.
    explicit SafeFileWriter(std::filesystem::path target, WriteRules rules = {});
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    void write(std::string_view bytes);
    // The stamp of the file as written, for telling later whether someone else changed it.
    FileStamp commit();

private:
    void followLinks();
    void refuseTarget(const FileStamp &existing, unsigned mode) const;
    void openFile(bool exists, const struct stat &existing);
    void keepOwnership(bool exists, const struct stat &existing);
    void createBeside();
    void openInPlace();
    void reserve();
    std::uint64_t wholeSize();
    void nameUnnamed();
    bool linkUnnamed(const std::filesystem::path &name) const;
    void syncFolder(const FileStamp &written);
    [[noreturn]] void fail(const char *what, int error);
    [[noreturn]] void failForSpace(int error, std::uint64_t free);
    void discard();

    std::filesystem::path m_target;    // as the caller named it, for messages
    std::filesystem::path m_file;      // the file replaced: m_target with its links followed
    std::filesystem::path m_temporary; // the new file's name while it has one
    WriteRules m_rules;
    int m_fd = -1;
    bool m_unnamed = false;            // created with O_TMPFILE, named only in commit()
    bool m_inPlace = false;
    bool m_overwriting = false;        // in place, and the old contents are being written over
    std::uint64_t m_written = 0;       // bytes handed to write() so far
    std::uint64_t m_existingSize = 0;
    std::optional<std::uint64_t> m_wholeSize;
    std::uint64_t m_freeAtStart = 0;
};
