// The pipe element (ElementType 3): a straight pipe from the row's start
// node to its own node. Everything a pipe needs is on its row (offsets,
// material, section, load), so the object holds no values and its model-file
// record is empty. The cut pipe extends it.
//
// Drawing and picking (PipeDrawing.cpp) are shared with the cut pipe: the
// pipe is a line between the two ends of its straight run in the line
// picture and a tube of the section's outside radius in the rendered one;
// it is picked inside an outline 7 pixels either side of that line (the
// outline of the deflected shape while that is shown). The outlines and the
// tube are made again with every view.
#pragma once

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class PipeData : public ElementData {
 public:
  void ComputeShape(LayoutRow& row) override;
  void BuildGeometry(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;

  // Picking: inside the outline of the deflected shape while it is shown,
  // else inside the outline of the pipe.
  bool ElementOutlineContains(float x, float y) const;

  Quad2 outlines[2] = {};  // 0: as modelled; 1: deflected (set by the results)
  bool deflectedOutlineSet = false;
  TubeSymbol tube;
};
