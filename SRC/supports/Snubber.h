// The snubber (DataType 8): a support that acts only under dynamic loads,
// along a direction given by its components, with a stiffness that is rigid
// unless the user gives one.
//
// Model-file record: the tag (above version 720), then stiffness and
// direction X, Y, Z as floats.
#pragma once

#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/SymbolFrames.h"
#include "supports/SupportLoads.h"
#include "supports/SupportSymbols.h"

class Snubber : public SupportItem<1>, public RunPreparedSupport, public SupportSymbol {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  // The symbol (SnubberDrawing.cpp): a dash-pot to the ground along the
  // direction.
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const override;
  // The analysis (SnubberAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;

  std::string tag;
  float stiffness = 1.0e12f;  // lb/inch; rigid
  float dirX = 0.0f, dirY = 0.0f, dirZ = 0.0f;  // as entered

  Direction3 analysisDirection{};  // unit, of the run

  // The symbol, made again with the view: the screen direction of the
  // dash-pot (none when end on or zero), and the rendered rod, cylinder and
  // ground block.
  bool endOn = false;
  float screenX = 1.0f, screenY = 0.0f;
  TubeSymbol rod, cylinder;
  BoxSymbol ground;
  bool drawn = false;
};

constexpr std::size_t kSnubberTagLength = 12;

// Whether a case of this type adds the snubbers' stiffness, and whether it
// reports their loads (the seismic and dynamic cases).
bool SnubberStiffnessCase(int type);
bool SnubberLoadCase(int type);
