#include "RegularFile.h"

#include "CatalogError.h"
#include "FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    if (S_ISFIFO(mode))
        return "it is a named pipe, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    return "it is not a plain file";
}

}  // namespace

int openRegularFile(const std::filesystem::path &file)
{
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        throw CatalogError(file.string() + ": cannot open: " + std::strerror(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw CatalogError(file.string() + ": cannot read: " + std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        throw CatalogError(file.string() + ": cannot read: " + kindOf(st.st_mode));
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw CatalogError(file.string() + ": cannot read: " + std::strerror(errno));
    return fd.release();
}
