#include "catalog/FileSystem.h"

#include "catalog/CatalogError.h"
#include "catalog/posix/PosixFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileStamp stampFrom(const struct stat &status)
{
    return FileStamp{static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino),
                     static_cast<std::int64_t>(status.st_size),
                     static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000
                         + status.st_mtim.tv_nsec};
}

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

int fd(const FileHandle &file)
{
    return static_cast<int>(file.handle());
}

}  // namespace

FileHandle::~FileHandle()
{
    if (m_handle != kNone)
        ::close(static_cast<int>(m_handle));
}

FileHandle openRegularFile(const std::filesystem::path &file)
{
    FileHandle opened(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd(opened) < 0) {
        const int openError = errno;
        // A socket cannot be opened at all ("No such device or address"): say what stands
        // there instead.
        if (::stat(file.c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
            fail(kCannotRead, kRead, file, notAFile(st.st_mode));
        fail(kCannotOpen, kOpen, file, std::strerror(openError));
    }
    if (::fstat(fd(opened), &st) != 0)
        fail(kCannotRead, kRead, file, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        fail(kCannotRead, kRead, file, notAFile(st.st_mode));
    const int flags = ::fcntl(fd(opened), F_GETFL);
    if (flags < 0 || ::fcntl(fd(opened), F_SETFL, flags & ~O_NONBLOCK) != 0)
        fail(kCannotRead, kRead, file, std::strerror(errno));
    return opened;
}

std::optional<FileStamp> stampOf(const FileHandle &file)
{
    struct stat status {};
    if (::fstat(fd(file), &status) != 0)
        return std::nullopt;
    return stampFrom(status);
}

std::optional<FileStamp> stampOf(const std::filesystem::path &path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return stampFrom(status);
}

std::optional<std::size_t> readAt(const FileHandle &file, char *block, std::size_t size,
                                  std::uint64_t offset)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n =
            ::pread(fd(file), block + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

std::optional<std::uint64_t> dataFrom(const FileHandle &file, std::uint64_t offset)
{
    const off_t data = ::lseek(fd(file), static_cast<off_t>(offset), SEEK_DATA);
    if (data >= 0)
        return static_cast<std::uint64_t>(data);
    if (errno == ENXIO)
        return std::nullopt;
    return offset;
}

std::string systemError()
{
    return std::strerror(errno);
}

std::optional<std::string> cannotEnter(const std::filesystem::path &folder)
{
    if (::access(folder.c_str(), X_OK) == 0)
        return std::nullopt;
    return std::strerror(errno);
}

void letWritesPastTheSizeLimitFail()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
