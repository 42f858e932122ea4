// The valve element (ElementType 8): a straight piece of pipe with its own
// weight, a wall-thickness multiplier for its stiffness, an insulation-weight
// multiplier, an optional additional weight (an actuator) offset from the
// valve's centre, its length when it differs from the row's span, and the
// valve type chosen from the valve type texts.
//
// Model-file record: nine fields, the eight floats in the order below and the
// valve type as an int32, present in files above version 510 (older files
// give 0). The type indexes kValveTypeNames and is checked on reading.
#pragma once

#include <cstdint>

#include "model/GlSolids.h"
#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "properties/ValveLibrary.h"  // the valve type texts
#include "records/DrawingGeometry.h"

// What a valve keeps for the picture, made again with every view and never
// stored (ValveDrawing.cpp). The line picture: the bow tie (two triangles
// meeting at the valve's centre, as wide as the pipe) and, with an
// additional weight, the weight's box at its offset and the triangle that
// joins it to the centre. The rendered one: the body sphere at the centre,
// the pipe through it, the stem to the handwheel (up from the pipe, or to
// the additional weight) and the wheel.
struct ValveDrawing {
  bool shown = false;  // the row's section gives a radius and both nodes exist
  Triangle2 bowTie[2] = {};
  bool weightShown = false;
  float centreX = 0.0f, centreY = 0.0f;  // view units
  float weightX = 0.0f, weightY = 0.0f;
  Quad2 weightBox = {};
  Triangle2 weightJoin = {};
  float radius = 0.0f;  // of the pipe, model units
  Vec3 start{}, end{}, middle{}, stemEnd{};
  SphereSymbol body;
  TubeSymbol pipe;
  TubeSymbol stem;
  ValveWheel wheel;
  SphereSymbol wheelPick;
};

class Valve : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  // The cells of the Valves list (ValveList.cpp).
  std::string CellText(int column) const override;
  // The values into the open valve dialog (ValveDialog.cpp).
  void FillDialog(HWND dialog) override;
  // The picture and the pick (ValveDrawing.cpp).
  void ComputeShape(LayoutRow& row) override;
  void BuildGeometry(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  float weight = 0.0f;                      // lb
  float length = 0.0f;                      // inch; 0 = the row's span
  float thicknessMultiplier = 3.0f;         // "Thickness  X"
  float insulationWeightMultiplier = 1.75f; // "Insulation weight  X"
  float additionalWeight = 0.0f;            // lb; 0 = none
  float dx = 0.0f;  // offset of the additional weight from the centre, inch
  float dy = 0.0f;
  float dz = 0.0f;
  std::int32_t valveType = 0;
  ValveDrawing drawing;  // not stored
};

// Inside the drawn valve: its solids' screen areas (rendered) or the bow tie
// and the weight's box and triangle (lines).
bool ValveHitTest(const Valve& valve, float x, float y, bool rendered);

// A valve given a length spans the row's offsets: offsets set on any road
// (the Layout's cells, the offsets and slope dialogs) give it their length.
void ValveLengthFollowsOffsets(LayoutRow& row);
