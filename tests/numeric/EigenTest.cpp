// Eigen solver against the determinant search (the oracle), closed-form roots
// (spring-mass chain, cantilever) and an independent dense solution, with
// lumped translational masses and massless rotations (M singular); the Sturm
// check against a root the first Lanczos run cannot reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "analysis/DeterminantSearch.h"
#include "analysis/KernelTestModels.h"
#include "numeric/Eigen.h"
#include "numeric/Lanczos.h"
#include "numeric/RunState.h"

namespace {

using namespace kerneltest;

constexpr double kPi = 3.141592653589793;

struct Mode {
  double lambda;
  const std::vector<double>* phi;
};

std::vector<Mode> Sorted(const ModalResult& result) {
  std::vector<Mode> modes;
  for (std::int32_t j = 1; j <= result.modesFound; ++j) modes.push_back({result.eigenvalues[j], &result.modeShapes[j]});
  std::stable_sort(modes.begin(), modes.end(), [](const Mode& a, const Mode& b) { return a.lambda < b.lambda; });
  return modes;
}

double MassProduct(const std::vector<double>& a, const std::vector<double>& M, const std::vector<double>& b) {
  double sum = 0.0;
  for (std::size_t e = 1; e < M.size(); ++e) sum += a[e] * M[e] * b[e];
  return sum;
}

// The first `count` roots equal the oracle's to 1.0e-8, and each mode lies in
// the span of the oracle's modes of the same root (up to sign for a single
// root; the same eigenspace for a repeated one), to the accuracy of the
// oracle's inverse iteration (`tolerance`). Roots within `together` of each
// other count as one: inside a tight cluster only its span is well defined.
void ExpectSameAsOracle(const AssembledModel& model, const ModalResult& result, const ModalResult& oracle,
                        int count, double together = 1.0e-6, double tolerance = 1.0e-5) {
  const std::vector<Mode> found = Sorted(result), reference = Sorted(oracle);
  ASSERT_GE(static_cast<int>(found.size()), count);
  ASSERT_GE(static_cast<int>(reference.size()), count);
  for (int r = 0; r < count; ++r) {
    EXPECT_NEAR(found[r].lambda, reference[r].lambda, 1.0e-8 * reference[r].lambda) << "root " << r + 1;
    std::vector<double> rest = *found[r].phi;
    for (const Mode& other : reference) {
      if (std::fabs(other.lambda - found[r].lambda) > together * found[r].lambda) continue;
      const double g = MassProduct(*other.phi, model.M, rest);
      for (std::size_t e = 0; e < rest.size(); ++e) rest[e] -= g * (*other.phi)[e];
    }
    EXPECT_LT(std::sqrt(std::fabs(MassProduct(rest, model.M, rest))), tolerance) << "mode " << r + 1;
  }
}

// φᵀMφ = 1, φ_iᵀMφ_j = 0 and K·φ = λ·M·φ for every mode found, the massless
// equations included. The modes are M-orthogonalised explicitly as they are
// admitted (Gram-Schmidt, twice where needed), which leaves them orthonormal
// to the rounding of E-term inner products: a few E·ε.
void ExpectTrueModes(const AssembledModel& model, const ModalResult& result) {
  const Dense K = SkylineToDense(model.profile, model.K);
  const std::size_t E = K.size();
  const double orthonormal = 16.0 * static_cast<double>(E) * std::numeric_limits<double>::epsilon();
  for (std::int32_t i = 1; i <= result.modesFound; ++i) {
    const std::vector<double>& phi = result.modeShapes[i];
    ASSERT_EQ(phi.size(), E + 1);
    for (std::int32_t j = 1; j <= i; ++j)
      EXPECT_NEAR(MassProduct(phi, model.M, result.modeShapes[j]), i == j ? 1.0 : 0.0, orthonormal) << i << ", " << j;
    const std::vector<double> x(phi.begin() + 1, phi.end());
    const std::vector<double> Kx = DenseTimes(K, x);
    double residual = 0.0, scale = 0.0;
    for (std::size_t e = 0; e < E; ++e) {
      residual = std::max(residual, std::fabs(Kx[e] - result.eigenvalues[i] * model.M[e + 1] * x[e]));
      scale = std::max(scale, std::fabs(Kx[e]));
    }
    EXPECT_LT(residual, 1.0e-7 * scale) << "mode " << i;
  }
}

// Every root returned equals the dense solution's root of the same rank and
// its mode lies in the span of the dense modes of that root. The bounds
// follow from the methods' rounding. A solve at shift σ adds about n·ε·max|θ|
// to each θ = 1/(λ − σ), and the Lanczos search accepts a root only where
// |θ| ≥ 1.0e-5·max|θ| (a root further from the shift waits for a nearer
// one), so λ is good to n·ε·1.0e5 relative; the dense solution (Jacobi with
// a relative stopping test) is better. A mode's residual is at most 1.0e-10
// of its θ, and the distinct roots of these models lie more than 1.0e-4
// apart (roots closer than 1.0e-6 are taken as one, their modes as a span):
// the angle to the exact mode is below 1.0e-10 / 1.0e-4 = 1.0e-6.
void ExpectSameAsReference(const AssembledModel& model, const ModalResult& result, const ReferenceModes& reference) {
  const double n = static_cast<double>(reference.lambda.size());
  const double rootTolerance = n * std::numeric_limits<double>::epsilon() * 1.0e5;
  for (std::int32_t r = 1; r <= result.modesFound; ++r) {
    const double exact = reference.lambda[r - 1];
    if (r > 1) {
      EXPECT_LE(result.eigenvalues[r - 1], result.eigenvalues[r]) << "order at root " << r;
    }
    EXPECT_NEAR(result.eigenvalues[r], exact, rootTolerance * exact) << "root " << r;
    std::vector<double> rest = result.modeShapes[r];
    for (std::size_t k = 0; k < reference.lambda.size(); ++k) {
      if (std::fabs(reference.lambda[k] - exact) > 1.0e-6 * exact) continue;
      const double g = MassProduct(reference.phi[k], model.M, rest);
      for (std::size_t e = 0; e < rest.size(); ++e) rest[e] -= g * reference.phi[k][e];
    }
    EXPECT_LT(std::sqrt(std::fabs(MassProduct(rest, model.M, rest))), 1.0e-6) << "mode " << r;
  }
}

// Every mode returned, whole (the massless rotations too), equals its part
// in the span of the dense modes of its root (roots within 1.0e-6 taken as
// one), to 1.0e-9 of its largest term; and the modes are M-orthonormal as
// ExpectTrueModes has them. This holds where the residual of
// ExpectTrueModes cannot: a mode found far from the shift carries rounding
// along the roots of 1e12 anchor springs carrying mass, 1e7 above it in λ,
// which those springs turn into a residual K·φ − λ·M·φ of 1e-7 of the
// largest term while the mode itself is right to 1e-10.
void ExpectWholeModesAsReference(const AssembledModel& model, const ModalResult& result,
                                 const ReferenceModes& reference) {
  const std::size_t E = model.M.size() - 1;
  const double orthonormal = 16.0 * static_cast<double>(E) * std::numeric_limits<double>::epsilon();
  for (std::int32_t r = 1; r <= result.modesFound; ++r) {
    const std::vector<double>& phi = result.modeShapes[r];
    for (std::int32_t j = 1; j <= r; ++j)
      EXPECT_NEAR(MassProduct(phi, model.M, result.modeShapes[j]), r == j ? 1.0 : 0.0, orthonormal) << r << ", " << j;
    const double exact = reference.lambda[r - 1];
    std::vector<double> rest = phi;
    for (std::size_t k = 0; k < reference.lambda.size(); ++k) {
      if (std::fabs(reference.lambda[k] - exact) > 1.0e-6 * exact) continue;
      const double g = MassProduct(reference.phi[k], model.M, phi);
      for (std::size_t e = 1; e <= E; ++e) rest[e] -= g * reference.phi[k][e];
    }
    double largest = 0.0, off = 0.0;
    for (std::size_t e = 1; e <= E; ++e) {
      largest = std::max(largest, std::fabs(phi[e]));
      off = std::max(off, std::fabs(rest[e]));
    }
    EXPECT_LT(off, 1.0e-9 * largest) << "mode " << r;
  }
}

ModalOptions Options(std::int32_t modes, double cutOff) {
  ModalOptions options;
  options.modeCount = modes;
  options.cutOffFrequency = cutOff;
  return options;
}

struct TextRecorder : AnalysisProgress {
  std::vector<std::string> mode, frequency;
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::Mode) mode.push_back(text);
    if (area == ProgressArea::Frequency) frequency.push_back(text);
  }
};

TEST(EigenSolver, SpringMassChainMatchesTheClosedFormAndTheOracle) {
  // Fixed-free chain of n masses m on springs k:
  // λ_r = 4k/m · sin²((2r - 1)π / (2(2n + 1))).
  const int n = 8;
  const double k = 1000.0, m = 2.0;
  const AssembledModel model = BuildSpringMassChain(n, k, m);
  TextRecorder window;
  const ModalResult result = RunModalAnalysis(model.profile, model.K, model.M, Options(n, 1000.0), window);
  ASSERT_EQ(result.fault, ModalFault::None);
  ASSERT_EQ(result.modesFound, n);
  for (int r = 1; r <= n; ++r) {
    const double s = std::sin((2 * r - 1) * kPi / (2.0 * (2 * n + 1)));
    // The anchor of 1.0e12 is not quite rigid: 1.0e-8.
    EXPECT_NEAR(result.eigenvalues[r], 4.0 * k / m * s * s, 1.0e-8 * result.eigenvalues[r]) << "root " << r;
  }
  ExpectTrueModes(model, result);
  ExpectSameAsOracle(model, result, DeterminantSearchModes(model.profile, model.K, model.M, Options(n, 1000.0)), n);
  // The window first shows the search starting, then each mode as it is
  // accepted, with its frequency: √λ₁ / 2π, λ₁ = 2000·sin²(π/34).
  ASSERT_FALSE(window.mode.empty());
  EXPECT_EQ(window.mode.front(), "Finding lower bound on smallest eigenvalue");
  EXPECT_EQ(window.mode.back(), "Mode 8  ");
  ASSERT_EQ(window.frequency.size(), 8u);
  char expected[40];
  std::snprintf(expected, sizeof expected, "Mode 1: %.2f Hz", std::sqrt(2000.0) * std::sin(kPi / 34.0) / (2.0 * kPi));
  EXPECT_EQ(window.frequency.front(), expected);
}

TEST(EigenSolver, StopsAfterTheRootsOfTheMassEquationsWithTheNoMoreRootsNote) {
  const AssembledModel model = BuildSpringMassChain(5, 400.0, 1.0);
  const ModalResult result = RunModalAnalysis(model.profile, model.K, model.M, Options(9, 1000.0), SilentProgress());
  ASSERT_EQ(result.fault, ModalFault::None);
  EXPECT_TRUE(result.noMoreRoots);
  EXPECT_EQ(result.modesFound, 5);
  const ModalResult oracle = DeterminantSearchModes(model.profile, model.K, model.M, Options(9, 1000.0));
  EXPECT_TRUE(oracle.noMoreRoots);
  ExpectSameAsOracle(model, result, oracle, 5);
  EXPECT_EQ(std::string(kNoMoreRootsMessage), "The deflated polynomial has no more roots");
}

TEST(EigenSolver, ModeCountAndCutOffEndTheSearch) {
  const int n = 8;
  const AssembledModel model = BuildSpringMassChain(n, 1000.0, 2.0);
  auto hertz = [](int r) {
    const double s = std::sin((2 * r - 1) * kPi / 34.0);
    return std::sqrt(2000.0 * s * s) / (2.0 * kPi);
  };
  // Three modes asked for although all eight lie below the cut-off.
  const ModalResult three = RunModalAnalysis(model.profile, model.K, model.M, Options(3, 1000.0), SilentProgress());
  ASSERT_EQ(three.fault, ModalFault::None);
  EXPECT_EQ(three.modesFound, 3);
  EXPECT_FALSE(three.noMoreRoots);
  EXPECT_NEAR(std::sqrt(three.eigenvalues[3]) / (2.0 * kPi), hertz(3), 1.0e-8 * hertz(3));
  // The cut-off between roots 3 and 4: the search ends with the first root above it.
  const ModalOptions cut = Options(n, 0.5 * (hertz(3) + hertz(4)));
  const ModalResult result = RunModalAnalysis(model.profile, model.K, model.M, cut, SilentProgress());
  ASSERT_EQ(result.fault, ModalFault::None);
  ASSERT_EQ(result.modesFound, 4);
  EXPECT_NEAR(std::sqrt(result.eigenvalues[4]) / (2.0 * kPi), hertz(4), 1.0e-8 * hertz(4));
  ExpectSameAsOracle(model, result, DeterminantSearchModes(model.profile, model.K, model.M, cut), 4);
}

TEST(EigenSolver, CantileverMatchesTheOracleTheDenseSolutionAndTheBeamFormula) {
  // Rectangular section (Iy ≠ Iz) along a skewed axis: the element matrices
  // are rotated into global axes, the roots do not change.
  Cantilever c;
  c.elements = 24;
  const float cs = std::cos(0.5f), sn = std::sin(0.5f);
  c.frame = {{{cs, -sn, 0.0f}, {sn, cs, 0.0f}, {0.0f, 0.0f, 1.0f}}};
  const AssembledModel model = BuildCantilever(c);
  const ModalResult result = RunModalAnalysis(model.profile, model.K, model.M, Options(6, 10000.0), SilentProgress());
  ASSERT_EQ(result.fault, ModalFault::None);
  ASSERT_EQ(result.modesFound, 6);
  ExpectSameAsOracle(model, result, DeterminantSearchModes(model.profile, model.K, model.M, Options(6, 10000.0)), 6);
  ExpectTrueModes(model, result);
  const std::vector<double> reference = ReferenceEigenvalues(
      SkylineToDense(model.profile, model.K), std::vector<double>(model.M.begin() + 1, model.M.end()));
  for (int r = 0; r < 6; ++r) EXPECT_NEAR(result.eigenvalues[r + 1], reference[r], 1.0e-9 * reference[r]);
  // Continuous cantilever: ω = (βL)²·√(EI / (ρA·L⁴)), β₁L = 1.8751040687.
  auto omega = [&c](double I) {
    return 1.8751040687 * 1.8751040687 * std::sqrt(c.E * I / (c.massPerLength * std::pow(c.length, 4)));
  };
  EXPECT_NEAR(std::sqrt(result.eigenvalues[1]), omega(c.Iz), 1.0e-3 * omega(c.Iz));
  EXPECT_NEAR(std::sqrt(result.eigenvalues[2]), omega(c.Iy), 1.0e-3 * omega(c.Iy));
}

TEST(EigenSolver, SquareCantileverFindsEveryRepeatedRootWithItsEigenspace) {
  // Equal bending stiffness about both axes: every bending root is double.
  // One Krylov sequence holds one vector of each double root; the Sturm
  // count finds the other copies missing and later runs bring them in.
  Cantilever c;
  c.elements = 40;
  c.Iy = c.Iz = 80.0;
  const AssembledModel model = BuildCantilever(c);
  const ModalResult result = RunModalAnalysis(model.profile, model.K, model.M, Options(8, 10000.0), SilentProgress());
  ASSERT_EQ(result.fault, ModalFault::None);
  ASSERT_EQ(result.modesFound, 8);
  const ModalResult oracle = DeterminantSearchModes(model.profile, model.K, model.M, Options(8, 10000.0));
  ASSERT_EQ(oracle.fault, ModalFault::None);
  EXPECT_NEAR(result.eigenvalues[1], result.eigenvalues[2], 1.0e-9 * result.eigenvalues[1]);
  ExpectSameAsOracle(model, result, oracle, 8);
  ExpectTrueModes(model, result);
}

TEST(EigenSolver, TenNearlyEqualRootsAreEachFoundOnce) {
  // Ten identical chains, their tips tied by weak springs: the roots come in
  // clusters of ten within 1.0e-3 of each other.
  const AssembledModel model = BuildParallelChains(10, 6, 1000.0, 1.0, 1.0e-5);
  const ModalResult result = RunModalAnalysis(model.profile, model.K, model.M, Options(20, 1000.0), SilentProgress());
  ASSERT_EQ(result.fault, ModalFault::None);
  ASSERT_EQ(result.modesFound, 20);
  const std::vector<double> reference = ReferenceEigenvalues(
      SkylineToDense(model.profile, model.K), std::vector<double>(model.M.begin() + 1, model.M.end()));
  ASSERT_LT(reference[9] - reference[0], 1.0e-3 * reference[0]);
  ASSERT_GT(reference[10] - reference[9], 1.0 * reference[0]);
  for (int r = 0; r < 20; ++r) EXPECT_NEAR(result.eigenvalues[r + 1], reference[r], 1.0e-9 * reference[r]) << r + 1;
  ExpectTrueModes(model, result);  // M-orthogonal: no root twice
  // The oracle's inverse iteration leaves the modes of such a cluster
  // M-orthogonal to only 2.0e-3; its roots are as good as ever.
  const ModalResult oracle = DeterminantSearchModes(model.profile, model.K, model.M, Options(20, 1000.0));
  ExpectSameAsOracle(model, result, oracle, 20, 1.0e-2, 1.0e-2);
}

TEST(EigenSolver, SturmCheckCatchesARootTheFirstRunSkipped) {
  // Two separate chains: A of 120 masses, B of 4 heavy ones whose lowest
  // three roots fall among A's lowest twelve. A start
  // vector that is zero on B keeps every Lanczos vector of the first run zero
  // there, so that run alone skips B's roots; the Sturm count must find them.
  AssembledModel model = BuildParallelChains(2, 120, 1000.0, 1.0, 0.0);
  for (int i = 0; i < 120; ++i) model.M[6 * (121 + 1 + i) + 1] = 0.0;  // chain B: nodes 123..
  for (int i = 1; i <= 4; ++i) model.M[6 * (121 + i) + 1] = 30.0;
  std::vector<double> start(model.M.size(), 0.0);
  for (int node = 2; node <= 121; ++node) start[6 * (node - 1) + 1] = 1.0 + 0.01 * node;
  const ModalOptions options = Options(12, 1.0e4);

  // The fault being caught: the first run, alone, returns A's roots only.
  std::vector<double> factor = model.K;
  ASSERT_TRUE(FactoriseColumns(factor.data(), model.profile.DiagonalAddress.data(), 1, model.profile.equationCount,
                               PivotRule::Shifted).Ok());
  LanczosGoal goal;
  goal.count = 12;
  goal.dimension = 124;
  const LanczosOutcome first =
      RunLanczos(LanczosOperator{model.profile, factor, 0.0, model.M}, {}, goal, start, LanczosMonitor{});
  const ModalResult oracle = DeterminantSearchModes(model.profile, model.K, model.M, options);
  const std::vector<Mode> reference = Sorted(oracle);
  ASSERT_EQ(first.accepted.size(), 12u);
  EXPECT_GT(first.accepted.back().lambda, reference[11].lambda * (1.0 + 1.0e-6));

  const ModalResult result = RunModalAnalysisFrom(model.profile, model.K, model.M, options, SilentProgress(), start);
  ASSERT_EQ(result.fault, ModalFault::None);
  EXPECT_GT(result.missedRoots, 0);
  EXPECT_EQ(result.passedRootModes, result.missedRoots);
  ASSERT_EQ(result.modesFound, 12);
  ExpectSameAsOracle(model, result, oracle, 12);
}

// The same cantilever with every node massed, the anchored one too (as the
// program lumps the masses): its three roots on the 1.0e12 anchor springs
// lie 1e10 above the pipe's. At every mode count, with the cut-off below
// and above them, the roots come once each, in order, equal to the dense
// solution's, with their modes, M-orthonormal.
TEST(EigenSolver, AnchoredMassCantileversGiveEveryRootOnceAtEveryModeCount) {
  for (const int elements : {4, 20}) {
    Cantilever c;
    c.elements = elements;
    c.massAtAnchor = true;
    const AssembledModel model = BuildCantilever(c);
    const ReferenceModes reference = ReferenceEigenpairs(SkylineToDense(model.profile, model.K),
                                                         std::vector<double>(model.M.begin() + 1, model.M.end()));
    const int massed = 3 * (elements + 1);
    ASSERT_EQ(static_cast<int>(reference.lambda.size()), massed);
    ASSERT_GT(reference.lambda.back(), 1.0e9 * reference.lambda.front());
    for (const double cutOff : {1.0e4, 1.0e7}) {
      const double lambdaC = std::pow(2.0 * kPi * cutOff, 2);
      for (int count = 1; count <= massed; ++count) {
        SCOPED_TRACE(testing::Message() << elements << " elements, " << count << " modes, cut-off " << cutOff);
        // The rule of the search: `count` roots, or up to the first one above the cut-off.
        int expected = 0;
        while (expected < massed && expected < count) {
          ++expected;
          if (reference.lambda[expected - 1] > lambdaC) break;
        }
        const ModalResult result =
            RunModalAnalysis(model.profile, model.K, model.M, Options(count, cutOff), SilentProgress());
        ASSERT_EQ(result.fault, ModalFault::None) << ModalFaultMessage(result.fault);
        ASSERT_EQ(result.modesFound, expected);
        ExpectSameAsReference(model, result, reference);
        ExpectTrueModes(model, result);
        // The determinant search, slow but independent, finds the same roots
        // on the small one (its inverse iteration leaves the modes of the
        // anchor roots, 1e10 above the lowest, mixed to 2e-2: the dense
        // modes are the reference for those).
        if (elements == 4 && count == massed) {
          const ModalResult oracle = DeterminantSearchModes(model.profile, model.K, model.M, Options(count, cutOff));
          ASSERT_EQ(oracle.fault, ModalFault::None);
          ASSERT_EQ(oracle.modesFound, result.modesFound);
          for (std::int32_t r = 1; r <= result.modesFound; ++r)
            EXPECT_NEAR(result.eigenvalues[r], oracle.eigenvalues[r], 1.0e-8 * oracle.eigenvalues[r]) << "root " << r;
        }
      }
    }
  }
}

// One 4.5 x 0.237 pipe from an anchor, every node massed, the anchored one
// too: 100 in to a tip weight of 1000 lb, in one element and in three, and
// 10 in without a weight, in five. The first has its roots near 2.4 Hz
// (twice) and 93 Hz, and three on the anchor springs near 466 kHz, 1e10
// above in λ and within 1e-6 of each other, where no shift near the pipe's
// roots can see them; the short pipe's anchor roots are a single and a
// double one, where a run that starts as an earlier one did reaches only
// the copy already found. Every mode count from 1 to one past the massed
// equations, with the cut-off at 33 Hz, at 100 kHz and above every root:
// the search ends without a fault, returns what the rule keeps (the count,
// or up to the first root above the cut-off), each root equal to the dense
// solution's with its mode, and says when the roots ran out.
TEST(EigenSolver, PipesWithTheirAnchorsMassedGiveEveryRootAtEveryModeCount) {
  const double ro = 2.25, ri = ro - 0.237, g = 386.4;
  struct Pipe {
    int elements;
    double length, tipWeight;
  };
  for (const Pipe pipe : {Pipe{1, 100.0, 1000.0}, Pipe{3, 100.0, 1000.0}, Pipe{5, 10.0, 0.0}}) {
    Cantilever c;
    c.elements = pipe.elements;
    c.length = pipe.length;
    c.E = 2.9e7;
    c.G = c.E / 2.6;
    c.A = kPi * (ro * ro - ri * ri);
    c.Iy = c.Iz = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
    c.J = 2.0 * c.Iy;
    c.massPerLength = 0.2836 * c.A / g;
    c.massAtAnchor = true;
    c.tipMass = pipe.tipWeight / g;
    const AssembledModel model = BuildCantilever(c);
    const ReferenceModes reference = ReferenceEigenpairs(SkylineToDense(model.profile, model.K),
                                                         std::vector<double>(model.M.begin() + 1, model.M.end()));
    const int massed = 3 * (pipe.elements + 1);
    ASSERT_EQ(static_cast<int>(reference.lambda.size()), massed);
    // The anchor's three roots, near √(1e12 / m)/2π, close together at the top.
    const double anchorHertz = std::sqrt(1.0e12 / (0.5 * c.massPerLength * c.length / pipe.elements)) / (2.0 * kPi);
    for (int r = massed - 3; r < massed; ++r)
      EXPECT_NEAR(std::sqrt(reference.lambda[r]) / (2.0 * kPi), anchorHertz, 1.0e-3 * anchorHertz);
    for (const double cutOff : {33.0, 1.0e5, 1.0e9}) {
      const double lambdaC = std::pow(2.0 * kPi * cutOff, 2);
      for (int count = 1; count <= massed + 1; ++count) {
        SCOPED_TRACE(testing::Message() << pipe.elements << " elements, " << count << " modes, cut-off " << cutOff);
        int expected = 0;
        bool above = false;
        while (expected < massed && expected < count && !above) above = reference.lambda[expected++] > lambdaC;
        const ModalResult result =
            RunModalAnalysis(model.profile, model.K, model.M, Options(count, cutOff), SilentProgress());
        ASSERT_EQ(result.fault, ModalFault::None) << ModalFaultMessage(result.fault);
        ASSERT_EQ(result.modesFound, expected);
        EXPECT_EQ(result.noMoreRoots, count > massed && !above);
        ExpectSameAsReference(model, result, reference);
        ExpectWholeModesAsReference(model, result, reference);
      }
    }
  }
}

TEST(EigenSolver, SturmCountSeesOnlyDistinctRootsSoAGhostCannotFillIt) {
  // Roots 1 and 2 found; a run then returns root 1 again (a ghost: root 1
  // with rounding of its own, and the mixture of roots 1 and 2 that the
  // review found) beside root 3, while root 4 was missed. Counted as they
  // come, the ghosts would make the four roots below a shift above root 4;
  // admitted, only the three distinct ones count, and the Sturm count of
  // four shows the miss.
  const AssembledModel model = BuildSpringMassChain(8, 1000.0, 2.0);
  const ReferenceModes reference = ReferenceEigenpairs(SkylineToDense(model.profile, model.K),
                                                       std::vector<double>(model.M.begin() + 1, model.M.end()));
  std::vector<double> factor = model.K;
  ASSERT_TRUE(FactoriseColumns(factor.data(), model.profile.DiagonalAddress.data(), 1, model.profile.equationCount,
                               PivotRule::PositiveDefinite).Ok());
  const LanczosOperator op{model.profile, factor, 0.0, model.M};
  auto mode = [&reference](std::size_t r) { return EigenPair{reference.lambda[r], reference.phi[r]}; };
  auto normalised = [&model](EigenPair m) {
    const double norm = std::sqrt(MassProduct(m.phi, model.M, m.phi));
    for (double& v : m.phi) v /= norm;
    return m;
  };
  EigenPair ghost = mode(0);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> noise(-1.0e-9, 1.0e-9);
  for (std::size_t e = 1; e < ghost.phi.size(); ++e) ghost.phi[e] += noise(random);
  EigenPair mixture = mode(0);
  for (std::size_t e = 1; e < mixture.phi.size(); ++e) mixture.phi[e] = 0.95 * mixture.phi[e] + 0.31 * reference.phi[1][e];

  std::vector<EigenPair> found{mode(0), mode(1)};
  const std::vector<double> admitted =
      AdmitModes(op, found, {normalised(ghost), normalised(mixture), mode(2)}, 1.0 / reference.lambda[0]);
  ASSERT_EQ(admitted.size(), 1u);
  EXPECT_NEAR(admitted[0], reference.lambda[2], 1.0e-12 * reference.lambda[2]);
  ASSERT_EQ(found.size(), 3u);
  for (std::size_t r = 0; r < 3; ++r) EXPECT_EQ(found[r].lambda, reference.lambda[r]);

  double shift = reference.lambda[3] * (1.0 + 1.0e-6);
  std::vector<double> shifted;
  std::int64_t negatives = 0;
  ASSERT_EQ(FactoriseShifted(model.profile, model.K, model.M, shift, shifted, negatives, SilentProgress()),
            ModalFault::None);
  EXPECT_EQ(negatives, 4);
  EXPECT_EQ(CountSturmBelow(found, shift), 3);

  // A mode whose remainder is an eigenvector of its own joins as that root:
  // root 1 carrying a share 1.0e-3 of root 5 is root 5 once root 1 is removed.
  EigenPair carrying = mode(0);
  for (std::size_t e = 1; e < carrying.phi.size(); ++e) carrying.phi[e] += 1.0e-3 * reference.phi[4][e];
  const std::vector<double> fifth = AdmitModes(op, found, {normalised(carrying)}, 1.0 / reference.lambda[0]);
  ASSERT_EQ(fifth.size(), 1u);
  EXPECT_NEAR(fifth[0], reference.lambda[4], 1.0e-9 * reference.lambda[4]);
  ASSERT_EQ(found.size(), 4u);
  for (std::size_t i = 0; i < found.size(); ++i)
    for (std::size_t j = 0; j <= i; ++j)
      EXPECT_NEAR(MassProduct(found[i].phi, model.M, found[j].phi), i == j ? 1.0 : 0.0, 1.0e-12) << i << ", " << j;
}

TEST(EigenSolver, BadModelsStopWithTheirMessages) {
  AssembledModel model = BuildSpringMassChain(4, 100.0, 1.0);
  std::vector<double> noMass(model.M.size(), 0.0);
  const ModalResult none = RunModalAnalysis(model.profile, model.K, noMass, ModalOptions{}, SilentProgress());
  EXPECT_EQ(ModalFaultMessage(none.fault), "This model has no mass.");
  // A negative mass leaves no M inner product to build modes in.
  std::vector<double> negative = model.M;
  negative[7] = -1.0;
  const ModalResult bad = RunModalAnalysis(model.profile, model.K, negative, ModalOptions{}, SilentProgress());
  EXPECT_EQ(ModalFaultMessage(bad.fault), "Error while solving eigenproblem");
  // A zero diagonal stops before any text is shown.
  model.K[model.profile.DiagonalAddress[9]] = 0.0;
  struct Counter : AnalysisProgress {
    int texts = 0;
    void ShowText(ProgressArea, const std::string&) override { ++texts; }
  } window;
  const ModalResult zero = RunModalAnalysis(model.profile, model.K, model.M, ModalOptions{}, window);
  EXPECT_EQ(ModalFaultMessage(zero.fault), "Zero or negative diagonal element");
  EXPECT_EQ(window.texts, 0);
  EXPECT_EQ(ModalFaultMessage(ModalFault::ZeroPivot), "Error while solving eigenproblem: is > ntf");
  EXPECT_EQ(ModalFaultMessage(ModalFault::IterationsExceeded),
            "Number of iterations exceeded while solving eigenproblem");
  EXPECT_EQ(ModalFaultMessage(ModalFault::ModeBeyondRoom), "There was an error while solving eigenproblem");
  EXPECT_EQ(ModalFaultMessage(ModalFault::NoEigenvalues), "Unable to find eigenvalues");
}

TEST(TridiagonalEigen, GivesTheEigenpairsOfTheMatrix) {
  // T = tridiag(-1, 2, -1) of order n: θ_k = 2 - 2cos(kπ/(n+1)), with
  // eigenvectors sin(ikπ/(n+1)).
  const int n = 12;
  std::vector<double> d(n, 2.0), e(n, -1.0);
  std::vector<double> z(n * n, 0.0);
  for (int i = 0; i < n; ++i) z[i * n + i] = 1.0;
  std::vector<double> dLast = d, eLast = e, last(n, 0.0);
  last[n - 1] = 1.0;
  ASSERT_TRUE(TridiagonalEigen(d, e, z.data(), n));
  ASSERT_TRUE(TridiagonalEigen(dLast, eLast, last.data(), 1));
  for (int c = 0; c < n; ++c) {
    const double theta = d[c];
    const double k = std::acos((2.0 - theta) / 2.0) * (n + 1) / kPi;
    EXPECT_NEAR(k, std::round(k), 1.0e-9);
    EXPECT_DOUBLE_EQ(dLast[c], theta);  // the same sweeps without the vectors
    double norm = 0.0;
    for (int i = 0; i < n; ++i) norm += std::pow(std::sin((i + 1) * std::round(k) * kPi / (n + 1)), 2);
    const double expected = std::sin(n * std::round(k) * kPi / (n + 1)) / std::sqrt(norm);
    EXPECT_NEAR(std::fabs(z[(n - 1) * n + c]), std::fabs(expected), 1.0e-12);
    EXPECT_DOUBLE_EQ(last[c], z[(n - 1) * n + c]);
  }
}

}  // namespace

namespace {

// With every eigenvector kept column after column, the sweeps are the same
// as with the rows kept row after row: the same eigenvalues, and column i
// the same vector as column i of the row-major matrix.
TEST(TridiagonalEigen, ColumnsGiveTheSameEigenpairsAsRows) {
  const int n = 37;
  std::vector<double> d(n), e(n);
  for (int i = 0; i < n; ++i) {
    d[i] = 2.0 + std::sin(1.3 * i);
    e[i] = 0.5 + 0.4 * std::cos(0.7 * i);
  }
  std::vector<double> dRows = d, eRows = e, dColumns = d, eColumns = e;
  std::vector<double> rows(n * n, 0.0), cols(n * n, 0.0);
  for (int i = 0; i < n; ++i) rows[i * n + i] = cols[i * n + i] = 1.0;
  ASSERT_TRUE(TridiagonalEigen(dRows, eRows, rows.data(), n));
  ASSERT_TRUE(TridiagonalEigenColumns(dColumns, eColumns, cols.data()));
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(dColumns[i], dRows[i]);
    // T·v = θ·v for the column, and it is the row-major matrix's column.
    for (int k = 0; k < n; ++k) {
      EXPECT_NEAR(cols[i * n + k], rows[k * n + i], 1.0e-15) << i << ", " << k;
      double tv = d[k] * cols[i * n + k];
      if (k > 0) tv += e[k - 1] * cols[i * n + k - 1];
      if (k + 1 < n) tv += e[k] * cols[i * n + k + 1];
      EXPECT_NEAR(tv, dColumns[i] * cols[i * n + k], 1.0e-13) << i << ", " << k;
    }
  }
}

}  // namespace
