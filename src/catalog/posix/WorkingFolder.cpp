#include "catalog/WorkingFolder.h"

#include "catalog/CatalogError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path s_path;
int s_folder = -1;  // the folder at s_path when it was remembered, held open

bool sameFolder(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The folder is held open, so that its inode cannot be handed to another folder while we
// compare against it.
void remember()
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::current_path(error);
    const int folder = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (error || folder < 0) {
        if (folder >= 0)
            ::close(folder);
        return;  // nothing to follow later; the files are opened where we stand
    }
    if (s_folder >= 0)
        ::close(s_folder);
    s_folder = folder;
    s_path = std::move(path);
}

}  // namespace

void WorkingFolder::enter()
{
    struct stat current {}, remembered {};
    if (::stat(".", &current) != 0)
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError", "the current folder cannot be examined: %1"),
            {std::strerror(errno)}});
    if (s_folder < 0 || ::fstat(s_folder, &remembered) != 0 || !sameFolder(current, remembered)) {
        // Never seen, or moved into on purpose: where we stand is the working folder now.
        if (current.st_nlink == 0)
            throw CatalogError(
                Message{QT_TRANSLATE_NOOP("CatalogError", "the current folder has been deleted"),
                        {}});
        remember();
        return;
    }

    struct stat atPath {};
    const bool standing = ::stat(s_path.c_str(), &atPath) == 0 && S_ISDIR(atPath.st_mode);
    if (standing && sameFolder(atPath, current))
        return;
    // Renamed or moved, with or without a new folder at its path: it still holds the files
    // this run works on; its path is where it stands now.
    if (current.st_nlink != 0) {
        remember();
        return;
    }
    if (!standing) {
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError", "%1: the working folder has been deleted and no "
                                              "folder stands at its path now"),
            {s_path.string()}});
    }
    if (::chdir(s_path.c_str()) != 0)
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError", "%1: the working folder has been replaced, and the "
                                              "new one cannot be entered: %2"),
            {s_path.string(), std::strerror(errno)}});
    remember();
}
