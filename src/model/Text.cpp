#include "model/Text.h"

#include <cstdlib>
#include <new>
#include <ostream>

std::uint64_t Text::owned(std::string_view text)
{
    if (text.empty())
        return 0;
    const std::size_t size = text.size();
    auto *block = static_cast<char *>(::operator new(sizeof size + size));
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, text.data(), size);
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    if ((address & ~kAddressMask) != 0) {
        // Not on any system the editor runs on, which give user space 47 bits at most.
        ::operator delete(block);
        throw std::bad_alloc();
    }
    return address | (kOwnedMark << kLengthShift);
}

void Text::freeOwned(std::uint64_t bits) noexcept
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
