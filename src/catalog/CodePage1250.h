#pragma once

#include <optional>
#include <string>
#include <string_view>

// The catalog's 8-bit code page, Windows-1250 (Central European), and UTF-16 for the window.
// Each byte is one character and back, so text passes through a text box unchanged.
namespace CodePage1250 {

std::u16string decode(std::string_view bytes);
// The same into `text`, which has room for bytes.size() characters.
void decodeInto(std::string_view bytes, char16_t *text);

// Nothing when the text holds a character the code page lacks: such a character is reported,
// never replaced by another.
std::optional<std::string> encode(std::u16string_view text);

}  // namespace CodePage1250
