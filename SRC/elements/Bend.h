// The bend element (ElementType 4): a pipe bend described by its corner node.
// The row's node is where the tangents of the incoming and outgoing legs
// meet; making the model places the arc between a near point on the incoming
// leg and a far point on the outgoing leg, with up to two intermediate nodes
// on the arc. The object holds the user's input (radius and its kind,
// thickness, material, flexibility factors, SIFs, intermediate nodes) and
// the geometry that making the model computes (valid flag, bend angle,
// centre of curvature, far node).
//
// Model-file record, oldest fields first; later versions added the material
// and flexibility factor (above 500), the in- and out-plane SIFs (above 502),
// the out-plane flexibility factor and the axial and torsion SIFs (above
// 780); the material took 6 bytes from version 681. MiterBend and
// JacketedBend extend the record at its end.
#pragma once

#include <cstdint>
#include <string>

#include "elements/BendDrawing.h"
#include "elements/BendGeometry.h"
#include "model/KindRecords.h"
#include "model/RowObjects.h"

// Bend::radiusType
class Bend : public ElementData, public BendRecord {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  // The input fields; the geometry is made again with the model.
  void CopyFrom(const ElementData& other) override;
  // The cells of the Bends list (BendList.cpp).
  std::string CellText(int column) const override;
  // The values into the open bend dialog (BendDialog.cpp).
  void FillDialog(HWND dialog) override;
  // The picture (BendDrawing.cpp): screen shape and outlines from the
  // row's node positions, the 3D tube and arc, 2D and OpenGL drawing, and
  // the pick of the drawn bend.
  void ComputeShape(LayoutRow& row) override;
  void BuildGeometry(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  // Inside the lead-in's outline (rendered or lines): the bend picked as
  // the pipe that runs into it.
  bool LeadInContains(float x, float y, bool rendered) const;

  BendRecord* AsBend() override { return this; }
  const BendRecord* AsBend() const override { return this; }

  BendScreenShape shape;     // not stored: made again by ComputeShape
  BendDrawing drawing;       // not stored: made again with the view

 protected:
  // `kind` names the record in a damaged-file message.
  void ReadBendRecord(BinaryFile& file, const char* kind);
  void WriteBendRecord(BinaryFile& file) const;
  void CopyBendInput(const Bend& source);
};

// Inside the drawn bend: the arc-third outlines (rendered) or the
// near-corner-far triangle (lines) of a valid bend, the lead-in outline of
// one whose arc is not placed (BendDrawing.cpp).
bool BendHitTest(const Bend& bend, float x, float y, bool rendered);
