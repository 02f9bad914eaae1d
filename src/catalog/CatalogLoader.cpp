#include "CatalogLoader.h"

#include "CatalogError.h"
#include "CatalogReader.h"
#include "FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

[[noreturn]] void failWithErrno(const std::filesystem::path &file, const char *what)
{
    throw CatalogError(file.string() + ": " + what + ": " + std::strerror(errno));
}

}  // namespace

LoadedCatalog loadCatalog(const std::filesystem::path &file)
{
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        failWithErrno(file, "cannot open");

    CatalogReader reader(file.string());
    const auto block = std::make_unique<char[]>(kBlockSize);
    for (;;) {
        const ssize_t got = ::read(fd.get(), block.get(), kBlockSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno(file, "cannot read");
        }
        if (got == 0)
            break;
        reader.feed(std::string_view(block.get(), static_cast<std::size_t>(got)));
    }
    return reader.finish();
}

void refuseEmptyCatalog(const LoadedCatalog &loaded, const std::filesystem::path &file)
{
    if (loaded.count == 0)
        throw CatalogError(file.string() + ": the file holds no record");
}
