// The hinge joint (ElementType 12): a joint that turns about one axis, with a
// rotational spring, an optional rotation limit, a friction torque to
// overcome before it turns, and its own weight. The axis is kept as entered,
// in global components.
//
// Model-file record, seven floats: stiffness, rotation limit (present from
// version 503; older files give 1.0e30, no limit), friction torque, weight,
// axis X, Y, Z. The iteration state of the analysis is not stored.
//
// In a run (HingeJointAnalysis.cpp) the joint is rigid but for the turn
// about its unit axis, held by the effective spring of the pass; a
// friction torque or a rotation limit makes it nonlinear: each pass finds
// the moment M about the axis and the turn r from the last solve, applies
// the friction (at most |M|, against M) as a pair of end moments, holds
// the turn at the limit once it passes it (JointTurn.h), and lets it stick
// (a spring carrying just over the friction) while |M| is below the
// friction torque. A hinge without an axis stops the run.
//
// The module: HingeJoint.cpp (record), HingeJointAnalysis.cpp,
// HingeJointDialog.cpp (HINGE_DIALOG), HingeJointList.cpp (the "Hinge
// joints" list and section).
#pragma once

#include <string>

#include "elements/JointTurn.h"
#include "kindbase/ElementArrays.h"
#include "kindbase/NonlinearSupports.h"
#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

// A rotation limit at or above this is none.
inline constexpr float kNoRotationLimit = 5.0e29f;

class HingeJoint : public ElementData, public RunPreparedSupport {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string CellText(int column) const override;  // HingeJointList.cpp: columns 3 to 9
  void FillDialog(HWND dialog) override;             // HingeJointDialog.cpp
  // The picture (HingeJointDrawing.cpp): two circles at the node in
  // lines; rendered, a sphere on a rod along the hinge's axis.
  void ComputeShape(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool IsNonlinear() const override { return frictionTorque != 0.0f || rotationLimit < kNoRotationLimit; }
  // The run's iteration (HingeJointAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  bool Iterates() const override { return IsNonlinear(); }
  void ResetIteration() override;
  void UpdateIteration(int rowNumber) override;

  float stiffness = 0.0f;        // inch-pound per radian
  float rotationLimit = 1.0e30f; // radians; 5.0e29 or more = none
  float frictionTorque = 0.0f;   // inch-pound
  float weight = 0.0f;           // lb
  float axis[3] = {0.0f, 0.0f, 0.0f};

  // The analysis: the spring (0 entered is 1), the state of the turning
  // spring (effective spring, friction and limit pairs, last turn), the
  // secant, the moment of the last pass, and the element as the last
  // assembly built it with the pair it loaded.
  double spring = 1.0;
  joint_turn::Spring turn;
  double secant = 1.0;
  double axisMoment = 0.0;
  Matrix12d builtStiffness{};
  double builtPair = 0.0;
  ElementAxes builtAxes;
  int builtNode1 = 0, builtNode2 = 0;

  // Not stored: made again with every view.
  bool shown = false;
  bool axisShown = false;  // a zero axis draws the sphere alone
  float symbolRadius = 0.0f;
  Rect2 circle{};  // the line picture's outer circle, its pick area
  SphereSymbol sphere;
  TubeSymbol axisTube;
};

struct AnalysisElementInput;
struct ElementForceBuild;
// The assembly's part (stiffness, friction pair, weight and masses) and
// the force routine's build.
void AssembleHingeJoint(const AnalysisElementInput& input);
ElementForceBuild HingeJointForceBuild(const AnalysisElementInput& input);
