// The elastic element (ElementType 15): a spring between the row's start node
// and its own node, with three translational and three rotational
// stiffnesses along local axes that the user gives by their global
// components (kept as entered, not normalised). 1.0e12 is rigid. The
// rotational stiffnesses are held, as every rotational stiffness of the
// program, in inch-pound per radian.
//
// Model-file record, the same in every version: the twelve floats kx, ky,
// kz, kxx, kyy, kzz, the local x axis and the local y axis.
//
// Its stiffness and end forces are in ElasticAnalysis.h, its dialog, list
// and picture in ElasticDialog.cpp, ElasticList.cpp and ElasticDrawing.cpp.
#pragma once

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class ElasticElement : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  // The picture: a line between the nodes, a box rendered (a cube at the
  // node when the two nodes coincide).
  void ComputeShape(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  float kx = 0.0f, ky = 0.0f, kz = 0.0f;     // lb per inch
  float kxx = 0.0f, kyy = 0.0f, kzz = 0.0f;  // inch-pound per radian
  float localX[3] = {0.0f, 0.0f, 0.0f};      // global components, as entered
  float localY[3] = {0.0f, 0.0f, 0.0f};

  // Not stored: made again with every view.
  bool shown = false;
  Quad2 pickQuad = {};
  BoxSymbol box;
};
