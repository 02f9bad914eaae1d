// How the window feels on a big catalog: start-up to the first record shown, one keystroke in
// the record-number box (a navigation and a full display), and one append. Runs on Qt's
// offscreen platform; prints figures and asserts nothing.

#include "PeakMemory.h"
#include "ProgramState.h"
#include "TempFolder.h"
#include "TypicalRecord.h"
#include "store/basMain.h"
#include "ui/TextBox.h"
#include "ui/frmVelmora.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>
#include <memory>
#include <optional>

namespace {

constexpr std::int64_t kRecords = 100000;

// One catalog of kRecords typical records, the current folder while the benchmarks run.
TempFolder &catalogFolder()
{
    static TempFolder folder;
    static const bool written = (folder.write("Trake.odl", typicalCatalog(kRecords)), true);
    (void)written;
    return folder;
}

std::unique_ptr<frmVelmora> openWindow()
{
    resetProgramState();
    auto window = std::make_unique<frmVelmora>();
    window->Form_Load();
    return window;
}

void BM_StartUpToFirstRecord(benchmark::State &state)
{
    catalogFolder();
    for (auto _ : state) {
        auto window = openWindow();
        // Dropping the window and the catalog is not part of starting; a real start finds
        // no catalog in memory.
        state.PauseTiming();
        window.reset();
        resetProgramState();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(kRecords);
}
BENCHMARK(BM_StartUpToFirstRecord)->Unit(benchmark::kMillisecond)->Iterations(3);

// A keystroke that changes the record number: the change event converts the text, clamps it
// and shows the record (every label and value box).
void BM_KeystrokeInRecordNumberBox(benchmark::State &state)
{
    catalogFolder();
    auto window = openWindow();
    TextBox *box = window->findChild<TextBox *>(QStringLiteral("txtBrojSloga"));
    std::int64_t next = 1;
    for (auto _ : state) {
        next = (next * 7919) % kRecords + 1;  // far apart, so no display finds its texts set
        box->setText(QString::number(next));
    }
    benchmark::DoNotOptimize(gBrojSloga);
}
BENCHMARK(BM_KeystrokeInRecordNumberBox)->Unit(benchmark::kMicrosecond);

void BM_AppendRecord(benchmark::State &state)
{
    catalogFolder();
    auto window = openWindow();
    auto *append = window->findChild<QPushButton *>(QStringLiteral("cmdDodavanjeNovogSloga"));
    for (auto _ : state)
        append->click();
    state.counters["records after"] = static_cast<double>(gSlog->UkBrSlogova);
}
BENCHMARK(BM_AppendRecord)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// Writes three typical records, the first with a description of `hugeBytes` letters, a block
// at a time so that writing it does not raise the process's peak.
void writeCatalogWithHugeValue(const std::filesystem::path &file, std::size_t hugeBytes)
{
    const std::string catalog = typicalCatalog(3);
    const std::string marker = "tOpis = ";
    const std::size_t at = catalog.find(marker) + marker.size();
    std::ofstream out(file, std::ios::binary);
    out << catalog.substr(0, at);
    const std::string block(1 << 20, 'x');
    for (std::size_t left = hugeBytes; left > 0; left -= std::min(left, block.size()))
        out.write(block.data(), static_cast<std::streamsize>(std::min(left, block.size())));
    out << catalog.substr(at);
}

// The peak memory of opening the window on a catalog whose first record has a 50 MB value:
// first, while the process is small, since the peak only grows. Returns it against the file.
double measureHugeValueShown()
{
    constexpr std::size_t kHuge = 50'000'000;
    const TempFolder folder;  // the current folder until it goes
    writeCatalogWithHugeValue(folder.path() / "Trake.odl", kHuge);
    const double fileMiB =
        static_cast<double>(std::filesystem::file_size(folder.path() / "Trake.odl")) / 1048576.0;
    const long before = peakResidentKiB();
    {
        auto window = openWindow();
        window->show();
        QApplication::processEvents();
    }
    resetProgramState();
    const double growthMiB = static_cast<double>(peakResidentKiB() - before) / 1024.0;
    std::printf("Peak memory of the window showing a record with a 50 MB value: %.1f MiB -> "
                "%.1f MiB, growth %.1f MiB = %.2fx the file's %.1f MiB\n",
                static_cast<double>(before) / 1024.0,
                static_cast<double>(before) / 1024.0 + growthMiB, growthMiB,
                growthMiB / fileMiB, fileMiB);
    return growthMiB / fileMiB;
}

// Prints as usual and keeps each benchmark's real time per iteration, in seconds.
class FigureReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        benchmark::ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                seconds[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const double hugeValuePeak = measureHugeValueShown();
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nfigures: start-up %.2f s, keystroke %.2f ms\n",
                reporter.seconds["BM_StartUpToFirstRecord"],
                reporter.seconds["BM_KeystrokeInRecordNumberBox"] * 1000.0);
    std::printf("figures: peak with a 50 MB value shown %.2fx file\n", hugeValuePeak);
    return 0;
}
