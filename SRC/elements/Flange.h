// The flange data item (DataType 11): a flange pair at the row's node, with
// its type, its weight, and for the flange check the gasket diameter and the
// allowable pressure.
//
// Model-file record, the same in every version: the type as an int32, then
// weight, gasket diameter and allowable pressure as floats. The type indexes
// kFlangeTypeNames (0 "???" for a flange not yet typed) and is checked on
// reading.
//
// The module: Flange.cpp (record), FlangeAnalysis.cpp, FlangeDialog.cpp
// (FLANGE_DIALOG and its library fill), FlangeList.cpp (the "Flanges" list
// and printed section).
#pragma once

#include <cstdint>

#include <string>

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

inline constexpr std::int32_t kFlangeTypeCount = 8;
extern const char* const kFlangeTypeNames[kFlangeTypeCount];

class Flange : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  // FlangeList.cpp: type name, weight, gasket diameter (empty for 0) and
  // allowable pressure in columns 2 to 5.
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;  // FlangeDialog.cpp
  // The picture (FlangeDrawing.cpp), while the flanges are shown: the
  // pair's faces in lines, two green discs rendered.
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawBounds() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const;
  // Analysis (FlangeAnalysis.cpp): the pair's weight, its inertia in the
  // seismic cases and its mass.
  void AddLoads(int rowNumber) override;
  void AddInertiaLoads(int rowNumber) override;
  void AddMasses(int rowNumber) override;

  std::int32_t type = 0;
  float weight = 0.0f;             // lb, of the pair
  float gasketDiameter = 0.0f;     // inch; 0 = not given
  float allowablePressure = 0.0f;  // psi; 0 = not given

  // Not stored: made again with every view.
  bool drawn = false;
  Quad2 outline = {};     // the side view, the line picture's pick area
  Quad2 faces = {};       // corners 0-1 and 2-3: the two faces
  TubeSymbol discs[2];
};
