#pragma once

#include <string_view>

// Whether `bytes` look like UTF-8 rather than the catalog's 8-bit code page: they begin with a
// UTF-8 byte-order mark, or hold at least one multi-byte sequence and every byte above 0x7F
// stands in a well-formed one. Text in the 8-bit code page almost never does: its letters stand
// alone between plain ASCII. Pure ASCII is not UTF-8 here: it reads the same either way.
bool looksLikeUtf8(std::string_view bytes);
