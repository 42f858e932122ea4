// The restraint (DataType 2): a rigid support of the row's node in any
// combination of the global directions X, Y and Z, with an optional tag. It
// is linear in every load case: a held direction is a spring of 1.0e12 to
// the ground and its load is 1.0e12 times the node's displacement there.
//
// Model-file record: the tag (above version 720), then the three direction
// flags as bytes. The module is split by concern: Restraint.cpp (record,
// copy, analysis, list text), RestraintDialog.cpp (RESTRAINT_DIALOG),
// RestraintList.cpp (the "Restraints" list and its printed section),
// RestraintDrawing.cpp (two arrows or cones pointing at the node for each
// held direction, and their pick).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/DrawingGeometry.h"
#include "supports/SupportLoads.h"

class Restraint : public SupportItem<3> {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;
  // The symbol (RestraintDrawing.cpp).
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  bool Holds(int axis) const { return (axis == 0 ? restrainX : axis == 1 ? restrainY : restrainZ) != 0; }

  std::string tag;  // up to 12 characters
  std::uint8_t restrainX = 0;
  std::uint8_t restrainY = 0;
  std::uint8_t restrainZ = 0;

  // The rendered symbol, made again with the view: per direction, the
  // cones on the negative and the positive side (X-, X+, Y-, Y+, Z-, Z+),
  // each from its base to its tip, and their outlines, which are picked.
  float symbolSize = 0.0f;  // the pipe's outer radius at the row
  float coneRadius = 0.0f;  // 0.75 x symbolSize
  std::array<Vec3, 6> coneBases{};
  std::array<Vec3, 6> coneTips{};
  std::array<Triangle2, 6> arrowPicks{};
};

constexpr std::size_t kRestraintTagLength = 12;

// X only 1, Y only 2, Z only 3, X+Y 4, Y+Z 5, X+Z 6, X+Y+Z 7, none 0.
int RestraintDirectionCode(const Restraint& restraint);

// Inside the drawn symbol: a pick triangle of a held direction (rendered,
// tested X, Y, Z) or the symbol's rectangle (lines).
bool RestraintHitTest(const Restraint& restraint, float x, float y, bool rendered);
