#pragma once

#include "LineRules.h"
#include "RecordArrays.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

// Reaches one line member of record n, creating its section object if the slot is empty.
using MemberAccess = std::string &(*)(RecordArrays &arrays, std::int64_t n);

// One of the 45 lines of a record: either a whole line held by one member, or a line that
// `cut` splits into the members of `pieces`, which joined in order give the line again.
struct TemplateLine
{
    CutFunction cut = nullptr;
    std::span<const MemberAccess> pieces;
};

// The record's 45 lines, index 0 for line 1.
const std::array<TemplateLine, 45> &recordTemplate();

// The 61 members that hold a record's lines, in the order of the lines.
std::span<const MemberAccess> recordMembers();
