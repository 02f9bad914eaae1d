#include "model/Text.h"

#include <cstdlib>
#include <new>
#include <ostream>

namespace {

// A block of `size` bytes whose address fits in `mask`.
char *newBlock(std::size_t size, std::uint64_t mask)
{
    auto *block = static_cast<char *>(::operator new(size));
    if ((reinterpret_cast<std::uintptr_t>(block) & ~mask) != 0) {
        // Not on any system the editor runs on, which give user space 47 bits at most.
        ::operator delete(block);
        throw std::bad_alloc();
    }
    return block;
}

}  // namespace

std::uint64_t Text::owned(std::string_view text)
{
    if (text.empty())
        return 0;
    const std::size_t size = text.size();
    char *block = newBlock(sizeof size + size, kAddressMask);
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, text.data(), size);
    return reinterpret_cast<std::uintptr_t>(block) | (kOwnedMark << kLengthShift);
}

std::uint64_t Text::longReference(std::string_view held)
{
    const std::size_t size = held.size();
    const char *referred = held.data();
    char *block = newBlock(sizeof size + sizeof referred, kAddressMask);
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, &referred, sizeof referred);
    return reinterpret_cast<std::uintptr_t>(block) | (kLongMark << kLengthShift);
}

void Text::freeBlock(std::uint64_t bits) noexcept
{
    ::operator delete(reinterpret_cast<char *>(bits & kAddressMask));
}

Text &Text::operator+=(std::string_view more)
{
    std::string joined(view());
    joined += more;
    return *this = std::string_view(joined);
}

std::ostream &operator<<(std::ostream &out, const Text &text)
{
    return out << text.view();
}
