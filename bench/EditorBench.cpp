// The editor's whole-document operations on a full document: what a user waits for
// after choosing a model, Open, Save or Print To File.
#include "BenchDocument.h"
#include "document/RowOperations.h"
#include "document/CellChecks.h"
#include "files/ChannelFile.h"
#include "files/Report.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace vn574;

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("vn574-bench-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

// The reset a model change runs on the whole grid and table.
void BM_ModelChange(benchmark::State& state) {
    bench::BenchDocument full;
    int model = 2;
    for (auto _ : state) {
        model = model == 2 ? 3 : 2;
        full.editor.document().bModify = false;
        full.editor.selectModel(model);
    }
}
BENCHMARK(BM_ModelChange)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

// Undo and redo of a model change: both put a whole recorded document back.
void BM_UndoRedoModelChange(benchmark::State& state) {
    bench::BenchDocument full;
    full.editor.restartHistory();
    full.editor.document().bModify = false;
    full.editor.selectModel(3);
    full.editor.recordStep("model change", true);
    for (auto _ : state) {
        if (!full.editor.undo() || !full.editor.redo()) {
            state.SkipWithError("nothing to undo");
            break;
        }
    }
}
BENCHMARK(BM_UndoRedoModelChange)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", bench::fastest);

void BM_SaveFullFile(benchmark::State& state) {
    bench::BenchDocument full;
    const std::string path = scratchFile("save.vd");
    for (auto _ : state) {
        if (!files::saveChannelFile(full.editor, path).saved) {
            state.SkipWithError("save failed");
            break;
        }
    }
    std::filesystem::remove(path);
    std::filesystem::remove(files::signallingPathFor(path));
}
BENCHMARK(BM_SaveFullFile)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

void BM_OpenFullFile(benchmark::State& state) {
    bench::BenchDocument full;
    const std::string path = scratchFile("open.vd");
    files::saveChannelFile(full.editor, path);
    bench::BenchDocument reader;
    for (auto _ : state) {
        if (!files::openChannelFile(reader.editor, path).ok()) {
            state.SkipWithError("open failed");
            break;
        }
    }
    std::filesystem::remove(path);
    std::filesystem::remove(files::signallingPathFor(path));
}
BENCHMARK(BM_OpenFullFile)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

void BM_TextExport(benchmark::State& state) {
    bench::BenchDocument full;
    const std::string path = scratchFile("report.txt");
    for (auto _ : state) {
        if (!files::exportReport(full.editor, path)) {
            state.SkipWithError("export failed");
            break;
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_TextExport)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

// Sorting the full plan and inserting a channel into it, each with its undo step as the
// Channels menu runs them.
void BM_SortFullPlan(benchmark::State& state) {
    bench::BenchDocument full;
    full.editor.restartHistory();
    document::FieldEditors fields(full.editor);
    document::RowOperations rows(full.editor, fields);
    bool descending = false;
    for (auto _ : state) {
        descending = !descending; // every run reverses the whole plan
        if (!rows.sortChannels({document::colName, descending, true})) {
            state.SkipWithError("sort refused");
            break;
        }
    }
}
BENCHMARK(BM_SortFullPlan)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

void BM_InsertChannel(benchmark::State& state) {
    bench::BenchDocument full;
    full.editor.ToggleChannelStatus(document::lastChannelRow); // room for one more
    full.editor.restartHistory();
    document::FieldEditors fields(full.editor);
    document::RowOperations rows(full.editor, fields);
    for (auto _ : state) {
        if (!rows.insertChannel(1)) {
            state.SkipWithError("insert refused");
            break;
        }
        state.PauseTiming();
        rows.deleteChannels({1});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertChannel)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", bench::fastest);
// The live checks run after every change the user makes: a full document in which every
// other channel has a cell to flag, so the list of issues is long as well.
void BM_LiveChecks(benchmark::State& state) {
    bench::BenchDocument full;
    for (int row = 1; row <= 100; row += 2) {
        full.editor.setCell(row, document::colRxTone, "C:88.4");
    }
    document::CellChecks checks;
    for (auto _ : state) {
        checks.run(full.editor);
        benchmark::DoNotOptimize(checks.issues().data());
    }
    if (checks.issues().size() != 50) {
        state.SkipWithError("the checks flagged another number of cells");
    }
}
BENCHMARK(BM_LiveChecks)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

} // namespace
