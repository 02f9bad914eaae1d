#pragma once

#include <cstdint>
#include <string_view>

// The number at the start of the record-number box's text, rounded to a whole number.
// Blanks, tabs and line feeds are skipped anywhere; then an optional sign, digits, and an
// optional period with more digits; reading stops at the first character that cannot continue
// the number. No number gives 0, and only the period separates decimals ("2,5" gives 2).
// Halves go to the even neighbour, decided on the exact decimal digits (2.5 -> 2, 3.5 -> 4,
// 2.51 -> 3). A value past the 64-bit range saturates rather than wrapping around.
std::int64_t recordNumberFromText(std::u16string_view text);
