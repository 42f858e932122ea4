// The nonlinear support iteration on the generated serpentine: 250 of its Y
// restraints become +Y limit stops (lower limit 0, rigid) and 250 of its
// free pipes get a rigid guide with friction 0.3; weight and three thermal
// cases are solved (the expansion cases are combinations). Beside the run's
// time each report gives the passes of every solved case, the time of one
// pass (assembly, factorisation and solve) and its ratio to one linear
// solve of the same model with plain restraints, and the split of a pass
// in thread CPU time, timed from the progress texts of the iterated steps:
// the factorisation, the support assembly (the iterating supports with the
// logged linear terms among them), the solve, and the rest of the passes
// (the kept part copied back, the loads, the state updates and the first
// pass's elements). "Smoke" is the quick CI run; "SevenThousandRows" the
// full model.
#include <benchmark/benchmark.h>

#include <ctime>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "SerpentineModel.h"
#include "analysis/AnalysisDriver.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "numeric/RunState.h"
#include "resultsfile/ResultsFile.h"
#include "services/TempFiles.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"

namespace {

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1.0e-9;
}

// Counts the support assemblies, one per pass, of each solved case and
// splits the time of the iterated steps by their phase texts. A step's
// passes run from its first assembly to the last end of the iteration's
// text (after the last state update); its output comes after.
class PassTimer : public AnalysisProgress {
 public:
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::StepTitle) {
      CloseStep();
      step_ = text;
    }
    if (area != ProgressArea::Phase) return;
    const double now = ThreadSeconds();
    EndPhase(now);
    if (text == "Assembling supports") {
      ++passes[step_];
      phase_ = &supports;
    } else if (text == "Triangularizing stiffness matrix") {
      phase_ = &factorisation;
    } else if (text == "Calculating displacements") {
      phase_ = &solve;
    }
    if (phase_ != nullptr) phaseStart_ = now;
    if (stepStart_ < 0.0 && (phase_ == &supports || text == "Assembling elements")) stepStart_ = now;
  }
  void ClearArea(ProgressArea area) override {
    if (area == ProgressArea::Phase) EndPhase(ThreadSeconds());
    if (area == ProgressArea::Iteration && stepStart_ >= 0.0) stepEnd_ = ThreadSeconds();
  }
  // The time of the passes that is in none of the three phases.
  double Rest() {
    CloseStep();
    return passTime_ - supports - factorisation - solve;
  }
  void Clear() { *this = PassTimer{}; }

  std::map<std::string, int> passes;
  double supports = 0.0, factorisation = 0.0, solve = 0.0;

 private:
  void EndPhase(double now) {
    if (phase_ != nullptr) *phase_ += now - phaseStart_;
    phase_ = nullptr;
  }
  void CloseStep() {
    if (stepStart_ >= 0.0 && stepEnd_ > stepStart_) passTime_ += stepEnd_ - stepStart_;
    stepStart_ = stepEnd_ = -1.0;
  }
  std::string step_;
  double* phase_ = nullptr;
  double phaseStart_ = 0.0, stepStart_ = -1.0, stepEnd_ = -1.0, passTime_ = 0.0;
};

// Every n-th Y restraint becomes a +Y stop and every m-th free pipe gets a
// guide, `count` of each at most.
void MakeNonlinear(Model& model, int count) {
  int restraints = 0, freePipes = 0;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    restraints += layout.dataType == DataType::Restraint ? 1 : 0;
    freePipes += layout.dataType == DataType::None && layout.elementType == ElementType::Pipe ? 1 : 0;
  }
  const int stopEvery = std::max(1, restraints / count), guideEvery = std::max(1, freePipes / count);
  int stops = 0, guides = 0, restraint = 0, pipe = 0;
  for (int row = 1; row <= model.rowCount; ++row) {
    LayoutRow& layout = model.row(row);
    if (layout.dataType == DataType::Restraint && restraint++ % stopEvery == 0 && stops < count) {
      bench_models::Item(model, row, DataType::LimitStop);
      auto& stop = static_cast<LimitStop&>(*layout.item);
      stop.dirY = 1.0f;
      stop.lowerLimit = 0.0f;
      ++stops;
    } else if (layout.dataType == DataType::None && layout.elementType == ElementType::Pipe &&
               pipe++ % guideEvery == 0 && guides < count) {
      bench_models::Item(model, row, DataType::Guide);
      static_cast<Guide&>(*layout.item).frictionCoefficient = 0.3f;
      ++guides;
    }
  }
  // Made again for the new kinds' row lists; the load cases stay the
  // serpentine's.
  const LoadCaseList cases = model.loadCases;
  MakeModel(model);
  model.loadCases = cases;
}

double PassTime(const AnalysisPhaseTimes& t) { return t.assembly + t.factorisation + t.solves; }

void AnalyseNonlinearSerpentine(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0)), count = static_cast<int>(state.range(1));
  Model& model = TheModel();
  const std::string path = TempFolder() + "/bench-nonlinear.mod";
  // One linear run first: the time of a solve with plain restraints.
  bench_models::BuildSerpentine(model, rows, path);
  RunAnalysis(model, SilentProgress());
  const double linearSolve = PassTime(LastAnalysisPhaseTimes()) / 4.0;  // four cases solved
  MakeNonlinear(model, count);
  PassTimer timer;
  for (auto _ : state) {
    timer.Clear();
    RunAnalysis(model, timer);
  }
  int passes = 0;
  for (const auto& [step, n] : timer.passes) {
    state.counters["passes " + step] = n;
    passes += n;
  }
  const AnalysisPhaseTimes& t = LastAnalysisPhaseTimes();
  state.counters["rows"] = model.rowCount;
  state.counters["passes"] = passes;
  state.counters["pass_s"] = passes > 0 ? PassTime(t) / passes : 0.0;
  state.counters["linear_solve_s"] = linearSolve;
  state.counters["pass_over_linear"] = passes > 0 && linearSolve > 0.0 ? PassTime(t) / passes / linearSolve : 0.0;
  state.counters["assembly_s"] = t.assembly;
  state.counters["factorisation_s"] = t.factorisation;
  state.counters["solves_s"] = t.solves;
  // The split of one pass, thread CPU seconds.
  const double perPass = passes > 0 ? 1.0 / passes : 0.0;
  state.counters["pass_factor_s"] = timer.factorisation * perPass;
  state.counters["pass_supports_s"] = timer.supports * perPass;
  state.counters["pass_solve_s"] = timer.solve * perPass;
  state.counters["pass_rest_s"] = timer.Rest() * perPass;
  std::filesystem::remove(ResultsPathOf(path));
  InitEmptyModel(model, AnalysisOptions());
}

void BM_NonlinearSupportsSmoke(benchmark::State& state) { AnalyseNonlinearSerpentine(state); }
void BM_NonlinearSupportsSevenThousandRows(benchmark::State& state) { AnalyseNonlinearSerpentine(state); }

BENCHMARK(BM_NonlinearSupportsSmoke)->Args({500, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NonlinearSupportsSevenThousandRows)->Args({7000, 250})->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
