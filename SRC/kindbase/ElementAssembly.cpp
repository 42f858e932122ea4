// The element kinds' doors to the global system; see ElementAssembly.h.
#include "kindbase/ElementAssembly.h"

#include "kindbase/GlobalSystem.h"
#include "model/Model.h"
#include "numeric/SkylineAssembly.h"
#include "services/Assert.h"

namespace {

// T(r, c): component r of local axis c, as the assembly turns local to global.
LocalFrame FrameMatrix(const ElementAxes& axes) {
  LocalFrame T{};
  for (int r = 0; r < 3; ++r) {
    T[r][0] = static_cast<float>(axes.x[r]);
    T[r][1] = static_cast<float>(axes.y[r]);
    T[r][2] = static_cast<float>(axes.z[r]);
  }
  return T;
}

}  // namespace

LocationVector ElementEquations(const Model& model, int node1, int node2) {
  const LocationVector first = NodeLocationVector(model.nodes, node1);
  const LocationVector second = NodeLocationVector(model.nodes, node2);
  LocationVector both;
  both.count = 2 * kDofPerNode;
  for (int i = 0; i < kDofPerNode; ++i) {
    both.equation[static_cast<std::size_t>(i)] = first.equation[static_cast<std::size_t>(i)];
    both.equation[static_cast<std::size_t>(kDofPerNode + i)] = second.equation[static_cast<std::size_t>(i)];
  }
  return both;
}

void AddElementStiffness(const Matrix12d& stiffness, const ElementAxes& axes, const LocationVector& equations) {
  const SolverStatus status =
      TransformAndAssembleElement(StiffnessValues, g_StiffnessProfile, stiffness, FrameMatrix(axes), equations);
  QV_ASSERT(status.fault == SolverFault::None);
}

void AddElementLoads(const Vector12d& loads, const ElementAxes& axes, const LocationVector& equations) {
  TransformAndAddElementLoads(g_DisplacementVector, loads, FrameMatrix(axes), equations);
}

void AddNodeTranslationMass(const Model& model, int node, double mass) {
  const LocationVector vector = NodeLocationVector(model.nodes, node);
  for (int i = 0; i < 3; ++i) AddMassTerm(vector.equation[static_cast<std::size_t>(i)], mass);
}

void AddNodeLoads(const Model& model, int node, const Vector3d& force, const Vector3d& moment) {
  const LocationVector vector = NodeLocationVector(model.nodes, node);
  for (int i = 0; i < 3; ++i) {
    AddLoadTerm(vector.equation[static_cast<std::size_t>(i)], force[i]);
    AddLoadTerm(vector.equation[static_cast<std::size_t>(3 + i)], moment[i]);
  }
}

Vector12d ElementDisplacements(const LocationVector& equations) {
  Vector12d u{};
  for (int i = 0; i < 12; ++i) u[i] = SolvedValue(equations.equation[static_cast<std::size_t>(i)]);
  return u;
}

void AssembleRigidLink(const Model& model, int nodeA, int nodeB) {
  const LocationVector vector = ElementEquations(model, nodeA, nodeB);
  ElementMatrixPacked packed;
  packed.n = 12;
  for (int i = 1; i <= 12; ++i) packed.value[static_cast<std::size_t>(PackedIndex(12, i, i))] = kRigidLinkStiffness;
  for (int i = 1; i <= 6; ++i) packed.value[static_cast<std::size_t>(PackedIndex(12, i, i + 6))] = -kRigidLinkStiffness;
  AddSupportMatrix(packed, vector);
}
