// Building small models row by row for the model tests.
#pragma once

#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"

inline int AddRow(Model& model, NodeId node, ElementType type, float dx = 0.0f, float dy = 0.0f,
                  float dz = 0.0f) {
  const int number = ++model.rowCount;
  LayoutRow& row = model.row(number);
  row.node = node;
  row.elementType = type;
  row.element = CreateElementData(type);
  row.dx = dx;
  row.dy = dy;
  row.dz = dz;
  return number;
}

inline void PutItem(Model& model, int row, DataType type) {
  model.row(row).dataType = type;
  model.row(row).item = CreateDataItem(type);
}

inline const NodeRecord& NodeById(const Model& model, NodeId id) {
  static const NodeRecord none;
  const int index = FindNodeIndex(model.nodes, id);
  return index == 0 ? none : model.nodes[index];
}

// The properties the editing tests' rows name: material "CS" (one
// temperature row), section "S4" (4.5 in x 0.237 in) and pipe load "L1".
inline void AddTestProperties(Model& model) {
  Material steel;
  steel.name = "CS";
  steel.jointFactor = 1.0f;
  steel.numtemps = 1;
  steel.temps.resize(2);
  steel.temps[1].values = {70.0f, 2.9e7f, 0.0f, 2.0e4f, 3.5e4f, 6.0e4f, 0.0f, 0.0f};
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
  AppendPipeLoad(model.pipeLoads, load);
}
