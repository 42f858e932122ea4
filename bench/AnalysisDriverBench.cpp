// The whole static analysis of a generated model, as Analyze runs it: a
// serpentine line of 4.5-inch pipe with two long-radius bends at each turn,
// anchors every hundred rows and Y restraints on every third pipe, three
// thermal loads (sustained, three operating cases solved, three expansion
// cases combined), its results file written and read back. Each run
// reports the time of every phase beside the total. "Smoke" is the quick
// CI run; "SevenThousandRows" is the full model.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "analysis/AnalysisDriver.h"
#include "analysis/GlobalSystem.h"
#include "elements/Bend.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "results/ResultsFile.h"
#include "shell/TempFiles.h"
#include "supports/Restraint.h"

namespace {

int Row(Model& model, NodeId node, ElementType type, float dx, float dz) {
  const int number = ++model.rowCount;
  LayoutRow& row = model.row(number);
  row.node = node;
  row.elementType = type;
  row.element = CreateElementData(type);
  row.dx = dx;
  row.dz = dz;
  if (type != ElementType::From) {
    row.material = "CS";
    row.section = "S4";
    row.load = "L1";
  }
  return number;
}

void Item(Model& model, int row, DataType type) {
  model.row(row).dataType = type;
  model.row(row).item = CreateDataItem(type);
}

void BuildSerpentine(Model& model, int rows, const std::string& path) {
  InitEmptyModel(model, AnalysisOptions());
  model.options.ThermalLoadCount = 3;
  Material steel;
  steel.name = "CS";
  steel.nu = 0.3f;
  steel.density = 0.2836f;
  steel.numtemps = 2;
  steel.temps.resize(3);
  steel.temps[1].values = {70.0f, 2.9e7f, 6.5e-6f, 2.0e4f, 3.5e4f, 6.0e4f, 0, 0};
  steel.temps[2].values = {900.0f, 2.7e7f, 7.5e-6f, 1.8e4f, 3.0e4f, 5.5e4f, 0, 0};
  AppendMaterial(model.materials, steel);
  PipeSection section;
  InitSection(section);
  section.name = "S4";
  section.outsideDiameter = 4.5f;
  section.thickness = 0.237f;
  AppendSection(model.sections, section);
  PipeLoad load;
  InitPipeLoad(load, 70.0f);
  load.name = "L1";
  load.operating[0] = {300.0f, 150.0f};
  load.operating[1] = {400.0f, 200.0f};
  load.operating[2] = {200.0f, 100.0f};
  load.specificGravity = 1.0f;
  AppendPipeLoad(model.pipeLoads, load);
  model.path = path;

  const float leg = 50.0f;
  NodeId node = 10;
  Item(model, Row(model, node, ElementType::From, 0, 0), DataType::Anchor);
  // Units of 24 rows: ten pipes and a bend one way, a bend across, ten
  // pipes and a bend back, a bend across.
  for (int k = 1; model.rowCount < rows; ++k) {
    const int place = (k - 1) % 24;
    const float sense = (k - 1) / 24 % 2 == 0 ? 1.0f : -1.0f;
    const bool across = place == 11 || place == 23;
    const bool bend = place == 10 || place == 11 || place == 22 || place == 23;
    const float dx = across ? 0.0f : (place < 11 ? sense : -sense) * leg;
    const int row = Row(model, node += 10, bend ? ElementType::Bend : ElementType::Pipe, dx, across ? leg : 0.0f);
    if (k % 100 == 0) Item(model, row, DataType::Anchor);
    else if (!bend && k % 3 == 0) {
      Item(model, row, DataType::Restraint);
      static_cast<Restraint&>(*model.row(row).item).restrainY = 1;
    }
  }
  Item(model, model.rowCount, DataType::Anchor);
  MakeModel(model);
  const int cases[] = {1, 8, 9, 10, 2, 3, 4};
  model.loadCases.count = 7;
  for (int i = 0; i < 7; ++i) model.loadCases.cases[static_cast<std::size_t>(i + 1)] = cases[i];
  model.modified = false;
}

void AnalyseSerpentine(benchmark::State& state) {
  Model& model = TheModel();
  const std::string path = TempFolder() + "/bench-serpentine.mod";
  BuildSerpentine(model, static_cast<int>(state.range(0)), path);
  for (auto _ : state) RunAnalysis(model, SilentProgress());
  const AnalysisPhaseTimes& t = LastAnalysisPhaseTimes();
  state.counters["rows"] = model.rowCount;
  state.counters["elements"] = TheAnalysisElements().count;
  state.counters["equations"] = 6.0 * model.nodes.count;
  state.counters["generation_s"] = t.generation;
  state.counters["renumbering_s"] = t.renumbering;
  state.counters["assembly_s"] = t.assembly;
  state.counters["factorisation_s"] = t.factorisation;
  state.counters["solves_s"] = t.solves;
  state.counters["writing_s"] = t.writing;
  std::filesystem::remove(ResultsPathOf(path));
  InitEmptyModel(model, AnalysisOptions());
}

void BM_StaticAnalysisSmoke(benchmark::State& state) { AnalyseSerpentine(state); }
void BM_StaticAnalysisSevenThousandRows(benchmark::State& state) { AnalyseSerpentine(state); }

BENCHMARK(BM_StaticAnalysisSmoke)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StaticAnalysisSevenThousandRows)->Arg(7000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
