// Throughput of loading and saving the catalog, beside the least that reading or writing the
// same bytes costs, and the memory a large catalog takes once loaded. Prints figures only:
// timing depends on the machine, so nothing here passes or fails.

#include "PeakMemory.h"
#include "RawFileBaselines.h"
#include "TempFolder.h"
#include "TypicalRecord.h"
#include "catalog/CatalogLoader.h"
#include "catalog/CatalogWriter.h"
#include "operations/RecordFind.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

constexpr std::int64_t kSizes[] = {1000, 10000, 100000};
constexpr std::int64_t kLargest = 100000;

// Targets the figures are read against.
constexpr double kLoadTarget = 3.0;      // load time / read-and-split time
constexpr double kSaveTarget = 1.5;      // save time / raw replace time
constexpr double kLoadSaveTarget = 1.0;  // seconds for loading and saving kLargest records
constexpr double kMemoryTarget = 1.8;    // peak growth of a load / file size

constexpr double kMiB = 1024.0 * 1024.0;

// The generated catalogs, each written once and kept for the whole run, so that writing them
// never falls inside a timed region.
class CatalogFiles
{
public:
    explicit CatalogFiles(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // Written a record at a time, so that the process's peak stays low until measured.
    const std::filesystem::path &file(std::int64_t records)
    {
        auto found = m_files.find(records);
        if (found != m_files.end())
            return found->second;
        const auto path = m_folder / ("catalog-" + std::to_string(records) + ".odl");
        if (!writeTypicalCatalog(path, records))
            throw std::runtime_error("cannot write " + path.string());
        return m_files.emplace(records, path).first->second;
    }

    std::uintmax_t size(std::int64_t records) { return std::filesystem::file_size(file(records)); }

    // The file's bytes, for the raw write baseline.
    const std::string &bytes(std::int64_t records)
    {
        auto found = m_bytes.find(records);
        if (found != m_bytes.end())
            return found->second;
        std::ifstream in(file(records), std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return m_bytes.emplace(records, std::move(bytes)).first->second;
    }

    // The catalog loaded once, for the save benchmark.
    LoadedCatalog &loaded(std::int64_t records)
    {
        auto found = m_loaded.find(records);
        if (found != m_loaded.end())
            return found->second;
        return m_loaded.emplace(records, loadCatalog(file(records))).first->second;
    }

    // Frees the held bytes and catalogs; they are made again if asked for.
    void release()
    {
        m_bytes.clear();
        m_loaded.clear();
    }

    std::filesystem::path output(const std::string &kind, std::int64_t records) const
    {
        return m_folder / (kind + "-" + std::to_string(records) + ".odl");
    }

private:
    std::filesystem::path m_folder;
    std::map<std::int64_t, std::filesystem::path> m_files;
    std::map<std::int64_t, std::string> m_bytes;
    std::map<std::int64_t, LoadedCatalog> m_loaded;
};

CatalogFiles *g_files = nullptr;

void setBytes(benchmark::State &state, std::int64_t records)
{
    const auto bytes = static_cast<std::int64_t>(g_files->size(records));
    state.SetBytesProcessed(state.iterations() * bytes);
}

void benchLoad(benchmark::State &state, std::int64_t records)
{
    const auto &file = g_files->file(records);
    std::optional<LoadedCatalog> loaded;
    std::int32_t count = 0;
    for (auto _ : state) {
        loaded.emplace(loadCatalog(file));
        count = loaded->count;
        // Freeing the records is not part of loading them.
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    if (count != records)
        state.SkipWithError("the catalog loaded with the wrong record count");
    setBytes(state, records);
}

void benchSave(benchmark::State &state, std::int64_t records)
{
    LoadedCatalog &catalog = g_files->loaded(records);
    const auto target = g_files->output("saved", records);
    for (auto _ : state)
        saveCatalog(target, catalog.arrays, catalog.count);
    if (std::filesystem::file_size(target) != g_files->size(records))
        state.SkipWithError("the saved catalog differs in size from the one loaded");
    setBytes(state, records);
}

void benchReadAndSplit(benchmark::State &state, std::int64_t records)
{
    const auto &file = g_files->file(records);
    SplitLines split;
    for (auto _ : state) {
        split = readAndSplitLines(file);
        benchmark::DoNotOptimize(split.touched);
    }
    if (split.lines != records * 45)
        state.SkipWithError("the file split into the wrong number of lines");
    setBytes(state, records);
}

void benchReadAndKeep(benchmark::State &state, std::int64_t records)
{
    const auto &file = g_files->file(records);
    std::vector<std::string> lines;
    for (auto _ : state) {
        lines.reserve(static_cast<std::size_t>(records) * 45);
        readAndSplitLines(file, &lines);
        // Freeing the lines is not part of reading them, as for the load.
        state.PauseTiming();
        if (lines.size() != static_cast<std::size_t>(records) * 45)
            state.SkipWithError("the file split into the wrong number of lines");
        lines = {};
        state.ResumeTiming();
    }
    setBytes(state, records);
}

void benchRawWrite(benchmark::State &state, std::int64_t records, bool sync)
{
    const std::string &bytes = g_files->bytes(records);
    const auto target = g_files->output(sync ? "raw-fsync" : "raw", records);
    for (auto _ : state) {
        // A new file each time, as the save writes a new temporary file.
        state.PauseTiming();
        std::filesystem::remove(target);
        state.ResumeTiming();
        writeRaw(target, bytes, sync);
    }
    setBytes(state, records);
}

// The save without the disk: the records turned into bytes.
void benchSerialise(benchmark::State &state, std::int64_t records)
{
    LoadedCatalog &catalog = g_files->loaded(records);
    std::size_t written = 0;
    for (auto _ : state) {
        written = 0;
        writeCatalog(catalog.arrays, catalog.count, [&written](std::string_view block) {
            benchmark::DoNotOptimize(block.data());
            written += block.size();
        });
    }
    if (written != g_files->size(records))
        state.SkipWithError("the catalog serialised to the wrong size");
    setBytes(state, records);
}

// The save's disk work alone: a temporary file, fsync, rename, fsync of the folder.
void benchRawReplace(benchmark::State &state, std::int64_t records)
{
    const std::string &bytes = g_files->bytes(records);
    const auto target = g_files->output("raw-replace", records);
    for (auto _ : state)
        replaceRaw(target, bytes);
    setBytes(state, records);
}

void benchLoadAndSave(benchmark::State &state, std::int64_t records)
{
    // As in the editor, one catalog in memory at a time: the other benchmarks' are let go.
    g_files->release();
    const auto &file = g_files->file(records);
    const auto target = g_files->output("load-save", records);
    std::optional<LoadedCatalog> loaded;
    for (auto _ : state) {
        loaded.emplace(loadCatalog(file));
        saveCatalog(target, loaded->arrays, loaded->count);
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    setBytes(state, records);
}

std::string nameOf(const char *kind, std::int64_t records)
{
    return std::string(kind) + "/" + std::to_string(records);
}

void registerBenchmarks()
{
    const auto add = [](const char *kind, std::int64_t records, auto body) {
        benchmark::RegisterBenchmark(nameOf(kind, records).c_str(),
                                     [records, body](benchmark::State &state) {
                                         body(state, records);
                                     })
            ->UseRealTime()  // fsync waits for the disk; CPU time would hide that
            ->Unit(benchmark::kMillisecond)
            // One pass of the largest size can take longer than the default minimum time, and
            // the first touch of that much fresh memory varies tenfold on a virtual machine:
            // every benchmark of that size, baselines alike, runs for long enough to average.
            ->MinTime(records >= kLargest ? 3.0 : 0.5);
    };
    for (const std::int64_t records : kSizes) {
        add("load", records, benchLoad);
        add("read_split", records, benchReadAndSplit);
        add("read_keep", records, benchReadAndKeep);
        add("save", records, benchSave);
        add("write_fsync", records, [](benchmark::State &s, std::int64_t n) {
            benchRawWrite(s, n, true);
        });
        add("write_nosync", records, [](benchmark::State &s, std::int64_t n) {
            benchRawWrite(s, n, false);
        });
        add("serialise", records, benchSerialise);
        add("write_replace", records, benchRawReplace);
    }
    add("load_save", kLargest, benchLoadAndSave);
}

// Find over the largest catalog, for a text no record holds: every record is searched, the
// longest a find can take. It must stay instant, well under the 0.1 s a person notices.
void benchFindNoMatch(benchmark::State &state)
{
    LoadedCatalog &catalog = g_files->loaded(kLargest);
    const RecordFind find("orah");
    std::optional<RecordFind::Found> found;
    for (auto _ : state) {
        found = find.next(catalog.arrays, catalog.count, 1);
        benchmark::DoNotOptimize(found);
    }
    if (found)
        state.SkipWithError("a record held the text no record should hold");
    state.SetItemsProcessed(state.iterations() * catalog.count);
}

void registerFindBenchmark()
{
    benchmark::RegisterBenchmark(nameOf("find_no_match", kLargest).c_str(), benchFindNoMatch)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

// Prints as usual and keeps each benchmark's throughput for the summary: the mean over the
// repetitions when the library computed one, else the average of the runs it reported.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        benchmark::ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !mean))
                continue;
            const auto rate = run.counters.find("bytes_per_second");
            if (rate == run.counters.end())
                continue;
            // Named as registered, without the "/real_time" the library appends.
            std::string name = run.run_name.function_name;
            Rates &rates = m_rates[name];
            if (mean) {
                rates.mean = rate->second.value;
            } else {
                rates.sum += rate->second.value;
                ++rates.runs;
            }
        }
    }

    // Bytes of catalog per second, or nothing when the benchmark did not run.
    std::optional<double> bytesPerSecond(const std::string &name) const
    {
        const auto found = m_rates.find(name);
        if (found == m_rates.end())
            return std::nullopt;
        const Rates &rates = found->second;
        if (rates.mean)
            return rates.mean;
        if (rates.runs == 0)
            return std::nullopt;
        return rates.sum / rates.runs;
    }

private:
    struct Rates
    {
        std::optional<double> mean;
        double sum = 0;
        int runs = 0;
    };
    std::map<std::string, Rates> m_rates;
};

std::string rate(const std::optional<double> &bytesPerSecond)
{
    char text[32];
    if (!bytesPerSecond)
        return "-";
    std::snprintf(text, sizeof text, "%.0f", *bytesPerSecond / kMiB);
    return text;
}

// How many times longer the slow one took than the fast one over the same bytes, with the
// verdict on the target beside it (none for a target of 0: the figure is for context).
std::string ratio(const std::optional<double> &slowRate, const std::optional<double> &fastRate,
                  double target)
{
    char text[48];
    if (!slowRate || !fastRate || *slowRate <= 0)
        return "-";
    const double times = *fastRate / *slowRate;
    if (target <= 0)
        std::snprintf(text, sizeof text, "%.2fx", times);
    else
        std::snprintf(text, sizeof text, "%.2fx %s", times, times <= target ? "ok" : "MISSED");
    return text;
}

// A file of 3 GiB that holds no byte on disk: all zeros, no line end, so it can only be refused.
std::filesystem::path writeSparseFile(const std::filesystem::path &folder)
{
    const auto file = folder / "sparse-3GiB.odl";
    std::ofstream{file};
    std::filesystem::resize_file(file, std::uintmax_t(3) << 30);
    return file;
}

// What loading the sparse file took at its peak, against its size: refused by the memory check
// where the system has less than twice its size available, else after reading it.
void printSparsePeak(const LoadMemory &sparse)
{
    constexpr double kSparseMiB = 3 * 1024.0;
    if (!sparse.error.empty() || sparse.refusal.empty()) {
        std::printf("\nPeak memory of a 3 GiB sparse file: not measured (%s)\n",
                    sparse.error.empty() ? "the file loaded" : sparse.error.c_str());
        return;
    }
    const double growthMiB = static_cast<double>(sparse.growthKiB()) / 1024.0;
    std::printf("\nPeak memory of a 3 GiB sparse file of zeros: %.1f MiB -> %.1f MiB, growth "
                "%.1f MiB = %.2fx the file; refused: %s\n",
                static_cast<double>(sparse.peakBeforeKiB) / 1024.0,
                static_cast<double>(sparse.peakAfterKiB) / 1024.0, growthMiB,
                growthMiB / kSparseMiB, sparse.refusal.c_str());
    std::printf("figures: peak with a 3 GB sparse file refused %.2fx file\n",
                growthMiB / kSparseMiB);
}

void printSummary(const SummaryReporter &reporter, CatalogFiles &files, const LoadMemory &memory)
{
    std::printf("\nCatalog throughput, MiB/s of catalog file (real time)\n");
    std::printf("%8s %9s %7s %11s %7s %12s %13s %15s %15s\n", "records", "file MiB", "load",
                "read+split", "save", "write+fsync", "write, no sync", "load/read+split",
                "save/write+fsync");
    for (const std::int64_t records : kSizes) {
        const auto load = reporter.bytesPerSecond(nameOf("load", records));
        const auto split = reporter.bytesPerSecond(nameOf("read_split", records));
        const auto save = reporter.bytesPerSecond(nameOf("save", records));
        const auto write = reporter.bytesPerSecond(nameOf("write_fsync", records));
        const auto writeNoSync = reporter.bytesPerSecond(nameOf("write_nosync", records));
        std::printf("%8lld %9.1f %7s %11s %7s %12s %13s %15s %15s\n",
                    static_cast<long long>(records),
                    static_cast<double>(files.size(records)) / kMiB, rate(load).c_str(),
                    rate(split).c_str(), rate(save).c_str(), rate(write).c_str(),
                    rate(writeNoSync).c_str(), ratio(load, split, kLoadTarget).c_str(),
                    ratio(save, write, 0).c_str());
    }
    std::printf("Targets: load <= %.0fx read+split, save <= %.1fx the raw replace (below).\n",
                kLoadTarget, kSaveTarget);

    // For context: what holding every line as a string of its own would cost.
    std::printf("\nRead+split keeping each line as a std::string, MiB/s, and load against it\n");
    for (const std::int64_t records : kSizes) {
        const auto keep = reporter.bytesPerSecond(nameOf("read_keep", records));
        const auto load = reporter.bytesPerSecond(nameOf("load", records));
        std::string times = "-";
        if (keep && load && *load > 0) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2fx", *keep / *load);
            times = text;
        }
        std::printf("%8lld %7s %8s\n", static_cast<long long>(records), rate(keep).c_str(),
                    times.c_str());
    }

    // The save is the records turned into bytes plus the disk work of a safe replace.
    std::printf("\nThe save in parts, ms per save (replace: write+fsync of a temporary file, "
                "rename, folder fsync)\n");
    std::printf("%8s %10s %12s %8s %8s %15s\n", "records", "serialise", "write+fsync", "replace",
                "save", "save/replace");
    for (const std::int64_t records : kSizes) {
        const auto size = static_cast<double>(files.size(records));
        const auto ms = [&](const char *kind) {
            const auto bytesPerSecond = reporter.bytesPerSecond(nameOf(kind, records));
            char text[32] = "-";
            if (bytesPerSecond && *bytesPerSecond > 0)
                std::snprintf(text, sizeof text, "%.2f", size / *bytesPerSecond * 1000.0);
            return std::string(text);
        };
        std::printf("%8lld %10s %12s %8s %8s %15s\n", static_cast<long long>(records),
                    ms("serialise").c_str(), ms("write_fsync").c_str(),
                    ms("write_replace").c_str(), ms("save").c_str(),
                    ratio(reporter.bytesPerSecond(nameOf("save", records)),
                          reporter.bytesPerSecond(nameOf("write_replace", records)), kSaveTarget)
                        .c_str());
    }

    const auto both = reporter.bytesPerSecond(nameOf("load_save", kLargest));
    if (both && *both > 0) {
        const double seconds = static_cast<double>(files.size(kLargest)) / *both;
        std::printf("\nLoad + save of %lld records: %.3f s (target < %.0f s: %s)\n",
                    static_cast<long long>(kLargest), seconds, kLoadSaveTarget,
                    seconds < kLoadSaveTarget ? "ok" : "MISSED");
    }

    // The worst of each figure over the sizes, for make bench's summary.
    double worstLoad = 0;
    double worstSave = 0;
    for (const std::int64_t records : kSizes) {
        const auto load = reporter.bytesPerSecond(nameOf("load", records));
        const auto split = reporter.bytesPerSecond(nameOf("read_split", records));
        const auto save = reporter.bytesPerSecond(nameOf("save", records));
        const auto replace = reporter.bytesPerSecond(nameOf("write_replace", records));
        if (load && split && *load > 0)
            worstLoad = std::max(worstLoad, *split / *load);
        if (save && replace && *save > 0)
            worstSave = std::max(worstSave, *replace / *save);
    }
    double memoryRatio = 0;
    if (memory.error.empty() && memory.refusal.empty())
        memoryRatio = static_cast<double>(memory.growthKiB()) * 1024.0
                      / static_cast<double>(files.size(kLargest));
    std::printf("\nfigures: load %.1fx read+split, save %.1fx replace, memory %.1fx file\n",
                worstLoad, worstSave, memoryRatio);

    if (!memory.error.empty() || !memory.refusal.empty()) {
        std::printf("Peak memory of a load: not measured (%s)\n",
                    (memory.error + memory.refusal).c_str());
    } else {
        const double fileMiB = static_cast<double>(files.size(kLargest)) / kMiB;
        const double growthMiB = static_cast<double>(memory.growthKiB()) / 1024.0;
        std::printf("Peak memory of loading %d records: %.1f MiB -> %.1f MiB, growth %.1f MiB "
                    "= %.2fx the file's %.1f MiB (target < %.1fx: %s)\n",
                    memory.records, static_cast<double>(memory.peakBeforeKiB) / 1024.0,
                    static_cast<double>(memory.peakAfterKiB) / 1024.0, growthMiB,
                    growthMiB / fileMiB, fileMiB, kMemoryTarget,
                    growthMiB / fileMiB < kMemoryTarget ? "ok" : "MISSED");
    }
}

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const TempFolder folder;
    CatalogFiles files(folder.path());
    g_files = &files;
    std::printf("Catalog files in %s\n", folder.path().c_str());

    // First, while this process is still small: the child inherits its peak.
    const LoadMemory memory = measureLoadMemory(files.file(kLargest));
    const LoadMemory sparse = measureLoadMemory(writeSparseFile(folder.path()));
    std::filesystem::remove(folder.path() / "sparse-3GiB.odl");

    registerBenchmarks();
    registerFindBenchmark();
    SummaryReporter reporter(::isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                     : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter, files, memory);
    printSparsePeak(sparse);
    g_files = nullptr;
    return 0;
}
