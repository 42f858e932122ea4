// Buried pipe against hand calculations. The soil: cohesionless, 120 lb per
// cubic foot, delta 30 degrees, Ks 0.7; the pipe 12.75 x 0.375 inch with its
// centre 42.375 inch below the ground; yield displacement factor 0.04
// (0.51 inch). A 60-inch element then carries, worked by hand:
//   Tu = pi D L (rho H) Ks tan(delta)                         = 2858.2 lb
//   Pu = Kp^2 (rho H) D L, Kp = (1 + sin 35) / (1 - sin 35)   = 30 655 lb
//   Qd = (d Nq Hb rho + d Ngamma D rho / 2) L D               = 204 848 lb
//   Qu = (H - D/2) L D rho                                    = 1912.5 lb
// and in a cohesive soil of 10 psi alpha = 0.95749 and Tu = 23 011.6 lb.
//
// The virtual anchor: a 2000 ft line of that pipe (E 29.5e6 psi, alpha
// 6.5e-6), free at one end and anchored at the other, heated 100 F. The soil
// holds the line fully at the anchor, which takes E A alpha dT = 279 551 lb;
// towards the free end the pipe slides against the friction f = Tu / L =
// 47.637 lb/in, so the axial force is f x up to Ls = E A alpha dT / f -
// sqrt(E A delta / f) = 3723 inch, and the free end moves delta / 2 +
// E A (alpha dT)^2 / (2 f) = 2.162 inch.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>

#include "analysis/AnalysisTesting.h"
#include "analysis/SoilSprings.h"
#include "kindbase/GlobalSystem.h"
#include "kindbase/NonlinearConvergence.h"
#include "model/AnalysisElements.h"
#include "model/KindRecords.h"
#include "model/MakeModel.h"
#include "model/RowOperations.h"
#include "numeric/Skyline.h"
#include "services/TempFiles.h"

namespace {

using namespace analysis_testing;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kLineE = 29.5e6, kLineAlpha = 6.5e-6;
constexpr double kD = 12.75, kT = 0.375, kCentreDepth = 42.375;
constexpr double kRho = 120.0 / 1728.0;

Soil SandySoil() {
  Soil soil;
  soil.name = "S1";
  soil.type = kSoilCohesionless;
  soil.density = static_cast<float>(kRho);
  soil.delta = static_cast<float>(30.0 * kDeg);
  soil.Ks = 0.7f;
  soil.groundLevel = static_cast<float>(kCentreDepth);
  return soil;
}

Soil ClaySoil(double strength) {
  Soil soil;
  soil.name = "C1";
  soil.type = kSoilCohesive;
  soil.density = static_cast<float>(kRho);
  soil.strength = static_cast<float>(strength);
  soil.groundLevel = static_cast<float>(kCentreDepth);
  return soil;
}

TEST(SoilSpringValuesTest, ACohesionlessSoilGivesTheHandWorkedLoadsAndStiffnesses) {
  const SoilSpringValues v = ElementSoilSpringValues(SandySoil(), kD, 60.0, 60.0, kCentreDepth, 0.04);
  EXPECT_TRUE(Within(v.axialLoad, 2858.2, 1e-3));
  EXPECT_TRUE(Within(v.transverseLoad, 30655.0, 1e-3));
  EXPECT_TRUE(Within(v.downLoad, 204848.0, 1e-3));
  EXPECT_TRUE(Within(v.upLoad, 1912.5, 1e-3));
  const double delta = 0.04 * kD;  // 0.51 inch
  EXPECT_TRUE(Within(v.axialStiffness, 2858.2 / delta, 1e-3));
  EXPECT_TRUE(Within(v.transverseStiffness, 30655.0 / delta, 1e-3));
  EXPECT_TRUE(Within(v.downStiffness, 204848.0 / delta, 1e-3));
  EXPECT_TRUE(Within(v.upStiffness, 1912.5 / delta, 1e-3));
}

TEST(SoilSpringValuesTest, ACohesiveSoilsAdhesionFactorIsLimitedToOne) {
  const SoilSpringValues ten = ElementSoilSpringValues(ClaySoil(10.0), kD, 60.0, 60.0, kCentreDepth, 0.04);
  EXPECT_TRUE(Within(ten.axialLoad, 23011.6, 1e-3));
  EXPECT_TRUE(Within(ten.axialLoad / (std::numbers::pi * 10.0 * kD * 60.0), 0.95749, 1e-4));
  // Below about 9.244 psi the fit passes 1.0 and is held there.
  const SoilSpringValues nine = ElementSoilSpringValues(ClaySoil(9.0), kD, 60.0, 60.0, kCentreDepth, 0.04);
  EXPECT_TRUE(Within(nine.axialLoad, std::numbers::pi * 9.0 * kD * 60.0, 1e-6));
  // Across: (2 c + 1.5 c H / D + rho H) D L; down: (Hb rho + 5.7182 c) L D;
  // up: the soil column plus its two shear planes.
  const double c = 10.0, H = kCentreDepth;
  EXPECT_TRUE(Within(ten.transverseLoad, (2 * c + 1.5 * c * H / kD + kRho * H) * kD * 60.0, 1e-6));
  EXPECT_TRUE(Within(ten.downLoad, ((H + kD / 2) * kRho + 5.7182 * c) * 60.0 * kD, 1e-6));
  EXPECT_TRUE(Within(ten.upLoad, (H - kD / 2) * 60.0 * (kD * kRho + 2 * c), 1e-6));
}

TEST(SoilSpringValuesTest, AShallowPipeHasNoUpliftAndASmallDeltaNoDepthFactor) {
  // The top at the ground: no soil above to hold it up.
  const SoilSpringValues shallow = ElementSoilSpringValues(SandySoil(), kD, 60.0, 60.0, kD / 2.0, 0.04);
  EXPECT_EQ(shallow.upLoad, 0.0);
  EXPECT_EQ(shallow.upStiffness, 0.0);
  // Delta exactly 10 degrees: phi' 15 degrees and the depth factor 1.
  Soil soil = SandySoil();
  soil.delta = static_cast<float>(0.17453292);
  const SoilSpringValues v = ElementSoilSpringValues(soil, kD, 60.0, 60.0, kCentreDepth, 0.04);
  const double phi = soil.delta + 5.0 * kDeg;
  const double nq = 0.98414 * std::exp(0.107311 * phi / kDeg);
  const double ngamma = (nq - 1.0) * std::tan(1.4 * phi);
  const double expected = (nq * (kCentreDepth + kD / 2) * kRho + ngamma * kD * kRho * 0.5) * 60.0 * kD;
  EXPECT_TRUE(Within(v.downLoad, expected, 1e-5));
}

TEST(SoilSpringValuesTest, EveryLoadCaseTypeAssemblesItsTemperaturesSlot) {
  bool iterated = false;
  for (int type : {20, 38}) {
    EXPECT_EQ(SoilSpringSlot(type, iterated), 1);
    EXPECT_TRUE(iterated);
  }
  EXPECT_EQ(SoilSpringSlot(39, iterated), 2);
  EXPECT_EQ(SoilSpringSlot(40, iterated), 3);
  for (int k = 4; k <= 10; ++k) {
    EXPECT_EQ(SoilSpringSlot(113 + k, iterated), k);  // Buried (W+Pk+Tk)
    EXPECT_TRUE(iterated);
    for (int type : {40 + k, 47 + k, 96 + k, 106 + k}) {  // sustained, expansion, operating, cold spring
      EXPECT_EQ(SoilSpringSlot(type, iterated), k) << type;
      EXPECT_FALSE(iterated);
    }
  }
  for (int type : {1, 2, 8, 11, 19, 30, 32, 124}) EXPECT_EQ(SoilSpringSlot(type, iterated), 1) << type;
  for (int type : {3, 9, 16, 42}) EXPECT_EQ(SoilSpringSlot(type, iterated), 2) << type;
  for (int type : {4, 10, 17, 43}) EXPECT_EQ(SoilSpringSlot(type, iterated), 3) << type;
  EXPECT_FALSE(iterated);
  // The ranges are combined, never assembled.
  for (int type : {5, 6, 7, 58, 99}) EXPECT_EQ(SoilSpringSlot(type, iterated), 0) << type;
}

// A weightless line of the 12.75-inch pipe in the sandy soil.
class BuriedLineTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // From 10 at the origin (free), `count` pipes of `length` in X; the last
  // node anchored when `anchored`.
  Model& Build(int count, float length, double t1, bool anchored = true) {
    Model& model = TheModel();
    StartModel(model, t1, 0.0, path_);
    Material& steel = model.materials[1];
    for (int t = 1; t <= steel.numtemps; ++t) {
      steel.temps[static_cast<std::size_t>(t)].values[1] = static_cast<float>(kLineE);
      steel.temps[static_cast<std::size_t>(t)].values[2] = static_cast<float>(kLineAlpha);
    }
    model.sections[1].outsideDiameter = static_cast<float>(kD);
    model.sections[1].thickness = static_cast<float>(kT);
    model.sections[1].soil = "S1";
    model.pipeLoads[1].specificGravity = 0.0f;
    AppendSoil(model.soils, SandySoil());
    PipeRow(model, 10, ElementType::From, 0.0f);
    for (int i = 1; i <= count; ++i) PipeRow(model, 10 + 10 * i, ElementType::Pipe, length);
    if (anchored) PutItem(model, model.rowCount, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {1, 8, 2});
    return model;
  }
  static int CaseOf(const RunResults& run, int type) {
    for (std::size_t k = 1; k < run.contents.cases.size(); ++k)
      if (run.contents.cases[k].type == type) return static_cast<int>(k);
    return 0;
  }
  std::string path_ = TempFolder() + "/buried-line.mod";
};

TEST_F(BuriedLineTest, TheResultsFileHoldsTheHandWorkedSpringsOfEachBuriedElement) {
  Build(2, 60.0f, 70.0);
  // A third element above the ground gets no springs and no record.
  Model& model = TheModel();
  PipeRow(model, 40, ElementType::Pipe, 0.0f, 100.0f);
  MakeModel(model);
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.contents.soil.size(), 3u);
  const double expected[8] = {2858.2 / 0.51, 2858.2, 30655.0 / 0.51, 30655.0, 204848.0 / 0.51, 204848.0,
                              1912.5 / 0.51, 1912.5};
  for (int r = 1; r <= 2; ++r) {
    const SoilRestraintRecord& record = run.contents.soil[static_cast<std::size_t>(r)];
    EXPECT_EQ(record.element, r);
    for (std::size_t i = 0; i < 8; ++i) EXPECT_TRUE(Within(record.values[i], expected[i], 1e-3)) << r << " " << i;
  }
}

TEST_F(BuriedLineTest, SoilsThatNoSectionNamesLeaveTheModelUnburied) {
  Model& model = Build(2, 60.0f, 170.0);
  model.sections[1].soil.clear();
  const RunResults run = AnalyseAndRead(model);
  EXPECT_EQ(run.contents.soil.size(), 1u);  // the count 0
  ResetStepTable(model);
  BuildStepTable(model);
  EXPECT_EQ(g_StepCount, 3);
}

TEST_F(BuriedLineTest, AJacketSectionsSoilBuriesTheLine) {
  // The 12.75-inch pipe becomes the jacket of an 8.625-inch core whose own
  // section names no soil: the jacket elements carry the hand-worked loads.
  Model& model = Build(2, 60.0f, 170.0);
  PipeSection core = model.sections[1];
  core.name = "S8";
  core.outsideDiameter = 8.625f;
  core.thickness = 0.322f;
  core.soil.clear();
  AppendSection(model.sections, core);
  for (int row = 2; row <= 3; ++row) {
    SetElementType(model, row, ElementType::JacketedPipe);
    model.row(row).section = "S8";
    JacketRecord& jacket = *model.row(row).element->AsJacket();
    jacket.jacketMaterial = "CS";
    jacket.jacketSection = "S4";
    jacket.jacketLoad = "L1";
  }
  MakeModel(model);
  EXPECT_TRUE(ModelHasBuriedPipe(model));
  ResetStepTable(model);
  BuildStepTable(model);
  ASSERT_GE(g_StepCount, 1);
  EXPECT_EQ(g_LoadCaseSteps[1].type, 38);  // the buried step first
  AnalysisElementList& elements = TheAnalysisElements();
  GenerateAnalysisElements(model, elements);
  const std::vector<SoilRestraintRecord> records = SoilRestraintRecords(model, elements);
  ASSERT_EQ(records.size(), 2u);
  for (const SoilRestraintRecord& record : records) EXPECT_TRUE(Within(record.values[1], 2858.2, 1e-3));
}

TEST_F(BuriedLineTest, ASoilThatIsGoneStopsTheRunAndKeepsTheResults) {
  Model& model = Build(2, 60.0f, 170.0);
  model.sections[1].soil = "XX";
  const std::string results = ResultsPathOf(path_);
  {
    std::ofstream earlier(results, std::ios::binary);
    earlier << "earlier";
  }
  try {
    RunAnalysis(model, SilentProgress());
    ADD_FAILURE() << "the run went on";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Soil XX is not defined");
  }
  std::ifstream in(results, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), "earlier");
  EXPECT_TRUE(TheSoilSprings().directional.empty());
}

TEST_F(BuriedLineTest, EachTemperatureInUseGetsItsBuriedStepBeforeTheCases) {
  Model& model = Build(2, 60.0f, 170.0);
  auto steps = [&](int temperatures) {
    model.options.ThermalLoadCount = temperatures;
    ResetStepTable(model);
    BuildStepTable(model);
    std::vector<int> types;
    for (int s = 1; s <= g_StepCount; ++s) types.push_back(g_LoadCaseSteps[static_cast<std::size_t>(s)].type);
    return types;
  };
  EXPECT_EQ(steps(1), (std::vector<int>{38, 1, 8, 2}));
  EXPECT_EQ(steps(2), (std::vector<int>{38, 39, 1, 8, 2}));
  EXPECT_EQ(steps(4), (std::vector<int>{38, 39, 40, 117, 118, 119, 120, 121, 122, 123, 1, 8, 2}));
  const LoadCaseStep& buried = g_LoadCaseSteps[1];
  EXPECT_EQ(buried.writeDisplacements + buried.elementForces + buried.supportLoads, 0);
  EXPECT_EQ(buried.hangerLoads, 1);
}

TEST_F(BuriedLineTest, ARiserIsHeldAcrossAlongBothHorizontalAxes) {
  Model& model = Build(1, 60.0f, 70.0);
  PipeRow(model, 30, ElementType::Pipe, 0.0f, -60.0f);  // down, deeper in the soil
  MakeModel(model);
  AnalysisElementList& elements = TheAnalysisElements();
  GenerateAnalysisElements(model, elements);
  ASSERT_EQ(elements.count, 2);
  SetBuriedFlag(model);
  BinaryFile file;
  const std::string scratch = TempFolder() + "/buried-riser.bin";
  ASSERT_TRUE(BinaryFileOpenWrite(file, scratch));
  ComputeSoilSprings(model, elements, file);
  BinaryFileClose(file);
  std::filesystem::remove(scratch);
  const SoilSpringSet& set = TheSoilSprings();
  // The horizontal pipe: axial X and across Z at both nodes; the riser: axial
  // Y and across both Z and X.
  ASSERT_EQ(set.directional.size(), 4u + 6u);
  ASSERT_EQ(set.vertical.size(), 4u);
  auto direction = [&](std::size_t i) {
    const auto& c = set.directional[i].direction;
    return std::array<double, 3>{c[0], c[1], c[2]};
  };
  EXPECT_EQ(direction(0), (std::array<double, 3>{1, 0, 0}));
  EXPECT_EQ(direction(2), (std::array<double, 3>{0, 0, 1}));
  EXPECT_EQ(direction(4), (std::array<double, 3>{0, -1, 0}));
  EXPECT_EQ(direction(6), (std::array<double, 3>{0, 0, 1}));
  EXPECT_EQ(direction(8), (std::array<double, 3>{1, 0, 0}));
  // A riser's bearing and uplift act on its horizontal projection: none.
  EXPECT_EQ(set.vertical[2].downStiffness, 0.0f);
  // Each end node has half the element's axial spring.
  const SoilSpringValues v = ElementSoilSpringValues(SandySoil(), kD, 60.0, 60.0, kCentreDepth, 0.04);
  EXPECT_TRUE(Within(set.directional[0].maximumLoad, v.axialLoad / 2.0, 1e-6));
  EXPECT_TRUE(Within(set.directional[1].initialStiffness, v.axialStiffness / 2.0, 1e-6));
  ClearSoilSprings();
}

// With Z vertical the ground level is a Z value, the transverse spring of a
// pipe along X lies along Y and a riser in Z is held along X and Y.
TEST_F(BuriedLineTest, WithZVerticalTheHorizontalPlaneIsXY) {
  Model& model = Build(1, 60.0f, 70.0);
  model.options.ZVertical = 1;
  PipeRow(model, 30, ElementType::Pipe, 0.0f, 0.0f, -60.0f);
  MakeModel(model);
  AnalysisElementList& elements = TheAnalysisElements();
  GenerateAnalysisElements(model, elements);
  SetBuriedFlag(model);
  BinaryFile file;
  const std::string scratch = TempFolder() + "/buried-z.bin";
  ASSERT_TRUE(BinaryFileOpenWrite(file, scratch));
  ComputeSoilSprings(model, elements, file);
  BinaryFileClose(file);
  std::filesystem::remove(scratch);
  const SoilSpringSet& set = TheSoilSprings();
  ASSERT_EQ(set.directional.size(), 10u);
  auto direction = [&](std::size_t i) {
    const auto& c = set.directional[i].direction;
    return std::array<double, 3>{c[0], c[1], c[2]};
  };
  EXPECT_EQ(direction(2), (std::array<double, 3>{0, -1, 0}));
  EXPECT_EQ(direction(4), (std::array<double, 3>{0, 0, -1}));
  EXPECT_EQ(direction(6), (std::array<double, 3>{1, 0, 0}));
  EXPECT_EQ(direction(8), (std::array<double, 3>{0, 1, 0}));
  // The riser is 30 inch deeper on average: its axial friction grows with H.
  const SoilSpringValues riser = ElementSoilSpringValues(SandySoil(), kD, 60.0, 0.0, kCentreDepth + 30.0, 0.04);
  EXPECT_TRUE(Within(set.directional[4].maximumLoad, riser.axialLoad / 2.0, 1e-6));
  ClearSoilSprings();
}

TEST_F(BuriedLineTest, AHeatedLineFreeAtOneEndFindsItsVirtualAnchor) {
  Model& model = Build(200, 120.0f, 170.0);
  const RunResults run = AnalyseAndRead(model);
  ASSERT_EQ(run.contents.soil.size(), 201u);
  const int k = CaseOf(run, 8);
  ASSERT_NE(k, 0);
  const CaseBlock& operating = run.cases[static_cast<std::size_t>(k - 1)];

  const double A = std::numbers::pi * (std::pow(kD / 2, 2) - std::pow(kD / 2 - kT, 2));
  const double EA = kLineE * A, strain = kLineAlpha * 100.0, delta = 0.04 * kD;
  const double f = ElementSoilSpringValues(SandySoil(), kD, 60.0, 60.0, kCentreDepth, 0.04).axialLoad / 60.0;
  EXPECT_TRUE(Within(f, 47.637, 1e-3));
  EXPECT_TRUE(Within(EA * strain, 279551.0, 1e-3));

  const std::vector<double> anchor = SupportValues(run, operating, model.rowCount);
  EXPECT_TRUE(Within(std::fabs(anchor.at(0)), EA * strain, 5e-3));
  const double freeEnd = operating.nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, 10))][0];
  EXPECT_TRUE(Within(-freeEnd, delta / 2 + EA * strain * strain / (2 * f), 0.02)) << freeEnd;
  EXPECT_TRUE(Within(delta / 2 + EA * strain * strain / (2 * f), 2.162, 1e-3));

  // Element e (from the free end) carries the friction of the pipe up to its
  // middle, f (120 e - 60), while the pipe slides; the slip ends at Ls,
  // where the pipe has moved the yield displacement.
  const double Ls = EA * strain / f - std::sqrt(EA * delta / f);
  EXPECT_TRUE(Within(Ls, 3723.0, 1e-3));
  double slipEnd = 0.0;
  for (int i = 0; i < 200; ++i) {
    const double u0 = -operating.nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, 10 + 10 * i))][0];
    const double u1 = -operating.nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, 20 + 10 * i))][0];
    if (u0 >= delta && u1 < delta) slipEnd = 120.0 * i + 120.0 * (u0 - delta) / (u0 - u1);
  }
  EXPECT_NEAR(slipEnd, Ls, 120.0);
  for (int e = 1; 120.0 * e <= Ls - 120.0; ++e)
    EXPECT_TRUE(Within(std::fabs(operating.forces[static_cast<std::size_t>(e)][0]), f * (120.0 * e - 60.0), 0.01)) << e;
  // Near the anchor the line is held whole: its force is E A alpha dT.
  EXPECT_TRUE(Within(std::fabs(operating.forces[200][0]), EA * strain, 5e-3));
  // The sustained case (weightless, no pressure) moves nothing and the
  // springs are gone after the run.
  const CaseBlock& sustained = run.cases[static_cast<std::size_t>(CaseOf(run, 1) - 1)];
  EXPECT_NEAR(sustained.nodes[1][0], 0.0, 1e-9);
  EXPECT_TRUE(TheSoilSprings().directional.empty());
}

// One spring of each list at node 1 of a made model, moved by hand between
// updates of the buried step "Buried (W+P1+T1)".
TEST_F(BuriedLineTest, ASpringPastItsLoadCarriesItsLoadAndBelowItTakesItsInitialStiffness) {
  Model& model = Build(1, 60.0f, 70.0);
  model.nodes[1].equation = 1;
  AllocateGlobalSystem(BuildSkylineProfile(6, {}));
  ClearStepTable();
  AppendLoadCaseStep(38);
  g_CurrentStep = 1;
  SoilSpringSet& set = TheSoilSprings();
  set.buried = true;
  DirectionalSoilSpring axial;
  axial.node = 1;
  axial.initialStiffness = 1000.0f;
  axial.maximumLoad = 500.0f;  // yields at 0.5 inch
  axial.direction = {1.0f, 0.0f, 0.0f};
  set.directional = {axial};
  VerticalSoilSpring vertical;
  vertical.node = 1;
  vertical.downStiffness = 4000.0f;
  vertical.downLoad = 2000.0f;
  vertical.upStiffness = 100.0f;
  vertical.upLoad = 10.0f;
  set.vertical = {vertical};
  ResetSoilSprings();
  auto move = [&](double x, double y) {
    g_DisplacementVector[1] = x;
    g_DisplacementVector[2] = y;
    g_NonlinearIteration.changes = 0;
    UpdateSoilSprings(model);
    return g_NonlinearIteration.changes;
  };
  const DirectionalSoilSpring& a = set.directional[0];
  const VerticalSoilSpring& v = set.vertical[0];
  EXPECT_EQ(move(-0.25, -0.1), 2);  // both moved from 0: not converged
  EXPECT_EQ(a.current, 1000.0f);
  EXPECT_EQ(v.current, 4000.0f);
  move(-2.0, -1.0);  // past both loads: the secants carry the loads
  EXPECT_FLOAT_EQ(a.current * 2.0f, 500.0f);
  EXPECT_FLOAT_EQ(v.current * 1.0f, 2000.0f);
  // A little back, still past the load: still the load, never k0 x 1.9.
  move(-1.9, -0.95);
  EXPECT_FLOAT_EQ(a.current * 1.9f, 500.0f);
  EXPECT_FLOAT_EQ(v.current * 0.95f, 2000.0f);
  EXPECT_EQ(move(-1.9, -0.95), 0);  // settled
  move(-0.3, -0.2);  // below the load: elastic again
  EXPECT_EQ(a.current, 1000.0f);
  EXPECT_EQ(v.current, 4000.0f);
  // Lifted: the uplift spring; the movement and the reversal both count.
  EXPECT_EQ(move(-0.3, 0.5), 2);
  EXPECT_FLOAT_EQ(v.current * 0.5f, 10.0f);
  EXPECT_EQ(move(-0.3, 0.05), 1);  // within the uplift load, but moved
  EXPECT_EQ(v.current, 100.0f);
  // A case that only assembles its slot leaves the springs alone.
  AppendLoadCaseStep(1);
  g_CurrentStep = 2;
  EXPECT_EQ(move(-5.0, -5.0), 0);
  EXPECT_EQ(a.current, 1000.0f);
  // The reset of a buried step puts every spring back at its start.
  g_CurrentStep = 1;
  move(-2.0, -1.0);
  ResetSoilSprings();
  EXPECT_EQ(a.current, 1000.0f);
  EXPECT_EQ(a.previous, 0.0);
  EXPECT_EQ(v.current, 4000.0f);
  ClearSoilSprings();
  ReleaseGlobalSystem();
  ClearStepTable();
  g_CurrentStep = 0;
}

}  // namespace
