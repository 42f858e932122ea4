// The jacket end cap (DataType 10): the jacket connection that closes the
// jacket at the core pipe's node, tying the two in all six freedoms. It has
// no values of its own and no record in the model file (the base's empty
// read and write). Its symbol: a disc across the pipe just wider than the
// jacket (rendered), a line across the pipe in lines.
#pragma once

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class JacketEndCap : public DataItem {
 public:
  std::string CellText(int column) const override;
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;

  bool shown = false;  // not stored: made again with every view
  TubeSymbol disc;
  float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;  // the line across the pipe
};
