// The layout tools over every row of a 7000-row model, each with its undo
// snapshot and the regeneration it ends in: Change (a DX on every pipe),
// Rotate (a quarter turn), Renumber (every node), Find and Replace (every
// section name); Check Connections over 1000 run ends; Refine Nodal Mesh
// of a 1000-row model to about 7000 rows. "Smoke" runs are the quick CI
// sizes.
#include <benchmark/benchmark.h>

#include <string>

#include "SerpentineModel.h"
#include "editing/ChangeRows.h"
#include "editing/ConnectivityCheck.h"
#include "editing/FindReplaceRows.h"
#include "editing/RefineRows.h"
#include "editing/RenumberNodes.h"
#include "editing/RotateRows.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/UndoFiles.h"
#include "services/TempFiles.h"

namespace {

using bench_models::BuildSerpentine;

// One edit between an undo snapshot and its discard, as the Layout command
// runs it.
template <typename Edit>
void WithSnapshot(Edit edit) {
  const SnapshotToken token = TakeUndoSnapshot();
  edit();
  PopTempFile(token);
}

void ToolBench(benchmark::State& state, int tool) {
  Model& model = TheModel();
  BuildSerpentine(model, static_cast<int>(state.range(0)), TempFolder() + "/bench-tools.mod");
  const int rows = model.rowCount;
  int round = 0;
  for (auto _ : state) {
    ++round;
    WithSnapshot([&] {
      switch (tool) {
        case 0: {
          ChangeRowsValues values;
          values.from = 2;
          values.to = rows;
          values.setOffset[2] = true;
          values.offset[2] = round % 2 ? 1.0f : 2.0f;
          ChangeRows(model, values);
          break;
        }
        case 1:
          RotateRows(model, 1, rows, 90.0, 1);
          RefreshAfterModelEdit(model);
          break;
        case 2: RenumberRows(model, 1, rows, round % 2 ? 10 : 20, 10); break;
        default: {
          ReplaceRequest request;
          request.from = 2;
          request.to = rows;
          request.mode = ReplaceMode::Section;
          request.findName = round % 2 ? "S4" : "S5";
          request.replaceName = round % 2 ? "S5" : "S4";
          ApplyReplaceRequest(model, request, nullptr);
          RefreshAfterModelEdit(model);
          break;
        }
      }
    });
  }
  state.counters["rows"] = rows;
  InitEmptyModel(model, AnalysisOptions());
}

void BM_LayoutToolsSmokeChange(benchmark::State& state) { ToolBench(state, 0); }
void BM_LayoutToolsChange(benchmark::State& state) { ToolBench(state, 0); }
void BM_LayoutToolsRotate(benchmark::State& state) { ToolBench(state, 1); }
void BM_LayoutToolsRenumber(benchmark::State& state) { ToolBench(state, 2); }
void BM_LayoutToolsFindReplace(benchmark::State& state) { ToolBench(state, 3); }
BENCHMARK(BM_LayoutToolsSmokeChange)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutToolsChange)->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutToolsRotate)->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutToolsRenumber)->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutToolsFindReplace)->Arg(7000)->Unit(benchmark::kMillisecond);

// `runs` separate runs of a From row and six pipes each.
void BuildRuns(Model& model, int runs) {
  InitEmptyModel(model, AnalysisOptions());
  NodeId node = 10;
  for (int run = 0; run < runs; ++run) {
    const int first = ++model.rowCount;
    LayoutRow& from = model.row(first);
    from.node = node;
    from.elementType = ElementType::From;
    from.element = CreateElementData(ElementType::From);
    from.dz = static_cast<float>(run) * 100.0f;
    for (int k = 1; k <= 6; ++k) {
      LayoutRow& pipe = model.row(++model.rowCount);
      pipe.node = node += 10;
      pipe.elementType = ElementType::Pipe;
      pipe.element = CreateElementData(ElementType::Pipe);
      pipe.dx = 50.0f;
    }
    node += 10;
  }
  MakeModel(model);
}

void BM_LayoutToolsCheckConnections(benchmark::State& state) {
  Model& model = TheModel();
  BuildRuns(model, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FindLooseEnds(model).size());
  InitEmptyModel(model, AnalysisOptions());
}
BENCHMARK(BM_LayoutToolsCheckConnections)->Arg(1000)->Unit(benchmark::kMillisecond);

void RefineBench(benchmark::State& state) {
  Model& model = TheModel();
  for (auto _ : state) {
    state.PauseTiming();
    BuildSerpentine(model, static_cast<int>(state.range(0)), TempFolder() + "/bench-refine.mod");
    state.ResumeTiming();
    // At 1700 Hz the mass points of the 4.5 in line are about 8 in apart:
    // six pieces to each 50 in pipe.
    WithSnapshot([&] { RefineMassPoints(model, 1700.0); });
  }
  state.counters["rows"] = model.rowCount;
  InitEmptyModel(model, AnalysisOptions());
}
void BM_LayoutToolsSmokeRefine(benchmark::State& state) { RefineBench(state); }
void BM_LayoutToolsRefineNodalMesh(benchmark::State& state) { RefineBench(state); }
BENCHMARK(BM_LayoutToolsSmokeRefine)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LayoutToolsRefineNodalMesh)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
