#pragma once

#include "catalog/CatalogProgress.h"
#include "catalog/SafeFileWriter.h"
#include "model/RecordArrays.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Produces records 1 to count, 45 lines each, every line ended by CR LF, and hands the bytes
// to `sink` a block at a time, in order and one call at a time, but from a thread of their own
// while the next records are walked; what the sink throws is thrown here. Missing section
// objects are created and written as empty lines.
void writeCatalog(RecordArrays &arrays, std::int32_t count,
                  const std::function<void(std::string_view)> &sink,
                  const ProgressReport &progress = {});

// Creates every missing section object of records 1 to count, so that a walk that follows,
// on whatever thread, only reads the records.
void createMissingSections(RecordArrays &arrays, std::int32_t count);

// The same bytes in one string.
std::string catalogBytes(RecordArrays &arrays, std::int32_t count);

// The number of bytes writeCatalog gives for the same records.
std::uint64_t catalogSize(RecordArrays &arrays, std::int32_t count);

// A save of the catalog to `file` in two steps. Opening asks the questions of `rules`
// (SafeFileWriter), creates every missing section object and, for a file written in place,
// sets the catalog's size aside, on the calling thread; write() writes the records and commits, which may take long and can run on
// another thread while nothing changes the records.
class CatalogSave
{
public:
    // Throws CatalogError, or SaveCancelled when a question was answered no.
    CatalogSave(const std::filesystem::path &file, RecordArrays &arrays, std::int32_t count,
                WriteRules rules);

    // Returns the stamp of the file written; throws CatalogError, or SavedButNotSynced once
    // the file is replaced but its folder could not be synced.
    FileStamp write(const ProgressReport &progress = {});

private:
    static WriteRules sized(WriteRules rules, RecordArrays &arrays, std::int32_t count);

    RecordArrays &m_arrays;
    std::int32_t m_count;
    SafeFileWriter m_out;
};

// Both steps at once.
FileStamp saveCatalog(const std::filesystem::path &file, RecordArrays &arrays, std::int32_t count,
                      WriteRules rules = {}, const ProgressReport &progress = {});
