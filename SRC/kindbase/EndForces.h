// The element end forces that the analysis recovers at the output step of
// every load case and writes as one 48-byte record per element (twelve
// f32: end 1 force and moment, then end 2's, each in its end's frame).
// End 2 holds what the node exerts on the element, end 1 the negative of
// that, so an element without span loads carries the same section forces
// at both ends. Values below 1.0e-30 in size are written as 0.
//
// The end frames of every kind (ComputeElementEndFrames,
// elements/ElementForces.h): x along the element (the arc's tangent for
// bends, whose end-2 frame turns with the arc), y and z as the model's
// local-frame rule gives them.
//
// Side outputs follow the dynamic run's wishes (g_ElementForceRun): the
// dynamic susceptibility record of pipe-kind elements, the envelope or sum
// of squares of the records, the modal-forces row writer and no writing.
// Each kind's force routine ends in OutputElementForces; the routines and
// their dispatch are elements/ElementForces.h.
#pragma once

#include <array>
#include <vector>

#include "kindbase/ElementArrays.h"
#include "kindbase/ElementCaseValues.h"

struct Model;
struct BinaryFile;

struct ElementEndFrames {
  ElementAxes end1;
  ElementAxes end2;
  double bendAngle = 0.0;  // curved elements: the arc's angle
};

enum class ElementForceAccumulation { None, Envelope, SumOfSquares };

// What the run asks of the recovery; a static run leaves it as it is.
struct ElementForceRun {
  bool recovering = false;  // set while a force routine runs (stiffness leaves states alone)
  bool susceptibility = false;
  BinaryFile* susceptibilityFile = nullptr;
  ElementForceAccumulation accumulation = ElementForceAccumulation::None;
  std::vector<Vector12d> accumulator;  // by element index, sized by the run
  bool noWrite = false;
  void (*modalForcesRow)(int element, const Vector12d& forces) = nullptr;
  // The first element whose written record holds a value that no f32
  // holds (infinite, not a number, or beyond the range; 0: none); the
  // writer of the block reads and clears it.
  int unfitElement = 0;
};
extern ElementForceRun g_ElementForceRun;

// Whether a value is one that the results file's f32 holds as it is (not
// infinite, not a number, within its range).
bool FitsResultsFile(double value);

// What a kind's force routine builds for the case before it reads the
// displacements: its local stiffness S, its equivalent end loads F (local)
// and its frames; a curved kind turns the end-2 half of its record into end
// 2's frame by the arc's angle. The build depends on the case and on the
// states the case's iteration left, never on the displacements, so a run
// that recovers the forces of many displacement vectors under one case
// (the modes of a spectrum) builds each element once.
struct ElementForceBuild {
  Matrix12d stiffness{};
  Vector12d loads{};
  ElementEndFrames frames;
  bool turnsEndTwo = false;
};

// The record of a build for the displacements u (in the end-1 frame):
// -(S u - F) at end 1 and (S u - F) at end 2, end 2 turned into its own
// frame when the build turns it.
Vector12d ElementForceRecord(const ElementForceBuild& build, const Vector12d& u);
// The recovery from a build: the record of the solved displacements; then
// the side outputs and the record written.
void TransformElementForces(int element, const AnalysisElementInput& input, const ElementForceBuild& build);
// The side outputs and the write of a finished record (every kind's last step).
void OutputElementForces(int element, const AnalysisElementInput& input, const Vector12d& record,
                         const ElementEndFrames& frames);

// Dynamic susceptibility: the transverse displacement and bending moment
// at each end (d1, m1, d2, m2), each dropped to 0 when negligible beside
// the axial values or the other end's; u holds the global displacements.
std::array<float, 4> SusceptibilityValues(const ElementEndFrames& frames, const Vector12d& u, const Vector12d& record);

