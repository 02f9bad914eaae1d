#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include <sys/resource.h>

// The process's peak resident size so far.
inline long peakResidentKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // KiB on Linux
}

// How much a load of one catalog file raises the process's peak resident size.
struct LoadMemory
{
    long peakBeforeKiB = 0;  // ru_maxrss just before loadCatalog
    long peakAfterKiB = 0;   // ru_maxrss with the loaded catalog still held
    std::int32_t records = 0;
    std::string refusal;     // the load's error when it refused the file; the peaks still hold
    std::string error;       // empty when the measurement worked

    long growthKiB() const { return peakAfterKiB - peakBeforeKiB; }
};

// Loads `file` in a forked child, so that neither the parent's earlier peaks nor its later
// allocations blur the figure, and reports the child's peak before and after the load, or
// after the load refused the file.
LoadMemory measureLoadMemory(const std::filesystem::path &file);
