#include "catalog/SafeFileWriter.h"

#include "catalog/CatalogError.h"
#include "catalog/SaveSteps.h"
#include "catalog/SavedButNotSynced.h"
#include "catalog/SizeText.h"
#include "catalog/posix/FileDescriptor.h"
#include "catalog/posix/PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;  // the system's own limit on links followed in one lookup

// What a failed step was doing, as fail() reports it (the others are in SaveSteps.h).
constexpr const char *kCannotFollowLinks =
    QT_TRANSLATE_NOOP("CatalogError", "cannot follow its links");
constexpr const char *kCannotFollowLink =
    QT_TRANSLATE_NOOP("CatalogError", "cannot follow its link");
constexpr const char *kCannotSetPermissions =
    QT_TRANSLATE_NOOP("CatalogError", "cannot set the permissions of the new file");

// The mode a newly created file would get, so a first save looks like any other new file.
mode_t defaultMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// ".Trake-novi.odl.velmora-": what every temporary file of a save of `file` begins with.
std::string temporaryPrefix(const std::filesystem::path &file)
{
    std::string prefix = ".";
    prefix += file.filename().string();
    prefix += ".velmora-";
    return prefix;
}

std::string randomSuffix()
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix;
    for (std::size_t i = 0; i < kRandomLength; ++i)
        suffix += kLetters[pick(generator)];
    return suffix;
}

// A save killed after naming its file leaves it behind. One still locked belongs to a save
// under way (ours or another editor's on the same folder) and is left alone.
void removeStaleTemporaries(const std::filesystem::path &file)
{
    const std::filesystem::path folder = folderOf(file);
    DIR *dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;  // a folder that cannot be listed has nothing we could find
    const std::string prefix = temporaryPrefix(file);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix) || name.size() != prefix.size() + kRandomLength)
            continue;
        const std::filesystem::path path = folder / std::string(name);
        const FileDescriptor fd(
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {}, named {};
        if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)
            || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        // It may have been renamed into place between the open and the lock.
        if (::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev
            && named.st_ino == opened.st_ino)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// A link in a folder that others may write could have been planted there by any of them, to
// make our save replace a file of theirs choosing: it is followed only when it is ours or the
// folder owner's.
bool mayFollow(const std::filesystem::path &link, const struct stat &linkStat)
{
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0)
        return true;  // the lookup itself will report the folder
    const bool shared = folder.st_mode & (S_IWGRP | S_IWOTH);
    return !shared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == folder.st_uid;
}

// Asks the system to start storing bytes just written, without waiting for it: the disk then
// works while the rest of the catalog is written, and commit()'s fsync has little left to wait
// for. Only a hint; the fsync is what makes the file safe.
void startWriteBack(int fd, std::uint64_t offset, std::size_t size)
{
    ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                      SYNC_FILE_RANGE_WRITE);
}

std::uint64_t freeSpace(int fd)
{
    struct statvfs space {};
    if (::fstatvfs(fd, &space) != 0)
        return 0;
    return static_cast<std::uint64_t>(space.f_bavail) * space.f_frsize;
}

}  // namespace

class SafeFileWriter::Native
{
public:
    Native(std::filesystem::path target, WriteRules rules);
    ~Native();

    void write(std::string_view bytes);
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

SafeFileWriter::SafeFileWriter(std::filesystem::path target, WriteRules rules)
    : m_native(std::make_unique<Native>(std::move(target), std::move(rules)))
{
}

SafeFileWriter::~SafeFileWriter() = default;

void SafeFileWriter::write(std::string_view bytes)
{
    m_native->write(bytes);
}

FileStamp SafeFileWriter::commit()
{
    return m_native->commit();
}

SafeFileWriter::Native::Native(std::filesystem::path target, WriteRules rules)
    : m_target(std::move(target)), m_rules(std::move(rules))
{
    followLinks();

    struct stat existing {};
    const bool exists = ::stat(m_file.c_str(), &existing) == 0;
    if (exists) {
        const FileStamp stamp = stampFrom(existing);
        refuseTarget(stamp, existing.st_mode);
        // A rename would replace even a read-only file; read-only is the owner's way of saying
        // no.
        if (::faccessat(AT_FDCWD, m_file.c_str(), W_OK, AT_EACCESS) != 0)
            fail(kCannotWrite, errno);
        m_existingSize = static_cast<std::uint64_t>(existing.st_size);
        if (m_rules.mayReplace && !m_rules.mayReplace(stamp))
            throw SaveCancelled{};
    }

    removeStaleTemporaries(m_file);
    openFile(exists, existing);
    // A constructor that throws runs no destructor: the open file is let go here.
    try {
        if (m_inPlace && m_rules.mayWriteInPlace && !m_rules.mayWriteInPlace())
            throw SaveCancelled{};
        reserve();
        if (!m_inPlace)
            keepOwnership(exists, existing);
    } catch (...) {
        discard();
        throw;
    }
}

// Follows the target's links to the file they lead to, so that file is replaced.
void SafeFileWriter::Native::followLinks()
{
    m_file = m_target;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(m_file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return;
        if (hops == kMaxLinks)
            fail(kCannotFollowLinks, ELOOP);
        if (!mayFollow(m_file, st)) {
            throw CatalogError(Message{
                QT_TRANSLATE_NOOP("CatalogError",
                                  "%1: is a link owned by another user in a folder that others "
                                  "may write to; it is not followed, so nothing was written"),
                {m_target.string()}});
        }
        std::string link(static_cast<std::size_t>(st.st_size) + 1, '\0');
        const ssize_t length = ::readlink(m_file.c_str(), link.data(), link.size());
        if (length < 0)
            fail(kCannotFollowLink, errno);
        link.resize(static_cast<std::size_t>(length));
        m_file = std::filesystem::path(link).is_absolute() ? std::filesystem::path(link)
                                                           : m_file.parent_path() / link;
    }
}

// A device or a pipe would be replaced by a plain file, or fed the catalog; the catalog read
// would be overwritten.
void SafeFileWriter::Native::refuseTarget(const FileStamp &existing, unsigned mode) const
{
    const bool linked = m_file != m_target;
    if (!S_ISREG(mode)) {
        if (linked)
            throw CatalogError(Message{
                QT_TRANSLATE_NOOP("CatalogError", "%1: leads to %2: %3; nothing was written"),
                {m_target.string(), m_file.string(), notAFile(mode)}});
        throw CatalogError(Message{QT_TRANSLATE_NOOP("CatalogError", "%1: %2; nothing was written"),
                                   {m_target.string(), notAFile(mode)}});
    }
    if (m_rules.neverWrite && m_rules.neverWrite->sameFile(existing))
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError", "%1: is the same file as %2, which is never "
                                              "written; nothing was written"),
            {m_target.string(), m_rules.neverWriteName}});
}

void SafeFileWriter::Native::openFile(bool exists, const struct stat &existing)
{
    // A sticky folder lets us write a file of someone else's but not replace it.
    struct stat folder {};
    const bool mayNotReplace = exists && ::geteuid() != 0
                               && ::stat(folderOf(m_file).c_str(), &folder) == 0
                               && (folder.st_mode & S_ISVTX) && folder.st_uid != ::geteuid()
                               && existing.st_uid != ::geteuid();
    if (mayNotReplace) {
        openInPlace();
        return;
    }
    createBeside();
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_EX | LOCK_NB);  // keeps another save from taking it for a stale one
        return;
    }
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM)) {
        openInPlace();
        return;
    }
    if (m_file != m_target) {
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError",
                              "%1: is a link to %2, which cannot be created there: %3"),
            {m_target.string(), m_file.string(), std::strerror(error)}});
    }
    fail(kCannotCreate, error);
}

// Keep the owner, group and permissions of the file being replaced. Only root may give a file
// away, but anyone may pass it to a group of their own: each is tried on its own.
void SafeFileWriter::Native::keepOwnership(bool exists, const struct stat &existing)
{
    if (!exists) {
        if (::fchmod(m_fd, defaultMode()) != 0)
            fail(kCannotSetPermissions, errno);
        return;
    }
    if (::fchown(m_fd, existing.st_uid, static_cast<gid_t>(-1)) != 0) {
        // The permissions, and the group where allowed, are what matters then.
    }
    if (::fchown(m_fd, static_cast<uid_t>(-1), existing.st_gid) != 0) {
        // Not a member of that group: the file gets ours.
    }
    if (::fchmod(m_fd, existing.st_mode & 07777) != 0)
        fail(kCannotSetPermissions, errno);
}

SafeFileWriter::Native::~Native()
{
    discard();
}

// An unnamed file leaves nothing behind when the program is killed; the system needs /proc to
// name it later without privileges. Leaves m_fd negative and errno set when the folder says no.
void SafeFileWriter::Native::createBeside()
{
    const std::filesystem::path folder = folderOf(m_file);
    if (::access("/proc/self/fd", X_OK) == 0) {
        m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_unnamed = true;
            return;
        }
        // Anything but "not supported here" is the folder's answer for a named file too.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return;
    }
    std::string name = (folder / (temporaryPrefix(m_file) + "XXXXXX")).string();
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd >= 0)
        m_temporary = name;
}

void SafeFileWriter::Native::openInPlace()
{
    m_inPlace = true;
    m_fd = ::open(m_file.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        fail(kCannotWrite, errno);
    if (!S_ISREG(st.st_mode))
        fail(kCannotWrite, EINVAL);
}

// In place, the whole save is set aside on disk before anything is written, so a disk too
// full for it is found while the target is still whole; the file keeps its length and contents
// until written over. Where the file system cannot set space aside, the free space is compared
// instead. A new copy beside the target needs neither: running out of room there leaves the
// target as it was.
void SafeFileWriter::Native::reserve()
{
    m_freeAtStart = freeSpace(m_fd);
    const std::uint64_t size = m_inPlace ? wholeSize() : 0;
    if (size == 0)
        return;
    if (::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return;
    const int error = errno;
    if (error == ENOSPC || error == EDQUOT)
        failForSpace(error, m_freeAtStart);
    if (error != EOPNOTSUPP && error != ENOSYS)
        fail(kCannotWrite, error);
    if (size > m_existingSize && size - m_existingSize > m_freeAtStart)
        failForSpace(ENOSPC, m_freeAtStart);
}

std::uint64_t SafeFileWriter::Native::wholeSize()
{
    // Walking a large catalog takes a while: once is enough, as it cannot change meanwhile.
    if (!m_wholeSize)
        m_wholeSize = m_rules.size ? m_rules.size() : 0;
    return *m_wholeSize;
}

void SafeFileWriter::Native::write(std::string_view bytes)
{
    const std::uint64_t offset = m_written;
    const std::size_t size = bytes.size();
    m_written += bytes.size();
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(kCannotWrite, errno);
        }
        // In place, the old contents are written over from the first byte that lands.
        m_overwriting = m_overwriting || (m_inPlace && written > 0);
        // A short write is followed by another, which reports the reason (a full disk).
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (!m_inPlace)
        startWriteBack(m_fd, offset, size);
}

FileStamp SafeFileWriter::Native::commit()
{
    // In place, the old contents were written over from the start; what lies past the new end
    // goes only now.
    if (m_inPlace) {
        if (::ftruncate(m_fd, static_cast<off_t>(m_written)) != 0)
            fail(kCannotWrite, errno);
        m_overwriting = true;
    }
    struct stat status {};
    if (::fsync(m_fd) != 0 || ::fstat(m_fd, &status) != 0)
        fail(kCannotWrite, errno);
    const FileStamp written = stampFrom(status);
    if (m_inPlace) {
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0)
            fail(kCannotWrite, errno);
        return written;
    }
    if (m_unnamed)
        nameUnnamed();
    if (!m_temporary.empty()) {
        if (::rename(m_temporary.c_str(), m_file.c_str()) != 0)
            fail(kCannotReplace, errno);
        m_temporary.clear();
    }
    // Closed only now: its lock keeps other saves off the name until the rename.
    ::close(std::exchange(m_fd, -1));
    syncFolder(written);
    return written;
}

// Where no file has the target's name, the new file takes it at once. Otherwise it gets a
// hidden name of its own for the moment until the rename puts it in the old file's place: a
// link cannot replace a file.
void SafeFileWriter::Native::nameUnnamed()
{
    if (linkUnnamed(m_file))
        return;
    for (;;) {
        if (errno != EEXIST)
            fail(kCannotName, errno);
        const std::filesystem::path name =
            folderOf(m_file) / (temporaryPrefix(m_file) + randomSuffix());
        if (linkUnnamed(name)) {
            m_temporary = name;
            return;
        }
    }
}

// False with errno EEXIST when `name` is taken.
bool SafeFileWriter::Native::linkUnnamed(const std::filesystem::path &name) const
{
    const std::string fdPath = "/proc/self/fd/" + std::to_string(m_fd);
    if (::linkat(AT_FDCWD, fdPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    return ::linkat(m_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Without this the rename itself may not survive a crash. The file is saved by now, so a
// failure here is a warning, not a failed save.
void SafeFileWriter::Native::syncFolder(const FileStamp &written)
{
    const FileDescriptor folder(
        ::open(folderOf(m_file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0 && ::fsync(folder.get()) == 0)
        return;
    throw SavedButNotSynced(
        Message{QT_TRANSLATE_NOOP("CatalogError", "%1: saved, but it may not yet be safe on "
                                                  "disk: its folder cannot be synced: %2"),
                {m_target.string(), std::strerror(errno)}},
        written);
}

void SafeFileWriter::Native::fail(const char *what, int error)
{
    if (error == ENOSPC || error == EDQUOT)
        failForSpace(error, m_freeAtStart);
    Message message{QT_TRANSLATE_NOOP("CatalogError", "%1: %2: %3"),
                    {m_target.string(), Message{what, {}}, std::strerror(error)}};
    if (m_overwriting) {
        message.format = QT_TRANSLATE_NOOP(
            "CatalogError", "%1: %2: %3; its folder allows no new file, so it was being written "
                            "in place and %4 is now incomplete; every record is still in the "
                            "editor");
        message.arguments.emplace_back(m_target.filename().string());
    } else if (m_inPlace) {
        message.format = QT_TRANSLATE_NOOP(
            "CatalogError", "%1: %2: %3; nothing was written over it, so %4 was not changed");
        message.arguments.emplace_back(m_target.filename().string());
    }
    discard();
    throw CatalogError(message);
}

void SafeFileWriter::Native::failForSpace(int error, std::uint64_t free)
{
    const std::uint64_t needed = std::max({wholeSize(), m_written, m_existingSize});
    Message message;
    if (m_overwriting) {
        message = Message{
            QT_TRANSLATE_NOOP("CatalogError",
                              "%1: cannot write: %2; its folder allows no new file, so it was "
                              "being written in place and %3 is now incomplete; every record is "
                              "still in the editor"),
            {m_target.string(), std::strerror(error), m_target.filename().string()}};
    } else if (m_inPlace) {
        const std::uint64_t more = needed > m_existingSize ? needed - m_existingSize : 0;
        message = Message{
            QT_TRANSLATE_NOOP("CatalogError",
                              "%1: cannot write: %2; its folder allows no new file, so it would "
                              "be written in place, which needs %3 more than it holds now, and "
                              "%4 are free; nothing was written"),
            {m_target.string(), std::strerror(error), sizeText(more, true),
             sizeText(free, false)}};
    } else {
        message = Message{
            QT_TRANSLATE_NOOP("CatalogError",
                              "%1: cannot write: %2; a save writes a whole new copy before it "
                              "replaces the file, which needs %3, and %4 were free; nothing was "
                              "written"),
            {m_target.string(), std::strerror(error), sizeText(needed, true),
             sizeText(free, false)}};
    }
    discard();
    throw CatalogError(message);
}

void SafeFileWriter::Native::discard()
{
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}
