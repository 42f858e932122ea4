// Opening the results of a generated model and showing its code compliance
// table, as a user does after Analyze: beside the reading of the results
// (see ResultsBench.cpp), the SIFs of every element end and the code
// stresses of every stress element in the sustained, operating and three
// expansion cases with their node tables sorted, then the table of two
// lines per element laid out (every cell measured) and painted. "Smoke"
// (200 rows) runs in CI; "SevenThousandRows" is the largest model.
#include <benchmark/benchmark.h>

#include "AnalysedProgram.h"
#include "platform/Paint.h"
#include "results/CodeComplianceTable.h"
#include "results/ResultsWindow.h"
#include "resultsfile/ResultNavigation.h"
#include "services/TableWindow.h"

namespace {

using bench_models::AnalysedProgram;

void OpenResultsAndCompliance(benchmark::State& state) {
  AnalysedProgram program(static_cast<int>(state.range(0)));
  int rows = 0;
  for (auto _ : state) {
    OpenResults(true);
    ShowResultsWindow();
    OpenCodeComplianceTable();
    UpdateWindow(ResultsTableWindow());
    ResultTableWindow* table = ShownResultTable();
    rows = table != nullptr ? table->rowCount : 0;
    state.PauseTiming();
    LeaveResultsMode();
    state.ResumeTiming();
  }
  state.counters["stress_elements"] = rows;
}

void BM_CodeComplianceOpenSmoke(benchmark::State& state) { OpenResultsAndCompliance(state); }
void BM_CodeComplianceOpenSevenThousandRows(benchmark::State& state) { OpenResultsAndCompliance(state); }

}  // namespace

BENCHMARK(BM_CodeComplianceOpenSmoke)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CodeComplianceOpenSevenThousandRows)->Arg(7000)->Unit(benchmark::kMillisecond)->Iterations(5);
