// The nozzle (DataType 7): the end of the piping at a vessel wall, attached
// through local flexibilities that follow from the vessel's type (cylinder,
// sphere or flat-bottom tank) and dimensions. The three stiffnesses are
// computed when the dialog stores the nozzle and kept with it. It may carry
// specified displacements of the vessel wall, always in global axes.
//
// Model-file record: the tag (above version 720), the flat-bottom and pad
// bytes, the thirteen floats from the nozzle OD to the longitudinal bending
// stiffness, the displacement flags (DisplacementSets.h), the spherical byte
// (above version 700; older files give 0), then the displacement values when
// a flag is set.
//
// The module is split by concern: Nozzle.cpp (record, copy), NozzleDialog.cpp
// (NOZZLE_DIALOG and its checks), NozzleStiffness.cpp (the three springs
// from the vessel's geometry), NozzleAnalysis.cpp (the axes, the 6 x 6
// stiffness, the vessel's movements and the six local loads),
// OtherSupportLists.cpp (the "Nozzles" and "Nozzle stiffnesses" lists and
// their printed sections), NozzleResults.cpp (the loads table and summary) and
// NozzleDrawing.cpp (the symbol: a stub and the vessel wall's disk).
//
// The six loads, of the case and in the results file, are in the nozzle's
// axes: a along the pipe into the vessel, c and l across it (for a cylinder
// or a tank, l = a x v with v the vessel axis, so c lies along the vessel and
// l round it). Their order is P = Fa, VL (along c), VC (along l), MT (about
// a), MC (about c) and ML (about l).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/SymbolFrames.h"
#include "supports/DisplacementSets.h"
#include "supports/SupportLoads.h"
#include "supports/SupportSymbols.h"

class Nozzle : public SupportItem<6>, public RunPreparedSupport, public SupportSymbol {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const override;
  void PrepareForRun(int rowNumber) override;
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;
  bool HasSpecifiedDisplacements() const override { return displacements.HasAny(); }
  bool HasSettlement() const override { return displacements.flags[kSettlementSlot] != 0; }

  std::string tag;
  std::uint8_t flatBottom = 0;
  std::uint8_t reinforcingPad = 0;  // flat-bottom tanks only
  float nozzleOd = 0.0f;            // inch
  float nozzleThickness = 0.0f;
  float vesselOd = 0.0f;            // the radius "R" of a spherical vessel
  float vesselThickness = 0.0f;
  float l1 = 0.0f;
  float l2 = 0.0f;
  float elasticModulus = 0.0f;      // psi
  std::array<float, 3> vesselAxis{};
  float axialStiffness = 0.0f;
  float circumferentialStiffness = 0.0f;
  float longitudinalStiffness = 0.0f;
  SpecifiedDisplacements displacements;
  std::uint8_t spherical = 0;

  // The axes of the run (NozzleAxes): a along the pipe, l and c across.
  Direction3 axisA{}, axisL{}, axisC{};
  // The symbol, made again with the view: the stub and the wall's disk.
  TubeSymbol stub, wall;
  bool drawn = false;
};

constexpr std::size_t kNozzleTagLength = 12;

// The nozzle's axes at the row's node into the item; throws "Unable to find
// nozzle direction at node %s" or "Nozzle at node %s has parallel nozzle and
// vessel axes".
void NozzleAxes(Nozzle& nozzle, int rowNumber);
// "Sph", "Flat" or "Cyl".
const char* NozzleVesselTypeText(const Nozzle& nozzle);
