// Element code stresses against hand calculations, with the end forces
// given: a 6" Sch 40 pipe (A = 5.58135 in2, Z = 8.49575 in3, PD/4t =
// 887.277 psi at 150 psi) and the long-radius elbow after it, under B31.1
// and B31.3 (sustained, expansion, occasional, operating), ASME Class 2
// with B1 and B2, code None's principal stresses, the B31J pairing of each
// SIF with its own moment, the effective section modulus of a tee's branch,
// and walls used up by corrosion, which give a flagged value.
#include "codes/CodeTesting.h"

#include <cmath>

#include "codes/CodeModel.h"
#include "codes/CodeStressRecord.h"
#include "codes/ElementCodeStress.h"
#include "codes/Sif.h"
#include "codes/StressIndices.h"
#include "elements/Flange.h"
#include "elements/HydrotestLoad.h"

namespace {

class ElementCodeStressTest : public CodeModelFixture {
 protected:
  void SetUp() override {
    CodeModelFixture::SetUp();
    model.options.ThermalLoadCount = 1;  // P = P1 = 150 psi
  }
  void MakeElbow() {
    BuildElbow();
    Make();
    forces.assign(static_cast<std::size_t>(elements.count) + 1, ElementForces{});
    pipe = ElementBetween(10, 20);
    arc = ElementOfKind(4);
    // Fx, Fy, Fz, Mt, Mo, Mi at each end.
    forces[static_cast<std::size_t>(pipe)].values = {1000, 0, 0, 5000, 12000, 16000, 1000, 0, 0, 5000, -3000, 4000};
    forces[static_cast<std::size_t>(arc)].values = {0, 0, 0, 2000, 3000, 8000, 0, 0, 0, 0, 0, 0};
  }
  // The stresses of `element` in a case of `caseType` under `code`.
  template <typename Formula>
  EndPair Stress(int code, int element, Formula formula, int caseType = 1) {
    model.options.PipingCode = code;
    const CodeModel cm(model, elements);
    const SifTables sifs = ComputeSifs(cm);
    const CodeStressCase c{cm, sifs, forces, caseType};
    CodeStressRecord record;
    record.element = element;
    record.SL = {1000.0f, 1000.0f};
    return formula(c, record);
  }
  static EndPair Sustained(const CodeStressCase& c, CodeStressRecord& r) { return ElementSustainedStresses(c, r, false); }
  static EndPair Occasional(const CodeStressCase& c, CodeStressRecord& r) { return ElementSustainedStresses(c, r, true); }
  static EndPair Expansion(const CodeStressCase& c, CodeStressRecord& r) { return ElementExpansionStresses(c, r); }

  std::vector<ElementForces> forces;
  int pipe = 0, arc = 0;
};

TEST_F(ElementCodeStressTest, B311SustainedExpansionOccasionalAndOperating) {
  MakeElbow();
  // M = |(5000, 12000, 16000)| = 20615.5; M / Z = 2426.569.
  EXPECT_NEAR(Stress(1, pipe, Sustained).end1, 2426.569 + 887.277, 0.01);
  EXPECT_NEAR(Stress(1, pipe, Expansion).end1, 2426.569, 0.01);
  // End 2: M = |(5000, -3000, 4000)| = 7071.07.
  EXPECT_NEAR(Stress(1, pipe, Expansion).end2, 7071.068 / 8.495752, 0.01);
  // Occasional: the moments plus the stored SL of 1000; the pressure only
  // through (k - 1), none with the peak factor k = 1.
  EXPECT_NEAR(Stress(1, pipe, Occasional).end1, 2426.569 + 1000.0, 0.01);
  model.options.PeakPressureFactor = 1.5f;
  EXPECT_NEAR(Stress(1, pipe, Occasional).end1, 2426.569 + 0.5 * 887.277 + 1000.0, 0.01);
  // Operating: |Fx/A + PD/4t + ((Mi^2 + Mo^2)/Z^2 + (Mt/Z)^2)^0.5| = 3493.014.
  EXPECT_NEAR(Stress(1, pipe, [](const CodeStressCase& c, CodeStressRecord& r) { return ElementOperatingStresses(c, r); }).end1,
              3493.014, 0.01);
  // The axial force option adds |Fx| / A = 179.168 to the expansion stress.
  model.options.IncludeAxialForce = 1;
  EXPECT_NEAR(Stress(1, pipe, Expansion).end1, 2426.569 + 179.168, 0.01);
}

TEST_F(ElementCodeStressTest, TheOperatingStressTakesTheFibreOfTheLargerStressUnderCompression) {
  MakeElbow();
  const auto operating = [](const CodeStressCase& c, CodeStressRecord& r) { return ElementOperatingStresses(c, r); };
  // A line held hot between two anchors at 100 psi: Fx/A = -249938 / 5.58135
  // = -44780.9, PD/4t = 591.52, bending 7584.1 / 8.49575 = 892.7; the
  // compressed fibre carries |-44780.9 + 591.5| + 892.7 = 45082 psi.
  model.pipeLoads[1].operating[0].pressure = 100.0f;
  forces[static_cast<std::size_t>(pipe)].values = {-249938, 0, 0, 0, 0, 7584.1, -249938, 0, 0, 0, 0, 0};
  for (const int code : {1, 3, 21}) EXPECT_NEAR(Stress(code, pipe, operating).end1, 45082.1, 1.0) << code;
  // Fx/A = -4934, PD/4t = 1775 (P = 300.075), bending 5801: |-3159| + 5801,
  // where adding the bending to the signed sum gave the lesser fibre's 2642.
  model.pipeLoads[1].operating[0].pressure = 300.075f;
  forces[static_cast<std::size_t>(pipe)].values = {-4934 * 5.58135, 0, 0, 0, 5801 * 8.49575, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_NEAR(Stress(1, pipe, operating).end1, 8960.0, 0.5);
}

TEST_F(ElementCodeStressTest, B313PipeAndElbowWithTheirSifs) {
  MakeElbow();
  // Sustained: ((|Fx/A + PD/4t| + (Mi^2 + Mo^2)^0.5 / Z)^2 + (Mt/Z)^2)^0.5
  // = ((1066.445 + 2354.150)^2 + 588.531^2)^0.5 = 3470.823.
  EXPECT_NEAR(Stress(3, pipe, Sustained).end1, 3470.823, 0.01);
  // Expansion: ((|Fx|/A + 2354.150)^2 + 588.531^2)^0.5 = 2600.750.
  EXPECT_NEAR(Stress(3, pipe, Expansion).end1, 2600.750, 0.01);
  // The elbow (ii 2.26557, io 1.88798, Ia = 1): ((ii Mi)^2 + (io Mo)^2)^0.5 / Z
  // with Mt / Z: 2247.474; sustained with 0.75 i: 2574.396.
  EXPECT_NEAR(Stress(3, arc, Expansion).end1, 2247.474, 0.01);
  EXPECT_NEAR(Stress(3, arc, Sustained).end1, 2574.396, 0.01);
  // B31.3 takes the wall less corrosion for the sustained stress: 0.05 off
  // leaves 0.23 (A = 4.62, Z = 7.096, PD/4t = 1080.16): 4156.992.
  model.sections[1].corrosionAllowance = 0.05f;
  EXPECT_NEAR(Stress(3, pipe, Sustained).end1, 4156.992, 0.02);
  // A wall that corrosion uses up gives a flagged value, never infinity; the
  // expansion stress keeps the whole wall.
  model.sections[1].corrosionAllowance = 0.28f;
  const EndPair used = Stress(3, pipe, Sustained);
  EXPECT_TRUE(IsFlaggedStress(used.end1) && IsFlaggedStress(used.end2));
  EXPECT_TRUE(std::isfinite(used.end1));
  EXPECT_NEAR(Stress(3, pipe, Expansion).end1, 2600.750, 0.01);
}

TEST_F(ElementCodeStressTest, Class2StressIndicesAndTheB31jPairing) {
  MakeElbow();
  // ASME Class 2 (1992): the elbow's B1 = 0.4 h - 0.1 = 0.000151, B2 = 1.3 /
  // h^(2/3) = 3.27249; 2 B1 PD/4t + B2 M / Z with M = 8774.96: 3380.310.
  const auto class2 = [](const CodeStressCase& c, CodeStressRecord& r) {
    return ElementClass2Stresses(c, r, ElementEndStressIndices(c.cm, c.sifs, r.element), false);
  };
  EXPECT_NEAR(Stress(10, arc, class2).end1, 3380.310, 0.01);
  // A socket welded flange at 10 lifts the pipe's B1 to 0.75 and B2 to 1.5
  // there: 2 x 0.75 x 887.277 + 1.5 x 2426.569.
  PutItem(model, 1, DataType::Flange);
  static_cast<Flange&>(*model.row(1).item).type = 5;
  EXPECT_NEAR(Stress(10, pipe, class2).end1, 1.5 * 887.277 + 1.5 * 2426.569, 0.01);
  // With B31J, B31.1 pairs each SIF with its own moment: in-plane 2 x Mi,
  // out-of-plane 3 x Mo, torsion 5 x Mt.
  model.options.PipingCode = 1;
  model.options.UseB31J = 1;
  const CodeModel cm(model, elements);
  SifTables sifs = ComputeSifs(cm);
  sifs.elements[static_cast<std::size_t>(pipe)].ends[1] = {1.0f, 2.0f, 3.0f, 5.0f};
  CodeStressRecord record;
  record.element = pipe;
  const double z = 8.495752;
  const std::pair<std::size_t, double> moments[] = {{11, 2.0}, {10, 3.0}, {9, 5.0}};
  for (const auto& [index, factor] : moments) {
    forces[static_cast<std::size_t>(pipe)].values = {};
    forces[static_cast<std::size_t>(pipe)].values[index] = 1000.0f;
    EXPECT_NEAR(ElementExpansionStresses({cm, sifs, forces, 2}, record).end2, factor * 1000.0 / z, 1e-3) << index;
  }
}

TEST_F(ElementCodeStressTest, TheBranchOfATeeTakesTheEffectiveSectionModulus) {
  BuildTee(1);
  Make();
  forces.assign(static_cast<std::size_t>(elements.count) + 1, ElementForces{});
  const int branch = ElementBetween(20, 25);
  forces[static_cast<std::size_t>(branch)].values[5] = 1000.0f;  // Mi at node 20
  // Ze = pi r2^2 Ts, Ts = min(Th, ii t) = min(0.28, 1.85162 x 0.237) = 0.28:
  // pi 2.1315^2 0.28 = 3.99649; e = 1.85162 x 1000 / Ze = 463.311 (the
  // moment resolved in the tee's plane keeps its size).
  EXPECT_NEAR(Stress(3, branch, Expansion).end1, 463.311, 0.01);
  // With B31J the plain modulus of the 4" pipe (3.21449) and the B31J
  // branch SIF 1.37901: 428.998.
  model.options.UseB31J = 1;
  EXPECT_NEAR(Stress(3, branch, Expansion).end1, 428.998, 0.01);
}

// A moment about Y at the tee of an upright branch is out of the tee's
// plane; so is one about Z where the branch lies flat along Z. Under the
// codes of separate in-plane and out-of-plane factors the two give one
// stress, whatever the element's own axes call them.
TEST_F(ElementCodeStressTest, AFlatTeeResolvesItsMomentsInTheTeePlane) {
  const auto stressWith = [this](int code, std::size_t moment) {
    Make();
    forces.assign(static_cast<std::size_t>(elements.count) + 1, ElementForces{});
    const int run = ElementBetween(10, 20);
    forces[static_cast<std::size_t>(run)].values[moment] = 1000.0;  // at node 20
    return Stress(code, run, Sustained).end2;
  };
  BuildTee(1);
  for (const int code : {21, 22}) {
    model.row(model.rowCount).dy = 40.0f;
    model.row(model.rowCount).dz = 0.0f;
    const double outOfPlane = stressWith(code, 10), inPlane = stressWith(code, 11);
    if (code == 21) {
      EXPECT_GT(std::fabs(outOfPlane - inPlane), 1.0);  // Z662's tee has one factor
    }
    model.row(model.rowCount).dy = 0.0f;
    model.row(model.rowCount).dz = 40.0f;
    EXPECT_NEAR(stressWith(code, 11), outOfPlane, 0.01) << code;
    EXPECT_NEAR(stressWith(code, 10), inPlane, 0.01) << code;
  }
}

TEST_F(ElementCodeStressTest, TheHydrotestCaseTakesTheTestPressure) {
  Row(10, ElementType::From, 0, 0);
  const int test = AddRow(model, 0, ElementType::HydrotestLoad);
  static_cast<HydrotestLoad&>(*model.row(test).element).pressure = 300.0f;
  Row(20, ElementType::Pipe, 100, 0);
  Make();
  forces.assign(static_cast<std::size_t>(elements.count) + 1, ElementForces{});
  pipe = ElementBetween(10, 20);
  ASSERT_EQ(elements[pipe].hydrotestRow, test);
  // No moments: the B31.1 sustained stress is PD/4t, at 300 psi in the
  // "Hydrotest" case (1774.554) and at P1 = 150 psi otherwise.
  EXPECT_NEAR(Stress(1, pipe, Sustained, 19).end1, 1774.554, 0.01);
  EXPECT_NEAR(Stress(1, pipe, Sustained, 1).end1, 887.277, 0.01);
  // The ASME Class 2 formula (B1 = 0.5: 2 B1 PD/4t) takes the test pressure
  // too.
  const auto class2 = [](const CodeStressCase& c, CodeStressRecord& r) {
    return ElementClass2Stresses(c, r, ElementEndStressIndices(c.cm, c.sifs, r.element), false);
  };
  EXPECT_NEAR(Stress(10, pipe, class2, 19).end1, 1774.554, 0.01);
}

TEST_F(ElementCodeStressTest, UncodedPrincipalStresses) {
  // Textbook: h 100, l 20, shear 30: r = 50, 110 and 10, von Mises 105.357.
  const PrincipalStressValues p = PrincipalStresses(100.0, 20.0, 30.0);
  EXPECT_DOUBLE_EQ(p.maximum, 110.0);
  EXPECT_DOUBLE_EQ(p.minimum, 10.0);
  EXPECT_NEAR(p.equivalent, 105.3565, 1e-4);
  MakeElbow();
  // Hoop D P / 2t = 1774.554, longitudinal Fx/A + PD/4t = 1066.445, bending
  // 2354.150, shear |Mt| / 2Z = 294.266; the worse of l + b and l - b.
  model.options.PipingCode = 0;
  const CodeModel cm(model, elements);
  const SifTables sifs = ComputeSifs(cm);
  CodeStressRecord record;
  record.element = pipe;
  UncodedElementStresses({cm, sifs, forces, 32}, record);
  EXPECT_NEAR(record.uncoded[0][0], 3471.588, 0.01);
  EXPECT_NEAR(record.uncoded[0][1], -1315.694, 0.01);
  EXPECT_NEAR(record.uncoded[0][2], 3006.508, 0.01);
}

}  // namespace
