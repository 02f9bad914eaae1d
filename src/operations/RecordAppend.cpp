#include "RecordAppend.h"

#include "basMain.h"

#include <limits>
#include <string>

RecordCountFull::RecordCountFull()
    : std::overflow_error("the catalog already holds "
                          + std::to_string(std::numeric_limits<std::int32_t>::max())
                          + " records, the most it can hold")
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
