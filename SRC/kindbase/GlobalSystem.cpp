// The global system of the current step; see GlobalSystem.h.
#include "kindbase/GlobalSystem.h"

#include <utility>

#include "model/Nodes.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"

SkylineProfile g_StiffnessProfile;
std::vector<double> StiffnessValues;
std::vector<double> g_DisplacementVector;
std::vector<double> g_MassVector;
BinaryFile* g_ResultsFile = nullptr;

void AllocateGlobalSystem(SkylineProfile profile) {
  g_StiffnessProfile = std::move(profile);
  StiffnessValues.assign(static_cast<std::size_t>(g_StiffnessProfile.nme) + 1, 0.0);
  g_DisplacementVector.assign(static_cast<std::size_t>(g_StiffnessProfile.equationCount) + 1, 0.0);
  g_MassVector.assign(g_DisplacementVector.size(), 0.0);
}

void ReleaseGlobalSystem() {
  g_StiffnessProfile = SkylineProfile{};
  StiffnessValues = {};
  g_DisplacementVector = {};
  g_MassVector = {};
}

LocationVector NodeLocationVector(const NodeTable& nodes, int nodeIndex) {
  LocationVector vector;
  vector.count = kDofPerNode;
  if (nodeIndex < 1 || nodeIndex > nodes.count) return vector;
  const std::int32_t position = nodes[nodeIndex].equation;
  if (position <= 0) return vector;
  for (int i = 0; i < kDofPerNode; ++i) vector.equation[static_cast<std::size_t>(i)] = kDofPerNode * (position - 1) + i + 1;
  return vector;
}

void AddSupportMatrix(const ElementMatrixPacked& packed, const LocationVector& vector) {
  for (std::int32_t equation : vector.equation) QV_ASSERT(equation <= g_StiffnessProfile.equationCount);
  const SolverStatus status = AddToGlobalStiffness(StiffnessValues, g_StiffnessProfile, packed, vector);
  QV_ASSERT(status.fault == SolverFault::None);
}

void AddLoadTerm(std::int32_t equation, double value) {
  if (equation == 0) return;
  QV_ASSERT(equation > 0 && static_cast<std::size_t>(equation) < g_DisplacementVector.size());
  g_DisplacementVector[static_cast<std::size_t>(equation)] += value;
}

void AddMassTerm(std::int32_t equation, double value) {
  if (equation == 0) return;
  QV_ASSERT(equation > 0 && static_cast<std::size_t>(equation) < g_MassVector.size());
  g_MassVector[static_cast<std::size_t>(equation)] += value;
}

double SolvedValue(std::int32_t equation) {
  if (equation == 0) return 0.0;
  QV_ASSERT(equation > 0 && static_cast<std::size_t>(equation) < g_DisplacementVector.size());
  return g_DisplacementVector[static_cast<std::size_t>(equation)];
}
