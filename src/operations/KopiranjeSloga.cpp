#include "RecordTemplate.h"
#include "basMain.h"

// Member by member in the order of the record's lines; the target's object is reached before
// the source's at every step, so an out-of-range target fails before anything changes.
void clsSlog::KopiranjeSloga(std::int32_t redbrslogagdesekopira,
                             std::int32_t redbrslogazakopiranje)
{
    for (const MemberAccess member : recordMembers()) {
        std::string &target = member(gRecords, redbrslogagdesekopira);
        target = member(gRecords, redbrslogazakopiranje);
    }
}
