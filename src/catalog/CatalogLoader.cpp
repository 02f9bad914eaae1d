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
    throw CatalogError(Message{QT_TRANSLATE_NOOP("CatalogError", "%1: %2: %3"),
                               {file.string(), Message{what, {}}, std::strerror(errno)}},
                       CatalogError::Kind::CannotRead);
}

// The records in memory are replaced only after a whole load, so running out of memory on the
// way leaves them as they were; the message says so in the user's terms.
LoadedCatalog loadWithinMemory(const std::filesystem::path &file)
{
    try {
        return loadCatalog(file);
    } catch (const std::bad_alloc &) {
        throw CatalogError(Message{QT_TRANSLATE_NOOP("CatalogError",
                                                     "%1: there was not enough memory to read it"),
                                   {file.string()}},
                           CatalogError::Kind::CannotRead);
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
            failWithErrno(file, QT_TRANSLATE_NOOP("CatalogError", "cannot read"));
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
        throw CatalogError(
            Message{QT_TRANSLATE_NOOP("CatalogError", "%1: the file holds no record"),
                    {kInputFile}},
            CatalogError::Kind::NoRecord);
    gRecords = std::move(loaded.arrays);
    UkBrSlogova = loaded.count;
    lfLineEndsOnly = loaded.lfLineEndsOnly;
}
