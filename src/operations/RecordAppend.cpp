#include "operations/RecordAppend.h"

#include "operations/RecordCopy.h"

#include <array>
#include <limits>
#include <string>

namespace {

Message countFullMessage()
{
    return Message{QT_TRANSLATE_NOOP("CatalogError",
                                     "the catalog already holds %1 records, the most it can hold"),
                   {std::to_string(std::numeric_limits<std::int32_t>::max())}};
}

}  // namespace

RecordCountFull::RecordCountFull()
    : std::overflow_error(countFullMessage().english()), CarriesMessage(countFullMessage())
{
}

std::int32_t appendCopyOfLastRecord(RecordArrays &arrays, std::int32_t &count)
{
    const std::int32_t last = count;
    if (last == std::numeric_limits<std::int32_t>::max())
        throw RecordCountFull();

    // What must be put back on failure: the bound, and which of the last record's slots were
    // still empty (the copy creates their objects).
    const std::int32_t oldBound = arrays.upperBound();
    std::array<bool, RecordArrays::kArrayCount> sourceWasEmpty{};
    std::size_t i = 0;
    arrays.forEach([&](auto &array) { sourceWasEmpty[i++] = !array.holdsObject(last); });

    try {
        arrays.redimAll(last + 1);
        copyRecord(arrays, last + 1, last);
    } catch (...) {
        // Shrinking and dropping release memory only, so they cannot fail in turn.
        arrays.redimAll(oldBound);
        i = 0;
        arrays.forEach([&](auto &array) {
            if (sourceWasEmpty[i++])
                array.drop(last);
        });
        throw;
    }
    count = last + 1;
    return count;
}
