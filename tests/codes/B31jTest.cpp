// B31J branch connection SIFs and flexibility factors against hand
// calculations of the B31J-2017 Table 1-1 and 2-1 formulas: a 6" x 4" Sch
// 40 welding tee through the whole SIF pass, a thin 24" x 20" connection
// where the caps of the unreinforced fabricated tee govern, the limits
// (tau above 1.2, R/T above 50, the pad at 1.5 T, the crotch radius at
// 0.05 d) and the rotational flexibilities the straight element takes.
#include "codes/CodeTesting.h"

#include "codes/B31jFlexibility.h"
#include "codes/B31jSif.h"
#include "codes/CodeModel.h"
#include "codes/Sif.h"

namespace {

// 24" x 0.375 header, 20" x 0.25 branch: R = 11.8125, r = 9.875,
// beta = 0.835979, gamma = 31.5, tau = 0.666667 (2 gamma > 25, thin).
const BranchGeometry kThin = {0.375, 24.0, 0.25, 20.0, 1, 0.0};

BranchGeometry Type(BranchGeometry g, int type, double dimension1 = 0.0) {
  g.type = type;
  g.dimension1 = dimension1;
  return g;
}

void ExpectSif(const SifTriple& s, double ii, double io, double it) {
  EXPECT_NEAR(s.inPlane, ii, 1e-4);
  EXPECT_NEAR(s.outPlane, io, 1e-4);
  EXPECT_NEAR(s.torsion, it, 1e-4);
}

TEST(B31jSifTest, FormulasAndTheirCapsOnAThinConnection) {
  SifTriple branch, run;
  // Welding tee: the fitted values lie under their caps.
  B31jBranchSif(kThin, branch);
  ExpectSif(branch, 2.39949, 3.37428, 2.20210);
  B31jRunSif(kThin, run);
  ExpectSif(run, 3.55781, 1.45027, 3.47211);
  // The unreinforced fabricated tee is its caps: branch ii_max = gamma^0.76
  // tau1^0.74 (0.038 + 1.45 b - 2.39 b^2 + 1.34 b^3) = 4.99276, io_max =
  // 10.99220, it_max = 4.41759; run 5.02615, 2.80897, 5.50875.
  branch = run = SifTriple{};
  B31jBranchSif(Type(kThin, 3), branch);
  ExpectSif(branch, 4.99276, 10.99220, 4.41759);
  B31jRunSif(Type(kThin, 3), run);
  ExpectSif(run, 5.02615, 2.80897, 5.50875);
  // Extruded tee without a crotch radius takes rx = 0.05 d = 1.0; its
  // branch torsion (4.68808) and run out-of-plane (3.38438) are capped.
  branch = run = SifTriple{};
  B31jBranchSif(Type(kThin, 4), branch);
  ExpectSif(branch, 4.68410, 7.34281, 4.41759);
  B31jRunSif(Type(kThin, 4), run);
  ExpectSif(run, 4.98651, 2.80897, 5.32046);
  SifTriple explicitRx;
  B31jBranchSif(Type(kThin, 4, 1.0), explicitRx);
  EXPECT_DOUBLE_EQ(explicitRx.inPlane, branch.inPlane);
  // A pad thicker than 1.5 T = 0.5625 counts as 0.5625.
  SifTriple thick, limit;
  B31jBranchSif(Type(kThin, 2, 1.0), thick);
  B31jBranchSif(Type(kThin, 2, 0.5625), limit);
  ExpectSif(thick, 2.31001, 5.72880, 1.55922);
  EXPECT_DOUBLE_EQ(thick.outPlane, limit.outPlane);
}

TEST(B31jSifTest, OutOfRangeGeometryLeavesTheFactorsAsPassed) {
  // tau = 1.3 stops the welding tee on both sides; the run still marks its
  // torsion 1.0001.
  BranchGeometry thick = {0.2, 8.625, 0.26, 4.5, 1, 0.0};
  SifTriple branch{1.7, 1.8, 1.0}, run{1.7, 1.8, 1.0};
  B31jBranchSif(thick, branch);
  ExpectSif(branch, 1.7, 1.8, 1.0);
  B31jRunSif(thick, run);
  ExpectSif(run, 1.7, 1.8, 1.0001);
  // R/T = 51: no B31J factors at all.
  const double T = 0.25, D = 2.0 * 51.0 * T + T;
  SifTriple far{1.0, 1.0, 1.0};
  B31jBranchSif({T, D, 0.25, 4.5, 3, 0.0}, far);
  ExpectSif(far, 1.0, 1.0, 1.0);
  EXPECT_TRUE(B31jGeometryInRange({T, D - 0.6, 0.25, 4.5, 3, 0.0}));
  EXPECT_FALSE(B31jGeometryInRange({T, D, 0.25, 4.5, 3, 0.0}));
}

class B31jTeeTest : public CodeModelFixture {};

TEST_F(B31jTeeTest, AWeldingTeeRowGivesBranchAndRunSifs) {
  BuildTee(1);
  model.options.UseB31J = 1;
  Make();
  // 6" x 4" Sch 40: beta = 0.671868, gamma = 11.33036, tau = 0.846429.
  // Branch: 0.33 b^0.18 tau^0.7 g^(2/3) = 1.37901, 0.42 g^(2/3) tau^0.37
  // b^0.37 = 1.71942, 0.42 b^1.1 g^(2/3) tau^1.1 = 1.13878. Run: 1.87719;
  // io 0.62036 raised to 1.0001; it 1.25255.
  const SifTables t = ComputeSifs(CodeModel(model, elements));
  const EndSifs& branch = t.elements[static_cast<std::size_t>(ElementBetween(20, 25))].ends[0];
  EXPECT_NEAR(branch.inPlane, 1.37901, 1e-4);
  EXPECT_NEAR(branch.outPlane, 1.71942, 1e-4);
  EXPECT_NEAR(branch.torsion, 1.13878, 1e-4);
  const EndSifs& run = t.elements[static_cast<std::size_t>(ElementBetween(20, 30))].ends[0];
  EXPECT_NEAR(run.inPlane, 1.87719, 1e-4);
  EXPECT_FLOAT_EQ(run.outPlane, 1.0001f);
  EXPECT_NEAR(run.torsion, 1.25255, 1e-4);
  // Without B31J the B31.3 tee rule of the node applies instead.
  model.options.UseB31J = 0;
  const SifTables plain = ComputeSifs(CodeModel(model, elements));
  EXPECT_NEAR(plain.elements[static_cast<std::size_t>(ElementBetween(20, 25))].ends[0].inPlane, 1.85162, 1e-4);
}

TEST_F(B31jTeeTest, FlexibilityFactorsAndTheStraightElementsRotations) {
  BranchSif& tee = BuildTee(1);
  model.options.UseB31J = 1;
  Make();
  // Branch factors: k1 = g^0.77 b^0.47 P(2.7, 1.91, 4.32) tau = 0.69216 ->
  // 1; k2 = g^1.46 P(0.18, 0.34, 0.49) tau = 1.81149 (under C2 = 9.90567);
  // k3 0.24639 -> 1. Run: k1 0.17182, k3 0.07550 -> 1, 1; k3 starts 1.0001.
  CodeModel cm(model, elements);
  const int node = Node(20);
  FlexibilityFactors k = B31JBranchFlexibilityFactors(cm, node);
  EXPECT_DOUBLE_EQ(k.k1, 1.0);
  EXPECT_NEAR(k.k2, 1.81149, 1e-4);
  EXPECT_DOUBLE_EQ(k.k3, 1.0);
  // One flange near the branch: k2 x (1 - 0.07 (2R/T)^0.44 N^0.61 b^0.339) = 1.37407.
  tee.flanges = 1;
  EXPECT_NEAR(B31JBranchFlexibilityFactors(CodeModel(model, elements), node).k2, 1.37407, 1e-4);
  tee.flanges = 0;
  const FlexibilityFactors run = B31JRunFlexibilityFactors(cm, node);
  EXPECT_DOUBLE_EQ(run.k1, 1.0);
  EXPECT_DOUBLE_EQ(run.k3, 1.0);
  // The branch: frz = 2 k2 fb - Rh k2r / (2 Ih Eh) with Rh = 3.3125, Ih =
  // pi/64 (6.625^4 - 6.065^4) = 28.1418, Eh = 29.5e6 (at 70 F); fry and
  // ftor stay fb and ft (their factors are 1).
  const double fb = 1.0e-6, ft = 0.8e-6;
  const double headerTerm = 3.3125 * 0.5 / (28.1418 * 29.5e6);
  const RotationalFlexibilities b = B31jRotationalFlexibilities(cm, ElementBetween(20, 25), 4.5, fb, ft);
  EXPECT_NEAR(b.frz, 2.0 * 1.81149 * fb - headerTerm, 1e-10);
  EXPECT_DOUBLE_EQ(b.fry, fb);
  EXPECT_DOUBLE_EQ(b.ftor, ft);
  // A run pipe with factors of 1 keeps its flexibilities.
  const RotationalFlexibilities r = B31jRotationalFlexibilities(cm, ElementBetween(10, 20), 6.625, fb, ft);
  EXPECT_DOUBLE_EQ(r.ftor, ft);
  EXPECT_DOUBLE_EQ(r.frz, fb);
  // A branch wall of 0.4 (tau = 1.43 > 1.2) stops the welding tee's
  // formulas: the run keeps the torsion factor 1.0001, taken on fb.
  model.sections[2].thickness = 0.4f;
  const RotationalFlexibilities stopped =
      B31jRotationalFlexibilities(CodeModel(model, elements), ElementBetween(10, 20), 6.625, fb, ft);
  EXPECT_DOUBLE_EQ(stopped.ftor, 1.0001 * fb);
  model.sections[2].thickness = 0.237f;
  // Without B31J, or away from the tee, the plain flexibilities.
  model.options.UseB31J = 0;
  const RotationalFlexibilities off = B31jRotationalFlexibilities(CodeModel(model, elements), ElementBetween(20, 25), 4.5, fb, ft);
  EXPECT_DOUBLE_EQ(off.frz, fb);
  EXPECT_DOUBLE_EQ(off.ftor, ft);
}

}  // namespace
