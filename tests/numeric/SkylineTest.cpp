// Skyline profile, assembly, factorisation and solve against hand values and
// a dense L·D·Lᵀ of the same matrices.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>

#include "analysis/KernelTestModels.h"
#include "numeric/EquationNumbers.h"
#include "numeric/RunState.h"
#include "numeric/Skyline.h"
#include "numeric/SkylineAssembly.h"

namespace {

using namespace kerneltest;

LocationVector Pair(std::int32_t top, std::int32_t column) {
  LocationVector v;
  v.count = 2;
  v.equation[0] = top;
  v.equation[1] = column;
  return v;
}

// A random symmetric positive-definite matrix on a random profile: column c
// reaches up to `reach` rows above it at most (some columns hold only their
// diagonal), the diagonal dominates its row.
AssembledModel RandomProfileMatrix(std::int64_t E, unsigned seed, double diagonalOnlyShare, std::int32_t reach = 40) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  std::uniform_real_distribution<double> share(0.0, 1.0);
  std::vector<LocationVector> connections;
  for (std::int32_t c = 2; c <= E; ++c) {
    if (share(random) < diagonalOnlyShare) continue;
    std::uniform_int_distribution<std::int32_t> top(std::max<std::int32_t>(1, c - reach), c - 1);
    connections.push_back(Pair(top(random), c));
  }
  AssembledModel model;
  model.profile = BuildSkylineProfile(E, connections);
  model.K.assign(model.profile.nme + 1, 0.0);
  std::vector<double> rowSum(E + 1, 0.0);
  for (std::int64_t c = 1; c <= E; ++c)
    for (std::int64_t k = 1; k <= model.profile.columnHeight[c]; ++k) {
      const double v = value(random);
      model.K[model.profile.DiagonalAddress[c] + k] = v;
      rowSum[c] += std::fabs(v);
      rowSum[c - k] += std::fabs(v);
    }
  for (std::int64_t c = 1; c <= E; ++c) model.K[model.profile.DiagonalAddress[c]] = rowSum[c] + 0.5 + share(random);
  return model;
}

TEST(ElementLocationVector, GivesSixEquationsPerNodeInDirectionOrder) {
  // Node index 1 at position 3 owns equations 13..18; node index 2 takes no
  // part in the analysis and adds no equation.
  const std::vector<std::int32_t> positions{0, 3, 0};
  const LocationVector one = ElementLocationVector(positions, 1, 0);
  EXPECT_EQ(one.count, 6);
  for (int d = 0; d < 6; ++d) EXPECT_EQ(one.equation[d], 13 + d);
  const LocationVector two = ElementLocationVector(positions, 1, 2);
  EXPECT_EQ(two.count, 12);
  for (int d = 0; d < 6; ++d) EXPECT_EQ(two.equation[6 + d], 0);
  EXPECT_EQ(EquationPosition(18), 3);
  EXPECT_EQ(EquationDirection(18), 6);
  EXPECT_EQ(EquationDirection(13), 1);
}

TEST(SkylineProfile, TwoNodesJoinedByOneElement) {
  const std::vector<std::int32_t> positions{0, 1, 2};
  const std::vector<LocationVector> connections{ElementLocationVector(positions, 1, 2)};
  const SkylineProfile profile = BuildSkylineProfile(12, connections);
  EXPECT_EQ(profile.nme, 78);
  EXPECT_EQ(profile.bandCount, 12);
  for (std::int64_t i = 1; i <= 12; ++i) {
    EXPECT_EQ(profile.columnHeight[i], i - 1);
    EXPECT_EQ(profile.DiagonalAddress[i], 1 + i * (i - 1) / 2);
  }
  EXPECT_EQ(profile.DiagonalAddress[13], 79);
}

TEST(SkylineProfile, ReservesTheBlockOfANodeNoElementReaches) {
  // Nodes 1-2 joined; node 3 carries only a support with coupling terms.
  const std::vector<std::int32_t> positions{0, 1, 2, 3};
  const std::vector<LocationVector> connections{ElementLocationVector(positions, 1, 2)};
  const SkylineProfile profile = BuildSkylineProfile(18, connections);
  for (std::int64_t d = 1; d <= 6; ++d) EXPECT_EQ(profile.columnHeight[12 + d], d - 1);
  std::vector<double> A(profile.nme + 1, 0.0);
  ElementMatrixPacked support;
  support.n = 6;
  for (int i = 1; i <= 6; ++i)
    for (int j = i; j <= 6; ++j) support.value[PackedIndex(6, i, j)] = 10.0 * i + j;
  ASSERT_TRUE(AddToGlobalStiffness(A, profile, support, ElementLocationVector(positions, 3, 0)).Ok());
  const Dense dense = SkylineToDense(profile, A);
  for (int i = 1; i <= 6; ++i)
    for (int j = i; j <= 6; ++j) EXPECT_EQ(dense[12 + i - 1][12 + j - 1], 10.0 * i + j);
  // Nothing landed in the columns of nodes 1 and 2.
  for (std::int64_t k = 1; k <= profile.DiagonalAddress[13] - 1; ++k) EXPECT_EQ(A[k], 0.0);
}

TEST(SkylineAssembly, RefusesATermOutsideTheProfileWithoutAddingAnything) {
  const std::vector<std::int32_t> positions{0, 1, 2, 3};
  const std::vector<LocationVector> connections{ElementLocationVector(positions, 1, 2)};
  const SkylineProfile profile = BuildSkylineProfile(18, connections);
  std::vector<double> A(profile.nme + 1, 0.0);
  ElementMatrixPacked packed;
  packed.n = 12;
  packed.value.fill(1.0);
  const SolverStatus status = AddToGlobalStiffness(A, profile, packed, ElementLocationVector(positions, 1, 3));
  EXPECT_EQ(status.fault, SolverFault::OutsideProfile);
  for (double a : A) EXPECT_EQ(a, 0.0);
}

TEST(SkylineAssembly, ZeroInTheLocationVectorLeavesItsRowAndColumnAlone) {
  const std::vector<std::int32_t> positions{0, 1, 2};
  const std::vector<LocationVector> connections{ElementLocationVector(positions, 1, 2)};
  const SkylineProfile profile = BuildSkylineProfile(12, connections);
  std::vector<double> A(profile.nme + 1, 0.0);
  ElementMatrixPacked packed;
  packed.n = 12;
  for (int i = 1; i <= 12; ++i)
    for (int j = i; j <= 12; ++j) packed.value[PackedIndex(12, i, j)] = 100.0 * i + j;
  LocationVector lv = ElementLocationVector(positions, 1, 2);
  lv.equation[2] = 0;  // entry 3 (node 1, Z) has no equation
  ASSERT_TRUE(AddToGlobalStiffness(A, profile, packed, lv).Ok());
  const Dense dense = SkylineToDense(profile, A);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(dense[2][i], 0.0);
    EXPECT_EQ(dense[i][2], 0.0);
  }
  // Another term lands where the packed index says: (1, 12) is 112, (5, 9) is 509.
  EXPECT_EQ(dense[0][11], 112.0);
  EXPECT_EQ(dense[8][4], 509.0);
  EXPECT_EQ(dense[6][6], 707.0);
}

TEST(SkylineAssembly, RotatesElementMatrixAndLoadsToGlobalAxes) {
  // A frame rotating local x to global Y, local y to global -X, z unchanged.
  const LocalFrame T{{{0.0f, -1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}}};
  const ElementStiffness local = BeamStiffness(30.0e6, 11.5e6, 5.0, 40.0, 20.0, 60.0, 50.0);
  const std::vector<std::int32_t> positions{0, 1, 2};
  const LocationVector lv = ElementLocationVector(positions, 1, 2);
  const std::vector<LocationVector> connections{lv};
  const SkylineProfile profile = BuildSkylineProfile(12, connections);
  std::vector<double> A(profile.nme + 1, 0.0);
  ASSERT_TRUE(TransformAndAssembleElement(A, profile, local, T, lv).Ok());
  const Dense global = SkylineToDense(profile, A);
  // Axial stiffness EA/L now acts along global Y, bending 12EIz/L³ along X.
  EXPECT_DOUBLE_EQ(global[1][1], 30.0e6 * 5.0 / 50.0);
  EXPECT_DOUBLE_EQ(global[1][7], -30.0e6 * 5.0 / 50.0);
  EXPECT_DOUBLE_EQ(global[0][0], 12.0 * 30.0e6 * 20.0 / (50.0 * 50.0 * 50.0));
  EXPECT_DOUBLE_EQ(global[4][4], 11.5e6 * 60.0 / 50.0);  // torsion about global Y
  // The whole matrix equals T·K·Tᵀ formed densely.
  for (int r = 0; r < 12; ++r)
    for (int c = 0; c < 12; ++c) {
      double expected = 0.0;
      for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l)
          expected += T[r % 3][k] * local[3 * (r / 3) + k][3 * (c / 3) + l] * T[c % 3][l];
      EXPECT_NEAR(global[r][c], expected, 1.0e-6 * (1.0 + std::fabs(expected)));
    }
  std::vector<double> V(13, 0.0);
  ElementLoads loads{};
  loads[0] = 7.0;   // axial force at node 1
  loads[10] = 3.0;  // moment about local y at node 2
  TransformAndAddElementLoads(V, loads, T, lv);
  EXPECT_DOUBLE_EQ(V[2], 7.0);    // along global Y
  EXPECT_DOUBLE_EQ(V[10], -3.0);  // about global -X
  EXPECT_DOUBLE_EQ(V[1] + V[3] + V[11] + V[12], 0.0);
}

TEST(SkylineFactorisation, MatchesDenseLdltOnRandomProfileMatrices) {
  struct Case {
    std::int64_t E;
    unsigned seed;
    double diagonalOnly;
  };
  for (const Case c : {Case{1, 1, 0.0}, Case{7, 2, 0.0}, Case{60, 3, 0.1}, Case{150, 4, 0.5}, Case{300, 5, 0.2}}) {
    SCOPED_TRACE(c.E);
    AssembledModel model = RandomProfileMatrix(c.E, c.seed, c.diagonalOnly);
    const Dense dense = SkylineToDense(model.profile, model.K);
    std::vector<double> D;
    Dense L;
    DenseLdlt(dense, D, L);
    std::vector<double> A = model.K;
    ASSERT_TRUE(TriangulariseStiffness(A, model.profile, SilentProgress()).Ok());
    for (std::int64_t col = 1; col <= c.E; ++col) {
      EXPECT_NEAR(A[model.profile.DiagonalAddress[col]], D[col - 1], 1.0e-12 * std::fabs(D[col - 1]));
      for (std::int64_t k = 1; k <= model.profile.columnHeight[col]; ++k)
        EXPECT_NEAR(A[model.profile.DiagonalAddress[col] + k], L[col - 1][col - k - 1], 1.0e-12);
    }
    // Solve K·x = b for a known x.
    std::vector<double> x(c.E), V(c.E + 1, 0.0);
    for (std::int64_t i = 0; i < c.E; ++i) x[i] = std::sin(0.3 * static_cast<double>(i) + 1.0);
    const std::vector<double> b = DenseTimes(dense, x);
    for (std::int64_t i = 0; i < c.E; ++i) V[i + 1] = b[i];
    ASSERT_TRUE(SolveDisplacements(A, model.profile, V, SilentProgress()).Ok());
    for (std::int64_t i = 0; i < c.E; ++i) EXPECT_NEAR(V[i + 1], x[i], 1.0e-10);
  }
}

// The column-at-a-time factorisation (COLSOL's steps 3 to 5), the form the
// blocked one replaced: the reference for its values and its first failing
// column. Returns that column, 0 when none fails.
std::int64_t ColumnAtATime(std::vector<double>& A, const SkylineProfile& profile, bool shifted) {
  const auto& DA = profile.DiagonalAddress;
  for (std::int64_t N = 1; N <= profile.equationCount; ++N) {
    const std::int64_t KN = DA[N], KL = KN + 1, KU = DA[N + 1] - 1, KH = KU - KL;
    for (std::int64_t K = N - KH, IC = 0, KLT = KU; K < N; ++K) {
      ++IC, --KLT;
      const std::int64_t KI = DA[K], ND = DA[K + 1] - KI - 1;
      double C = 0.0;
      for (std::int64_t L = 1; L <= std::min(IC, ND); ++L) C += A[KI + L] * A[KLT + L];
      if (KH > 0) A[KLT] -= C;
    }
    double B = 0.0;
    bool large = false;
    for (std::int64_t KK = KL, K = N - 1; KK <= KU; ++KK, --K) {
      const double C = A[KK] / A[DA[K]];
      large |= !(std::fabs(C) < 1.0e10);
      B += C * A[KK];
      A[KK] = C;
    }
    A[KN] -= B;
    if ((shifted && (large || A[KN] == 0.0)) || (!shifted && !(A[KN] > 0.0))) return N;
  }
  return 0;
}

// κ₁(A) = ‖A‖₁·‖A⁻¹‖₁, the columns of A⁻¹ solved with A's factors.
double ConditionNumber(const AssembledModel& model, const std::vector<double>& factor) {
  const Dense A = SkylineToDense(model.profile, model.K);
  const std::size_t n = A.size();
  double norm = 0.0, inverseNorm = 0.0;
  for (std::size_t j = 0; j < n; ++j) {
    double column = 0.0;
    for (std::size_t i = 0; i < n; ++i) column += std::fabs(A[i][j]);
    norm = std::max(norm, column);
    std::vector<double> x(n + 1, 0.0);
    x[j + 1] = 1.0;
    if (!SolveDisplacements(factor, model.profile, x, SilentProgress()).Ok()) return HUGE_VAL;
    double inverseColumn = 0.0;
    for (std::size_t i = 1; i <= n; ++i) inverseColumn += std::fabs(x[i]);
    inverseNorm = std::max(inverseNorm, inverseColumn);
  }
  return norm * inverseNorm;
}

TEST(SkylineFactorisation, BlockedEqualsColumnAtATimeOnTallRandomProfiles) {
  // Profiles up to 150 rows tall, so blocks of columns reduce rows far above
  // them with jagged tops; shifted down by σ the matrices are indefinite.
  struct Case {
    std::int64_t E;
    unsigned seed;
    double diagonalOnly;
    std::int32_t reach;
    double shift;  // as a share of the mean diagonal
  };
  for (const Case c : {Case{700, 21, 0.05, 150, 0.0}, Case{433, 22, 0.3, 97, 0.0}, Case{600, 23, 0.0, 60, 0.6},
                       Case{520, 24, 0.1, 130, 0.9}}) {
    SCOPED_TRACE(c.seed);
    AssembledModel model = RandomProfileMatrix(c.E, c.seed, c.diagonalOnly, c.reach);
    const auto& DA = model.profile.DiagonalAddress;
    double mean = 0.0;
    for (std::int64_t i = 1; i <= c.E; ++i) mean += model.K[DA[i]] / static_cast<double>(c.E);
    for (std::int64_t i = 1; i <= c.E; ++i) model.K[DA[i]] -= c.shift * mean;
    std::vector<double> reference = model.K, blocked = model.K;
    const bool shifted = c.shift != 0.0;
    ASSERT_EQ(ColumnAtATime(reference, model.profile, shifted), 0);
    ASSERT_TRUE(FactoriseColumns(blocked.data(), DA.data(), 1, c.E,
                                 shifted ? PivotRule::Shifted : PivotRule::PositiveDefinite).Ok());
    std::int64_t negatives = 0;
    for (std::int64_t i = 1; i <= c.E; ++i) negatives += blocked[DA[i]] < 0.0;
    EXPECT_EQ(negatives > 0, shifted);
    // Both orders of summation are backward stable: each factor is the exact
    // one of A + ΔA with |ΔA| ≲ (h + 1)·ε·|L|·|D|·|Lᵀ|, so the two differ by
    // about 2·(h + 1)·ε·κ(A) relative, h the tallest column.
    const double bound = 2.0 * static_cast<double>(model.profile.bandCount + 1) *
                         std::numeric_limits<double>::epsilon() * ConditionNumber(model, reference);
    for (std::size_t k = 1; k < blocked.size(); ++k)
      ASSERT_NEAR(blocked[k], reference[k], bound * (1.0 + std::fabs(reference[k]))) << "value " << k;
  }
}

TEST(SkylineFactorisation, ShiftedFactorisationStopsAtTheFirstFailingColumnInsideABlock) {
  // Column 70 (inside a block of columns, as is 71) is made to reduce to exactly
  // zero (its terms all 0.0), then instead to a pivot so small that column 71
  // below it gets a multiplier of 1.0e10 or more.
  AssembledModel model = RandomProfileMatrix(160, 31, 0.0, 30);
  const auto& DA = model.profile.DiagonalAddress;
  std::vector<double> probe = model.K;
  ASSERT_EQ(ColumnAtATime(probe, model.profile, true), 0);
  ASSERT_GT(model.profile.columnHeight[71], 0);
  const double D70 = probe[DA[70]];
  for (const double rest : {0.0, 1.0e-13}) {
    SCOPED_TRACE(rest);
    std::vector<double> A = model.K;
    if (rest == 0.0)
      std::fill(A.begin() + DA[70], A.begin() + DA[71], 0.0);
    else
      A[DA[70]] -= D70 - rest;
    std::vector<double> reference = A;
    const std::int64_t failing = ColumnAtATime(reference, model.profile, true);
    ASSERT_EQ(failing, rest == 0.0 ? 70 : 71);
    const SolverStatus status = FactoriseColumns(A.data(), DA.data(), 1, 160, PivotRule::Shifted);
    EXPECT_EQ(status.fault, rest == 0.0 ? SolverFault::ZeroPivot : SolverFault::LargeMultiplier);
    EXPECT_EQ(status.equation, failing);
    // Every column before the failing one is factorised as the reference has it.
    for (std::int64_t k = 1; k < DA[failing]; ++k) ASSERT_NEAR(A[k], reference[k], 1.0e-9 * (1.0 + std::fabs(reference[k])));
  }
}

TEST(SkylineFactorisation, TestsThePivotOfAColumnHoldingOnlyItsDiagonal) {
  AssembledModel model = RandomProfileMatrix(40, 9, 0.5);
  std::int64_t diagonalOnly = 0;
  for (std::int64_t c = 20; c <= 40 && diagonalOnly == 0; ++c)
    if (model.profile.columnHeight[c] == 0) diagonalOnly = c;
  ASSERT_NE(diagonalOnly, 0);
  for (double bad : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN()}) {
    std::vector<double> A = model.K;
    A[model.profile.DiagonalAddress[diagonalOnly]] = bad;
    const SolverStatus status = TriangulariseStiffness(A, model.profile, SilentProgress());
    EXPECT_EQ(status.fault, SolverFault::NotPositiveDefinite);
    EXPECT_EQ(status.equation, diagonalOnly);
  }
}

TEST(SkylineFactorisation, UnsupportedModelNamesTheNodeAndDirection) {
  // Nodes 10 and 20 (indexes 1 and 2) joined by unit springs in every
  // direction and nothing else: column 7, node 20 X, reduces to exactly 0.
  const std::vector<std::int32_t> positions{0, 1, 2};
  const LocationVector lv = ElementLocationVector(positions, 1, 2);
  const std::vector<LocationVector> connections{lv};
  const SkylineProfile profile = BuildSkylineProfile(12, connections);
  std::vector<double> A(profile.nme + 1, 0.0);
  ElementMatrixPacked spring;
  spring.n = 12;
  for (int d = 1; d <= 6; ++d) {
    spring.value[PackedIndex(12, d, d)] = 1.0;
    spring.value[PackedIndex(12, d + 6, d + 6)] = 1.0;
    spring.value[PackedIndex(12, d, d + 6)] = -1.0;
  }
  ASSERT_TRUE(AddToGlobalStiffness(A, profile, spring, lv).Ok());
  const SolverStatus status = TriangulariseStiffness(A, profile, SilentProgress());
  ASSERT_EQ(status.fault, SolverFault::NotPositiveDefinite);
  EXPECT_EQ(status.equation, 7);
  const NodeNumberTextFn number = [](std::int32_t index) { return std::to_string(10 * index); };
  EXPECT_EQ(NotPositiveDefiniteMessage(status.equation, positions, number),
            "Stiffness matrix is not positive definite\nAt node 20, Direction = X");
}

// Nodes 10 and 20 joined rigidly (1.0e12) in every direction, 10 held by a
// spring g: 20 is held by g in series with the link, its pivot K g / (K + g).
// A spring of 1 beside the rigid link holds it; a few units in the last
// place of 10's diagonal (rounding, g = 4 ulp = 4.9e-4) leave 20 free in X
// with a pivot of 4.9e-16 of its diagonal, which names node 20, X.
TEST(SkylineFactorisation, RefusesAPivotThatIsRoundingOfItsDiagonal) {
  const std::vector<std::int32_t> positions{0, 1, 2};
  const LocationVector lv = ElementLocationVector(positions, 1, 2);
  const std::vector<LocationVector> connections{lv};
  const SkylineProfile profile = BuildSkylineProfile(12, connections);
  const double K = 1.0e12;
  for (const bool rounding : {false, true}) {
    std::vector<double> A(profile.nme + 1, 0.0);
    ElementMatrixPacked link;
    link.n = 12;
    for (int d = 1; d <= 6; ++d) {
      link.value[PackedIndex(12, d, d)] = K + 1.0;
      link.value[PackedIndex(12, d + 6, d + 6)] = K;
      link.value[PackedIndex(12, d, d + 6)] = -K;
    }
    if (rounding) {
      double bumped = K;
      for (int ulp = 0; ulp < 4; ++ulp) bumped = std::nextafter(bumped, 2.0 * K);
      link.value[PackedIndex(12, 1, 1)] = bumped;
    }
    ASSERT_TRUE(AddToGlobalStiffness(A, profile, link, lv).Ok());
    const SolverStatus status = TriangulariseStiffness(A, profile, SilentProgress());
    if (!rounding) {
      ASSERT_TRUE(status.Ok());
      std::vector<double> V(13, 0.0);
      V[8] = 1.0;  // a unit force at 20 in Y: 1 / g + 1 / K
      ASSERT_TRUE(SolveDisplacements(A, profile, V, SilentProgress()).Ok());
      EXPECT_NEAR(V[8], 1.0 + 1.0 / K, 1e-6);
      continue;
    }
    ASSERT_EQ(status.fault, SolverFault::NotPositiveDefinite);
    EXPECT_EQ(status.equation, 7);
  }
}

TEST(NotPositiveDefiniteMessage, NamesEveryNodeAtThePositionAndEachDirection) {
  const NodeNumberTextFn number = [](std::int32_t index) { return std::to_string(100 + index); };
  // Node indexes 1..4 at positions 2, 0, 1, 2 (two nodes share position 2).
  const std::vector<std::int32_t> positions{0, 2, 0, 1, 2};
  EXPECT_EQ(NotPositiveDefiniteMessage(12, positions, number),
            "Stiffness matrix is not positive definite\nAt node 101, Direction = ZZ"
            "\nAt node 104, Direction = ZZ");
  const char* names[] = {"X", "Y", "Z", "XX", "YY", "ZZ"};
  for (int d = 1; d <= 6; ++d)
    EXPECT_EQ(NotPositiveDefiniteMessage(d, positions, number),
              std::string("Stiffness matrix is not positive definite\nAt node 103, Direction = ") + names[d - 1]);
  EXPECT_EQ(NotPositiveDefiniteMessage(0, positions, number), "Stiffness matrix is not positive definite");
}

TEST(SkylineFactorisation, ShowsItsPhaseTextsAndPercentage) {
  struct Recorder : AnalysisProgress {
    std::vector<std::string> phases, percentages;
    void ShowText(ProgressArea area, const std::string& text) override {
      (area == ProgressArea::Phase ? phases : percentages).push_back(text);
    }
  } window;
  AssembledModel model = RandomProfileMatrix(250, 11, 0.0);
  ASSERT_TRUE(TriangulariseStiffness(model.K, model.profile, window).Ok());
  std::vector<double> V(251, 1.0);
  ASSERT_TRUE(SolveDisplacements(model.K, model.profile, V, window).Ok());
  EXPECT_EQ(window.phases,
            (std::vector<std::string>{"Triangularizing stiffness matrix", "Calculating displacements"}));
  ASSERT_FALSE(window.percentages.empty());
  EXPECT_LE(window.percentages.size(), 2u * 100u);
  EXPECT_EQ(window.percentages.back(), "100 %");  // 250 x 0.4f reaches 100
}

TEST(SkylineSolve, ZeroDiagonalGivesTheMessageWithoutNode) {
  const SkylineProfile profile = BuildSkylineProfile(6, {});
  std::vector<double> A(profile.nme + 1, 0.0);
  for (std::int64_t i = 1; i <= 6; ++i) A[profile.DiagonalAddress[i]] = 2.0;
  A[profile.DiagonalAddress[4]] = 0.0;
  std::vector<double> V(7, 1.0);
  const SolverStatus status = SolveDisplacements(A, profile, V, SilentProgress());
  EXPECT_EQ(status.fault, SolverFault::NotPositiveDefinite);
  EXPECT_EQ(status.equation, 0);
}

TEST(SkylineProfile, ShowsSizesInTheAnalysisWindow) {
  struct Recorder : AnalysisProgress {
    std::map<int, std::string> fields;
    void SetField(int field, const std::string& text) override { fields[field] = text; }
  };
  // B = 10, E = 600 with a modal case and 20 modes: NME = 23 x 600.
  std::vector<std::int32_t> positions(101);
  for (int i = 1; i <= 100; ++i) positions[i] = i;
  std::vector<LocationVector> connections;
  for (int i = 1; i < 100; ++i) connections.push_back(Pair(6 * i - 3, 6 * i + 6));
  const SkylineProfile profile = BuildSkylineProfile(600, connections);
  ASSERT_EQ(profile.bandCount, 10);
  Recorder modal;
  ShowProfileSize(modal, profile, true, 20);
  EXPECT_EQ(modal.fields[kFieldStiffnessSize], "13800");
  EXPECT_EQ(modal.fields[kFieldStiffnessKilobytes], "108 K");
  EXPECT_EQ(modal.fields.count(kFieldAverageBandwidth), 0u);
  Recorder plain;
  ShowProfileSize(plain, profile, false, 20);
  EXPECT_EQ(plain.fields[kFieldStiffnessSize], std::to_string(profile.nme));
  EXPECT_EQ(plain.fields[kFieldAverageBandwidth], std::to_string(profile.nme / 600 + 1));
}

}  // namespace

namespace {

// Several load vectors solved together give K·x = b to the rounding of the
// factorisation, and the same displacements as one solve each, for every
// count (vectorised four and eight, any other term by term), on profiles
// with columns holding only their diagonal and tall ones.
TEST(SkylineSolve, SeveralVectorsAtOnceSolveEachAsAloneWouldAndSatisfyTheSystem) {
  for (const std::int32_t reach : {3, 40, 150}) {
    const AssembledModel model = RandomProfileMatrix(301, 7 + reach, 0.2, reach);
    const Dense K = SkylineToDense(model.profile, model.K);
    std::vector<double> A = model.K;
    ASSERT_TRUE(TriangulariseStiffness(A, model.profile, SilentProgress()).Ok());
    const std::int64_t E = model.profile.equationCount;
    std::mt19937 random(reach);
    std::uniform_real_distribution<double> load(-1.0, 1.0);
    for (const std::int32_t count : {1, 3, 4, 5, 8}) {
      SCOPED_TRACE(testing::Message() << "reach " << reach << ", " << count << " vectors");
      std::vector<std::vector<double>> b(count, std::vector<double>(E + 1, 0.0));
      std::vector<double> several((E + 1) * count, 0.0);
      for (std::int32_t r = 0; r < count; ++r)
        for (std::int64_t i = 1; i <= E; ++i) several[i * count + r] = b[r][i] = load(random);
      ASSERT_TRUE(SolveSeveral(A, model.profile, several, count).Ok());
      for (std::int32_t r = 0; r < count; ++r) {
        std::vector<double> alone = b[r];
        ASSERT_TRUE(SolveDisplacements(A, model.profile, alone, SilentProgress()).Ok());
        const std::vector<double> x(alone.begin() + 1, alone.end());
        const std::vector<double> Kx = DenseTimes(K, x);
        double largest = 0.0;
        for (std::int64_t i = 1; i <= E; ++i) largest = std::max(largest, std::fabs(alone[i]));
        for (std::int64_t i = 1; i <= E; ++i) {
          EXPECT_NEAR(several[i * count + r], alone[i], 1.0e-13 * largest) << "vector " << r << ", equation " << i;
          EXPECT_NEAR(Kx[i - 1], b[r][i], 1.0e-12) << "vector " << r << ", equation " << i;
        }
      }
    }
  }
}

TEST(SkylineSolve, SeveralVectorsStopAtAZeroDiagonal) {
  AssembledModel model = BuildSpringMassChain(3, 100.0, 1.0);
  std::vector<double> A = model.K;
  ASSERT_TRUE(TriangulariseStiffness(A, model.profile, SilentProgress()).Ok());
  A[model.profile.DiagonalAddress[5]] = 0.0;
  std::vector<double> V((model.profile.equationCount + 1) * 4, 1.0);
  const SolverStatus status = SolveSeveral(A, model.profile, V, 4);
  EXPECT_EQ(status.fault, SolverFault::NotPositiveDefinite);
  EXPECT_EQ(status.equation, 0);
}

}  // namespace
