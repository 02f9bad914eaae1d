#pragma once

#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

// A line member: text of any length that either refers into bytes its catalog holds (a loaded
// file, which never changes while the catalog lives) or owns a copy of its own. Loading makes
// references, so a record costs no allocation per line; any assignment of new text makes an
// owned copy, so an edit can never reach another record or the held bytes. Copying a Text
// copies a reference as a reference and owned text as a fresh copy.
//
// Eight bytes: a 48-bit address and a 16-bit length. Two lengths are marks whose address points
// to a block of the Text's own: 0xFFFF marks owned text (the block starts with the length, then
// the bytes), 0xFFFE a long reference (the block holds the referred bytes' address and length),
// so that a value of any length is referred to, never copied, however long a file's line is.
// A reference whose address does not fit is stored owned instead.
class Text
{
public:
    Text() noexcept = default;
    explicit Text(std::string_view text) { m_bits = owned(text); }
    Text(const Text &other) : m_bits(other.copyBits()) {}
    Text(Text &&other) noexcept : m_bits(other.m_bits) { other.m_bits = 0; }
    ~Text() { release(); }

    Text &operator=(const Text &other)
    {
        if (this != &other)
            replace(other.copyBits());
        return *this;
    }
    Text &operator=(Text &&other) noexcept
    {
        if (this != &other) {
            release();
            m_bits = other.m_bits;
            other.m_bits = 0;
        }
        return *this;
    }
    // New text, always copied: an edit owns its text.
    Text &operator=(std::string_view text)
    {
        replace(owned(text));
        return *this;
    }
    Text &operator+=(std::string_view more);

    // Refers to `held` without copying; the caller keeps those bytes alive and unchanged for
    // as long as this Text or any copy of it lives. Inline: a load makes one per member.
    static Text refer(std::string_view held)
    {
        const auto address = reinterpret_cast<std::uintptr_t>(held.data());
        if (held.empty())
            return Text();
        if ((address & ~kAddressMask) != 0)
            return Text(held);
        Text text;
        if (held.size() >= kLongMark) {
            text.m_bits = longReference(held);
            return text;
        }
        text.m_bits = address | (std::uint64_t(held.size()) << kLengthShift);
        return text;
    }

    std::string_view view() const
    {
        if (m_bits == 0)
            return {};
        const char *address = reinterpret_cast<const char *>(m_bits & kAddressMask);
        const std::uint64_t length = m_bits >> kLengthShift;
        if (length < kLongMark)
            return {address, static_cast<std::size_t>(length)};
        std::size_t size;
        std::memcpy(&size, address, sizeof size);
        if (length == kOwnedMark)
            return {address + sizeof size, size};
        const char *referred;
        std::memcpy(&referred, address + sizeof size, sizeof referred);
        return {referred, size};
    }
    operator std::string_view() const { return view(); }  // NOLINT: reads like a string
    const char *data() const { return view().data(); }
    std::size_t size() const { return view().size(); }
    bool empty() const { return m_bits == 0; }
    std::string str() const { return std::string(view()); }

    // Whether this Text holds a copy of its own rather than referring to held bytes.
    bool isOwned() const { return (m_bits >> kLengthShift) == kOwnedMark; }

    friend bool operator==(const Text &a, const Text &b) { return a.view() == b.view(); }
    friend bool operator==(const Text &a, std::string_view b) { return a.view() == b; }

private:
    static constexpr int kLengthShift = 48;
    static constexpr std::uint64_t kAddressMask = (std::uint64_t(1) << kLengthShift) - 1;
    static constexpr std::uint64_t kOwnedMark = 0xFFFF;
    static constexpr std::uint64_t kLongMark = 0xFFFE;

    static std::uint64_t owned(std::string_view text);
    static std::uint64_t longReference(std::string_view held);
    static void freeBlock(std::uint64_t bits) noexcept;
    bool hasBlock() const { return (m_bits >> kLengthShift) >= kLongMark; }
    // The bits of a copy: a reference is copied as it is; a block gets a block of its own.
    std::uint64_t copyBits() const
    {
        if (!hasBlock())
            return m_bits;
        return isOwned() ? owned(view()) : longReference(view());
    }
    void release() noexcept
    {
        if (hasBlock())
            freeBlock(m_bits);
        m_bits = 0;
    }
    void replace(std::uint64_t bits) noexcept
    {
        release();
        m_bits = bits;
    }

    std::uint64_t m_bits = 0;
};

static_assert(sizeof(Text) == 8);

std::ostream &operator<<(std::ostream &out, const Text &text);
