// The in-line kinds through the analysis, against hand calculations within
// 0.1 %: lines of the 4.5-inch pipe (weightless unless a case needs the
// pipe's own weight) between anchors or from one anchor, with the kind in
// the middle, analysed by the driver and read back from the results file.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/Valve.h"
#include "loads/Force.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/Nodes.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"

namespace {

using namespace analysis_testing;

constexpr double kTolerance = 1.0e-3;

class InlineAnalysisTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // The sustained case alone.
  RunResults Sustained(Model& model) {
    MakeModel(model);
    SetCases(model, {1});
    try {
      return AnalyseAndRead(model);
    } catch (const std::string& message) {
      ADD_FAILURE() << message;
      throw;
    }
  }
  // The vertical forces of the anchors of `rows` in the first case.
  static double VerticalSum(const RunResults& run, std::initializer_list<int> rows) {
    double sum = 0.0;
    for (int row : rows) sum += SupportValues(run, run.cases[0], row)[1];
    return sum;
  }
  std::string path_ = TempFolder() + "/inline-analysis.mod";
};

// From 10 (anchor), pipe 20, valve 30, pipe 40 (anchor), 30 in each along X.
Valve& ValveLine(Model& model, double density, const std::string& path) {
  StartModel(model, 70.0, density, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 30.0f);
  PipeRow(model, 30, ElementType::Valve, 30.0f);
  PipeRow(model, 40, ElementType::Pipe, 30.0f);
  PutItem(model, 4, DataType::Anchor);
  return static_cast<Valve&>(*model.row(3).element);
}

TEST_F(InlineAnalysisTest, AValvesWeightAddsToTheReactions) {
  Model& model = TheModel();
  ValveLine(model, kDensity, path_).weight = 0.0f;
  const double without = VerticalSum(Sustained(model), {1, 4});
  ValveLine(model, kDensity, path_).weight = 380.0f;
  const double with = VerticalSum(Sustained(model), {1, 4});
  // The supports carry what pushes down on them: the two pipes' metal (a
  // valve's own metal is in its weight), then 380 lb more.
  EXPECT_TRUE(Within(without, -kDensity * Pipe4().A * 60.0, kTolerance));
  EXPECT_TRUE(Within(with - without, -380.0, kTolerance));
}

TEST_F(InlineAnalysisTest, AnAdditionalWeightAtAnOffsetLoadsTheCantileversAnchorWithItsLever) {
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 50.0f);
  PipeRow(model, 30, ElementType::Valve, 20.0f);
  auto& valve = static_cast<Valve&>(*model.row(3).element);
  valve.additionalWeight = 150.0f;
  valve.dx = 5.0f;   // the actuator's centre 5 in beyond the valve's, 30 in above it
  valve.dy = 30.0f;
  const RunResults run = Sustained(model);
  const std::vector<double> anchor = SupportValues(run, run.cases[0], 1);
  const double lever = 50.0 + 10.0 + 5.0;
  EXPECT_TRUE(Within(anchor[1], -150.0, kTolerance));
  EXPECT_TRUE(Within(anchor[5], -150.0 * lever, kTolerance));
  for (int i : {0, 2, 3, 4}) EXPECT_NEAR(anchor[static_cast<std::size_t>(i)], 0.0, 1.0e-3);
}

TEST_F(InlineAnalysisTest, AValveShorterThanTheMergingDistanceIsRefusedNamingItsRow) {
  Model& model = TheModel();
  ValveLine(model, kDensity, path_).weight = 100.0f;
  model.row(3).dx = 0.005f;
  MakeModel(model);
  AnalysisElementList list;
  try {
    GenerateAnalysisElements(model, list);
    FAIL() << "the short valve was taken";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3: Valve is shorter than 0.01 in; its weight would be lost");
  }
  EXPECT_EQ(list.errorRow, 3);
}

// From 10 (anchor), a reducer of 20 in along X from 4.5 x 0.237 to 3.5 x
// 0.216 in to node 20, held there by an anchor of 1 lb/in along X and Y
// (rigid otherwise, so both end rotations are held), loaded at 20 by 1000
// lb along X and 500 lb along Y: the reducer is a tube of the mean
// diameter and wall, EA/L axially and, with the ends' rotations held,
// 12EI/L^3 with the shear term transversely.
TEST_F(InlineAnalysisTest, AReducerIsATubeOfTheMeanDiameterAndWall) {
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Reducer, 20.0f);
  auto& reducer = static_cast<Reducer&>(*model.row(2).element);
  reducer.od1 = 4.5f;
  reducer.thk1 = 0.237f;
  reducer.od2 = 3.5f;
  reducer.thk2 = 0.216f;
  PutItem(model, 2, DataType::Anchor);
  auto& spring = static_cast<Anchor&>(*model.row(2).item);
  spring.stiffness = {1.0f, 1.0f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f};
  AddRow(model, 20, ElementType::Location);
  PutItem(model, 3, DataType::Force);
  auto& force = static_cast<NodalForce&>(*model.row(3).item);
  force.FX = 1000.0f;
  force.FY = 500.0f;
  const RunResults run = Sustained(model);

  const double D = (4.5 + 3.5) / 2.0, t = (0.237 + 0.216) / 2.0, L = 20.0;
  const double ro = D / 2.0, ri = ro - t;
  const double A = kPi * (ro * ro - ri * ri), I = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
  const double shear = 4.0 / 3.0 * (std::pow(ro, 3) - std::pow(ri, 3)) / ((ro - ri) * (ri * ri + ro * ro));
  const double G = kE / 2.0 / (1.0 + kNu);
  const double axial = kE * A / L;
  const double transverse = 1.0 / (std::pow(L, 3) / (12.0 * kE * I) + shear * L / (G * A));
  const int tip = FindNodeIndex(model.nodes, 20);
  const std::array<float, 6>& moved = run.cases[0].nodes[static_cast<std::size_t>(tip)];
  EXPECT_TRUE(Within(moved[0], 1000.0 / (axial + 1.0), kTolerance));
  EXPECT_TRUE(Within(moved[1], 500.0 / (transverse + 1.0), kTolerance));
  EXPECT_NEAR(moved[5], 0.0, 1.0e-9);
}

// From 10 (anchor), pipe 20, a rigid element of 20 in to 30, pipe 40
// (anchor), the pipes 30 in, carrying water and lined and insulated: the
// reactions rise by the rigid element's weight, and with "Add CIL" also by
// the contents, lining and insulation over its length.
TEST_F(InlineAnalysisTest, ARigidElementAddsItsWeightAndWithAddCilItsContentsInsulationAndLining) {
  Model& model = TheModel();
  auto run = [&](float weight, std::uint8_t addCil) {
    StartModel(model, 70.0, kDensity, path_);
    model.pipeLoads[1].specificGravity = 1.0f;
    PipeSection& section = model.sections[1];
    section.insulationThickness = 2.0f;
    section.insulationDensity = 0.00637f;  // 11 lb/ft3
    section.liningThickness = 0.125f;
    section.liningDensity = 0.0434f;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 30.0f);
    PipeRow(model, 30, ElementType::Rigid, 20.0f);
    auto& rigid = static_cast<RigidElement&>(*model.row(3).element);
    rigid.weight = weight;
    rigid.addCil = addCil;
    PipeRow(model, 40, ElementType::Pipe, 30.0f);
    PutItem(model, 4, DataType::Anchor);
    return VerticalSum(Sustained(model), {1, 4});
  };
  const double none = run(0.0f, 0);
  const double weighed = run(600.0f, 0);
  const double withCil = run(600.0f, 1);
  const double ro = kOd / 2.0, ri = ro - kWall, r = ri - 0.125;
  const double contents = 1.0 * kPi * r * r * 0.03609;
  const double lining = kPi * (ri * ri - r * r) * 0.0434f;
  const double insulation = kPi / 4.0 * (std::pow(kOd + 4.0, 2) - kOd * kOd) * 0.00637f;
  EXPECT_TRUE(Within(weighed - none, -600.0, kTolerance));
  EXPECT_TRUE(Within(withCil - none, -600.0 - 20.0 * (contents + lining + insulation), kTolerance));
}

// From 10 (anchor), an elastic element to node 20 10 in above it (local
// axes the global ones), a spring of 1000 lb/in along x and rigid
// otherwise; 500 lb along X at 20. Node 20 moves by 500/1000 in along X,
// the anchor takes the force and the moment of its arm, and the element's
// end forces are the spring's.
TEST_F(InlineAnalysisTest, OneSpringBetweenOffsetNodesCarriesItsForceAndTheArmsMoment) {
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, path_);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  AddRow(model, 20, ElementType::Elastic, 0.0f, 10.0f);
  auto& elastic = static_cast<ElasticElement&>(*model.row(2).element);
  elastic.kx = 1000.0f;
  elastic.ky = elastic.kz = elastic.kxx = elastic.kyy = elastic.kzz = 1.0e12f;
  elastic.localX[0] = 1.0f;
  elastic.localY[1] = 1.0f;
  AddRow(model, 20, ElementType::Location);
  PutItem(model, 3, DataType::Force);
  static_cast<NodalForce&>(*model.row(3).item).FX = 500.0f;
  const RunResults run = Sustained(model);
  const int tip = FindNodeIndex(model.nodes, 20);
  EXPECT_TRUE(Within(run.cases[0].nodes[static_cast<std::size_t>(tip)][0], 0.5, kTolerance));
  const std::vector<double> anchor = SupportValues(run, run.cases[0], 1);
  EXPECT_TRUE(Within(anchor[0], 500.0, kTolerance));
  EXPECT_TRUE(Within(anchor[5], -500.0 * 10.0, kTolerance));
  for (int i : {1, 2, 3, 4}) EXPECT_NEAR(anchor[static_cast<std::size_t>(i)], 0.0, 1.0e-2);
  // The spring's force at both ends (end 1 is minus what the anchor
  // exerts), the arm's moment at end 1 as at a cantilever's root, none at
  // the loaded end.
  ASSERT_EQ(run.contents.elementCount, 1);
  const std::array<float, 12>& end = run.cases[0].forces[1];
  EXPECT_TRUE(Within(end[0], 500.0, kTolerance));
  EXPECT_TRUE(Within(end[6], 500.0, kTolerance));
  EXPECT_TRUE(Within(end[5], -5000.0, kTolerance));
  EXPECT_NEAR(end[11], 0.0, 0.5);
}

// From 10 (anchor), pipes to 20 and, cut, to 30 and a pipe to 40 (anchor),
// 50 in each along X: in the cold-spring case the line carries the tension
// c / (sum of L / EA) of a cut short by c, the same compression cut long.
TEST_F(InlineAnalysisTest, ACutPipeClosedInTheColdSpringCaseCarriesItsForce) {
  Model& model = TheModel();
  auto run = [&](float cut) {
    StartModel(model, 70.0, 0.0, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 50.0f);
    PipeRow(model, 30, ElementType::CutPipe, 50.0f);
    static_cast<CutPipe&>(*model.row(3).element).cut = cut;
    PipeRow(model, 40, ElementType::Pipe, 50.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {14});
    return AnalyseAndRead(model);
  };
  const double tension = 0.125 * kE * Pipe4().A / 150.0;
  const RunResults shortCut = run(0.125f);
  ASSERT_EQ(shortCut.contents.cases[1].type, 14);
  // The line pulls both anchors towards the cut.
  EXPECT_TRUE(Within(SupportValues(shortCut, shortCut.cases[0], 1)[0], tension, kTolerance));
  EXPECT_TRUE(Within(SupportValues(shortCut, shortCut.cases[0], 4)[0], -tension, kTolerance));
  for (int element = 1; element <= 3; ++element)
    EXPECT_TRUE(Within(shortCut.cases[0].forces[static_cast<std::size_t>(element)][6], tension, kTolerance));
  const RunResults longCut = run(-0.125f);
  EXPECT_TRUE(Within(SupportValues(longCut, longCut.cases[0], 1)[0], -tension, kTolerance));
  EXPECT_TRUE(Within(longCut.cases[0].forces[2][6], -tension, kTolerance));
}

// A jacket of 8.625 x 0.322 in (insulated 2 in) with its own load (its
// annulus holds a fluid of specific gravity 0.8) around the 4.5-inch core
// full of water.
void AddJacketProperties(Model& model) {
  PipeSection jacket;
  InitSection(jacket);
  jacket.name = "S8";
  jacket.outsideDiameter = 8.625f;
  jacket.thickness = 0.322f;
  jacket.insulationThickness = 2.0f;
  jacket.insulationDensity = 0.00637f;
  AppendSection(model.sections, jacket);
  PipeLoad load;
  InitPipeLoad(load, 70.0f);
  load.name = "LJ";
  load.specificGravity = 0.8f;
  load.wind = 0;
  AppendPipeLoad(model.pipeLoads, load);
  model.pipeLoads[1].specificGravity = 1.0f;
}

JacketedPipe& Jacket(Model& model, int row) {
  auto& pipe = static_cast<JacketedPipe&>(*model.row(row).element);
  pipe.jacketMaterial = "CS";
  pipe.jacketSection = "S8";
  pipe.jacketLoad = "LJ";
  return pipe;
}

// From 10 (anchor), a hydrotest load row, pipes to 20 and 30 (anchor), 30
// in each along X, insulated: the sustained case carries the load's fluid
// (specific gravity 0.8) and the insulation, the hydrotest case the test
// fluid (1.2) and, with "Exclude insulation", no insulation.
TEST_F(InlineAnalysisTest, TheHydrotestCaseWeighsTheTestFluidAndLeavesOutTheInsulation) {
  Model& model = TheModel();
  auto run = [&](std::uint8_t exclude) {
    StartModel(model, 70.0, kDensity, path_);
    model.pipeLoads[1].specificGravity = 0.8f;
    model.sections[1].insulationThickness = 2.0f;
    model.sections[1].insulationDensity = 0.00637f;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    const int test = AddRow(model, 0, ElementType::HydrotestLoad);
    auto& load = static_cast<HydrotestLoad&>(*model.row(test).element);
    load.specificGravity = 1.2f;
    load.pressure = 1.0e-36f;
    load.excludeInsulation = exclude;
    PipeRow(model, 20, ElementType::Pipe, 30.0f);
    PipeRow(model, 30, ElementType::Pipe, 30.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {1, 19});
    return AnalyseAndRead(model);
  };
  const double ri = kOd / 2.0 - kWall;
  const double metal = kDensity * Pipe4().A;
  const double fluid = kPi * ri * ri * 0.03609;
  const double insulation = kPi / 4.0 * (std::pow(kOd + 4.0, 2) - kOd * kOd) * 0.00637f;
  const RunResults with = run(0);
  ASSERT_EQ(with.cases.size(), 2u);
  auto vertical = [](const RunResults& r, std::size_t c) {
    return SupportValues(r, r.cases[c], 1)[1] + SupportValues(r, r.cases[c], 4)[1];
  };
  EXPECT_TRUE(Within(vertical(with, 0), -(metal + 0.8 * fluid + insulation) * 60.0, kTolerance));
  EXPECT_TRUE(Within(vertical(with, 1), -(metal + 1.2 * fluid + insulation) * 60.0, kTolerance));
  const RunResults without = run(1);
  EXPECT_TRUE(Within(vertical(without, 0), -(metal + 0.8 * fluid + insulation) * 60.0, kTolerance));
  EXPECT_TRUE(Within(vertical(without, 1), -(metal + 1.2 * fluid) * 60.0, kTolerance));
}

// From 10 (anchor), jacketed pipes to 20 (spider) and 30 (anchor), 60 in
// each along X, the jacket closed by end caps at 10 and 30: the anchors
// carry the core's metal and water, the jacket's metal, the annulus fluid
// and the insulation.
TEST_F(InlineAnalysisTest, AJacketedPipesWeightIsTheCoresAndTheJacketsWithTheirContents) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, path_);
  AddJacketProperties(model);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::JacketedPipe, 60.0f);
  Jacket(model, 2);
  PutItem(model, 2, DataType::Spider);
  PipeRow(model, 30, ElementType::JacketedPipe, 60.0f);
  Jacket(model, 3);
  PutItem(model, 3, DataType::Anchor);
  AddRow(model, 10, ElementType::Location);
  PutItem(model, 4, DataType::JacketEndCap);
  AddRow(model, 30, ElementType::Location);
  PutItem(model, 5, DataType::JacketEndCap);
  const RunResults run = Sustained(model);

  const double coreOuter = kOd / 2.0, coreInner = coreOuter - kWall;
  const double jacketOuter = 8.625 / 2.0, jacketInner = jacketOuter - 0.322;
  const double water = 0.03609;
  const double core = kDensity * kPi * (coreOuter * coreOuter - coreInner * coreInner) + kPi * coreInner * coreInner * water;
  const double jacket = kDensity * kPi * (jacketOuter * jacketOuter - jacketInner * jacketInner) +
                        0.8 * (kPi * jacketInner * jacketInner - kPi * kOd * kOd / 4.0) * water +
                        kPi / 4.0 * (std::pow(8.625 + 4.0, 2) - 8.625 * 8.625) * 0.00637f;
  EXPECT_TRUE(Within(VerticalSum(run, {1, 3}), -(core + jacket) * 120.0, kTolerance));
}

// From 10 (anchor) a jacketed pipe of 60 in to 20, closed at 10 by an end
// cap, tied at 20 by a spider or an end cap; 1000 lb along X and 500 lb
// along Y pull the jacket at 20J. The spider makes the jacket follow the
// core across the pipe only; the end cap in everything.
TEST_F(InlineAnalysisTest, ASpiderTiesTheTwoTransverseTranslationsAndAnEndCapAllSix) {
  Model& model = TheModel();
  auto run = [&](DataType tie) {
    StartModel(model, 70.0, 0.0, path_);
    AddJacketProperties(model);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::JacketedPipe, 60.0f);
    Jacket(model, 2);
    PutItem(model, 2, tie);
    AddRow(model, 10, ElementType::Location);
    PutItem(model, 3, DataType::JacketEndCap);
    AddRow(model, 20 + kJacketNodeOffset, ElementType::Location);
    PutItem(model, 4, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(4).item);
    force.FX = 1000.0f;
    force.FY = 500.0f;
    const RunResults results = Sustained(model);
    const auto at = [&](NodeId id) { return results.cases[0].nodes[static_cast<std::size_t>(FindNodeIndex(model.nodes, id))]; };
    return std::pair{at(20), at(20 + kJacketNodeOffset)};
  };
  const auto [core, jacket] = run(DataType::Spider);
  EXPECT_TRUE(Within(jacket[1], core[1], 1.0e-5, 1.0e-9));  // across: together (ties of 1.0e12)
  EXPECT_TRUE(Within(jacket[2], core[2], 1.0e-5, 1.0e-12));
  EXPECT_GT(std::fabs(jacket[0] - core[0]), 1.0e-3 * std::fabs(jacket[0]));  // along: apart
  EXPECT_GT(std::fabs(jacket[5] - core[5]), 1.0e-3 * std::fabs(jacket[5]));  // turned apart
  const auto [capped, cappedJacket] = run(DataType::JacketEndCap);
  for (int i = 0; i < 6; ++i)
    EXPECT_TRUE(Within(cappedJacket[static_cast<std::size_t>(i)], capped[static_cast<std::size_t>(i)], 1.0e-5, 1.0e-12))
        << i;
}

TEST_F(InlineAnalysisTest, AJacketConnectionOffAJacketedPipeStopsTheGenerationNamingItsRow) {
  Model& model = TheModel();
  ValveLine(model, 0.0, path_);
  PutItem(model, 2, DataType::JacketEndCap);
  MakeModel(model);
  AnalysisElementList list;
  try {
    GenerateAnalysisElements(model, list);
    FAIL() << "the end cap was taken";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Jacket connection at point 20 is not on a jacketed pipe");
  }
  EXPECT_EQ(list.errorRow, 2);
}

}  // namespace
