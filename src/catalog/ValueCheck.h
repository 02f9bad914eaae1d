#pragma once

#include "catalog/RecordTemplate.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Whether a value typed into a record comes back from the file as it was typed. The line the
// value lies in is joined with it, as the writer would write it, and cut again by the line's own
// rule, as the loader would read it. A value holding a character that ends it in the file (a
// "," after the length, a ";" in the name) would come back cut short, move text into the fixed
// pieces around it, or leave a line that no longer loads.
struct ValueCheck
{
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);

    bool kept = true;
    // Where in the value the first character stands that the file would not give back, when
    // it can be told; kUnknown otherwise.
    std::size_t culprit = kUnknown;
};

// Checks `value` in place of `member` (one of recordShape()) of record n, the other members of
// its line as they are.
// A line that comes back in the same pieces as it stands must come back so with the new value
// too, and one whose pieces are the rule's own steps' (as other programs read the file) must
// stay so: "=" in a description, or "Sirina =" in a length, would move where they cut it. A
// line as loaded that does not come back (an irregular line the rule still accepts) need only
// give the value itself back whole. A whole line, held as it is, keeps any value.
ValueCheck checkValue(RecordArrays &arrays, std::int64_t n, const RecordMember &member,
                      std::string_view value);
