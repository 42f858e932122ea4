// Analysis elements and their derived data: a 6" Sch 40 line, water-filled
// and insulated, against a hand calculation; a model with a long-radius
// bend split into its lead-in and arcs (arc nodes placed from the standard
// radius); nodes closer than 0.01 merged except by joints; per-case
// temperatures and pressures; a jacket's core pressure; and every message
// of the element checks.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Bend.h"
#include "elements/DerivedElementData.h"
#include "elements/JacketedPipe.h"
#include "elements/RigidElement.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelBuilder.h"
#include "records/AnalysisOptions.h"
#include "services/Units.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class AnalysisElementsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEmptyModel(model, AnalysisOptions());
    model.options.ThermalLoadCount = 2;
    Material steel;
    steel.name = "A106";
    steel.nu = 0.3f;
    steel.density = 0.283f;
    steel.jointFactor = 1.0f;
    steel.numtemps = 2;
    steel.temps.resize(3);
    steel.temps[1].values = {70.0f, 29.5e6f, 6.07e-6f, 20000.0f, 0, 0, 0, 0};
    steel.temps[2].values = {700.0f, 25.5e6f, 7.44e-6f, 16500.0f, 0, 0, 0, 0};
    AppendMaterial(model.materials, steel);
    PipeSection six;
    six.name = "S6";
    six.nominalSize = "6\"";
    six.schedule = "40";
    six.outsideDiameter = 6.625f;
    six.thickness = 0.280f;
    six.insulationThickness = 2.0f;
    six.insulationDensity = static_cast<float>(11.0 / 1728.0);  // calcium silicate, 11 lb/ft3
    AppendSection(model.sections, six);
    PipeLoad water;
    InitPipeLoad(water, 70.0f);
    water.name = "L1";
    water.operating[0] = {400.0f, 150.0f};
    water.operating[1] = {250.0f, -200.0f};
    water.operating[2] = {900.0f, 900.0f};  // beyond the temperatures in use
    water.specificGravity = 1.0f;
    AppendPipeLoad(model.pipeLoads, water);
  }

  // From 10; a pipe of 120" to 20; a bend at 30 (60" on) with an
  // intermediate node 31 at 45 degrees; a pipe of 120" up to 40.
  void BuildBendLine() {
    AddRow(model, 10, ElementType::From);
    const int pipe = AddRow(model, 20, ElementType::Pipe, 120.0f);
    model.row(pipe).material = "A106";
    model.row(pipe).section = "S6";
    model.row(pipe).load = "L1";
    const int bend = AddRow(model, 30, ElementType::Bend, 60.0f);
    auto& b = dynamic_cast<Bend&>(*model.row(bend).element);
    b.intermediateNode1 = 31;
    b.angle1 = static_cast<float>(kPi / 4.0);
    AddRow(model, 40, ElementType::Pipe, 0.0f, 120.0f);
    MakeModel(model);
  }

  std::string GenerateMessage() {
    try {
      GenerateAnalysisElements(model, list);
    } catch (const std::string& message) {
      return message;
    }
    return {};
  }

  Model model;
  AnalysisElementList list;
};

TEST_F(AnalysisElementsTest, SixInchSch40FilledAndInsulatedMatchesTheHandCalculation) {
  BuildBendLine();
  GenerateAnalysisElements(model, list);
  const DerivedElementData d = ComputeRowDerivedData(model, list[1], 2);
  // ro = 3.3125, ri = 3.0325 (6.625 x 0.280).
  // A = pi (3.3125^2 - 3.0325^2) = pi x 1.7766 = 5.5813 in2 (B36.10: 5.58).
  EXPECT_NEAR(d.area, 5.5813, 5e-4);
  // I = pi/4 (3.3125^4 - 3.0325^4) = pi/4 x 35.8317 = 28.142 in4 (B36.10: 28.1);
  // section modulus I / ro = 8.496 in3 (B36.10: 8.50).
  EXPECT_NEAR(d.inertia, 28.142, 2e-3);
  EXPECT_NEAR(d.inertia / (d.outsideDiameter / 2.0), 8.4956, 1e-3);
  // Shear form factor 4/3 (ro^3 - ri^3) / ((ro - ri)(ri^2 + ro^2))
  // = 1.333333 x 8.45988 / (0.28 x 20.16871) = 1.99741.
  EXPECT_NEAR(d.shearFormFactor, 1.99741, 5e-5);
  // Weights per inch: pipe 0.283 x 5.5813 = 1.57951; water 0.03609 x pi x
  // 3.0325^2 = 1.04264 (12.51 lb/ft, as published); insulation
  // ((10.625^2 - 6.625^2) pi / 4) x 11/1728 = 54.1925 x 0.0063657 = 0.34497.
  EXPECT_NEAR(d.weightPerLength, 1.57951 + 1.04264 + 0.34497, 5e-4);
  EXPECT_NEAR(d.weightPerLength * 12.0, 35.60, 0.01);  // lb/ft
  EXPECT_FLOAT_EQ(d.length, 120.0f);
  EXPECT_FLOAT_EQ(d.wallThickness, 0.280f);
  // Case 2 (expansion of T1): 400 F, 150 psi; the modulus at the reference
  // temperature (an expansion case), alpha at 400 F between the rows.
  EXPECT_FLOAT_EQ(d.temperature, 400.0f);
  EXPECT_FLOAT_EQ(d.pressure, 150.0f);
  EXPECT_FLOAT_EQ(d.modulus, 29.5e6f);
  EXPECT_NEAR(d.expansion, 6.07e-6 + (400.0 - 70.0) / 630.0 * (7.44e-6 - 6.07e-6), 1e-12);
  EXPECT_NEAR(d.shearModulus, 29.5e6 / 2.6, 1.0);
  EXPECT_FLOAT_EQ(d.poisson, 0.3f);
}

// A stored ratio of 0 is one not given, 0.3, as the cells and dialog fill it.
TEST_F(AnalysisElementsTest, APoissonRatioOfZeroIsTheRatioNotGiven) {
  BuildBendLine();
  model.materials[1].nu = 0.0f;
  GenerateAnalysisElements(model, list);
  const DerivedElementData d = ComputeRowDerivedData(model, list[1], 2);
  EXPECT_NEAR(d.shearModulus, 29.5e6 / 2.6, 1.0);
  EXPECT_FLOAT_EQ(d.poisson, 0.3f);
}

TEST_F(AnalysisElementsTest, PerCaseTemperaturesAndPressures) {
  BuildBendLine();
  model.options.UseColdModulus = 0;
  GenerateAnalysisElements(model, list);
  const AnalysisElement& pipe = list[1];
  struct Case {
    int type;
    float t, p;
  } cases[] = {
      {1, 400.0f, -200.0f},  // the hottest T and the pressure of largest magnitude (T3 not in use)
      {2, 400.0f, 150.0f},   {3, 250.0f, -200.0f}, {8, 400.0f, 150.0f}, {9, 250.0f, -200.0f},
      {11, 70.0f, 0.0f},     {124, 70.0f, 1.0e-36f},
  };
  for (const Case& c : cases) {
    const DerivedElementData d = ComputeRowDerivedData(model, pipe, c.type);
    EXPECT_FLOAT_EQ(d.temperature, c.t) << c.type;
    EXPECT_FLOAT_EQ(d.pressure, c.p) << c.type;
  }
  // An operating case takes E at its own temperature when the cold modulus
  // option is off: 400 F lies 330/630 of the way from 29.5 to 25.5 Mpsi.
  EXPECT_NEAR(ComputeRowDerivedData(model, pipe, 8).modulus, 29.5e6 - 4.0e6 * 330.0 / 630.0, 2.0);
  // Contents weigh nothing in type 124.
  EXPECT_LT(ComputeRowDerivedData(model, pipe, 124).weightPerLength, ComputeRowDerivedData(model, pipe, 8).weightPerLength);
  EXPECT_FLOAT_EQ(ElementMaxTemp(model, pipe), 400.0f);
  EXPECT_FLOAT_EQ(ElementMinTemp(model, pipe), 250.0f);
  model.options.ThermalLoadCount = 10;  // four or more: all ten pairs count
  EXPECT_FLOAT_EQ(ElementMaxTemp(model, pipe), 900.0f);
}

TEST_F(AnalysisElementsTest, BendIsSplitIntoLeadInAndArcsAtTheStandardRadius) {
  BuildBendLine();
  GenerateAnalysisElements(model, list);
  // Row 2 pipe; row 3 lead-in and two arcs; row 4 pipe.
  ASSERT_EQ(list.count, 5);
  const int kinds[] = {3, 3, 4, 4, 3};
  const int rows[] = {2, 3, 3, 3, 4};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(list[i].kind, kinds[i - 1]) << i;
    EXPECT_EQ(list[i].row, rows[i - 1]) << i;
    EXPECT_EQ(list[i].material, 1);
    EXPECT_EQ(list[i].section, 1);
    EXPECT_EQ(list[i].load, 1);
  }
  // 6" long radius 9": the arc starts 9" before the corner at x = 180 and
  // ends 9" up; the intermediate node sits at 45 degrees on the arc.
  const NodeRecord& near = model.nodes[list[2].node2];
  EXPECT_EQ(near.id, 30 + 100000);
  EXPECT_NEAR(near.x, 171.0f, 1e-3);
  const NodeRecord& middle = model.nodes[list[3].node2];
  EXPECT_EQ(middle.id, 31);
  EXPECT_NEAR(middle.x, 171.0 + 9.0 * std::sin(kPi / 4.0), 1e-3);
  EXPECT_NEAR(middle.y, 9.0 * (1.0 - std::cos(kPi / 4.0)), 1e-3);
  const NodeRecord& far = model.nodes[list[4].node2];
  EXPECT_EQ(far.id, 30 + 200000);
  EXPECT_NEAR(far.x, 180.0f, 1e-3);
  EXPECT_NEAR(far.y, 9.0f, 1e-3);
  EXPECT_EQ(list[5].node1, list[4].node2);  // the next pipe starts at the far end
  EXPECT_NEAR(ComputeRowDerivedData(model, list[2], 2).length, 51.0f, 1e-3);
  EXPECT_TRUE(list.mergedNodes.empty());
  // The arcs know their bend; the straight parts do not.
  EXPECT_FLOAT_EQ(ElementBendRadius(model, list[3]), 9.0f);
  EXPECT_FLOAT_EQ(ElementBendRadius(model, list[2]), 0.0f);
  EXPECT_EQ(ElementBendFlanges(model, list[3]), 0);
  // A bend's own wall replaces the section's on its arcs only.
  dynamic_cast<Bend&>(*model.row(3).element).thickness = 0.432f;
  EXPECT_FLOAT_EQ(ElementWallThickness(model, list[3]), 0.432f);
  EXPECT_FLOAT_EQ(ElementWallThickness(model, list[2]), 0.28f);
  // Design values: the load's own when given, else the operating extremes.
  model.pipeLoads[1].designTemperature = 0.0f;
  model.pipeLoads[1].designPressure = 0.0f;
  EXPECT_FLOAT_EQ(ElementDesignTemp(model, list[1]), 400.0f);
  EXPECT_FLOAT_EQ(ElementDesignPressure(model, list[1]), -200.0f);
  model.pipeLoads[1].designTemperature = 450.0f;
  model.pipeLoads[1].designPressure = 250.0f;
  EXPECT_FLOAT_EQ(ElementDesignTemp(model, list[1]), 450.0f);
  EXPECT_FLOAT_EQ(ElementDesignPressure(model, list[1]), 250.0f);
  // The last pipe rises from the arc's end at y = 9 to node 40 at y = 120.
  EXPECT_NEAR(ElementMidElevation(model, list[5]), 64.5f, 1e-3);
}

TEST_F(AnalysisElementsTest, CloseNodesMergeExceptAcrossJoints) {
  BuildBendLine();
  AddRow(model, 50, ElementType::Pipe, 0.0f, 0.005f);
  AddRow(model, 60, ElementType::HingeJoint, 0.0f, 0.005f);
  MakeModel(model);
  GenerateAnalysisElements(model, list);
  ASSERT_EQ(list.mergedNodes.size(), 1u);
  EXPECT_EQ(model.nodes[list.mergedNodes[0].second].id, 50);
  EXPECT_EQ(list[list.count].kind, 12);
  EXPECT_EQ(list[list.count].material, 0);  // joints take no records
}

TEST_F(AnalysisElementsTest, JacketCorePressureIsTheDifference) {
  PipeLoad jacketLoad;
  InitPipeLoad(jacketLoad, 70.0f);
  jacketLoad.name = "LJ";
  jacketLoad.operating[0] = {400.0f, 150.0f};
  jacketLoad.specificGravity = 1.0f;
  AppendPipeLoad(model.pipeLoads, jacketLoad);
  model.pipeLoads[1].operating[0].pressure = 100.0f;
  PipeSection jacket = model.sections[1];
  jacket.name = "S10";
  jacket.outsideDiameter = 10.75f;
  jacket.thickness = 0.365f;
  jacket.insulationThickness = 0.0f;
  jacket.insulationDensity = 0.0f;
  AppendSection(model.sections, jacket);
  model.sections[1].insulationThickness = model.sections[1].insulationDensity = 0.0f;
  AddRow(model, 10, ElementType::From);
  const int row = AddRow(model, 20, ElementType::JacketedPipe, 120.0f);
  model.row(row).material = "A106";
  model.row(row).section = "S6";
  model.row(row).load = "L1";
  auto& element = dynamic_cast<JacketedPipe&>(*model.row(row).element);
  element.jacketMaterial = "A106";
  element.jacketSection = "S10";
  element.jacketLoad = "LJ";
  MakeModel(model);
  GenerateAnalysisElements(model, list);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list[1].kind, 3);
  EXPECT_TRUE(IsJacketCoreElement(model, list[1]));
  EXPECT_FLOAT_EQ(ElementPressure(model, list[1], 1), -50.0f);
  EXPECT_EQ(list[2].kind, 6);
  EXPECT_EQ(list[2].section, 2);
  EXPECT_FLOAT_EQ(ElementPressure(model, list[2], 1), 150.0f);
  // The jacket's contents fill only the annulus around the core.
  const double annulus = kPi * (std::pow(10.75 / 2 - 0.365, 2) - std::pow(6.625 / 2, 2));
  const DerivedElementData d = ComputeRowDerivedData(model, list[2], 2);
  EXPECT_NEAR(d.weightPerLength, 0.283 * d.area + annulus * 0.03609, 1e-3);
  // A core wider than the jacket's bore is refused.
  model.sections[1].insulationThickness = 2.0f;
  int errorRow = 0;
  try {
    ComputeRowDerivedData(model, list[2], 2, &errorRow);
    FAIL();
  } catch (const std::string& message) {
    // Both in one form: the bore, 10.02 in, is no whole sixty-fourth, so
    // the core's 10-5/8 in reads in decimal feet beside it.
    EXPECT_EQ(message, "Row 2: Core OD = 0.8854 > Jacket ID = 0.8350");
  }
  EXPECT_EQ(errorRow, 2);
}

TEST_F(AnalysisElementsTest, EveryCheckHasItsMessageAndRow) {
  BuildBendLine();
  // A lining thicker than the bore.
  model.sections[1].liningThickness = 3.1f;
  GenerateAnalysisElements(model, list);
  int errorRow = 0;
  try {
    ComputeRowDerivedData(model, list[3], 2, &errorRow);
    FAIL();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3: Lining thickness > internal radius");
  }
  EXPECT_EQ(errorRow, 3);
  model.sections[1].liningThickness = 0.0f;

  struct Refusal {
    std::function<void()> damage;
    std::string message;
    int row;
  } refusals[] = {
      {[&] { model.row(2).material = "XX"; }, "Row 2: material index = 0", 2},
      {[&] {
         model.row(2).material = "A106";
         model.row(2).section = "SX";
       },
       "Row 2: section index = 0", 2},
      {[&] {
         model.row(2).section = "S6";
         model.row(2).load = "LX";
       },
       "Row 2: load index = 0", 2},
      {[&] {
         model.row(2).load = "L1";
         ModelRecordTableAppend(model.beamMaterials, 4);
         model.beamMaterials[1].name = "W";
         model.row(2).material = "W";
       },
       "Row 2: Pipe has beam material.", 2},
      {[&] {
         model.row(2).material = "A106";
         dynamic_cast<Bend&>(*model.row(3).element).material = "NOPE";
       },
       "Row 3: Bend material NOPE is not defined", 3},
      {[&] {
         dynamic_cast<Bend&>(*model.row(3).element).material.clear();
         model.materials[1].numtemps = 0;
       },
       "Row = 2, Material = A106 does not have properties", 2},
      {[&] {
         model.materials[1].numtemps = 2;
         model.pipeLoads[1].operating[0].temperature = 750.0f;
       },
       "Row = 2, temperature = 750 > maximum material temperature = 700", 2},
  };
  for (Refusal& refusal : refusals) {
    refusal.damage();
    EXPECT_EQ(GenerateMessage(), refusal.message);
    EXPECT_EQ(list.errorRow, refusal.row) << refusal.message;
  }
  // An invalid bend (its legs too short for the radius).
  model.pipeLoads[1].operating[0].temperature = 400.0f;
  model.row(3).dx = 2.0f;
  MakeModel(model);
  EXPECT_EQ(GenerateMessage(), "Bend at Row #  3  is invalid.");
  EXPECT_EQ(list.invalidBendRow, 3);
}

TEST_F(AnalysisElementsTest, RigidWeightAndHydrotestRow) {
  AddRow(model, 10, ElementType::From);
  const int hydro = AddRow(model, 0, ElementType::HydrotestLoad);
  const int rigid = AddRow(model, 20, ElementType::Rigid, 24.0f);
  model.row(rigid).material = "A106";
  model.row(rigid).section = "S6";
  model.row(rigid).load = "L1";
  dynamic_cast<RigidElement&>(*model.row(rigid).element).weight = 480.0f;
  MakeModel(model);
  GenerateAnalysisElements(model, list);
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list[1].hydrotestRow, hydro);
  // Without its CIL flag a rigid element weighs its own weight alone.
  EXPECT_NEAR(ComputeRowDerivedData(model, list[1], 2).weightPerLength, 20.0, 1e-4);
}

}  // namespace
