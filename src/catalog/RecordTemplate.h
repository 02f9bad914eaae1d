#pragma once

#include "catalog/CatalogFiles.h"
#include "catalog/LineRules.h"
#include "model/RecordArrays.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

// Reaches one line member of record n, creating its section object if the slot is empty.
using MemberAccess = Text &(*)(RecordArrays &arrays, std::int64_t n);

// Whether the user changes a member through its control, or only sees it.
enum class MemberRole { Shown, Edited, Hidden };

// What an edited value holds: a number is written with a decimal period, so a comma typed in
// its box is the decimal separator the user meant.
enum class ValueKind { Text, Number };

// One member of the record's shape: the line that holds it, the rule that cuts that line, the
// member, the control that shows it (null when none does), its role and what its value holds.
struct RecordMember
{
    int line;
    LineRule rule;
    MemberAccess access;
    const char *control;
    MemberRole role;
    ValueKind kind = ValueKind::Text;
};

// One of the 45 lines of a record: either a whole line held by one member, or a line that
// `cut` splits into the members of `pieces`, which joined in order give the line again.
struct TemplateLine
{
    CutFunction cut = nullptr;
    std::span<const RecordMember> pieces;
};

// The record's shape, written once: the 61 members in the order of the lines. The loader, the
// writer, the copy, the display and the value boxes all read it.
std::span<const RecordMember> recordShape();

// The record's 45 lines, index 0 for line 1, each a run of recordShape().
const std::array<TemplateLine, kLinesPerRecord> &recordTemplate();
