#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The least any loader or writer of the catalog has to do, timed beside the real ones.

struct SplitLines
{
    std::int64_t lines = 0;
    std::uint64_t touched = 0;  // depends on every line, so the split cannot be optimised away
};

// Reads `file` in 1 MiB blocks and splits it into lines the way the reader does: a line ends at
// CR or CR LF, a lone LF is text, a CR LF may straddle two blocks. With `keep`, every line is
// also kept there as a string of its own, as any loader that holds the lines must do.
// Throws std::runtime_error.
SplitLines readAndSplitLines(const std::filesystem::path &file,
                             std::vector<std::string> *keep = nullptr);

// Writes `bytes` to a new `file` with write(2) in 1 MiB blocks and, when `sync` is set, fsyncs
// it before closing. Throws std::runtime_error.
void writeRaw(const std::filesystem::path &file, std::string_view bytes, bool sync);

// What the save does around the bytes, with nothing else: writeRaw with fsync to a temporary
// file beside `file`, rename it over `file`, fsync the folder. Throws std::runtime_error.
void replaceRaw(const std::filesystem::path &file, std::string_view bytes);
