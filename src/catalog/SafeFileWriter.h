#pragma once

#include "catalog/FileStamp.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
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

// Replaces a file only when the new contents are complete and on disk. The bytes go to a new
// file in the target's folder; commit() flushes it and puts it in the target's place in one
// step. Until then, and after any failure, the target is exactly as it was. A read-only
// target, one that is not a plain file, and one that is the file `neverWrite` names (through
// any link) are refused; a target that is a symbolic link is followed, and the file it leads
// to is replaced while the link stays. Every failure throws CatalogError naming the target.
//
// On Linux the new file is unnamed until the commit (a hidden, locked
// ".<name>.velmora-XXXXXX" where the system cannot make unnamed files), the folder is synced
// after the rename, and a commit that has replaced the file but could not sync the folder
// throws SavedButNotSynced. A link someone else planted in a folder others may write is
// refused. Where the folder refuses a new file but the target may be written, the target is
// written in place: the whole size is reserved before its old contents are touched, and a
// failure after that leaves it incomplete and says so.
//
// On Windows the new file is a hidden ".<name>.velmora-XXXXXX", flushed, then put over the
// target with ReplaceFileW (which keeps the old file's attributes and permissions) or named
// with MoveFileExW (MOVEFILE_WRITE_THROUGH) where there is none. A target another program
// holds open without letting it be replaced is refused with a message that says so.
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
    // The system's own way of doing it: catalog/posix/ or catalog/windows/.
    class Native;
    std::unique_ptr<Native> m_native;
};
