// The generated model of the benchmarks: a serpentine line of 4.5-inch
// pipe with two long-radius bends at each turn, anchors every hundred rows
// and Y restraints on every third pipe, three thermal loads and the cases
// sustained, three operating and three expansion; saved under `path` when
// the caller writes it (the analysis writes its results beside it).
#pragma once

#include <string>

#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "supports/Restraint.h"

namespace bench_models {

inline int Row(Model& model, NodeId node, ElementType type, float dx, float dz) {
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

inline void Item(Model& model, int row, DataType type) {
  model.row(row).dataType = type;
  model.row(row).item = CreateDataItem(type);
}

inline void BuildSerpentine(Model& model, int rows, const std::string& path) {
  InitEmptyModel(model, AnalysisOptions());
  model.options.ThermalLoadCount = 3;
  Material steel;
  steel.name = "CS";
  steel.nu = 0.3f;
  steel.density = 0.2836f;
  steel.jointFactor = 1.0f;
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

}  // namespace bench_models
