// The rigid element (ElementType 14): a member much stiffer than the pipe
// around it (a heavy flange pair, an equipment body), with its own weight
// and a flag that adds the weights of the contents, insulation and lining.
//
// Model-file record: the weight as a float, then the add-CIL flag as a byte,
// present from version 781 (older files give 0).
#pragma once

#include <cstdint>

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class RigidElement : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  // The cells of the Rigid elements list (RigidList.cpp).
  std::string CellText(int column) const override;
  // The values into the open rigid element dialog (RigidDialog.cpp).
  void FillDialog(HWND dialog) override;
  // The picture (RigidDrawing.cpp): a line between the nodes, a box around
  // the pipe rendered.
  void ComputeShape(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  float weight = 0.0f;  // lb
  std::uint8_t addCil = 0;

  // Not stored: made again with every view.
  bool shown = false;
  Quad2 pickQuad = {};  // 7 pixels either side of the line
  BoxSymbol box;
};
