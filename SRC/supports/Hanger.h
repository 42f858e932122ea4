// The hanger (DataType 4): supports the pipe vertically at the row's node.
// One kind word covers four kinds: a spring hanger designed against catalogue
// 1 to 34, a user hanger (101) with a given spring rate and load, a rod
// hanger (102) and a constant support (103). It may hang from a connected
// node instead of the ground.
//
// Model-file record: the tag (above version 720), kind, number of hangers
// and maximum load variation as int32, the short-range byte, the above byte
// (from version 521; older files give 1), the connected node (recoded before
// version 682), the load type as int32, then spring rate and load as floats.
//
// The module is split by concern: Hanger.cpp (record, copy, list text),
// HangerDialogs.cpp (HANGER_DIALOG, USER_HANGER_DIALOG,
// CONSTANT_SUPPORT_DIALOG and ROD_HANGER_DIALOG), HangerCatalogue.cpp (the
// catalogues' load tables and the design against them), HangerAnalysis.cpp
// (the hanger steps, the stiffness and loads of each step, the rod hanger's
// one-way rule, the case load), HangerDrawing.cpp (the symbol) and
// HangerResults.cpp (the loads table, the hanger report and the LICAD
// interface file); the lists are in OtherSupportLists.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/SymbolFrames.h"
#include "supports/SupportLoads.h"
#include "supports/SupportSymbols.h"

inline constexpr std::int32_t kHangerCatalogueCount = 34;
inline constexpr std::int32_t kUserHanger = 101;
inline constexpr std::int32_t kRodHanger = 102;
inline constexpr std::int32_t kConstantSupport = 103;
inline constexpr std::int32_t kGrinnellCatalogue = 16;

class Hanger : public SupportItem<1>, public RunPreparedSupport, public SupportSymbol {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  bool IsNonlinear() const override { return kind == kRodHanger; }
  bool HasConnectedNode() const override { return connectedNode != 0; }
  std::int32_t ConnectedNode() const override { return connectedNode; }
  // The symbol (HangerDrawing.cpp).
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const override;
  // The analysis (HangerAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  bool Iterates() const override { return kind == kRodHanger; }
  void ResetIteration() override;
  void UpdateIteration(int rowNumber) override;
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;
  // The summary rows hold the total load of the N hangers at the node.
  void StoreTimeLoads(int row) override;
  void AccumulateTimeLoads(int base, int row) override;
  void DifferenceTimeLoads(int base, int row) override;

  std::string tag;  // up to 11 characters
  std::int32_t kind = kGrinnellCatalogue;
  std::int32_t numberOfHangers = 1;     // at least 1
  std::int32_t maximumLoadVariation = 25;  // percent, designed hangers
  std::uint8_t shortRange = 0;
  std::uint8_t above = 1;  // 0 = "Hanger below"
  std::int32_t connectedNode = 0;  // NodeId; 0 = the ground
  std::int32_t loadType = 0;       // user hanger: 1 cold load, 0 hot load
  float springRate = 0.0f;         // lb/inch, user hanger
  float load = 0.0f;               // lb per hanger; 0 = to be computed

  // The design and analysis values of the last run (cleared when a run
  // prepares): the catalogue series and size, the rate in use (a rod
  // hanger's current state: 0 or rigid), the vertical travel (upwards
  // positive) and horizontal movement, the hot and cold loads of one
  // hanger, the equations of the vertical direction at the node and the
  // connected node.
  std::string series, size;
  float rate = 0.0f, savedRate = 0.0f;
  float travel = 0.0f, horizontal = 0.0f;
  float hotLoad = 0.0f, coldLoad = 0.0f;
  std::int32_t equation = 0, connectedEquation = 0;
  int connectedIndex = 0;
  // A user hanger without a load has it found like a designed hanger's;
  // the run keeps that here, never in the stored load type, so the user's
  // Hot or Cold is the same after the run.
  bool loadToFind = false;

  // The symbol, made again with the view.
  TubeSymbol rod, spring;
  BoxSymbol plate;
  bool drawn = false;
  float screenX = 0.0f, screenY = 1.0f;  // the marker's direction in lines
};

constexpr std::size_t kHangerTagLength = 11;

// "Grinnell" ... "User hanger", "Rod Hanger", "Const Support".
std::string HangerKindText(std::int32_t kind);
bool IsDesignedHanger(std::int32_t kind);
