#include "operations/RecordCopy.h"

#include "catalog/RecordTemplate.h"

void copyRecord(RecordArrays &arrays, std::int32_t to, std::int32_t from)
{
    for (const RecordMember &member : recordShape()) {
        auto &target = member.access(arrays, to);
        target = member.access(arrays, from);
    }
}
