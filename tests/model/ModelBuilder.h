// Building small models row by row for the model tests.
#pragma once

#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/RowObjects.h"

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
