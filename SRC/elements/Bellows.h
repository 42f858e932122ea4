// The bellows (ElementType 10): an expansion joint given by its axial,
// bending, torsional and lateral spring rates, its pressure thrust area, its
// weight and its mean diameter (from which a bending stiffness that is not
// given is derived).
//
// Model-file record, seven floats: axial, bending, torsional and lateral
// stiffness, pressure thrust area, weight, and the mean diameter, present
// from version 701 (older files leave it 0).
#pragma once

#include <string>

#include "model/RowObjects.h"
#include "records/DrawingGeometry.h"

class Bellows : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string CellText(int column) const override;  // BellowsList.cpp: columns 3 to 9
  void FillDialog(HWND dialog) override;             // BellowsDialog.cpp
  // The picture (BellowsDrawing.cpp): a barred rectangle in lines,
  // convolutions rendered.
  void ComputeShape(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  float axialStiffness = 0.0f;      // lb per inch
  float bendingStiffness = 0.0f;    // inch-pound per radian
  float torsionalStiffness = 0.0f;
  float lateralStiffness = 0.0f;    // lb per inch
  float pressureThrustArea = 0.0f;  // square inch
  float weight = 0.0f;              // lb
  float meanDiameter = 0.0f;        // inch

  // Not stored: made again with every view.
  bool shown = false;
  float radius = 0.0f;      // the section's outer radius
  Quad2 rectangle = {};     // the line picture's symbol
  Quad2 outline = {};       // the rendered convolutions' outline
  Vec3 start{}, end{};
};

// Inside the drawn bellows: the convolutions' outline (rendered) or the rectangle.
bool BellowsHitTest(const Bellows& bellows, float x, float y, bool rendered);
// How many convolutions the rendered bellows shows: its length over half
// its outer radius, whole, at least one.
int BellowsConvolutionCount(float length, float radius);
