#include "catalog/FileSystem.h"

#include "catalog/CatalogError.h"
#include "catalog/windows/WindowsFile.h"

#include <algorithm>
#include <string>

namespace {

constexpr const char *kCannotOpen = QT_TRANSLATE_NOOP("CatalogError", "%1: cannot open: %2");
constexpr const char *kCannotRead = QT_TRANSLATE_NOOP("CatalogError", "%1: cannot read: %2");
constexpr auto kOpen = CatalogError::Kind::CannotOpen;
constexpr auto kRead = CatalogError::Kind::CannotRead;
// What one ReadFile asks for at most: its count is 32 bits.
constexpr std::size_t kMostPerRead = std::size_t(1) << 30;
// FILETIME counts 100 ns steps since 1601-01-01; a stamp counts nanoseconds since 1970.
constexpr std::int64_t kFileTimeAt1970 = 116'444'736'000'000'000;

[[noreturn]] void fail(const char *format, CatalogError::Kind kind,
                       const std::filesystem::path &file, MessageArgument reason)
{
    throw CatalogError(Message{format, {file.string(), std::move(reason)}}, kind);
}

HANDLE handleOf(const FileHandle &file)
{
    return reinterpret_cast<HANDLE>(file.handle());
}

std::string utf8(const wchar_t *text, int length)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::string errorText(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    if (length == 0 || text == nullptr)
        return "error " + std::to_string(error);
    std::string words = utf8(text, static_cast<int>(length));
    ::LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r'
                              || words.back() == ' ' || words.back() == '.'))
        words.pop_back();
    return words;
}

FileStamp stampFrom(const BY_HANDLE_FILE_INFORMATION &info)
{
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    const auto written =
        static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime,
                                       info.ftLastWriteTime.dwLowDateTime));
    return FileStamp{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                     static_cast<std::int64_t>(join(info.nFileSizeHigh, info.nFileSizeLow)),
                     (written - kFileTimeAt1970) * 100};
}

bool stampOfHandle(HANDLE handle, FileStamp &stamp)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        return false;
    stamp = stampFrom(info);
    return true;
}

FileHandle::~FileHandle()
{
    if (m_handle != kNone)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

FileHandle openRegularFile(const std::filesystem::path &file)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        fail(kCannotRead, kRead, file,
             Message{QT_TRANSLATE_NOOP("CatalogError", "it is a folder, not a file"), {}});
    // Other programs may go on reading, writing, renaming or deleting it meanwhile: a catalog
    // open in another program does not stop the editor, and a change is found by its stamp.
    const HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        fail(kCannotOpen, kOpen, file, errorText(::GetLastError()));
    FileHandle opened(reinterpret_cast<std::intptr_t>(handle));
    switch (::GetFileType(handle)) {
    case FILE_TYPE_DISK:
        return opened;
    case FILE_TYPE_PIPE:
        fail(kCannotRead, kRead, file,
             Message{QT_TRANSLATE_NOOP("CatalogError", "it is a named pipe, not a file"), {}});
    case FILE_TYPE_CHAR:
        fail(kCannotRead, kRead, file,
             Message{QT_TRANSLATE_NOOP("CatalogError", "it is a device, not a file"), {}});
    default:
        fail(kCannotRead, kRead, file,
             Message{QT_TRANSLATE_NOOP("CatalogError", "it is not a plain file"), {}});
    }
}

std::optional<FileStamp> stampOf(const FileHandle &file)
{
    FileStamp stamp;
    if (!stampOfHandle(handleOf(file), stamp))
        return std::nullopt;
    return stamp;
}

std::optional<FileStamp> stampOf(const std::filesystem::path &path)
{
    // Attributes only: no other program's sharing can refuse that, and links are followed.
    const HANDLE handle = ::CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FileStamp stamp;
    const bool known = stampOfHandle(handle, stamp);
    ::CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return stamp;
}

std::optional<std::size_t> readAt(const FileHandle &file, char *block, std::size_t size,
                                  std::uint64_t offset)
{
    std::size_t got = 0;
    while (got < size) {
        OVERLAPPED at{};
        const std::uint64_t from = offset + got;
        at.Offset = static_cast<DWORD>(from);
        at.OffsetHigh = static_cast<DWORD>(from >> 32);
        DWORD read = 0;
        const auto ask = static_cast<DWORD>(std::min(size - got, kMostPerRead));
        if (!::ReadFile(handleOf(file), block + got, ask, &read, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            return std::nullopt;
        }
        if (read == 0)
            break;
        got += read;
    }
    return got;
}

std::optional<std::uint64_t> dataFrom(const FileHandle & /*file*/, std::uint64_t offset)
{
    return offset;
}

std::string systemError()
{
    return errorText(::GetLastError());
}

std::optional<std::string> cannotEnter(const std::filesystem::path &folder)
{
    // What SetCurrentDirectoryW asks of a folder.
    const HANDLE handle = ::CreateFileW(
        folder.c_str(), FILE_TRAVERSE | SYNCHRONIZE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return errorText(::GetLastError());
    ::CloseHandle(handle);
    return std::nullopt;
}

// Windows has no file-size limit that ends a process.
void letWritesPastTheSizeLimitFail()
{
}
