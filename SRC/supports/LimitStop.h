// The limit stop (DataType 6): a one-directional support that lets the pipe
// move freely between a lower and an upper limit along a direction and stops
// it with a spring beyond them, with friction across the direction once a
// limit is reached. The direction comes from its components or from the line
// from a connected node.
//
// Model-file record: the tag (above version 720), lower and upper limit,
// direction X, Y, Z, friction coefficient and stiffness as floats, and the
// connected node as an int32 (recoded in files of version 681 and below).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/SymbolFrames.h"
#include "supports/SupportLoads.h"
#include "supports/SupportSymbols.h"

// Status of a limit stop in the iteration.
enum LimitStopStatus : std::int32_t { kStopFree = 0, kStopLowerReached = 1, kStopUpperReached = 2 };

class LimitStop : public SupportItem<2>, public RunPreparedSupport, public SupportSymbol {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  bool IsNonlinear() const override { return true; }
  bool HasConnectedNode() const override { return connectedNode != 0; }
  std::int32_t ConnectedNode() const override { return connectedNode; }
  // The symbol (LimitStopDrawing.cpp): a stop mark on the side of each
  // limit, or a rod to the connected node.
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const override;
  // The analysis (LimitStopAnalysis.cpp).
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;
  void PrepareForRun(int rowNumber) override;
  bool Iterates() const override { return true; }
  void ResetIteration() override;
  void UpdateIteration(int rowNumber) override;
  // The friction, the size of its two components across the direction.
  int SizedLoadIndex() const override { return 1; }
  std::array<double, 2> SizedLoadComponents(int rowNumber) const override;

  bool HasLower() const { return lowerLimit > -5.0e29f; }
  bool HasUpper() const { return upperLimit < 5.0e29f; }

  std::string tag;
  float lowerLimit = -1.0e30f;  // inch; beyond 5.0e29 in magnitude = none
  float upperLimit = 1.0e30f;
  float dirX = 0.0f, dirY = 0.0f, dirZ = 0.0f;  // all 0 = not given
  float frictionCoefficient = 0.0f;
  float stiffness = 1.0e12f;  // lb/inch; rigid
  std::int32_t connectedNode = 0;  // NodeId; 0 none

  // Analysis state (not in the model file).
  Direction3 direction{};  // unit, global
  Direction3 across2{}, across3{};
  std::int32_t status = kStopFree, savedStatus = kStopFree;
  double frictionStiffness = 0.0, savedFrictionStiffness = 0.0;
  double lastAxial = 0.0, lastTransverse = 0.0;
  int connectedIndex = 0;  // of the run; 0 none

  // The symbol, made again with the view: the screen direction of the
  // marks (none when the direction points at the viewer), the rendered
  // discs and rods of the lower and upper limits, and the link to the
  // connected node with its outline in lines.
  bool endOn = false;
  float screenX = 1.0f, screenY = 0.0f;
  std::array<TubeSymbol, 2> discs{}, rods{};
  TubeSymbol link;
  bool linked = false;
  Quad2 linkOutline{};
};

constexpr std::size_t kLimitStopTagLength = 12;

// The unit vector from the connected node to the limit stop's node at
// `nodeIndex` (zero when there is none to take).
Direction3 LimitStopDirection(const LimitStop& stop, int nodeIndex);
// The direction the results show: the input components, or the connected
// node's line when they are all but zero.
Direction3 LimitStopShownDirection(const LimitStop& stop, int nodeIndex);
