#pragma once

#include <cstddef>
#include <string_view>

// Whether `bytes` look like UTF-8 rather than the catalog's 8-bit code page: they begin with a
// UTF-8 byte-order mark, or hold at least one multi-byte sequence and every byte above 0x7F
// stands in a well-formed one. Text in the 8-bit code page almost never does: its letters stand
// alone between plain ASCII. Pure ASCII is not UTF-8 here: it reads the same either way.
bool looksLikeUtf8(std::string_view bytes);

// The same look, taken as a file's bytes arrive: each call gives the bytes so far, from the
// same start, and the look goes on where the last one stopped. A sequence cut off at the end
// waits for the next call, or fails at the last.
class Utf8Look
{
public:
    void look(std::string_view bytes, bool last);
    bool utf8() const { return m_marked || (m_multiByte && !m_refused); }

private:
    std::size_t m_at = 0;  // where the next look starts
    bool m_marked = false;
    bool m_multiByte = false;
    bool m_refused = false;
};
