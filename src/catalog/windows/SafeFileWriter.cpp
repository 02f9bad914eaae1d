#include "catalog/SafeFileWriter.h"

#include "catalog/CatalogError.h"
#include "catalog/SaveSteps.h"
#include "catalog/SizeText.h"
#include "catalog/windows/WindowsFile.h"

#include <algorithm>
#include <random>
#include <string>
#include <utility>

namespace {

// What one WriteFile is given at most: its count is 32 bits.
constexpr std::size_t kMostPerWrite = std::size_t(1) << 30;

// ".Trake-novi.odl.velmora-": what every temporary file of a save of `file` begins with. The
// old file, kept aside while ReplaceFileW puts the new one in its place, is "...-old-" and
// never taken for a stale temporary.
std::wstring temporaryPrefix(const std::filesystem::path &file)
{
    return L"." + file.filename().wstring() + L".velmora-";
}

std::wstring randomSuffix()
{
    static constexpr wchar_t kLetters[] =
        L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
    std::wstring suffix;
    for (std::size_t i = 0; i < kRandomLength; ++i)
        suffix += kLetters[pick(generator)];
    return suffix;
}

// A save killed before its commit leaves its file behind. One still open belongs to a save
// under way (it is held without sharing) and cannot be deleted: it is left alone.
void removeStaleTemporaries(const std::filesystem::path &file)
{
    const std::filesystem::path folder = folderOf(file);
    const std::wstring prefix = temporaryPrefix(file);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder / (prefix + L"*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring_view name = found.cFileName;
        if (name.size() == prefix.size() + kRandomLength && name.starts_with(prefix)
            && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileW((folder / std::wstring(name)).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

bool diskFull(DWORD error)
{
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// Another program holds the file open without letting it be replaced (a spreadsheet, a virus
// scanner at work).
bool heldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
           || error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_USER_MAPPED_FILE;
}

std::uint64_t freeSpace(const std::filesystem::path &folder)
{
    ULARGE_INTEGER free{};
    if (!::GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr))
        return 0;
    return free.QuadPart;
}

// The file a link leads to, by its full name; the name itself where it is no link.
std::filesystem::path linkTarget(const std::filesystem::path &name, HANDLE opened)
{
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return name;
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(opened, full.data(),
                                                         static_cast<DWORD>(full.size()), 0);
        if (length == 0)
            return name;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length + 1);
    }
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
    void examineTarget();
    void createBeside();
    void replaceTarget();
    std::uint64_t wholeSize();
    [[noreturn]] void fail(const char *what, DWORD error);
    [[noreturn]] void failHeld(DWORD error);
    [[noreturn]] void failForSpace(DWORD error);
    void discard();

    std::filesystem::path m_target;    // as the caller named it, for messages
    std::filesystem::path m_file;      // the file replaced: m_target with its links followed
    std::filesystem::path m_temporary; // the new file's name while it has one
    WriteRules m_rules;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_exists = false;
    std::uint64_t m_written = 0;       // bytes handed to write() so far
    std::optional<std::uint64_t> m_wholeSize;
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
    : m_target(std::move(target)), m_file(m_target), m_rules(std::move(rules))
{
    examineTarget();
    removeStaleTemporaries(m_file);
    createBeside();
}

// Refuses what must not be replaced, and asks before an existing file is.
void SafeFileWriter::Native::examineTarget()
{
    // Attributes only, which no other program's sharing refuses; links are followed.
    const HANDLE existing = ::CreateFileW(
        m_target.c_str(), FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return;
        if (heldByAnother(error))
            failHeld(error);
        fail(kCannotWrite, error);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool described = ::GetFileInformationByHandle(existing, &info);
    const DWORD error = ::GetLastError();
    if (described)
        m_file = linkTarget(m_target, existing);
    ::CloseHandle(existing);
    if (!described)
        fail(kCannotWrite, error);

    m_exists = true;
    const FileStamp stamp = stampFrom(info);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError", "%1: %2; nothing was written"),
            {m_target.string(),
             Message{QT_TRANSLATE_NOOP("CatalogError", "it is a folder, not a file"), {}}}});
    if (m_rules.neverWrite && m_rules.neverWrite->sameFile(stamp))
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError", "%1: is the same file as %2, which is never "
                                              "written; nothing was written"),
            {m_target.string(), m_rules.neverWriteName}});
    // ReplaceFileW would replace even a read-only file; read-only is the owner's way of
    // saying no.
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        throw CatalogError(Message{
            QT_TRANSLATE_NOOP("CatalogError", "%1: cannot write: it is read-only; nothing was "
                                              "written"),
            {m_target.string()}});
    if (m_rules.mayReplace && !m_rules.mayReplace(stamp))
        throw SaveCancelled{};
}

// Hidden and held without sharing until the commit, so that no other program (nor another
// save's cleanup) touches it.
void SafeFileWriter::Native::createBeside()
{
    const std::filesystem::path folder = folderOf(m_file);
    for (;;) {
        const std::filesystem::path name = folder / (temporaryPrefix(m_file) + randomSuffix());
        m_handle = ::CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (m_handle != INVALID_HANDLE_VALUE) {
            m_temporary = name;
            return;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            fail(kCannotCreate, error);
    }
}

SafeFileWriter::Native::~Native()
{
    discard();
}

std::uint64_t SafeFileWriter::Native::wholeSize()
{
    if (!m_wholeSize)
        m_wholeSize = m_rules.size ? m_rules.size() : 0;
    return *m_wholeSize;
}

void SafeFileWriter::Native::write(std::string_view bytes)
{
    m_written += bytes.size();
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min(bytes.size(), kMostPerWrite));
        if (!::WriteFile(m_handle, bytes.data(), size, &written, nullptr))
            fail(kCannotWrite, ::GetLastError());
        bytes.remove_prefix(written);
    }
}

FileStamp SafeFileWriter::Native::commit()
{
    // Not hidden once it has the target's name; where it replaces a file, ReplaceFileW gives
    // it that file's attributes anyway.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!::FlushFileBuffers(m_handle)
        || !::SetFileInformationByHandle(m_handle, FileBasicInfo, &basic, sizeof basic))
        fail(kCannotWrite, ::GetLastError());
    ::CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE));
    if (m_exists) {
        replaceTarget();
    } else if (!::MoveFileExW(m_temporary.c_str(), m_file.c_str(), MOVEFILE_WRITE_THROUGH)) {
        fail(kCannotName, ::GetLastError());
    }
    m_temporary.clear();
    const std::optional<FileStamp> written = stampOf(m_file);
    if (!written)
        fail(kCannotWrite, ::GetLastError());
    return *written;
}

// The old file is kept aside under a name of its own while the new one takes its place: where
// the system fails halfway, it is put back, and the target is as it was.
void SafeFileWriter::Native::replaceTarget()
{
    const std::filesystem::path aside =
        folderOf(m_file) / (temporaryPrefix(m_file) + L"old-" + randomSuffix());
    if (::ReplaceFileW(m_file.c_str(), m_temporary.c_str(), aside.c_str(),
                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                       nullptr)) {
        ::DeleteFileW(aside.c_str());
        return;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        ::MoveFileExW(aside.c_str(), m_file.c_str(), MOVEFILE_WRITE_THROUGH);
    if (heldByAnother(error))
        failHeld(error);
    fail(kCannotReplace, error);
}

void SafeFileWriter::Native::fail(const char *what, DWORD error)
{
    if (diskFull(error))
        failForSpace(error);
    const Message message{QT_TRANSLATE_NOOP("CatalogError", "%1: %2: %3"),
                          {m_target.string(), Message{what, {}}, errorText(error)}};
    discard();
    throw CatalogError(message);
}

void SafeFileWriter::Native::failHeld(DWORD error)
{
    const Message message{
        QT_TRANSLATE_NOOP("CatalogError",
                          "%1: cannot replace the file: %2: another program has it open; close "
                          "it there and save again; nothing was written over it"),
        {m_target.string(), errorText(error)}};
    discard();
    throw CatalogError(message);
}

void SafeFileWriter::Native::failForSpace(DWORD error)
{
    const std::uint64_t needed = std::max(wholeSize(), m_written);
    const Message message{
        QT_TRANSLATE_NOOP("CatalogError",
                          "%1: cannot write: %2; a save writes a whole new copy before it "
                          "replaces the file, which needs %3, and %4 were free; nothing was "
                          "written"),
        {m_target.string(), errorText(error), sizeText(needed, true),
         sizeText(freeSpace(folderOf(m_file)), false)}};
    discard();
    throw CatalogError(message);
}

void SafeFileWriter::Native::discard()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE));
    if (!m_temporary.empty()) {
        ::DeleteFileW(m_temporary.c_str());
        m_temporary.clear();
    }
}
