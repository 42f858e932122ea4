// The modal and response spectrum cases of a generated model, as Analyze
// runs them: the serpentine line of the static benchmark with its lowest
// modes (cut-off high enough that the mode count decides), then a flat
// spectrum in all three directions with the missing mass. Each run reports
// the time of every phase beside the total: assembly, the eigen search with
// the missing-mass solves ("modes"), the spectrum combination with the
// modal forces. "Smoke" is the quick run; "SevenThousandRows" the full
// model with the lowest hundred modes. peak_MB: the peak resident memory of
// the process during the run (the model included), in MiB.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "analysis/AnalysisDriver.h"
#include "analysis/ResponseSpectrum.h"
#include "loads/Spectrum.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "results/ResultsFile.h"
#include "shell/TempFiles.h"
#include "PeakMemory.h"
#include "SerpentineModel.h"

namespace {

void AnalyseSpectrum(benchmark::State& state) {
  Model& model = TheModel();
  const std::string path = TempFolder() + "/bench-spectrum.mod";
  bench_models::BuildSerpentine(model, static_cast<int>(state.range(0)), path);
  model.options.ModeCount = static_cast<std::int32_t>(state.range(1));
  model.options.CutOffFrequency = 100000;
  model.options.IncludeMissingMass = 1;
  ResponseSpectrum flat;
  flat.name = "FLAT";
  flat.ordinateUnit = kOrdinateG;
  flat.points = {{0.1f, 386.4f}, {1000.0f, 386.4f}};
  SetLastSpectrum(model.spectra, flat);
  for (int d = 0; d < 3; ++d) SetDirectionSpectrum(model.spectrumLoad, d, "FLAT", 0.3f);
  model.loadCases.count = 2;
  model.loadCases.cases[1] = 30;
  model.loadCases.cases[2] = 31;
  const bool marked = bench_memory::ResetPeak();
  for (auto _ : state) RunAnalysis(model, SilentProgress());
  state.counters["peak_MB"] = marked ? bench_memory::PeakMegabytes() : std::nan("");
  const AnalysisPhaseTimes& t = LastAnalysisPhaseTimes();
  state.counters["rows"] = model.rowCount;
  state.counters["equations"] = 6.0 * model.nodes.count;
  state.counters["generation_s"] = t.generation;
  state.counters["renumbering_s"] = t.renumbering;
  state.counters["assembly_s"] = t.assembly;
  state.counters["modes_s"] = t.modes;
  state.counters["spectrum_s"] = t.spectrum;
  std::filesystem::remove(ResultsPathOf(path));
  std::filesystem::remove(ModalForcesPath(path));
  InitEmptyModel(model, AnalysisOptions());
}

BENCHMARK(AnalyseSpectrum)->Name("BM_ResponseSpectrumSmoke")->Args({200, 10})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(AnalyseSpectrum)
    ->Name("BM_ResponseSpectrumSevenThousandRows")
    ->Args({7000, 100})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
