// Opening the results of a generated model and showing its displacement
// table, as a user does after Analyze: the results file read and checked,
// the cases numbered, the support load summary built for every support,
// the chooser lists made, then the displacement table of the first case
// loaded and laid out (every cell measured) in the Results window. The
// program runs headless with settings in a folder of the benchmark's own;
// the analysis runs once before the timing. "Smoke" (200 rows) runs in CI;
// "SevenThousandRows" is the largest model (aim: under 100 ms).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "SerpentineModel.h"
#include "analysis/AnalysisDriver.h"
#include "analysis/RunState.h"
#include "files/ModelFile.h"
#include "graphics/GraphicsThread.h"
#include "platform/Paint.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "resources/QuorvelResources.h"
#include "results/DisplacementTables.h"
#include "results/ResultNavigation.h"
#include "results/ResultsFile.h"
#include "results/ResultsMode.h"
#include "results/ResultsWindow.h"
#include "shell/Application.h"
#include "shell/Frame.h"
#include "shell/TableWindow.h"

namespace {

char g_BenchModuleTag;

class AnalysedProgram {
 public:
  explicit AnalysedProgram(int rows) {
    folder_ = std::filesystem::temp_directory_path() / ("quorvel-results-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_ / "config" / "quorvel");
    setenv("QUORVEL_DISPLAY", "headless", 1);
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    setenv("HOME", folder_.c_str(), 1);
    std::ofstream(FirstRunMarkerPath()).put('\n');
    const auto resources = QuorvelResources();
    platform::RegisterResources(resources.data(), resources.size());
    InstanceHandle = reinterpret_cast<HINSTANCE>(&g_BenchModuleTag);
    InitApplication("");
    Model& model = TheModel();
    bench_models::BuildSerpentine(model, rows, (folder_ / "serpentine.mod").string());
    WriteModelFile(model.path);
    model.modified = false;
    try {
      RunAnalysis(model, SilentProgress());
    } catch (const std::string& message) {
      std::fprintf(stderr, "analysis refused: %s\n", message.c_str());
      throw;
    }
  }
  ~AnalysedProgram() {
    LeaveResultsMode();
    TheModel().modified = false;
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
    RunMessageLoop();
    EndGraphicsThread();
    ExitApplication();
    platform::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  AnalysedProgram(const AnalysedProgram&) = delete;
  AnalysedProgram& operator=(const AnalysedProgram&) = delete;

 private:
  std::filesystem::path folder_;
};

// Open (prepared without the graphics window, whose redraw of the model is
// its own benchmark's), then the Results window with the table laid out
// and painted.
void OpenResultsAndDisplacements(benchmark::State& state) {
  AnalysedProgram program(static_cast<int>(state.range(0)));
  int rows = 0, width = 0;
  for (auto _ : state) {
    OpenResults(true);
    ShowResultsWindow();
    OpenDisplacementsTable();
    UpdateWindow(ResultsTableWindow());
    ResultTableWindow* table = ShownResultTable();
    rows = table != nullptr ? table->rowCount : 0;
    width = table != nullptr ? table->widths[2] : 0;
    state.PauseTiming();
    LeaveResultsMode();
    state.ResumeTiming();
  }
  state.counters["rows"] = TheModel().rowCount;
  state.counters["table_rows"] = rows;
  state.counters["column_px"] = width;
}

void BM_ResultsOpenSmoke(benchmark::State& state) { OpenResultsAndDisplacements(state); }
void BM_ResultsOpenSevenThousandRows(benchmark::State& state) { OpenResultsAndDisplacements(state); }

}  // namespace

BENCHMARK(BM_ResultsOpenSmoke)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResultsOpenSevenThousandRows)->Arg(7000)->Unit(benchmark::kMillisecond)->Iterations(5);
