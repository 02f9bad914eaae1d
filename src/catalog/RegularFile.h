#pragma once

#include "catalog/Message.h"

#include <filesystem>

// Opens `file` for reading without waiting on it: a named pipe or a device in its place would
// otherwise block the program before it can say anything. Returns the descriptor, ready for
// blocking reads; throws CatalogError naming the file when it cannot be opened or is not a
// plain file.
int openRegularFile(const std::filesystem::path &file);

// Why a file of this kind (a stat mode) is not one to read or write as a catalog: "it is a named
// pipe, not a file" and the like.
MessageArgument notAFile(unsigned mode);
