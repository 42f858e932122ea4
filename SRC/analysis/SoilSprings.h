// Buried pipe in the analysis: the soil holding a buried pipe element is
// turned into elastic-perfectly-plastic springs at its two end nodes, an
// axial one along the pipe, a transverse one across it in the horizontal
// plane and a vertical one that bears downwards and resists uplift with
// other stiffness and capacity. Each spring is linear up to its maximum load
// and then carries that load only; the nonlinear iteration replaces its
// stiffness by the secant F / |d| until the solution settles.
//
// The springs are iterated only in the buried steps (types 20, 38 to 40 and
// 117 to 123: the operating state of each temperature). Each of those steps
// keeps the stiffness it settled on in a slot, and every later case of the
// same temperature family assembles the slot's stiffness, linear, so that
// sustained, expansion and occasional cases see the soil as the operating
// state left it. T4 to T10 reset and update their springs like T1 to T3:
// without that they would keep T3's settled stiffness unchecked.
//
// An element loses its springs where they would mean nothing: shorter than
// 0.01 or lying at or above the ground. The results file gets one summary
// record per buried element (the whole element's values; each end node has
// half), the count 0 for a model that is not buried.
//
// Run state of the GUI thread: filled at the start of a run, emptied at its
// end (ClearSoilSprings). Start reading at ComputeSoilSprings.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "resultsfile/ResultsFile.h"

struct Model;
struct Soil;
struct AnalysisElementList;
struct BinaryFile;

// The whole element's maximum loads and stiffnesses (load / yield
// displacement), lb and lb/in.
struct SoilSpringValues {
  double axialLoad = 0.0, transverseLoad = 0.0, downLoad = 0.0, upLoad = 0.0;  // Tu, Pu, Qd, Qu
  double axialStiffness = 0.0, transverseStiffness = 0.0, downStiffness = 0.0, upStiffness = 0.0;
};

// One element's values: outside diameter D, length L, horizontal projection
// Lh, depth H of the centre below the ground (H > 0) and the yield
// displacement factor (the displacement at the maximum load is factor x D).
SoilSpringValues ElementSoilSpringValues(const Soil& soil, double D, double L, double Lh, double H, double factor);

struct DirectionalSoilSpring {
  std::int32_t node = 0;
  float initialStiffness = 0.0f;
  float maximumLoad = 0.0f;
  std::array<float, 3> direction{};
  float current = 0.0f;
  std::array<float, 10> saved{};  // slots 1 .. 10 at [0] .. [9]
  double previous = 0.0;
};

struct VerticalSoilSpring {
  std::int32_t node = 0;
  float downStiffness = 0.0f, downLoad = 0.0f;
  float upStiffness = 0.0f, upLoad = 0.0f;
  float current = 0.0f;
  std::array<float, 10> saved{};
  double previous = 0.0;
};

struct SoilSpringSet {
  bool buried = false;
  std::vector<DirectionalSoilSpring> directional;
  std::vector<VerticalSoilSpring> vertical;
};
SoilSpringSet& TheSoilSprings();

// The buried flag: some pipe row's section names a soil.
void SetBuriedFlag(const Model& model);
// Builds the springs of every buried element and writes the summary count
// and records; throws "Soil %s is not defined".
void ComputeSoilSprings(const Model& model, const AnalysisElementList& elements, BinaryFile& file);
// The records ComputeSoilSprings writes, without the springs (element order).
std::vector<SoilRestraintRecord> SoilRestraintRecords(const Model& model, const AnalysisElementList& elements);
void ClearSoilSprings();

// The slot (1 .. 10) whose stiffness a load case of `type` assembles, and
// whether it assembles the current stiffness and saves it there; 0 for a
// type that never assembles soil springs.
int SoilSpringSlot(int type, bool& iterated);

// At the equations of the current step, when the model is buried.
void AddSoilSpringStiffness(const Model& model);
// Before the iteration of a buried step: every spring back to its start.
void ResetSoilSprings();
// After a solve of a buried step: the new stiffnesses, counting what did
// not converge.
void UpdateSoilSprings(const Model& model);
