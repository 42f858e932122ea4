// The global system of the current step; see GlobalSystem.h.
#include "kindbase/GlobalSystem.h"

#include <algorithm>
#include <utility>

#include "model/Nodes.h"
#include "services/Assert.h"

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

namespace {

// The terms AddToGlobalStiffness adds, in its order.
void LogSupportMatrix(SystemTermLog& log, const ElementMatrixPacked& packed, const LocationVector& vector) {
  const std::int32_t n = std::min(vector.count, packed.n);
  const auto& DA = g_StiffnessProfile.DiagonalAddress;
  for (std::int32_t i = 1; i <= n; ++i) {
    const std::int32_t q = vector.equation[static_cast<std::size_t>(i - 1)];
    if (q == 0) continue;
    for (std::int32_t j = 1; j <= n; ++j) {
      const std::int32_t r = vector.equation[static_cast<std::size_t>(j - 1)];
      if (r == 0 || q < r) continue;
      const auto term = static_cast<std::size_t>(PackedIndex(packed.n, std::min(i, j), std::max(i, j)));
      log.stiffness.push_back({DA[static_cast<std::size_t>(q)] + q - r, packed.value[term], log.row});
    }
  }
}

}  // namespace

SystemTermLog* g_SystemTermLog = nullptr;

void AddSupportMatrix(const ElementMatrixPacked& packed, const LocationVector& vector) {
  for (std::int32_t equation : vector.equation) QV_ASSERT(equation <= g_StiffnessProfile.equationCount);
  const SolverStatus status = AddToGlobalStiffness(StiffnessValues, g_StiffnessProfile, packed, vector);
  QV_ASSERT(status.fault == SolverFault::None);
  if (g_SystemTermLog != nullptr) LogSupportMatrix(*g_SystemTermLog, packed, vector);
}

void AddLoadTerm(std::int32_t equation, double value) {
  if (equation == 0) return;
  QV_ASSERT(equation > 0 && static_cast<std::size_t>(equation) < g_DisplacementVector.size());
  g_DisplacementVector[static_cast<std::size_t>(equation)] += value;
  if (g_SystemTermLog != nullptr) g_SystemTermLog->loads.push_back({equation, value, g_SystemTermLog->row});
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
