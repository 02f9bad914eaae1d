#include "RecordAppend.h"

#include "basMain.h"

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

std::int32_t appendCopyOfLastRecord()
{
    const std::int32_t last = gSlog->UkBrSlogova;
    if (last == std::numeric_limits<std::int32_t>::max())
        throw RecordCountFull();
    gSlog->UkBrSlogova = last + 1;
    gRecords.redimAll(gSlog->UkBrSlogova);
    gSlog->KopiranjeSloga(last + 1, last);
    return last + 1;
}
