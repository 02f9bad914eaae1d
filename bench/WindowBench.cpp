// How the window feels on a big catalog: start-up to the first record shown, one keystroke in
// the record-number box (a navigation and a full display), and one append. Runs on Qt's
// offscreen platform; prints figures and asserts nothing.

#include "ProgramState.h"
#include "TempFolder.h"
#include "TextBox.h"
#include "TypicalRecord.h"
#include "basMain.h"
#include "frmVelmora.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cstdint>
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
        state.PauseTiming();
        window.reset();
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

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
