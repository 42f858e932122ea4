// The ball joint (ElementType 13): a joint that turns freely in every
// direction against a bending and a torsional spring, each with an optional
// rotation limit and friction torque, and with its own weight.
//
// Model-file record, seven floats: bending stiffness, torsional stiffness,
// bending and torsional rotation limits (both present from version 503;
// older files give 1.0e30, no limit), bending and torsional friction torque,
// weight. The iteration state of the analysis is not stored.
//
// In a run (BallJointAnalysis.cpp) the joint is rigid in translation, with
// the effective torsional spring about the pipe's direction at its node
// and the effective bending spring about the two axes across it; a limit
// or a friction torque of either makes it nonlinear, each spring iterated
// as the hinge joint's (HingeJoint.h), the bending friction shared between
// the two cross axes by the ratio of the moments about them.
//
// The module: BallJoint.cpp (record), BallJointAnalysis.cpp,
// BallJointDialog.cpp (BALL_DIALOG), BallJointList.cpp (the "Ball joints"
// list and section).
#pragma once

#include <array>
#include <string>

#include "elements/JointTurn.h"
#include "kindbase/ElementArrays.h"
#include "kindbase/NonlinearSupports.h"
#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class BallJoint : public ElementData, public RunPreparedSupport {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string CellText(int column) const override;  // BallJointList.cpp: columns 3 to 9
  void FillDialog(HWND dialog) override;             // BallJointDialog.cpp
  // The picture (BallJointDrawing.cpp): a circle at the node in lines, a
  // sphere rendered.
  void ComputeShape(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool IsNonlinear() const override {
    return bendingRotationLimit < 5.0e29f || torsionalRotationLimit < 5.0e29f || bendingFrictionTorque != 0.0f ||
           torsionalFrictionTorque != 0.0f;
  }
  // The run's iteration (BallJointAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  bool Iterates() const override { return IsNonlinear(); }
  void ResetIteration() override;
  void UpdateIteration(int rowNumber) override;

  float bendingStiffness = 0.0f;    // inch-pound per radian
  float torsionalStiffness = 0.0f;
  float bendingRotationLimit = 1.0e30f;  // radians; 5.0e29 or more = none
  float torsionalRotationLimit = 1.0e30f;
  float bendingFrictionTorque = 0.0f;  // inch-pound
  float torsionalFrictionTorque = 0.0f;
  float weight = 0.0f;  // lb

  // The analysis: the springs (0 entered is 1), their effective and secant
  // values, the moments and turns of the last pass (local x torsion, y and
  // z bending), the friction moments, and the element as last built.
  // The torsional spring's state is one turning spring's (JointTurn.h); the
  // bending spring's the same for the two cross axes together.
  double torsionSpring = 1.0, bendingSpring = 1.0;
  joint_turn::Spring torsion;
  double effectiveBending = 1.0;
  double secantTorsion = 1.0, secantBending = 1.0;
  std::array<double, 2> previousBending{};
  std::array<double, 3> moments{};
  std::array<double, 2> bendingFriction{};   // about local y and z
  std::array<double, 2> bendingLimitPair{};  // rigid spring times the rest turn
  std::array<double, 3> Pairs() const;       // the end moments the next solve loads
  Matrix12d builtStiffness{};
  std::array<double, 3> builtPairs{};  // the pairs the last assembly loaded
  ElementAxes builtAxes;
  int builtNode1 = 0, builtNode2 = 0;

  // Not stored: made again with every view.
  bool shown = false;
  float symbolRadius = 0.0f;
  Rect2 circle{};  // the line picture's circle, its pick area
  SphereSymbol sphere;
};

struct AnalysisElementInput;
struct ElementForceBuild;
void AssembleBallJoint(const AnalysisElementInput& input);
ElementForceBuild BallJointForceBuild(const AnalysisElementInput& input);
