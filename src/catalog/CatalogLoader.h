#pragma once

#include "catalog/CatalogProgress.h"
#include "catalog/LoadedCatalog.h"

#include <cstdint>
#include <filesystem>
#include <future>

// Reads a catalog file into one block of its size, which the records keep and refer to.
// Throws CatalogError naming the file when it cannot be opened or read, runs out of memory,
// changes while it is read, or at the first line that cannot be cut (a first line that cannot
// start a record before the rest of the file is read). `progress`, when given, hears how far
// the load has come every few thousand records. A large file's memory is found partly on a
// second thread, which waits for `helperStart` where it is given.
LoadedCatalog loadCatalog(const std::filesystem::path &file, const ProgressReport &progress = {},
                          const std::shared_future<void> &helperStart = {});

// Throws CatalogError naming `file` when the catalog holds no record.
void refuseEmptyCatalog(const LoadedCatalog &loaded, const std::filesystem::path &file);

// What a catalog file holds, for a question about replacing it: whole records that all load,
// and how many; or something else (a line that cannot be cut, a last record cut short); or
// unknown, when it cannot be read. Reads the file a block at a time and keeps none of it.
struct CatalogSurvey
{
    enum class Holds { Records, NotACatalog, Unknown } holds;
    std::int32_t records = 0;
};
CatalogSurvey surveyCatalog(const std::filesystem::path &file);
