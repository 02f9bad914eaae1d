#include "catalog/SizeText.h"

#include <string>

Message sizeText(std::uint64_t bytes, bool roundUp)
{
    constexpr std::uint64_t kTenthOfMegabyte = 100'000;
    if (bytes < 10 * kTenthOfMegabyte)
        return Message{QT_TRANSLATE_NOOP("CatalogError", "%1 bytes"), {std::to_string(bytes)}};
    const std::uint64_t tenths = (bytes + (roundUp ? kTenthOfMegabyte - 1 : 0)) / kTenthOfMegabyte;
    return Message{QT_TRANSLATE_NOOP("CatalogError", "%1.%2 MB"),
                   {std::to_string(tenths / 10), std::to_string(tenths % 10)}};
}

