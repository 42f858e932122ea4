// The beam element (ElementType 17): a straight structural member (steel
// beam, column or brace) between the row's start node and its own node. Its
// row names a beam material, beam section and beam load instead of the pipe
// records; the object holds what is particular to one beam: the orientation
// angle beta of its cross-section about its own axis and the twelve end
// releases.
//
// Model-file record, 16 bytes in every version: beta as a float (degrees),
// then the twelve release bytes, From end first, each end in the order
// Axial, Major Bending, Minor Bending, Torsion, Major Shear, Minor Shear.
//
// The local frame: x from the start node to the row's node, y and z by the
// model's local-frame rule (BuildLocalFrame), then y and z turned by beta
// about x (y' = y cos beta + z sin beta). The depth of the section lies along
// local y with Y vertical, along local z with Z vertical.
//
// The picture (elements/BeamDrawing.cpp) draws a line in 2D and an I-shape
// of three boxes (web and two flanges) in the rendered picture; the dialog
// is elements/BeamDialog.h, the list elements/BeamList.h and the analysis
// elements/BeamAnalysis.h. The outline and boxes are caches rebuilt from the
// row and never stored.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/RowObjects.h"
#include "model/SymbolFrames.h"

inline constexpr int kBeamReleaseCount = 12;

// The releases in record order, at each end.
enum BeamRelease : int { kReleaseAxial, kReleaseMajorBending, kReleaseMinorBending, kReleaseTorsion,
                         kReleaseMajorShear, kReleaseMinorShear };

class Beam : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  void ComputeShape(LayoutRow& row) override;
  void BuildGeometry(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  float beta = 0.0f;  // degrees
  std::array<std::uint8_t, kBeamReleaseCount> releases{};  // 1 = released

  // Drawing caches.
  Quad2 outline{};
  std::array<BoxSymbol, 3> boxes{};  // web, upper flange, lower flange
  bool boxesBuilt = false;
};

// The beam's local axes between two node indexes (float, for the picture,
// the dialog and the local-axes triad).
struct BeamFrame {
  Vec3 x{1.0f, 0.0f, 0.0f};
  Vec3 y{0.0f, 1.0f, 0.0f};
  Vec3 z{0.0f, 0.0f, 1.0f};
};
struct NodeTable;
BeamFrame BeamLocalFrame(const NodeTable& nodes, int startNode, int endNode, float betaDegrees, bool zVertical);
// Whether a picked point hits the beam: its boxes in the rendered picture,
// its outline in the line picture.
bool BeamHitTest(const Beam& beam, float x, float y, bool rendered);
