#include "CatalogLoader.h"

#include "CatalogError.h"
#include "CatalogReader.h"
#include "FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Read after the size the file had when opened, should it grow meanwhile.
constexpr std::size_t kBlockSize = 1 << 20;

[[noreturn]] void failWithErrno(const std::filesystem::path &file, const char *what)
{
    throw CatalogError(file.string() + ": " + what + ": " + std::strerror(errno));
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
            failWithErrno(file, "cannot read");
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

}  // namespace

// The whole file is read into one block that the records keep and refer to, so that a line
// is neither copied nor allocated on its own.
LoadedCatalog loadCatalog(const std::filesystem::path &file)
{
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        failWithErrno(file, "cannot open");
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        failWithErrno(file, "cannot read");

    CatalogReader reader(file.string());
    const std::size_t size = status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
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

void refuseEmptyCatalog(const LoadedCatalog &loaded, const std::filesystem::path &file)
{
    if (loaded.count == 0)
        throw CatalogError(file.string() + ": the file holds no record");
}
