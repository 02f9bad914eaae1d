#include "catalog/RegularFile.h"

#include "catalog/CatalogError.h"
#include "catalog/FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>

MessageArgument notAFile(unsigned mode)
{
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    if (S_ISFIFO(mode))
        return Message{QT_TRANSLATE_NOOP("CatalogError", "it is a named pipe, not a file"), {}};
    if (S_ISSOCK(mode))
        return Message{QT_TRANSLATE_NOOP("CatalogError", "it is a socket, not a file"), {}};
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Message{QT_TRANSLATE_NOOP("CatalogError", "it is a device, not a file"), {}};
    return Message{QT_TRANSLATE_NOOP("CatalogError", "it is not a plain file"), {}};
}

namespace {

[[noreturn]] void fail(const char *format, CatalogError::Kind kind,
                       const std::filesystem::path &file, MessageArgument reason)
{
    throw CatalogError(Message{format, {file.string(), std::move(reason)}}, kind);
}

constexpr const char *kCannotOpen = QT_TRANSLATE_NOOP("CatalogError", "%1: cannot open: %2");
constexpr const char *kCannotRead = QT_TRANSLATE_NOOP("CatalogError", "%1: cannot read: %2");
constexpr auto kOpen = CatalogError::Kind::CannotOpen;
constexpr auto kRead = CatalogError::Kind::CannotRead;

}  // namespace

int openRegularFile(const std::filesystem::path &file)
{
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0) {
        const int openError = errno;
        // A socket cannot be opened at all ("No such device or address"): say what stands
        // there instead.
        if (::stat(file.c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
            fail(kCannotRead, kRead, file, notAFile(st.st_mode));
        fail(kCannotOpen, kOpen, file, std::strerror(openError));
    }
    if (::fstat(fd.get(), &st) != 0)
        fail(kCannotRead, kRead, file, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        fail(kCannotRead, kRead, file, notAFile(st.st_mode));
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        fail(kCannotRead, kRead, file, std::strerror(errno));
    return fd.release();
}
