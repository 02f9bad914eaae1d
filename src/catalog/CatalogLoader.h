#pragma once

#include "LoadedCatalog.h"

#include <filesystem>

// Reads a catalog file in one pass, a block at a time. Throws CatalogError naming the file
// when it cannot be opened or read, or at the first line that cannot be cut.
LoadedCatalog loadCatalog(const std::filesystem::path &file);

// Throws CatalogError naming `file` when the catalog holds no record.
void refuseEmptyCatalog(const LoadedCatalog &loaded, const std::filesystem::path &file);
