#include "catalog/CatalogLoader.h"

#include "catalog/CatalogError.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CatalogReader.h"
#include "catalog/FileStamp.h"
#include "catalog/FileSystem.h"
#include "catalog/MemoryRoom.h"
#include "catalog/PopulateAhead.h"
#include "catalog/Utf8Text.h"
#include "model/MemoryPages.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// What a load and surveyCatalog read at a time: a stretch that stays in the cache from its read
// while it is cut.
constexpr std::size_t kBlockSize = 1 << 20;
// What the first line is read in, before the whole file.
constexpr std::size_t kFirstLineStep = 64 << 10;

[[noreturn]] void failToRead(const std::filesystem::path &file)
{
    throw CatalogError(
        Message{QT_TRANSLATE_NOOP("CatalogError", "%1: %2: %3"),
                {file.string(), Message{QT_TRANSLATE_NOOP("CatalogError", "cannot read"), {}},
                 systemError()}},
        CatalogError::Kind::CannotRead);
}

// Reads up to `size` bytes from `offset` into `block`; fewer only at the end of the file.
std::size_t readFully(const FileHandle &fd, char *block, std::size_t size, std::uint64_t offset,
                      const std::filesystem::path &file)
{
    const std::optional<std::size_t> got = readAt(fd, block, size, offset);
    if (!got)
        failToRead(file);
    return *got;
}

// The first line of a file is a record's first line, which needs a ";" after its first "#"
// (anywhere, when it has no "#"); without one the load stops there, whatever follows. So that
// line alone is read first, without being kept, until it shows such a ";" or ends: a large
// file of anything else (zeros, an image) is refused without being read whole. The holes of a
// sparse file read as zeros, which hold no line end, "#" or ";": they are skipped unread.
void refuseFirstLineThatCannotBeCut(const FileHandle &fd, const std::filesystem::path &file,
                                    std::size_t size)
{
    if (size == 0)
        return;
    const auto block = std::make_unique_for_overwrite<char[]>(kFirstLineStep);
    bool hash = false;
    bool semicolon = false;  // after the first "#", or anywhere while there is none
    std::uint64_t at = 0;
    for (;;) {
        const std::optional<std::uint64_t> data = dataFrom(fd, at);
        if (!data)
            break;
        at = std::max(at, *data);
        const std::size_t got = readFully(fd, block.get(), kFirstLineStep, at, file);
        if (got == 0)
            break;
        std::string_view bytes(block.get(), got);
        const std::size_t end = bytes.find('\r');
        bytes = bytes.substr(0, end);
        if (const std::size_t h = hash ? std::string_view::npos : bytes.find('#');
            h != std::string_view::npos) {
            hash = true;
            semicolon = false;
            bytes.remove_prefix(h + 1);
        }
        semicolon = semicolon || bytes.find(';') != std::string_view::npos;
        if (end != std::string_view::npos || (hash && semicolon))
            break;
        at += got;
    }
    // The line's failure says only whether it holds a "#": a stand-in that holds one exactly
    // then gives the load's own message.
    if (!semicolon)
        CatalogReader(file.string(), CatalogReader::Keep::CountOnly).feed(hash ? "#\r" : "\r");
}

[[noreturn]] void failChangedWhileRead(const std::filesystem::path &file)
{
    throw CatalogError(
        Message{QT_TRANSLATE_NOOP("CatalogError",
                                  "%1: the file changed while it was being read, so it was "
                                  "not loaded; load it again once it is complete"),
                {file.string()}},
        CatalogError::Kind::CannotRead);
}

// The whole file is read into one block that the records keep and refer to, so that a line
// is neither copied nor allocated on its own. It is read a stretch at a time, and each stretch
// is looked at for UTF-8 and cut into lines while it is still in the cache from its read: one
// pass over the file's bytes. A file that changes while it is read (cut short or written on
// by another program) would give records that are neither its old contents nor its new ones:
// it is refused.
LoadedCatalog readCatalogFile(const std::filesystem::path &file, const ProgressReport &progress,
                              const std::shared_future<void> &helperStart)
{
    const FileHandle fd = openRegularFile(file);
    const std::optional<FileStamp> opened = stampOf(fd);
    if (!opened)
        failToRead(file);

    CatalogReader reader(file.string());
    const std::size_t size = opened->size > 0 ? static_cast<std::size_t>(opened->size) : 0;
    refuseWhatCannotFit(file, size, MemoryRoom::now());
    refuseFirstLineThatCannotBeCut(fd, file, size);
    if (progress)
        reader.reportProgress(progress, size, 0);
    char *const whole = reader.hold(HeldBlock(size, HeldBlock::Pages::Unpopulated), size);
    std::optional<PopulateAhead> populating;
    Utf8Look utf8;
    std::size_t got = 0;
    try {
        while (got < size) {
            const std::size_t step = std::min(kBlockSize, size - got);
            if (populating)
                populating->reach(got + step);
            else
                populate(whole, step);
            const std::size_t read = readFully(fd, whole + got, step, got, file);
            got += read;
            if (!populating) {
                // The first stretch tells how long a record is: the arrays are sized for the
                // file, and their pages are populated with the file's as the read goes on.
                std::vector<std::span<char>> tracks{{whole, size}};
                reader.reserveFor(got, tracks);
                populating.emplace(std::move(tracks), got, helperStart);
                populating->reach(got);
            }
            utf8.look(std::string_view(whole, got), got == size || read < step);
            reader.feedHeld(read);
            if (read < step)
                break;
        }
    } catch (const CatalogError &error) {
        // A line that cannot be cut may be one another program was writing.
        if (error.kind() == CatalogError::Kind::LineCannotBeCut && stampOf(fd) != opened)
            failChangedWhileRead(file);
        throw;
    }
    populating.reset();
    if (got != size || stampOf(fd) != opened)
        failChangedWhileRead(file);
    LoadedCatalog loaded = reader.finish();
    loaded.utf8Text = utf8.utf8();
    return loaded;
}

}  // namespace

// The records in memory are replaced only after a whole load, so running out of memory on the
// way leaves them as they were; the message says so in the user's terms.
LoadedCatalog loadCatalog(const std::filesystem::path &file, const ProgressReport &progress,
                          const std::shared_future<void> &helperStart)
{
    try {
        return readCatalogFile(file, progress, helperStart);
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

CatalogSurvey surveyCatalog(const std::filesystem::path &file)
{
    try {
        const FileHandle fd = openRegularFile(file);
        const std::optional<FileStamp> opened = stampOf(fd);
        if (!opened)
            failToRead(file);
        refuseFirstLineThatCannotBeCut(fd, file, static_cast<std::size_t>(opened->size));
        CatalogReader reader(file.string(), CatalogReader::Keep::CountOnly);
        const auto block = std::make_unique_for_overwrite<char[]>(kBlockSize);
        std::uint64_t at = 0;
        while (const std::size_t got = readFully(fd, block.get(), kBlockSize, at, file)) {
            reader.feed(std::string_view(block.get(), got));
            at += got;
        }
        const LoadedCatalog read = reader.finish();
        if (read.missingLines.record != 0)
            return {CatalogSurvey::Holds::NotACatalog};
        return {CatalogSurvey::Holds::Records, read.count};
    } catch (const CatalogError &error) {
        return {error.kind() == CatalogError::Kind::LineCannotBeCut
                    ? CatalogSurvey::Holds::NotACatalog
                    : CatalogSurvey::Holds::Unknown};
    } catch (const std::bad_alloc &) {
        return {CatalogSurvey::Holds::Unknown};
    }
}
