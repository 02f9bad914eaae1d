#pragma once

#include "CatalogProgress.h"
#include "RecordArrays.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Produces records 1 to count, 45 lines each, every line ended by CR LF, and hands the bytes
// to `sink` a block at a time. Missing section objects are created and written as empty lines.
void writeCatalog(RecordArrays &arrays, std::int32_t count,
                  const std::function<void(std::string_view)> &sink,
                  const ProgressReport &progress = {});

// The same bytes in one string.
std::string catalogBytes(RecordArrays &arrays, std::int32_t count);

// Replaces `file` with the catalog safely (SafeFileWriter); throws CatalogError on failure.
void saveCatalog(const std::filesystem::path &file, RecordArrays &arrays, std::int32_t count,
                 const ProgressReport &progress = {});
