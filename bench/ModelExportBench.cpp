// Exporting a model of the largest size the program allows (7000 rows:
// pipes with a bend every tenth row, a restraint every fifth, an anchor with
// displacements every hundredth and a comment every fiftieth) as a model
// batch file, in the English and SI sets, and a quick smoke size; and as a
// PCF in the imperial and metric sets; and as plant-design macro and dump
// files. The model is imported once before any timing; the export formats
// every row.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "GeneratedBatchFile.h"
#include "files/BatchExport.h"
#include "files/BatchImport.h"
#include "files/PcfExport.h"
#include "files/PlantExport.h"
#include "model/Model.h"
#include "services/Units.h"

namespace {

// One export of the generated model per iteration through `write` in
// `units` (a unit set or a file format); the model is imported before the
// timing starts and the user's units are back after it.
template <typename Units>
void ExportBench(benchmark::State& state, std::string (*write)(const Model&, Units, std::vector<std::string>&),
                 Units units) {
  const UnitsSettings saved = g_UnitsSettings;
  std::istringstream input(GenerateBatchFile(static_cast<int>(state.range(0))));
  Model model;
  std::vector<std::string> log;
  ReadModelBatchFile(input, model, log);
  if (model.rowCount != state.range(0)) state.SkipWithError("the generated file lost rows");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::string> leftOut;
    const std::string text = write(model, units, leftOut);
    if (!leftOut.empty()) state.SkipWithError("the export left rows out");
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  g_UnitsSettings = saved;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

// The batch export as the command writes it, without the read-back's
// refusal text.
std::string WriteBatch(const Model& model, BatchExportUnits units, std::vector<std::string>& leftOut) {
  return WriteModelBatchText(model, units, leftOut);
}

BENCHMARK_CAPTURE(ExportBench, english, WriteBatch, BatchExportUnits::English)
    ->Name("BM_BatchSmokeExport")
    ->Arg(500)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBench, english, WriteBatch, BatchExportUnits::English)
    ->Name("BM_BatchExport")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBench, si, WriteBatch, BatchExportUnits::Si)
    ->Name("BM_BatchExportSi")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBench, imperial, WritePcfText, PcfUnits::Imperial)
    ->Name("BM_PcfExport")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBench, metric, WritePcfText, PcfUnits::Metric)
    ->Name("BM_PcfExportMetric")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBench, pdms, WritePlantText, PlantFormat::Pdms)
    ->Name("BM_PlantExportPdms")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBench, cadmatic, WritePlantText, PlantFormat::Cadmatic)
    ->Name("BM_PlantExportCadmatic")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
