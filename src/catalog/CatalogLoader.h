#pragma once

#include "catalog/CatalogProgress.h"
#include "catalog/LoadedCatalog.h"

#include <cstdint>
#include <filesystem>
#include <optional>

// Reads a catalog file into one block of its size, which the records keep and refer to.
// Throws CatalogError naming the file when it cannot be opened or read, runs out of memory,
// changes while it is read, or at the first line that cannot be cut (a first line that cannot
// start a record before the rest of the file is read). `progress`, when given, hears how far
// the load has come every few thousand records.
LoadedCatalog loadCatalog(const std::filesystem::path &file, const ProgressReport &progress = {});

// Throws CatalogError naming `file` when the catalog holds no record.
void refuseEmptyCatalog(const LoadedCatalog &loaded, const std::filesystem::path &file);

// How many records a catalog file holds, from its line ends alone (a trailing part record
// counts as one); nothing when it cannot be read.
std::optional<std::int64_t> countRecords(const std::filesystem::path &file);
