#pragma once

#include <cstdint>
#include <functional>

// How far a load or save of a large catalog has come, for the window to show. Reported every
// few thousand records, and not at all when no report is asked for.
struct CatalogProgress
{
    std::int64_t records = 0;  // read or written so far
    std::int64_t total = 0;    // all the records of a save; 0 for a load, which cannot know
    double fraction = 0;       // of the whole work, 0 to 1
};

// Records between two progress reports: a few milliseconds of work.
inline constexpr std::int32_t kRecordsPerReport = 4096;

using ProgressReport = std::function<void(const CatalogProgress &)>;
