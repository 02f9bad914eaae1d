#include "SafeFileWriter.h"

#include "CatalogError.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path folderOf(const std::filesystem::path &file)
{
    const auto parent = file.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

// The mode a newly created file would get, so a first save looks like any other new file.
mode_t defaultMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

SafeFileWriter::SafeFileWriter(std::filesystem::path target) : m_target(std::move(target))
{
    // A rename would replace even a read-only file; read-only is the owner's way of saying no.
    if (::faccessat(AT_FDCWD, m_target.c_str(), F_OK, AT_EACCESS) == 0
        && ::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
        fail("cannot write", errno);

    std::string hidden = ".";
    hidden.append(m_target.filename().string()).append(".XXXXXX");
    std::string name = (folderOf(m_target) / hidden).string();
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0)
        fail("cannot create a file in its folder", errno);
    m_temporary = name;

    // Keep the permissions (and, where allowed, the owner) of the file being replaced.
    struct stat existing {};
    if (::stat(m_target.c_str(), &existing) == 0) {
        if (::fchmod(m_fd, existing.st_mode & 07777) != 0)
            fail("cannot set the permissions of the new file", errno);
        if (::fchown(m_fd, existing.st_uid, existing.st_gid) != 0) {
            // Only root may give a file away; the permissions alone are what matters then.
        }
    } else if (::fchmod(m_fd, defaultMode()) != 0) {
        fail("cannot set the permissions of the new file", errno);
    }
}

SafeFileWriter::~SafeFileWriter()
{
    discard();
}

void SafeFileWriter::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot write", errno);
        }
        // A short write is followed by another, which reports the reason (a full disk).
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void SafeFileWriter::commit()
{
    if (::fsync(m_fd) != 0)
        fail("cannot write", errno);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        fail("cannot write", errno);
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        fail("cannot replace the file", errno);
    m_temporary.clear();

    // Without this the rename itself may not survive a crash.
    const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        fail("saved, but the folder cannot be synced", errno);
    const int synced = ::fsync(folder);
    const int error = errno;
    ::close(folder);
    if (synced != 0)
        fail("saved, but the folder cannot be synced", error);
}

void SafeFileWriter::fail(const char *what, int error)
{
    discard();
    throw CatalogError(m_target.string() + ": " + what + ": " + std::strerror(error));
}

void SafeFileWriter::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}
