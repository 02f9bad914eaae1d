#pragma once

#include <exception>
#include <filesystem>
#include <string>

// What the program says when it cannot start, in UTF-8: what happened (the catalog cannot be
// opened or read, holds no record, or has a line that cannot be cut), the folder it looked in
// (the catalog is always read from the current folder) as the system spells its name, even
// when that name is not valid UTF-8, and the reason, which names the file, the line and the
// fault. Both in the user's language.
std::string startupFailureMessage(const std::filesystem::path &folder,
                                  const std::exception &error);
