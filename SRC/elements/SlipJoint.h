// The slip joint (ElementType 11): a joint that slides along and turns about
// the pipe axis once its friction force or friction torque is overcome, with
// a pressure thrust area and its own weight.
//
// Model-file record, the same in every version: friction force, friction
// torque, pressure thrust area and weight as floats. The iteration state of
// the analysis is not stored.
//
// In a run (SlipJointAnalysis.cpp) a joint with friction is nonlinear:
// each direction, sliding and turning, is free in the first pass of a case,
// then slides against its friction (a spring of 1 and the friction F
// applied as a pair of end loads against the movement) or is held (a rigid
// spring) by Coulomb's law. The pressure thrust drives the slide like any
// other load; the friction resists it and never takes the thrust's sign.
//
// The module: SlipJoint.cpp (record), SlipJointAnalysis.cpp,
// SlipJointDialog.cpp (SLIP_DIALOG), SlipJointList.cpp (the "Slip joints"
// list and section).
#pragma once

#include <string>

#include "kindbase/ElementArrays.h"
#include "kindbase/ElementCaseValues.h"
#include "kindbase/NonlinearSupports.h"
#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class SlipJoint : public ElementData, public RunPreparedSupport {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string CellText(int column) const override;  // SlipJointList.cpp: columns 3 to 6
  void FillDialog(HWND dialog) override;             // SlipJointDialog.cpp
  // The picture (SlipJointDrawing.cpp): a rectangle with two bars in
  // lines; rendered, a sleeve between two glands.
  void ComputeShape(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool IsNonlinear() const override { return frictionForce != 0.0f || frictionTorque != 0.0f; }
  // The run's iteration (SlipJointAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  bool Iterates() const override { return IsNonlinear(); }
  void ResetIteration() override;
  void UpdateIteration(int rowNumber) override;

  float frictionForce = 0.0f;   // lb
  float frictionTorque = 0.0f;  // inch-pound
  float pressureThrustArea = 0.0f;  // square inch
  float weight = 0.0f;          // lb

  // The analysis: the state the stiffness and the friction pair read, and
  // the element as the last assembly built it (local axes).
  SlipJointState run;
  double previousAxial = 0.0;
  double previousRotation = 0.0;
  int pressedAxial = 0, pressedRotation = 0;  // the way a held pass pressed past the friction
  Matrix12d builtStiffness{};
  ElementAxes builtAxes;
  int builtNode1 = 0, builtNode2 = 0;

  // Not stored: made again with every view.
  bool shown = false;
  float radius = 0.0f;   // the section's outer radius
  Quad2 rectangle = {};  // the line picture's symbol
  TubeSymbol sleeve, glands[2];
};
