#pragma once

#include "catalog/SafeFileWriter.h"
#include "model/RecordArrays.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Produces records 1 to count, 45 lines each, every line ended by CR LF, and hands the bytes
// to `sink` a block at a time. Missing section objects are created and written as empty lines.
void writeCatalog(RecordArrays &arrays, std::int32_t count,
                  const std::function<void(std::string_view)> &sink);

// The same bytes in one string.
std::string catalogBytes(RecordArrays &arrays, std::int32_t count);

// The number of bytes writeCatalog gives for the same records.
std::uint64_t catalogSize(RecordArrays &arrays, std::int32_t count);

// Replaces `file` with the catalog safely (SafeFileWriter, under `rules`, with the catalog's
// size reserved first) and returns the stamp of the file written. Throws CatalogError on
// failure, SaveCancelled when a question of `rules` was answered no.
FileStamp saveCatalog(const std::filesystem::path &file, RecordArrays &arrays, std::int32_t count,
                      WriteRules rules = {});
