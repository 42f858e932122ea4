// The guide (DataType 5): holds the pipe at the row's node against movement
// across the pipe while it slides along its axis, with one lateral stiffness,
// an optional gap on each side, Coulomb friction for the sliding, and
// optionally a connected node to act against instead of the ground.
//
// Model-file record: the tag (above version 720), friction coefficient and
// stiffness as floats, then from version 503 the gap as a float and the
// connected node as an int32 (recoded in files of version 681 and below;
// older files give gap 0 and no connected node).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/SymbolFrames.h"
#include "supports/SupportLoads.h"
#include "supports/SupportSymbols.h"

// Contact of one lateral direction of a guide in the iteration.
enum GuideContact : std::int32_t { kGuideOpen = 0, kGuideNegative = 1, kGuidePositive = 2 };

class Guide : public SupportItem<3>, public RunPreparedSupport, public SupportSymbol {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  // Gaps and friction make it nonlinear; without both it is two springs.
  bool IsNonlinear() const override { return gap != 0.0f || frictionCoefficient != 0.0f; }
  bool HasConnectedNode() const override { return connectedNode != 0; }
  // The symbol (GuideDrawing.cpp): two rails along the pipe in lines, a
  // block round the pipe rendered, a rod to the connected node.
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const override;
  // The analysis (GuideAnalysis.cpp).
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;
  void PrepareForRun(int rowNumber) override;
  bool Iterates() const override { return IsNonlinear(); }
  void ResetIteration() override;
  void UpdateIteration(int rowNumber) override;

  std::string tag;
  float frictionCoefficient = 0.0f;
  float stiffness = 1.0e12f;  // lb/inch; rigid
  float gap = 0.0f;           // inch, each side
  std::int32_t connectedNode = 0;  // NodeId; 0 = the ground

  // Analysis state (not in the model file): the pipe axis and the two
  // lateral axes, the axial friction stiffness, the last displacements and
  // the contact of each lateral direction, with the copies kept from the
  // operating case for the modal case and the responses built from it.
  Direction3 axis{}, lateral1{}, lateral2{};
  double frictionStiffness = 0.0, savedFrictionStiffness = 0.0;
  double lastAxial = 0.0, lastLateral1 = 0.0, lastLateral2 = 0.0;
  std::int32_t contact1 = kGuideOpen, contact2 = kGuideOpen;
  std::int32_t savedContact1 = kGuideOpen, savedContact2 = kGuideOpen;
  int connectedIndex = 0;  // of the run; 0 none

  // The symbol, made again with the view: the four corners of the lines
  // picture (the rails are the sides 0-1 and 2-3) and its pick outline, the
  // rendered block and the rod to the connected node.
  std::array<float, 4> cornerX{}, cornerY{};
  Quad2 outline{};
  BoxSymbol block;
  TubeSymbol rod;
  bool linked = false;
};

constexpr std::size_t kGuideTagLength = 12;

// The pipe axis at the guide's node and the lateral axes across it (the
// local frame rule); false when no pipe gives a direction there.
bool GuideLocalAxes(Guide& guide, int nodeIndex);
// The guide's loads of the case loaded in global axes: fx a + fy l1 + fz l2
// component by component, or, for a dynamic case, the sum of those parts'
// magnitudes; zeros when no pipe gives the node a direction.
std::array<float, 3> GuideGlobalLoads(Guide& guide, int nodeIndex, bool dynamic);
