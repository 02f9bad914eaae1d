#pragma once

#include "catalog/CatalogProgress.h"
#include "catalog/LoadedCatalog.h"

#include <filesystem>
#include <future>
#include <mutex>
#include <optional>

// A load of a catalog begun on a thread of its own, so that the program's start opens its
// window while the file is read. Where no thread can be had, the load runs when it is taken.
class StartedLoad
{
public:
    explicit StartedLoad(std::filesystem::path file);
    StartedLoad(const StartedLoad &) = delete;
    StartedLoad &operator=(const StartedLoad &) = delete;

    // Waits for the load and gives its records, or throws what loadCatalog threw. How far it
    // has come goes to `progress`, from now on and once at once where it has reported. Called
    // once the caller's own start-up work is done: only then does the load take a second
    // thread to find memory. Taken once.
    LoadedCatalog take(const ProgressReport &progress);

private:
    void report(const CatalogProgress &progress);

    std::filesystem::path m_file;
    std::promise<void> m_callerDone;
    std::mutex m_lock;  // guards the two below, which the loading thread reads
    std::optional<CatalogProgress> m_latest;
    ProgressReport m_progress;
    // Last, so that it goes first: a load still running is waited for before what it uses.
    std::future<LoadedCatalog> m_loaded;
};
