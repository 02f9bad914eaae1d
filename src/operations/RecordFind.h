#pragma once

#include "catalog/RecordTemplate.h"
#include "model/RecordArrays.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finds a strip by a piece of its name, description, unit or price (the members the record's
// shape marks searched) as a person remembers it: case and the marks on letters are ignored, so
// "sljiva" finds "šljiva" and "CELIJA" finds "ćelija". Works on the stored Windows-1250 bytes;
// finding creates no section object and changes nothing.
class RecordFind
{
public:
    // A record the search arrived at; `wrapped` when it went past the last record to get there.
    struct Found
    {
        std::int32_t record = 0;
        bool wrapped = false;
    };

    // `text` in Windows-1250 bytes.
    explicit RecordFind(std::string_view text);

    // The first record from `from` to `count`, then from 1 on, that holds the text; nothing
    // when none does or the text is empty. A `from` past the last record starts at record 1,
    // wrapped; one below 1 at record 1.
    std::optional<Found> next(RecordArrays &arrays, std::int32_t count, std::int64_t from) const;

    bool matches(RecordArrays &arrays, std::int32_t record) const;

    // One byte as matching sees it: ASCII and accented letters lower case and without their
    // marks (đ and Đ become d); every other byte as it is.
    static unsigned char fold(unsigned char byte) { return kFold[byte]; }

private:
    static const std::array<unsigned char, 256> kFold;

    bool contains(std::string_view value) const;

    std::string m_folded;
    std::vector<MemberAccess> m_searched;
};
