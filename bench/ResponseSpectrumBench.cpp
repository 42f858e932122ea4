// The modal and response spectrum cases of a generated model, as Analyze
// runs them: the serpentine line of the static benchmark with its lowest
// modes (cut-off high enough that the mode count decides), then a flat
// spectrum in all three directions with the missing mass. Each run reports
// the time of every phase beside the total: assembly, the eigen search with
// the missing-mass solves ("modes"), the spectrum combination with the
// modal forces. "Smoke" is the quick run; "SevenThousandRows" the full
// model with the lowest hundred modes, by the SRSS mode sum and by the
// closely-spaced one. peak_MB: the peak resident memory of the process during
// the run (the model included), in MiB.
//
// The phase times of the run are wall-clock seconds; on a shared machine
// the spectrum step is also timed in thread CPU seconds here, split at the
// phase texts it shows: the modal forces of every mode with their export,
// and the combinations that follow.
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <filesystem>
#include <string>

#include "PeakMemory.h"
#include "SerpentineModel.h"
#include "analysis/AnalysisDriver.h"
#include "analysis/ResponseSpectrum.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "numeric/RunState.h"
#include "records/Spectrum.h"
#include "resultsfile/ResultsFile.h"
#include "services/TempFiles.h"

namespace {

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1.0e-9 * static_cast<double>(now.tv_nsec);
}

// The spectrum step's parts by the phase texts it shows. The element forces
// and support loads run inside "Calculating modal forces" show their own
// texts, which stay in that part; the total forces, the step's last part,
// run no nested phase, so the end of their text ends the step.
class SpectrumStepClock : public AnalysisProgress {
 public:
  double scaling = 0.0;
  double modalForces = 0.0;
  double combination = 0.0;

  void ShowText(ProgressArea area, const std::string& text) override {
    if (area != ProgressArea::Phase) return;
    lastWasTotalForces_ = text == "Calculating total forces";
    if (text == "Calculating modal displacements") Switch(Part::Scaling);
    else if (text.starts_with("Calculating modal forces")) Switch(Part::ModalForces);
    else if (text.starts_with("Calculating total") || text == "Adding seismic displacements") Switch(Part::Combination);
  }
  void ClearArea(ProgressArea area) override {
    if (area == ProgressArea::Phase && lastWasTotalForces_) Switch(Part::None);
  }

 private:
  enum class Part { None, Scaling, ModalForces, Combination };
  void Switch(Part part) {
    const double now = ThreadCpuSeconds();
    if (current_ == Part::Scaling) scaling += now - start_;
    if (current_ == Part::ModalForces) modalForces += now - start_;
    if (current_ == Part::Combination) combination += now - start_;
    current_ = part;
    start_ = now;
  }
  Part current_ = Part::None;
  double start_ = 0.0;
  bool lastWasTotalForces_ = false;
};

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
  model.spectrumLoad.modeSum = static_cast<std::int32_t>(state.range(2));
  model.loadCases.count = 2;
  model.loadCases.cases[1] = 30;
  model.loadCases.cases[2] = 31;
  const bool marked = bench_memory::ResetPeak();
  SpectrumStepClock clock;
  for (auto _ : state) RunAnalysis(model, clock);
  state.counters["peak_MB"] = marked ? bench_memory::PeakMegabytes() : std::nan("");
  const AnalysisPhaseTimes& t = LastAnalysisPhaseTimes();
  state.counters["rows"] = model.rowCount;
  state.counters["equations"] = 6.0 * model.nodes.count;
  state.counters["generation_s"] = t.generation;
  state.counters["renumbering_s"] = t.renumbering;
  state.counters["assembly_s"] = t.assembly;
  state.counters["modes_s"] = t.modes;
  state.counters["spectrum_s"] = t.spectrum;
  state.counters["spectrum_cpu_s"] = clock.scaling + clock.modalForces + clock.combination;
  state.counters["modal_forces_cpu_s"] = clock.modalForces;
  state.counters["combination_cpu_s"] = clock.combination;
  std::filesystem::remove(ResultsPathOf(path));
  std::filesystem::remove(ModalForcesPath(path));
  InitEmptyModel(model, AnalysisOptions());
}

BENCHMARK(AnalyseSpectrum)
    ->Name("BM_ResponseSpectrumSmoke")
    ->Args({200, 10, kSumSrss})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(AnalyseSpectrum)
    ->Name("BM_ResponseSpectrumSevenThousandRows")
    ->Args({7000, 100, kSumSrss})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(AnalyseSpectrum)
    ->Name("BM_ResponseSpectrumCloselySpacedSevenThousandRows")
    ->Args({7000, 100, kSumCloselySpaced})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
