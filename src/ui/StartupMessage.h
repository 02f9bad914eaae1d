#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// What the program says when it cannot start, in UTF-8: what happened (the catalog cannot be
// opened or read, holds no record, or has a line that cannot be cut), the folder it looked in
// (the catalog is always read from the current folder) as the system spells its name, even
// when that name is not valid UTF-8, and the reason, which names the file, the line and the
// fault.
std::string startupFailureMessage(const std::filesystem::path &folder, std::string_view reason);
