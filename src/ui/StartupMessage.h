#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// What the program says when it cannot start: the folder it looked in (the catalog is always
// read from the current folder) and the reason, which names the file, the line and the fault.
// In the user's language, as UTF-8.
std::string startupFailureMessage(const std::filesystem::path &folder, std::string_view reason);
