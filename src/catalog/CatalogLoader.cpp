#include "CatalogLoader.h"

#include "CatalogError.h"
#include "CatalogReader.h"
#include "FileDescriptor.h"
#include "MemoryRoom.h"
#include "RegularFile.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Read after the size the file had when opened, should it grow meanwhile.
constexpr std::size_t kBlockSize = 1 << 20;

[[noreturn]] void failWithErrno(const std::filesystem::path &file, const char *what)
{
    throw CatalogError(Message{QT_TRANSLATE_NOOP("CatalogError", "%1: %2: %3"),
                               {file.string(), Message{what, {}}, std::strerror(errno)}},
                       CatalogError::Kind::CannotRead);
}

// Reads up to `size` bytes into `block`; fewer only at the end of the file.
std::size_t readFully(int fd, char *block, std::size_t size, const std::filesystem::path &file)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, block + got, size - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno(file, QT_TRANSLATE_NOOP("CatalogError", "cannot read"));
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

// The whole file is read into one block that the records keep and refer to, so that a line
// is neither copied nor allocated on its own.
LoadedCatalog readCatalogFile(const std::filesystem::path &file)
{
    const FileDescriptor fd(openRegularFile(file));
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        failWithErrno(file, QT_TRANSLATE_NOOP("CatalogError", "cannot read"));

    CatalogReader reader(file.string());
    const std::size_t size = status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
    refuseWhatCannotFit(file, size, MemoryRoom::now());
    HeldBlock whole(size);
    const std::size_t got = readFully(fd.get(), whole.data(), size, file);
    reader.feed(std::move(whole), got);
    if (got == size) {
        // Whatever was added since the size was taken comes in blocks, each copied once.
        const auto block = std::make_unique_for_overwrite<char[]>(kBlockSize);
        std::size_t more = 0;
        while ((more = readFully(fd.get(), block.get(), kBlockSize, file)) != 0)
            reader.feed(std::string_view(block.get(), more));
    }
    return reader.finish();
}

}  // namespace

// The records in memory are replaced only after a whole load, so running out of memory on the
// way leaves them as they were; the message says so in the user's terms.
LoadedCatalog loadCatalog(const std::filesystem::path &file)
{
    try {
        return readCatalogFile(file);
    } catch (const std::bad_alloc &) {
        throw CatalogError(Message{QT_TRANSLATE_NOOP("CatalogError",
                                                     "%1: there was not enough memory to read it"),
                                   {file.string()}},
                           CatalogError::Kind::CannotRead);
    }
}

void refuseEmptyCatalog(const LoadedCatalog &loaded, const std::filesystem::path &file)
{
    if (loaded.count == 0)
        throw CatalogError(
            Message{QT_TRANSLATE_NOOP("CatalogError", "%1: the file holds no record"),
                    {file.string()}},
            CatalogError::Kind::NoRecord);
}
