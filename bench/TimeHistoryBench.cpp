// The time history case of a generated model, as Analyze runs it: the
// serpentine line of the static benchmark with its lowest modes (cut-off
// high enough that the mode count decides), a ramp-and-hold force in
// X, Y and Z at three nodes along the line, and the time steps
// integrated and superposed. Reported beside the total: the eigen search
// ("modes_s") and the time-history step with the modal forces
// ("time_history_s"), both as elapsed time, the thread's CPU time from the
// time-history step's first text to the end of the run
// ("time_history_cpu_s", steady on a shared machine), and, when the steps
// are saved, the size of the .rth file. "Smoke" is the quick run;
// "SevenThousandRows" the full model with 50 modes and 1000 time steps,
// unsaved (output interval 1) and saved (output interval 10).
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "SerpentineModel.h"
#include "analysis/AnalysisDriver.h"
#include "numeric/RunState.h"
#include "records/TimeFunction.h"
#include "loads/TimeVaryingLoad.h"
#include "model/Model.h"
#include "records/TimeFunction.h"
#include "resultsfile/ResultsFile.h"
#include "services/TempFiles.h"

namespace {

// Puts a time varying load on a pipe row without an item from `from` on.
void LoadRowFrom(Model& model, int from, int direction) {
  for (int row = from; row <= model.rowCount; ++row) {
    LayoutRow& layout = model.row(row);
    if (layout.elementType != ElementType::Pipe || layout.dataType != DataType::None) continue;
    bench_models::Item(model, row, DataType::TimeVaryingLoad);
    auto& load = static_cast<TimeVaryingLoad&>(*layout.item);
    load.Direction = direction;
    load.TimeFunctionName = "RAMP";
    load.ScaleFactor = 1000.0f;
    return;
  }
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1.0e-9 * static_cast<double>(now.tv_nsec);
}

// Notes the thread's CPU time when the time-history step shows its first
// text (the recovery of the modes' forces).
class TimeHistoryStart : public AnalysisProgress {
 public:
  void ShowText(ProgressArea area, const std::string& text) override {
    if (cpuSeconds < 0.0 && area == ProgressArea::Phase && text.rfind("Calculating modal forces", 0) == 0)
      cpuSeconds = ThreadCpuSeconds();
  }
  double cpuSeconds = -1.0;
};

void AnalyseTimeHistory(benchmark::State& state) {
  Model& model = TheModel();
  const std::string path = TempFolder() + "/bench-time-history.mod";
  bench_models::BuildSerpentine(model, static_cast<int>(state.range(0)), path);
  model.options.ModeCount = static_cast<std::int32_t>(state.range(1));
  model.options.CutOffFrequency = 100000;
  model.options.IncludeMissingMass = 0;
  SetLastTimeFunction(model.timeFunctions, "RAMP", {{0.0f, 0.0f}, {0.05f, 1.0f}, {100.0f, 1.0f}});
  for (int d = 1; d <= 3; ++d) LoadRowFrom(model, model.rowCount * d / 4, d);
  MakeModel(model);
  model.timeHistory.timeStep = 0.001f;
  model.timeHistory.stepCount = static_cast<std::int32_t>(state.range(2)) + 1;
  model.timeHistory.outputInterval = static_cast<std::int32_t>(state.range(3));
  model.timeHistory.writeResults = static_cast<std::uint8_t>(state.range(4));
  model.timeHistory.damping = 5.0f;
  model.loadCases.count = 2;
  model.loadCases.cases[1] = 30;
  model.loadCases.cases[2] = 35;
  double stepCpu = 0.0;
  for (auto _ : state) {
    TimeHistoryStart start;
    RunAnalysis(model, start);
    stepCpu = ThreadCpuSeconds() - start.cpuSeconds;
  }
  const AnalysisPhaseTimes& t = LastAnalysisPhaseTimes();
  state.counters["rows"] = model.rowCount;
  state.counters["equations"] = 6.0 * model.nodes.count;
  state.counters["modes_s"] = t.modes;
  state.counters["time_history_s"] = t.response;
  state.counters["time_history_cpu_s"] = stepCpu;
  const std::string rth = TimeHistoryPathOf(path);
  state.counters["rth_bytes"] = std::filesystem::exists(rth) ? static_cast<double>(std::filesystem::file_size(rth)) : 0.0;
  std::filesystem::remove(ResultsPathOf(path));
  std::filesystem::remove(rth);
  InitEmptyModel(model, AnalysisOptions());
}

BENCHMARK(AnalyseTimeHistory)
    ->Name("BM_TimeHistorySmoke")
    ->Args({200, 10, 100, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(AnalyseTimeHistory)
    ->Name("BM_TimeHistorySevenThousandRows")
    ->Args({7000, 50, 1000, 1, 0})
    ->Args({7000, 50, 1000, 10, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
