// Opening the results of a generated model and showing its displacement
// table, as a user does after Analyze: the results file read and checked,
// the cases numbered, the support load summary built for every support,
// the chooser lists made, then the displacement table of the first case
// loaded and laid out (every cell measured) in the Results window. The
// program runs headless with settings in a folder of the benchmark's own;
// the analysis runs once before the timing. "Smoke" (200 rows) runs in CI;
// "SevenThousandRows" is the largest model (aim: under 100 ms).
#include <benchmark/benchmark.h>

#include "AnalysedProgram.h"
#include "platform/Paint.h"
#include "results/DisplacementTables.h"
#include "results/ResultsMode.h"
#include "results/ResultsWindow.h"
#include "resultsfile/ResultNavigation.h"
#include "services/Frame.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"

namespace {

using bench_models::AnalysedProgram;

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
