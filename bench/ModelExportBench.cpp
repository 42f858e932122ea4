// Exporting a model of the largest size the program allows (7000 rows:
// pipes with a bend every tenth row, a restraint every fifth, an anchor with
// displacements every hundredth and a comment every fiftieth) as a model
// batch file, in the English and SI sets, and a quick smoke size; and as a
// PCF in the imperial and metric sets; and as plant-design macro and dump
// files. The model
// is imported once before any timing; the export formats every row.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/BatchExport.h"
#include "files/BatchImport.h"
#include "files/PcfExport.h"
#include "files/PlantExport.h"
#include "model/Model.h"
#include "shell/Units.h"

namespace {

std::string GenerateBatchFile(int rows) {
  std::string text =
      "Generated plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283,0.3\nA1,70,29.5E6,6.07E-6,20000\n"
      "A1,700,25.5E6,7.44E-6,16500\nPIPE\nS1,8.625,0.322,0.0625,12.5,11,3\nLOADS\nL1,300,150,1\nLAYOUT\n"
      "F10,KA,MA1,PS1,CL=L1\n";
  for (int row = 3; row <= rows; ++row) {
    const std::string node = "T" + std::to_string(10 * row);
    const std::string offset = row % 2 ? ",X10" : ",Z10";
    if (row % 50 == 0)
      text += "*Row " + std::to_string(row) + "\n";
    else if (row % 10 == 0)
      text += node + ",KI" + offset + ",CBTHK=0.4\n";
    else if (row % 100 == 1)
      text += node + offset + ",KA,CDIS(0.1,0,-0.2),TRAK(1000,RIGID,1000)\n";
    else if (row % 5 == 0)
      text += node + offset + ",CFY\n";
    else
      text += node + offset + "\n";
  }
  return text;
}

void BatchExportBench(benchmark::State& state, BatchExportUnits units) {
  const UnitsSettings saved = g_UnitsSettings;
  std::istringstream input(GenerateBatchFile(static_cast<int>(state.range(0))));
  Model model;
  std::vector<std::string> log;
  ReadModelBatchFile(input, model, log);
  if (model.rowCount != state.range(0)) state.SkipWithError("the generated file lost rows");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::string> leftOut;
    const std::string text = WriteModelBatchText(model, units, leftOut);
    if (!leftOut.empty()) state.SkipWithError("the export left rows out");
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  g_UnitsSettings = saved;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK_CAPTURE(BatchExportBench, english, BatchExportUnits::English)
    ->Name("BM_BatchSmokeExport")
    ->Arg(500)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BatchExportBench, english, BatchExportUnits::English)
    ->Name("BM_BatchExport")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BatchExportBench, si, BatchExportUnits::Si)
    ->Name("BM_BatchExportSi")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);

void PcfExportBench(benchmark::State& state, PcfUnits units) {
  const UnitsSettings saved = g_UnitsSettings;
  std::istringstream input(GenerateBatchFile(static_cast<int>(state.range(0))));
  Model model;
  std::vector<std::string> log;
  ReadModelBatchFile(input, model, log);
  if (model.rowCount != state.range(0)) state.SkipWithError("the generated file lost rows");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::string> leftOut;
    const std::string text = WritePcfText(model, units, leftOut);
    if (!leftOut.empty()) state.SkipWithError("the export left rows out");
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  g_UnitsSettings = saved;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK_CAPTURE(PcfExportBench, imperial, PcfUnits::Imperial)
    ->Name("BM_PcfExport")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PcfExportBench, metric, PcfUnits::Metric)
    ->Name("BM_PcfExportMetric")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);

void PlantExportBench(benchmark::State& state, PlantFormat format) {
  const UnitsSettings saved = g_UnitsSettings;
  std::istringstream input(GenerateBatchFile(static_cast<int>(state.range(0))));
  Model model;
  std::vector<std::string> log;
  ReadModelBatchFile(input, model, log);
  if (model.rowCount != state.range(0)) state.SkipWithError("the generated file lost rows");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::string> leftOut;
    const std::string text = WritePlantText(model, format, leftOut);
    if (!leftOut.empty()) state.SkipWithError("the export left rows out");
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  g_UnitsSettings = saved;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK_CAPTURE(PlantExportBench, pdms, PlantFormat::Pdms)
    ->Name("BM_PlantExportPdms")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlantExportBench, cadmatic, PlantFormat::Cadmatic)
    ->Name("BM_PlantExportCadmatic")
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
