// The tie rod in the analysis: its stiffness of the state, its gap loads,
// its iteration and its end forces; see TieRod.h.
#include <cmath>

#include "elements/ElementForces.h"
#include "elements/TieRod.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/Model.h"
#include "services/LoadCaseTypes.h"

namespace {

constexpr double kSlackStiffness = 0.001;
constexpr double kZeroStretch = 1.0e-14;
constexpr int kTieRodKind = 19;

TieRod& RodOf(const Model& model, int row) { return dynamic_cast<TieRod&>(*model.row(row).element); }

// k on the two axial terms, 0.001 on every other freedom.
Matrix12d LocalStiffness(double k) {
  Matrix12d K{};
  for (int i = 0; i < 6; ++i) {
    const double spring = i == 0 ? k : kSlackStiffness;
    K[i][i] = K[i + 6][i + 6] = spring;
    K[i][i + 6] = K[i + 6][i] = -spring;
  }
  return K;
}

// A mode is a free vibration about the state the modal case took: its rod
// force is the spring times the mode's stretch, with no gap load.
bool TakesGapLoads(int caseType) {
  return caseType != kCaseIdRecalculatingHangerLoads && !CaseUsesModalStiffness(caseType);
}

double StateStiffness(const TieRod& rod, std::int32_t state) {
  switch (state) {
    case kTieRodTension: return rod.tensionStiffness;
    case kTieRodCompression: return rod.compressionStiffness;
    default: return kSlackStiffness;
  }
}

// The gap force as the element's equivalent end loads (local axial).
Vector12d GapLoads(double force) {
  Vector12d F{};
  F[0] = -force;
  F[6] = force;
  return F;
}

}  // namespace

double TieRod::AxialStiffness() const { return StateStiffness(*this, state); }

double TieRod::GapForce() const {
  switch (state) {
    case kTieRodTension: return static_cast<double>(tensionStiffness) * tensionGap;
    case kTieRodCompression: return -static_cast<double>(compressionStiffness) * compressionGap;
    default: return 0.0;
  }
}

void TieRod::PrepareForRun(int /*rowNumber*/) {
  ResetIteration();
  operatingState = kTieRodTension;
}

void TieRod::ResetIteration() {
  state = kTieRodTension;
  previousAxial = 0.0;
}

void TieRod::UpdateIteration(int rowNumber) {
  const Model& model = TheModel();
  const LayoutRow& row = model.row(rowNumber);
  const int node1 = row.runStart, node2 = row.runEnd;
  if (node1 == 0 || node2 == 0 || !SupportNodeHasEquations(model, node1) || !SupportNodeHasEquations(model, node2))
    return;
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::TieRod, rowNumber, node1, node2);
  const Direction3 movement = RelativeSolved(model, node2, node1, 0);
  double d = frames.end1.x[0] * movement[0] + frames.end1.x[1] * movement[1] + frames.end1.x[2] * movement[2];
  if (std::fabs(d) < kZeroStretch) d = 0.0;
  const std::int32_t previousState = state;
  state = d < -compressionGap ? kTieRodCompression : d > tensionGap ? kTieRodTension : kTieRodSlack;
  // A rod that went slack, or took up a gap, in this pass must be solved
  // again with its new spring before its force can be trusted.
  const bool converged = NonlinearConverged(d, previousAxial, kTieRodKind, 0, node2);
  if (state != previousState || !converged) CountNonlinearChange();
  previousAxial = d;
}

void AssembleTieRod(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  TieRod& rod = RodOf(model, input.row);
  // The operating case's last pass assembles the state it converged to.
  if (CaseTypeIsOperatingT1(input.loads.caseType) && !g_ElementForceRun.recovering) rod.operatingState = rod.state;
  if (CaseUsesModalStiffness(input.loads.caseType)) rod.state = rod.operatingState;
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::TieRod, input.row, input.node1,
                                                          input.node2);
  AddElementStiffness(LocalStiffness(rod.AxialStiffness()), frames.end1,
                      ElementEquations(model, input.node1, input.node2));
  const double force = rod.GapForce();
  if (force == 0.0 || !TakesGapLoads(input.loads.caseType)) return;
  AddNodeLoads(model, input.node1, Scaled(frames.end1.x, -force), {});
  AddNodeLoads(model, input.node2, Scaled(frames.end1.x, force), {});
}

ElementForceBuild TieRodForceBuild(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const TieRod& rod = RodOf(model, input.row);
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::TieRod, input.row, input.node1,
                                                          input.node2);
  // The cases built from modes recover the rod in the state the
  // eigenproblem held it in, whatever a static case solved since has left.
  if (CaseUsesModalStiffness(input.loads.caseType))
    return {LocalStiffness(StateStiffness(rod, rod.operatingState)), Vector12d{}, frames};
  return {LocalStiffness(rod.AxialStiffness()), GapLoads(rod.GapForce()), frames};
}
