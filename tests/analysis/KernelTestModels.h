// Models and reference computations shared by the analysis kernel tests:
// dense L·D·Lᵀ and a cyclic Jacobi eigen solver written independently of the
// skyline code, the stiffness of a 3D beam element, and builders for a
// spring-mass chain and a cantilever assembled through the kernel's own
// profile and assembly routines.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "numeric/EquationNumbers.h"
#include "numeric/Skyline.h"
#include "numeric/SkylineAssembly.h"

namespace kerneltest {

using Dense = std::vector<std::vector<double>>;  // 0-based, n x n

inline Dense MakeDense(std::size_t n) { return Dense(n, std::vector<double>(n, 0.0)); }

// The full symmetric matrix held by a skyline (0-based).
inline Dense SkylineToDense(const SkylineProfile& profile, const std::vector<double>& A) {
  const auto E = static_cast<std::size_t>(profile.equationCount);
  Dense dense = MakeDense(E);
  for (std::size_t c = 1; c <= E; ++c)
    for (std::int64_t k = 0; k <= profile.columnHeight[c]; ++k) {
      const std::size_t r = c - static_cast<std::size_t>(k);
      dense[r - 1][c - 1] = dense[c - 1][r - 1] = A[profile.DiagonalAddress[c] + k];
    }
  return dense;
}

// Textbook dense L·D·Lᵀ: D and unit lower L (0-based).
inline void DenseLdlt(const Dense& A, std::vector<double>& D, Dense& L) {
  const std::size_t n = A.size();
  D.assign(n, 0.0);
  L = MakeDense(n);
  for (std::size_t j = 0; j < n; ++j) {
    double d = A[j][j];
    for (std::size_t k = 0; k < j; ++k) d -= L[j][k] * L[j][k] * D[k];
    D[j] = d;
    L[j][j] = 1.0;
    for (std::size_t i = j + 1; i < n; ++i) {
      double s = A[i][j];
      for (std::size_t k = 0; k < j; ++k) s -= L[i][k] * L[j][k] * D[k];
      L[i][j] = s / d;
    }
  }
}

inline std::vector<double> DenseTimes(const Dense& A, const std::vector<double>& x) {
  std::vector<double> y(A.size(), 0.0);
  for (std::size_t i = 0; i < A.size(); ++i)
    for (std::size_t j = 0; j < A.size(); ++j) y[i] += A[i][j] * x[j];
  return y;
}

// Eigenpairs of a symmetric positive definite matrix by cyclic Jacobi
// rotations, ascending. A pair (p, q) is rotated while |a_pq| exceeds
// ε·√(a_pp·a_qq): the test that keeps the small eigenvalues of a graded
// matrix (stiff anchors beside soft pipe) to relative accuracy, where a test
// against the matrix norm would stop while they are still wrong. vectors:
// when given, column i holds the eigenvector of eigenvalue i.
inline std::vector<double> JacobiEigen(Dense A, Dense* vectors = nullptr) {
  const std::size_t n = A.size();
  Dense V = MakeDense(n);
  for (std::size_t i = 0; i < n; ++i) V[i][i] = 1.0;
  for (int sweep = 0; sweep < 100; ++sweep) {
    bool rotated = false;
    for (std::size_t p = 0; p < n; ++p)
      for (std::size_t q = p + 1; q < n; ++q) {
        if (!(std::fabs(A[p][q]) > 1.0e-17 * std::sqrt(std::fabs(A[p][p] * A[q][q])))) continue;
        rotated = true;
        const double theta = (A[q][q] - A[p][p]) / (2.0 * A[p][q]);
        const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
        const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
        for (std::size_t k = 0; k < n; ++k) {
          const double akp = A[k][p], akq = A[k][q];
          A[k][p] = c * akp - s * akq;
          A[k][q] = s * akp + c * akq;
        }
        for (std::size_t k = 0; k < n; ++k) {
          const double apk = A[p][k], aqk = A[q][k];
          A[p][k] = c * apk - s * aqk;
          A[q][k] = s * apk + c * aqk;
          const double vkp = V[k][p], vkq = V[k][q];
          V[k][p] = c * vkp - s * vkq;
          V[k][q] = s * vkp + c * vkq;
        }
      }
    if (!rotated) break;
  }
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&A](std::size_t a, std::size_t b) { return A[a][a] < A[b][b]; });
  std::vector<double> values(n);
  if (vectors) *vectors = MakeDense(n);
  for (std::size_t i = 0; i < n; ++i) {
    values[i] = A[order[i]][order[i]];
    if (vectors)
      for (std::size_t k = 0; k < n; ++k) (*vectors)[k][i] = V[k][order[i]];
  }
  return values;
}

inline std::vector<double> JacobiEigenvalues(const Dense& A) { return JacobiEigen(A); }

// The roots of K·φ = λ·M·φ with their modes, found densely.
struct ReferenceModes {
  std::vector<double> lambda;             // ascending, one per equation with mass
  std::vector<std::vector<double>> phi;   // phi[i]: 1-based, size E + 1, φᵀMφ = 1
};

// K·φ = λ·M·φ for a diagonal M that may be singular: the massless equations
// r are condensed out exactly (K_red = K_mm − K_mr·K_rr⁻¹·K_rm, their terms
// of a mode −K_rr⁻¹·K_rm·φ_m), the massed part is reduced by the Cholesky
// factor of its mass (M^½, diagonal) to M^-½·K_red·M^-½, which goes to
// Jacobi. K, M: 0-based.
inline ReferenceModes ReferenceEigenpairs(const Dense& K, const std::vector<double>& M) {
  std::vector<std::size_t> massive, massless;
  for (std::size_t i = 0; i < M.size(); ++i) (M[i] != 0.0 ? massive : massless).push_back(i);
  const std::size_t r = massless.size();
  // Solve K_rr·Z = K_rm by Gaussian elimination (K_rr is positive definite).
  Dense Krr = MakeDense(r);
  Dense Z(r, std::vector<double>(massive.size(), 0.0));
  for (std::size_t i = 0; i < r; ++i) {
    for (std::size_t j = 0; j < r; ++j) Krr[i][j] = K[massless[i]][massless[j]];
    for (std::size_t j = 0; j < massive.size(); ++j) Z[i][j] = K[massless[i]][massive[j]];
  }
  for (std::size_t k = 0; k < r; ++k)
    for (std::size_t i = k + 1; i < r; ++i) {
      const double f = Krr[i][k] / Krr[k][k];
      if (f == 0.0) continue;
      for (std::size_t j = k; j < r; ++j) Krr[i][j] -= f * Krr[k][j];
      for (std::size_t j = 0; j < massive.size(); ++j) Z[i][j] -= f * Z[k][j];
    }
  for (std::size_t k = r; k-- > 0;) {
    for (std::size_t j = 0; j < massive.size(); ++j) {
      double s = Z[k][j];
      for (std::size_t c = k + 1; c < r; ++c) s -= Krr[k][c] * Z[c][j];
      Z[k][j] = s / Krr[k][k];
    }
  }
  Dense reduced = MakeDense(massive.size());
  for (std::size_t i = 0; i < massive.size(); ++i)
    for (std::size_t j = 0; j < massive.size(); ++j) {
      double s = K[massive[i]][massive[j]];
      for (std::size_t c = 0; c < r; ++c) s -= K[massive[i]][massless[c]] * Z[c][j];
      reduced[i][j] = s / std::sqrt(M[massive[i]] * M[massive[j]]);
    }
  for (std::size_t i = 0; i < massive.size(); ++i)
    for (std::size_t j = i + 1; j < massive.size(); ++j)
      reduced[i][j] = reduced[j][i] = 0.5 * (reduced[i][j] + reduced[j][i]);
  Dense Y;
  ReferenceModes modes;
  modes.lambda = JacobiEigen(reduced, &Y);
  for (std::size_t m = 0; m < massive.size(); ++m) {
    std::vector<double> phi(M.size() + 1, 0.0);
    for (std::size_t i = 0; i < massive.size(); ++i) phi[massive[i] + 1] = Y[i][m] / std::sqrt(M[massive[i]]);
    for (std::size_t c = 0; c < r; ++c) {
      double s = 0.0;
      for (std::size_t i = 0; i < massive.size(); ++i) s -= Z[c][i] * phi[massive[i] + 1];
      phi[massless[c] + 1] = s;
    }
    modes.phi.push_back(std::move(phi));
  }
  return modes;
}

// The roots alone, ascending.
inline std::vector<double> ReferenceEigenvalues(const Dense& K, const std::vector<double>& M) {
  return ReferenceEigenpairs(K, M).lambda;
}

// 3D beam element in local axes (x along the beam), Euler-Bernoulli.
inline ElementStiffness BeamStiffness(double E, double G, double A, double Iy, double Iz, double J, double L) {
  ElementStiffness k{};
  auto set = [&k](int i, int j, double v) { k[i][j] = k[j][i] = v; };
  const double EAoverL = E * A / L, GJoverL = G * J / L;
  set(0, 0, EAoverL), set(6, 6, EAoverL), set(0, 6, -EAoverL);
  set(3, 3, GJoverL), set(9, 9, GJoverL), set(3, 9, -GJoverL);
  // Bending in the local x-y plane: v (1, 7) and θz (5, 11).
  const double a = 12 * E * Iz / (L * L * L), b = 6 * E * Iz / (L * L), c = 4 * E * Iz / L, d = 2 * E * Iz / L;
  set(1, 1, a), set(7, 7, a), set(1, 7, -a);
  set(1, 5, b), set(1, 11, b), set(5, 7, -b), set(7, 11, -b);
  set(5, 5, c), set(11, 11, c), set(5, 11, d);
  // Bending in the local x-z plane: w (2, 8) and θy (4, 10).
  const double e = 12 * E * Iy / (L * L * L), f = 6 * E * Iy / (L * L), g = 4 * E * Iy / L, h = 2 * E * Iy / L;
  set(2, 2, e), set(8, 8, e), set(2, 8, -e);
  set(2, 4, -f), set(2, 10, -f), set(4, 8, f), set(8, 10, f);
  set(4, 4, g), set(10, 10, g), set(4, 10, h);
  return k;
}

// An assembled system: profile, stiffness values and diagonal masses.
struct AssembledModel {
  SkylineProfile profile;
  std::vector<double> K;  // size nme + 1
  std::vector<double> M;  // size E + 1
};

// Rigid anchor: 1.0e12 on the six diagonal terms of a node.
inline void AddAnchor(AssembledModel& model, const LocationVector& node) {
  ElementMatrixPacked packed;
  packed.n = 6;
  for (int i = 1; i <= 6; ++i) packed.value[PackedIndex(6, i, i)] = 1.0e12;
  AddToGlobalStiffness(model.K, model.profile, packed, node);
}

// A cantilever of `elements` beam elements along the unit direction that the
// local frame's first column gives, anchored at node 1, translational masses
// lumped at the nodes (ρA·L per inner node, half at the tip, none at the
// anchor unless `massAtAnchor`: then half there too, as the program lumps
// them, carried by the stiff anchor springs), rotations massless. Node i has
// position i.
struct Cantilever {
  int elements = 20;
  double length = 240.0, E = 29.0e6, G = 11.2e6, A = 10.0, Iy = 100.0, Iz = 60.0, J = 160.0;
  double massPerLength = 0.01;  // ρA, lb·s²/in per in
  bool massAtAnchor = false;
  double tipMass = 0.0;  // lb·s²/in, added at the free end
  LocalFrame frame{{{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}}};
};

inline AssembledModel BuildCantilever(const Cantilever& c) {
  const int nodes = c.elements + 1;
  std::vector<std::int32_t> positions(nodes + 1);
  for (int i = 1; i <= nodes; ++i) positions[i] = i;
  std::vector<LocationVector> connections;
  for (int e = 1; e <= c.elements; ++e) connections.push_back(ElementLocationVector(positions, e, e + 1));
  AssembledModel model;
  model.profile = BuildSkylineProfile(6 * nodes, connections);
  model.K.assign(model.profile.nme + 1, 0.0);
  model.M.assign(6 * nodes + 1, 0.0);
  const double L = c.length / c.elements;
  const ElementStiffness k = BeamStiffness(c.E, c.G, c.A, c.Iy, c.Iz, c.J, L);
  for (const LocationVector& lv : connections) TransformAndAssembleElement(model.K, model.profile, k, c.frame, lv);
  AddAnchor(model, ElementLocationVector(positions, 1, 0));
  for (int i = c.massAtAnchor ? 1 : 2; i <= nodes; ++i) {
    const double m = c.massPerLength * L * (i == nodes || i == 1 ? 0.5 : 1.0) + (i == nodes ? c.tipMass : 0.0);
    for (int d = 1; d <= 3; ++d) model.M[6 * (i - 1) + d] = m;
  }
  return model;
}

// `chains` fixed-free chains of `n` equal masses m on springs k in X, side
// by side, the tips of neighbouring chains tied by springs `tie`·k; the other
// five directions of every node are held by massless springs to ground. With
// a weak tie the roots come in tight clusters of `chains`.
inline AssembledModel BuildParallelChains(int chains, int n, double k, double m, double tie) {
  const int nodes = chains * (n + 1);
  std::vector<std::int32_t> positions(nodes + 1);
  for (int i = 1; i <= nodes; ++i) positions[i] = i;
  auto node = [n](int chain, int i) { return chain * (n + 1) + i + 1; };  // i = 0 is the fixed base
  std::vector<LocationVector> springs, ties;
  for (int c = 0; c < chains; ++c)
    for (int i = 0; i < n; ++i) springs.push_back(ElementLocationVector(positions, node(c, i), node(c, i + 1)));
  for (int c = 0; c + 1 < chains; ++c) ties.push_back(ElementLocationVector(positions, node(c, n), node(c + 1, n)));
  std::vector<LocationVector> connections = springs;
  connections.insert(connections.end(), ties.begin(), ties.end());
  AssembledModel model;
  model.profile = BuildSkylineProfile(6 * nodes, connections);
  model.K.assign(model.profile.nme + 1, 0.0);
  model.M.assign(6 * nodes + 1, 0.0);
  auto axial = [](double stiffness) {
    ElementMatrixPacked spring;
    spring.n = 12;
    spring.value[PackedIndex(12, 1, 1)] = stiffness;
    spring.value[PackedIndex(12, 7, 7)] = stiffness;
    spring.value[PackedIndex(12, 1, 7)] = -stiffness;
    return spring;
  };
  for (const LocationVector& lv : springs) AddToGlobalStiffness(model.K, model.profile, axial(k), lv);
  for (const LocationVector& lv : ties) AddToGlobalStiffness(model.K, model.profile, axial(tie * k), lv);
  ElementMatrixPacked ground;
  ground.n = 6;
  for (int d = 2; d <= 6; ++d) ground.value[PackedIndex(6, d, d)] = 5.0 * k;
  for (int c = 0; c < chains; ++c) {
    AddAnchor(model, ElementLocationVector(positions, node(c, 0), 0));
    for (int i = 1; i <= n; ++i) {
      AddToGlobalStiffness(model.K, model.profile, ground, ElementLocationVector(positions, node(c, i), 0));
      model.M[6 * (node(c, i) - 1) + 1] = m;
    }
  }
  return model;
}

// A single fixed-free chain of `n` equal masses m on springs k in X.
inline AssembledModel BuildSpringMassChain(int n, double k, double m) { return BuildParallelChains(1, n, k, m, 0.0); }

}  // namespace kerneltest
