#pragma once

#include "model/RecordArrays.h"

#include <cstdint>

// A catalog read into fresh section arrays, not yet the program's.
struct LoadedCatalog
{
    RecordArrays arrays;
    std::int32_t count = 0;
    // The file holds LFs and not a single CR: a file whose line ends were converted, which
    // reads as one long line and would be saved as one record.
    bool lfLineEndsOnly = false;
    // The file reads as UTF-8 (see looksLikeUtf8): its letters are shown as the code page's,
    // garbled, though every byte is kept.
    bool utf8Text = false;
};
