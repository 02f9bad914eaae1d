#include "WorkingFolder.h"

#include "CatalogError.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

std::filesystem::path WorkingFolder::s_path;
dev_t WorkingFolder::s_device = 0;
ino_t WorkingFolder::s_inode = 0;

void WorkingFolder::enter()
{
    struct stat current {};
    if (::stat(".", &current) != 0)
        throw CatalogError(std::string("the current folder cannot be examined: ")
                           + std::strerror(errno));
    const bool remembered = !s_path.empty() && current.st_dev == s_device
                            && current.st_ino == s_inode;
    if (!remembered) {
        // Never seen, or moved into on purpose: where we stand is the working folder now.
        if (current.st_nlink != 0) {
            remember();
            return;
        }
        throw CatalogError("the current folder has been deleted");
    }

    struct stat atPath {};
    const bool standing = ::stat(s_path.c_str(), &atPath) == 0 && S_ISDIR(atPath.st_mode);
    if (standing && atPath.st_dev == s_device && atPath.st_ino == s_inode)
        return;
    if (!standing) {
        // Moved away with nothing in its place: the files went with it.
        if (current.st_nlink != 0)
            return;
        throw CatalogError(s_path.string()
                           + ": the working folder has been deleted and no folder stands at "
                             "its path now");
    }
    if (::chdir(s_path.c_str()) != 0)
        throw CatalogError(s_path.string() + ": the working folder has been replaced, and the "
                                             "new one cannot be entered: "
                           + std::strerror(errno));
    remember();
}

void WorkingFolder::remember()
{
    struct stat current {};
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    if (error || ::stat(".", &current) != 0)
        return;  // nothing to follow later; the files are opened where we stand
    s_path = path;
    s_device = current.st_dev;
    s_inode = current.st_ino;
}
