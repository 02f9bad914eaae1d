#pragma once

#include "RecordArrays.h"

#include <cstdint>

// A catalog read into fresh section arrays, not yet the program's.
struct LoadedCatalog
{
    RecordArrays arrays;
    std::int32_t count = 0;
};
