// The reducer element (ElementType 9): a conical transition between two pipe
// sizes, given by the outside diameter and wall thickness at each end, with
// an optional cone angle and knuckle dimension for the code's reducer rules.
//
// Model-file record, the same in every version: OD1, Thk1, OD2, Thk2 and the
// cone angle as floats, the knuckles flag as a byte, then delta as a float.
// The cone angle is held in degrees, as the code rules read it; dialogs and
// lists show and take it in the Angle unit.
//
// Which of the optional fields a code uses (ReducerFieldMode): 0 none, 1
// the cone angle, 2 the cone angle, knuckles and delta (Swedish and
// Norwegian codes).
#pragma once

#include <cstdint>

#include "model/RowObjects.h"
#include "records/DrawingGeometry.h"

int ReducerFieldMode(int pipingCode);

class Reducer : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  // The cells of the Reducers list (ReducerList.cpp).
  std::string CellText(int column) const override;
  // The values into the open reducer dialog (ReducerDialog.cpp).
  void FillDialog(HWND dialog) override;
  // The picture (ReducerDrawing.cpp): the trapezoid between the two
  // diameters in lines, a cone rendered.
  void ComputeShape(LayoutRow& row) override;
  void BuildGeometry(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  float od1 = 0.0f;  // inch, at the start node
  float thk1 = 0.0f;
  float od2 = 0.0f;  // at the end node
  float thk2 = 0.0f;
  float coneAngle = 0.0f;  // degree; 0 = not given
  std::uint8_t knuckles = 0;
  float delta = 0.0f;  // knuckle dimension, inch; 0 = not given

  // Not stored: made again with every view.
  bool shown = false;
  Quad2 trapezoid = {};  // the line picture's symbol
  Quad2 outline = {};    // the rendered cone's outline
  Vec3 start{}, end{};
};

// Inside the drawn reducer: the cone's outline (rendered) or the trapezoid.
bool ReducerHitTest(const Reducer& reducer, float x, float y, bool rendered);
