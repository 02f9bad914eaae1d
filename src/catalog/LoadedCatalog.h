#pragma once

#include "model/RecordArrays.h"

#include <cstdint>

// Where a file ends part-way through a record, as a copy cut short does: the record, and the
// first of its lines the file lacks; they and the rest to line 45 read as empty, and a save
// writes them so. Record 0 when the file ends with a whole record.
struct MissingLines
{
    std::int32_t record = 0;
    int firstLine = 0;
};

// A catalog read into fresh section arrays, not yet the program's.
struct LoadedCatalog
{
    RecordArrays arrays;
    std::int32_t count = 0;
    // The file holds LFs and not a single CR: a file whose line ends were converted, which
    // reads as one long line and would be saved as one record.
    bool lfLineEndsOnly = false;
    // Some line ends in a CR with no LF after it; a save ends it with CR LF.
    bool loneCrLineEnds = false;
    MissingLines missingLines{};
    // The file reads as UTF-8 (see looksLikeUtf8): its letters are shown as the code page's,
    // garbled, though every byte is kept.
    bool utf8Text = false;
};
