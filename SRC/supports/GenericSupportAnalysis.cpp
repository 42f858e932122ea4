// The generic support in the analysis (see GenericSupport.h): its 6 x 6
// matrix in global axes at the node's six equations, and the loads K u.
// A matrix that is not positive semi-definite is refused when a run starts.
#include <cmath>

#include "kindbase/GlobalSystem.h"
#include "model/Model.h"
#include "services/NumberFormat.h"
#include "supports/GenericSupport.h"

namespace {

using Matrix6 = std::array<std::array<double, 6>, 6>;

// The smallest eigenvalue of a symmetric matrix (cyclic Jacobi rotations).
double SmallestEigenvalue(Matrix6 a) {
  for (int sweep = 0; sweep < 60; ++sweep) {
    double off = 0.0;
    for (std::size_t p = 0; p < 6; ++p)
      for (std::size_t q = p + 1; q < 6; ++q) off += a[p][q] * a[p][q];
    if (off < 1.0e-30) break;
    for (std::size_t p = 0; p < 6; ++p)
      for (std::size_t q = p + 1; q < 6; ++q) {
        if (std::fabs(a[p][q]) < 1.0e-300) continue;
        const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
        const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
        const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
        for (std::size_t k = 0; k < 6; ++k) {
          const double akp = a[k][p], akq = a[k][q];
          a[k][p] = c * akp - s * akq;
          a[k][q] = s * akp + c * akq;
        }
        for (std::size_t k = 0; k < 6; ++k) {
          const double apk = a[p][k], aqk = a[q][k];
          a[p][k] = c * apk - s * aqk;
          a[q][k] = s * apk + c * aqk;
        }
      }
  }
  double smallest = a[0][0];
  for (std::size_t i = 1; i < 6; ++i) smallest = std::min(smallest, a[i][i]);
  return smallest;
}

}  // namespace

double GenericSupport::Term(int i, int j) const {
  if (i > j) std::swap(i, j);
  return terms[static_cast<std::size_t>(TermIndex(i, j))];
}

bool GenericSupportMatrixSound(const GenericSupport& support) {
  // Scaled by the diagonal, so that translational, coupling and rotational
  // terms of any size weigh alike; a zero diagonal with coupling in its
  // row, or a negative diagonal, is unsound at once.
  std::array<double, 6> scale{};
  for (int i = 1; i <= 6; ++i) {
    const double d = support.Term(i, i);
    if (d < 0.0) return false;
    if (d == 0.0)
      for (int j = 1; j <= 6; ++j)
        if (j != i && support.Term(i, j) != 0.0) return false;
    scale[static_cast<std::size_t>(i - 1)] = d > 0.0 ? 1.0 / std::sqrt(d) : 0.0;
  }
  Matrix6 a{};
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = 0; j < 6; ++j)
      a[i][j] = support.Term(static_cast<int>(i) + 1, static_cast<int>(j) + 1) * scale[i] * scale[j];
  return SmallestEigenvalue(a) > -1.0e-6;
}

void GenericSupport::PrepareForRun(int rowNumber) {
  if (GenericSupportMatrixSound(*this)) return;
  const Model& model = TheModel();
  throw CFormat("The stiffness matrix of the generic support at node %s is not positive semi-definite",
                SupportNodeText(model, model.row(rowNumber).endNode).c_str());
}

void GenericSupport::AddStiffness(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (!SupportNodeHasEquations(model, node)) return;
  ElementMatrixPacked packed;
  packed.n = 6;
  for (int i = 1; i <= 6; ++i)
    for (int j = i; j <= 6; ++j) packed.value[static_cast<std::size_t>(PackedIndex(6, i, j))] = Term(i, j);
  AddSupportMatrix(packed, NodeLocationVector(model.nodes, node));
}

void GenericSupport::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  std::array<float, 6> loads{};
  if (SupportNodeHasEquations(model, node)) {
    const LocationVector vector = NodeLocationVector(model.nodes, node);
    std::array<double, 6> u{};
    for (std::size_t i = 0; i < 6; ++i) {
      u[i] = SolvedValue(vector.equation[i]);
      if (std::fabs(u[i]) < 1.0e-30) u[i] = 0.0;
    }
    for (int i = 1; i <= 6; ++i) {
      double f = 0.0;
      for (int j = 1; j <= 6; ++j) f += Term(i, j) * u[static_cast<std::size_t>(j - 1)];
      loads[static_cast<std::size_t>(i - 1)] = static_cast<float>(f);
    }
  }
  KeepAndWriteSupportLoads(loads);
}
