// The concentrated mass (DataType 17): a weight at the row's node whose
// centre of gravity may be offset from the node.
//
// Model-file record, the same in every version: weight, DX, DY, DZ as floats.
//
// The module: ConcentratedMass.cpp (record), ConcentratedMassAnalysis.cpp,
// ConcentratedMassDialog.cpp (CMASS_DIALOG), ConcentratedMassList.cpp (the
// "Concentrated masses" list and printed section).
#pragma once

#include <string>

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class ConcentratedMass : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  // ConcentratedMassList.cpp: the weight (column 2) and, for an offset
  // mass, DX, DY and DZ (columns 3 to 5).
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;  // ConcentratedMassDialog.cpp
  // The picture (ConcentratedMassDrawing.cpp), while the masses are shown:
  // a crossed square at the centre of gravity in lines, a sphere rendered,
  // joined to the node when offset.
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const;
  // Analysis (ConcentratedMassAnalysis.cpp): its weight with the moment of
  // the offset, its inertia in the seismic cases and its mass.
  void AddLoads(int rowNumber) override;
  void AddInertiaLoads(int rowNumber) override;
  void AddMasses(int rowNumber) override;

  float weight = 0.0f;  // lb
  float dx = 0.0f;      // offset of the centre of gravity, inch
  float dy = 0.0f;
  float dz = 0.0f;

  // At least one offset is not 0.
  bool Offset() const { return dx != 0.0f || dy != 0.0f || dz != 0.0f; }

  // Not stored: made again with every view.
  bool drawn = false;
  bool offset = false;      // a rod joins the node to the centre of gravity
  float centreX = 0.0f, centreY = 0.0f;  // the centre of gravity in the view
  TubeSymbol rod;
  SphereSymbol sphere;
};
