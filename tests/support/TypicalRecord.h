#pragma once

#include "catalog/CatalogFiles.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// Records as the workshop's catalog holds them, varied by number, for tests and benchmarks.
// Every line is well formed: loading and saving them gives the same bytes back.
std::array<std::string, kLinesPerRecord> typicalRecordLines(std::int64_t number);

// `records` typical records, every line ended by CR LF.
std::string typicalCatalog(std::int64_t records);

// Writes typicalCatalog(records) to `file` a megabyte at a time, so that a large catalog never
// stands whole in memory; `adjust`, when given, may change each record's lines first. Returns
// false when the file cannot be written.
using RecordAdjustment = std::function<void(std::array<std::string, kLinesPerRecord> &lines)>;
bool writeTypicalCatalog(const std::filesystem::path &file, std::int64_t records,
                         const RecordAdjustment &adjust = {});
