#include "CatalogLoader.h"

#include "CatalogError.h"
#include "CatalogFiles.h"
#include "CatalogReader.h"
#include "FileDescriptor.h"
#include "RegularFile.h"
#include "WorkingFolder.h"
#include "basMain.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

[[noreturn]] void failWithErrno(const std::filesystem::path &file, const char *what)
{
    throw CatalogError(file.string() + ": " + what + ": " + std::strerror(errno));
}

// The records in memory are replaced only after a whole load, so running out of memory on the
// way leaves them as they were; the message says so in the user's terms.
LoadedCatalog loadWithinMemory(const std::filesystem::path &file)
{
    try {
        return loadCatalog(file);
    } catch (const std::bad_alloc &) {
        throw CatalogError(file.string() + ": there was not enough memory to read it");
    }
}

}  // namespace

LoadedCatalog loadCatalog(const std::filesystem::path &file)
{
    const FileDescriptor fd(openRegularFile(file));

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

void clsSlog::UcitavanjeIzFajla(EmptyCatalog ifEmpty)
{
    WorkingFolder::enter();
    LoadedCatalog loaded = loadWithinMemory(kInputFile);
    if (ifEmpty == EmptyCatalog::Refuse && loaded.count == 0)
        throw CatalogError(std::string(kInputFile) + ": the file holds no record");
    gRecords = std::move(loaded.arrays);
    UkBrSlogova = loaded.count;
    lfLineEndsOnly = loaded.lfLineEndsOnly;
}
