// The anchor (DataType 1): fixes the pipe at the row's node in all six
// directions with a stiffness per direction, rigid (1.0e12) unless the user
// gives a value. It carries a tag, six releases for hanger selection, the
// choice of global axes or the pipe's local axes at the node, and up to
// twelve sets of specified displacements.
//
// Model-file record: tag (above version 720), KX, KY, KZ, KXX, KYY, KZZ,
// the six release bytes, the displacement flags (DisplacementSets.h), the
// two axis bytes (from version 670; older files give 0), then the
// displacement values when a flag is set.
//
// The module is split by concern: Anchor.cpp (record, copy, list text),
// AnchorAnalysis.cpp (stiffness, imposed displacements and loads),
// AnchorAxes.cpp (the pipe's local axes at the node), AnchorDialog.cpp
// (ANCHOR_DIALOG), AnchorList.cpp (the "Anchors" list and the printed
// section) and AnchorDrawing.cpp (the symbol: a box across the pipe in the
// rendered picture, the anchor sign or one spring per stiffness in lines,
// the arrows of the T1 displacements, and its pick).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/SymbolFrames.h"
#include "supports/DisplacementSets.h"
#include "supports/SupportLoads.h"

// Rows are the local x, y, z axes in global components.
using AxisRows = std::array<std::array<float, 3>, 3>;

class Anchor : public SupportItem<6> {
 public:
  Anchor();
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;
  // The symbol (AnchorDrawing.cpp).
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool HasSpecifiedDisplacements() const override { return displacements.HasAny(); }
  bool HasSettlement() const override { return displacements.flags[kSettlementSlot] != 0; }
  bool HasReleases() const override;

  // KX, KY, KZ (lb/inch) and KXX, KYY, KZZ (inch-pound per degree).
  std::array<float, 6> stiffness{};
  std::string tag;  // up to 11 characters
  std::array<std::uint8_t, 6> releases{};  // X, Y, Z, XX, YY, ZZ
  SpecifiedDisplacements displacements;
  std::uint8_t AnchorInPipeLcs = 0;
  std::uint8_t DisplacementsInPipeLcs = 0;
  AxisRows localAxes{};  // recomputed wherever they are used
  BoxSymbol box;         // the rendered symbol; its faces are the pick areas
};

constexpr std::size_t kAnchorTagLength = 11;

// All six stiffnesses between 0.98e12 and 1.02e12 inclusive.
bool IsRigidAnchor(const std::array<float, 6>& stiffness);
bool AnchorHasReleases(const Anchor& anchor);

// The pipe's local axes at the anchor's node into anchor.localAxes; throws
// "Unable to find anchor local direction at node <node>" when no element
// gives a direction there.
void AnchorLocalAxes(Anchor& anchor, int rowNumber);

// Inside the drawn symbol: one of the box's three faces in the rendered
// picture, the symbol's rectangle in lines.
bool AnchorHitTest(const Anchor& anchor, float x, float y, bool rendered);
