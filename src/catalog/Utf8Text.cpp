#include "catalog/Utf8Text.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the sequence that `lead` starts, with the range its second byte must fall in;
// 0 for a byte that starts none.
struct Lead
{
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
};

Lead leadOf(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2};
    if (lead >= 0xE0 && lead <= 0xEF)  // no overlong forms, no surrogates
        return {3, static_cast<unsigned char>(lead == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(lead == 0xED ? 0x9F : 0xBF)};
    if (lead >= 0xF0 && lead <= 0xF4)
        return {4, static_cast<unsigned char>(lead == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(lead == 0xF4 ? 0x8F : 0xBF)};
    return {};
}

}  // namespace

bool looksLikeUtf8(std::string_view bytes)
{
    Utf8Look look;
    look.look(bytes, true);
    return look.utf8();
}

void Utf8Look::look(std::string_view bytes, bool last)
{
    if (m_marked || m_refused)
        return;
    if (m_at == 0) {
        if (bytes.starts_with(kByteOrderMark)) {
            m_marked = true;
            return;
        }
        if (!last && kByteOrderMark.starts_with(bytes))
            return;
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t i = m_at;
    while (i < bytes.size()) {
        // Runs of ASCII, most of any catalog, are passed 32 bytes at a time.
        std::uint64_t words[4];
        if (bytes.size() - i >= sizeof words) {
            std::memcpy(words, bytes.data() + i, sizeof words);
            if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080u) == 0) {
                i += sizeof words;
                continue;
            }
        }
        if (byte(i) < 0x80) {
            ++i;
            continue;
        }
        const Lead lead = leadOf(byte(i));
        if (lead.length == 0) {
            m_refused = true;
            return;
        }
        if (bytes.size() - i < lead.length) {
            m_refused = last;
            break;
        }
        bool wellFormed = byte(i + 1) >= lead.low && byte(i + 1) <= lead.high;
        for (std::size_t k = 2; k < lead.length; ++k)
            wellFormed = wellFormed && byte(i + k) >= 0x80 && byte(i + k) <= 0xBF;
        if (!wellFormed) {
            m_refused = true;
            return;
        }
        m_multiByte = true;
        i += lead.length;
    }
    m_at = i;
}
