// A cell of the Layout table committed on the 7000-row serpentine model, as
// the user's Enter stores it, from the key's arrival to its end: the undo
// snapshot, the store and the making, and at the action's end the gate that
// settles the edit and the comparison of its bytes (the rules of the whole model, and
// Save's own check of every number the file would record, asked of its
// writer in memory). A user calls what stays within 100 ms instant. The
// walk of the writer alone is measured too. "Smoke" runs are the quick CI
// sizes.
#include <benchmark/benchmark.h>

#include <string>

#include "AnalysedProgram.h"
#include "editing/LayoutTable.h"
#include "files/ModelIntake.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

using bench_models::AnalysedProgram;

void CellCommitBench(benchmark::State& state) {
  AnalysedProgram program(static_cast<int>(state.range(0)), false);
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  ReloadLayoutTable(false);
  LayoutTable& table = TheLayoutTable();
  // A pipe in the middle of the line, its DX lengthened and given back.
  const int row = TheModel().rowCount / 2 + 1;
  const float dx = TheModel().row(row).dx;
  int round = 0;
  for (auto _ : state) {
    table.currentRow = row;
    table.currentColumn = 3;
    g_EditFieldText = std::to_string(static_cast<int>(dx) + (++round % 2));
    BeginActionEdits();
    table.StoreCell();
    if (!EndActionEdits(true).empty()) state.SkipWithError("the cell was refused");
  }
  if (TheModel().row(row).dx == 0.0f) state.SkipWithError("the cell was not stored");
  state.counters["rows"] = TheModel().rowCount;
  DeleteUndoRedoFiles();
}

void BM_CellCommitSmoke(benchmark::State& state) { CellCommitBench(state); }
void BM_CellCommit(benchmark::State& state) { CellCommitBench(state); }
BENCHMARK(BM_CellCommitSmoke)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CellCommit)->Arg(7000)->Unit(benchmark::kMillisecond);

void BM_ModelWriteFault(benchmark::State& state) {
  Model model;
  bench_models::BuildSerpentine(model, static_cast<int>(state.range(0)), "");
  for (auto _ : state) benchmark::DoNotOptimize(ModelWriteFault(model).size());
  state.counters["rows"] = model.rowCount;
}
BENCHMARK(BM_ModelWriteFault)->Arg(7000)->Unit(benchmark::kMillisecond);

}  // namespace
