// The whole static analysis of a generated model, as Analyze runs it: a
// serpentine line of 4.5-inch pipe with two long-radius bends at each turn,
// anchors every hundred rows and Y restraints on every third pipe, three
// thermal loads (sustained, three operating cases solved, three expansion
// cases combined), its results file written and read back. Each run
// reports the time of every phase beside the total. "Smoke" is the quick
// CI run; "SevenThousandRows" is the full model.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "SerpentineModel.h"
#include "analysis/AnalysisDriver.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "resultsfile/ResultsFile.h"
#include "services/TempFiles.h"
#include "supports/Restraint.h"

namespace {

using bench_models::BuildSerpentine;

void AnalyseSerpentine(benchmark::State& state) {
  Model& model = TheModel();
  const std::string path = TempFolder() + "/bench-serpentine.mod";
  BuildSerpentine(model, static_cast<int>(state.range(0)), path);
  for (auto _ : state) RunAnalysis(model, SilentProgress());
  const AnalysisPhaseTimes& t = LastAnalysisPhaseTimes();
  state.counters["rows"] = model.rowCount;
  state.counters["elements"] = TheAnalysisElements().count;
  state.counters["equations"] = 6.0 * model.nodes.count;
  state.counters["generation_s"] = t.generation;
  state.counters["renumbering_s"] = t.renumbering;
  state.counters["assembly_s"] = t.assembly;
  state.counters["factorisation_s"] = t.factorisation;
  state.counters["solves_s"] = t.solves;
  state.counters["writing_s"] = t.writing;
  std::filesystem::remove(ResultsPathOf(path));
  InitEmptyModel(model, AnalysisOptions());
}

void BM_StaticAnalysisSmoke(benchmark::State& state) { AnalyseSerpentine(state); }
void BM_StaticAnalysisSevenThousandRows(benchmark::State& state) { AnalyseSerpentine(state); }

BENCHMARK(BM_StaticAnalysisSmoke)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StaticAnalysisSevenThousandRows)->Arg(7000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
