#include "catalog/CatalogLoader.h"

#include "catalog/CatalogError.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CatalogReader.h"
#include "catalog/FileStamp.h"
#include "catalog/FileSystem.h"
#include "catalog/MemoryRoom.h"
#include "catalog/Utf8Text.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>
#include <utility>

namespace {

// What countRecords reads at a time.
constexpr std::size_t kBlockSize = 1 << 20;
// What the first line is read in, before the whole file.
constexpr std::size_t kFirstLineStep = 64 << 10;
// With a progress report the file is read this much at a time, each step reported.
constexpr std::size_t kReportedReadSize = 64 << 20;
// The part of a load's time spent reading the file, before its lines are split.
constexpr double kReadShare = 0.2;

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

// The whole file is read into one block that the records keep and refer to, so that a line
// is neither copied nor allocated on its own. A file that changes while it is read (cut short
// or written on by another program) would give records that are neither its old contents nor
// its new ones: it is refused.
LoadedCatalog readCatalogFile(const std::filesystem::path &file, const ProgressReport &progress)
{
    const FileHandle fd = openRegularFile(file);
    const std::optional<FileStamp> opened = stampOf(fd);
    if (!opened)
        failToRead(file);

    CatalogReader reader(file.string());
    const std::size_t size = opened->size > 0 ? static_cast<std::size_t>(opened->size) : 0;
    refuseWhatCannotFit(file, size, MemoryRoom::now());
    refuseFirstLineThatCannotBeCut(fd, file, size);
    HeldBlock whole(size);
    std::size_t got = 0;
    if (!progress) {
        got = readFully(fd, whole.data(), size, 0, file);
    } else {
        while (got < size) {
            const std::size_t step = std::min(kReportedReadSize, size - got);
            const std::size_t read = readFully(fd, whole.data() + got, step, got, file);
            got += read;
            progress({0, 0, kReadShare * static_cast<double>(got) / static_cast<double>(size)});
            if (read < step)
                break;
        }
        reader.reportProgress(progress, got, kReadShare);
    }
    if (got != size || stampOf(fd) != opened) {
        throw CatalogError(
            Message{QT_TRANSLATE_NOOP("CatalogError",
                                      "%1: the file changed while it was being read, so it was "
                                      "not loaded; load it again once it is complete"),
                    {file.string()}},
            CatalogError::Kind::CannotRead);
    }
    const bool utf8 = looksLikeUtf8(std::string_view(whole.data(), got));
    reader.feed(std::move(whole), got);
    LoadedCatalog loaded = reader.finish();
    loaded.utf8Text = utf8;
    return loaded;
}

}  // namespace

// The records in memory are replaced only after a whole load, so running out of memory on the
// way leaves them as they were; the message says so in the user's terms.
LoadedCatalog loadCatalog(const std::filesystem::path &file, const ProgressReport &progress)
{
    try {
        return readCatalogFile(file, progress);
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
