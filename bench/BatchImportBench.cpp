// Importing a model batch file of the largest size the program allows (7000
// rows: pipes with a bend every tenth row, a restraint every fifth, an
// anchor with displacements every hundredth and a comment every fiftieth),
// and a quick smoke size. The import reads every line, fills the rows and
// makes the model.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "GeneratedBatchFile.h"
#include "files/BatchImport.h"
#include "model/Model.h"
#include "services/Units.h"

namespace {

void ImportBench(benchmark::State& state) {
  const std::string text = GenerateBatchFile(static_cast<int>(state.range(0)));
  const UnitsSettings units = g_UnitsSettings;
  for (auto _ : state) {
    std::istringstream input(text);
    Model model;
    std::vector<std::string> log;
    ReadModelBatchFile(input, model, log);
    if (model.rowCount != state.range(0)) state.SkipWithError("the generated file lost rows");
    benchmark::DoNotOptimize(model.nodes.count);
  }
  g_UnitsSettings = units;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ImportBench)->Name("BM_BatchSmokeImport")->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportBench)->Name("BM_BatchImport")->Arg(7000)->Unit(benchmark::kMillisecond);

}  // namespace
