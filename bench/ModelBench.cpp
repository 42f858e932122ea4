// Making the model and regenerating it run after every edit, and a model file
// is read for every open, undo and redo: their cost on a model of the largest
// size the program allows (7000 rows), and a quick smoke size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/ModelFile.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Regenerate.h"
#include "model/RowObjects.h"

namespace {

// A zigzag of pipes with a valve every tenth row and a restraint every fifth.
void BuildPipeModel(Model& model, int rows) {
  InitEmptyModel(model, AnalysisOptions{});
  for (int number = 1; number <= rows; ++number) {
    LayoutRow& row = model.row(number);
    row.node = 10 * number;
    row.elementType = number == 1 ? ElementType::From
                                  : (number % 10 == 0 ? ElementType::Valve : ElementType::Pipe);
    row.element = CreateElementData(row.elementType);
    row.dx = number % 2 ? 10.0f : 0.0f;
    row.dz = number % 2 ? 0.0f : 10.0f;
    if (number % 5 == 0) {
      row.dataType = DataType::Restraint;
      row.item = CreateDataItem(row.dataType);
    }
  }
  // Names given once, on row 2, and inherited by every later row.
  model.row(2).material = "A106";
  model.row(2).section = "S8";
  model.row(2).load = "L1";
  model.rowCount = rows;
  model.graphics.viewLeft = 1.0f;
}

void MakeModelBench(benchmark::State& state) {
  Model model;
  BuildPipeModel(model, static_cast<int>(state.range(0)));
  for (auto _ : state) MakeModel(model);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(MakeModelBench)->Name("BM_ModelSmokeMakeModel")->Arg(500);
BENCHMARK(MakeModelBench)->Name("BM_ModelMakeModel")->Arg(7000);

void BM_ModelRegenerate(benchmark::State& state) {
  Model model;
  BuildPipeModel(model, 7000);
  MakeModel(model);
  for (auto _ : state) RegenerateModel(model);
}
BENCHMARK(BM_ModelRegenerate);

void ReadModelBench(benchmark::State& state) {
  Model model;
  BuildPipeModel(model, static_cast<int>(state.range(0)));
  MakeModel(model);
  const char* folder = std::getenv("TMPDIR");
  const std::string path = std::string(folder ? folder : "/tmp") + "/quorvel_bench_model.mod";
  if (!WriteModelFileFrom(model, path).empty()) {
    state.SkipWithError("the model file could not be written");
    return;
  }
  for (auto _ : state) {
    Model read;
    ReadModelFileInto(path, read);
    benchmark::DoNotOptimize(read.rowCount);
  }
  std::remove(path.c_str());
}
BENCHMARK(ReadModelBench)->Name("BM_ModelFileSmokeRead")->Arg(500);
BENCHMARK(ReadModelBench)->Name("BM_ModelFileRead")->Arg(7000);

}  // namespace
