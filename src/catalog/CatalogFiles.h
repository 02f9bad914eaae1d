#pragma once

// The two files of the editor, always in the current folder.
inline constexpr const char *kInputFile = "Trake.odl";
inline constexpr const char *kOutputFile = "Trake-novi.odl";

inline constexpr int kLinesPerRecord = 45;
