// The spider (DataType 9): a jacket connection that ties the core pipe's node
// to the jacket node around it across the pipe. It has no values of its own
// and no record in the model file (the base's empty read and write); its
// jacket node and frame are found when the analysis elements are made
// (JacketConnections.h). Its symbol: three radial spokes at the node just
// reaching the jacket (rendered); in lines the same spokes projected,
// at least 8 pixels long.
#pragma once

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class Spider : public DataItem {
 public:
  std::string CellText(int column) const override;
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;

  bool shown = false;  // not stored: made again with every view
  TubeSymbol spokes[3];
  float x = 0.0f, y = 0.0f;            // the node on screen
  float tips[3][2] = {};              // the spokes' ends from it, in lines
};
