#pragma once

#include <filesystem>

// Opens `file` for reading without waiting on it: a named pipe or a device in its place would
// otherwise block the program before it can say anything. Returns the descriptor, ready for
// blocking reads; throws CatalogError naming the file when it cannot be opened or is not a
// plain file.
int openRegularFile(const std::filesystem::path &file);
