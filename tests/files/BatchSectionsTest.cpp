// The option and property sections of a batch file: one table of refused
// lines with their messages, and the records and settings that accepted
// lines leave (units and code, temperature rows, pipe loads with their
// design values, soils, sections, beam tables, seismic and wind).
#include <gtest/gtest.h>

#include <cmath>

#include "BatchTesting.h"
#include "files/BatchSections.h"
#include "shell/NumberText.h"

namespace {

class BatchSectionsTest : public BatchFixture {};

struct Refusal {
  const char* before;  // the lines before the refused one (the title is added)
  const char* line;
  const char* message;
};

// Each refused line with its whole message ("<message>" or "<message> :  <field>").
const Refusal kRefusals[] = {
    {"OPTIONS", "SI,NAVY", "NAVY code is presently not available"},
    {"OPTIONS", "B313 SE", "SE option is presently not available"},
    {"OPTIONS", "F", "F option is presently not available"},
    {"MATERIAL", ",0.283", "Material name is required"},
    {"MATERIAL", "STEEL1,0.283", "Material name should be <= 5 characters :  STEEL1"},
    {"MATERIAL", "A.1,0.283", "Material name should be alpha-numeric :  A.1"},
    {"MATERIAL", "A1,-1", "Invalid density :  -1"},
    {"MATERIAL", "A1,0.283,0.5", "Invalid Poisson's ratio :  0.5"},
    {"MATERIAL", "A1,0.283,-0.1", "Invalid Poisson's ratio :  -0.1"},
    {"MATERIAL", "A1,0.283,0.3,0", "Invalid joint factor :  0"},
    {"MATERIAL", "A1,0.283,0.3,1,1.2", "Invalid circ joint factor :  1.2"},
    {"MATERIAL", "A1,0.283,0.3,1,1,ZZ", "Invalid material type :  ZZ"},
    {"MATERIAL\nA1,0.283", "A1,0.283", "Elastic modulus is required"},
    {"MATERIAL\nA1,0.283", "A1,,29E6", "Temperature is required"},
    {"MATERIAL\nA1,0.283", "A1,HOT,29E6", "Invalid temperature :  HOT"},
    {"MATERIAL\nA1,0.283", "A1,70,0", "Invalid elastic modulus :  0"},
    {"MATERIAL\nA1,0.283", "A1,70,29E6,6E-6,-5", "Invalid allowable stress :  -5"},
    {"MATERIAL\nA1,0.283\nA1,70,29.5E6\nA1,200,28E6,6.4E-6", "A1,150,28.5E6",
     "Temperatures are not in ascending order"},
    {"LOADS", "L1,300", "P1 is required"},
    {"LOADS", "L1,,150", "T1 is required"},
    {"LOADS", "L1,-500,150", "Invalid T1 :  -500"},
    {"LOADS", "L1,300,150,-1", "Invalid Specific Gravity :  -1"},
    {"LOADS", "L1,300,150,1,X", "Invalid T2 :  X"},
    {"LOADS", "L1,300,150,1,400,2,500,Q", "Invalid P3 :  Q"},
    {"LOADS", "L1,300,150,1,400,2,500,3,-2", "Invalid additional weight :  -2"},
    {"SOILS", "SL12,0,120,0,30,2", "Soil name should be <= 3 characters :  SL12"},
    {"SOILS", "SL1", "Soil type is required"},
    {"SOILS", "SL1,2,120", "Invalid Cohesive/Cohesiveless :  2"},
    {"SOILS", "SL1,0", "Soil density is required"},
    {"SOILS", "SL1,0,0,0,30,2", "Invalid density :  0"},
    {"SOILS", "SL1,0,120", "Ground level required"},
    {"SOILS", "SL1,0,120,X", "Invalid ground level"},
    {"SOILS", "SL1,1,120,0", "Strength required"},
    {"SOILS", "SL1,1,120,0,0", "Invalid cohesive strength :  0"},
    {"SOILS", "SL1,0,120,0", "Delta required"},
    {"SOILS", "SL1,0,120,0,80,2", "Invalid delta value :  80"},
    {"SOILS", "SL1,0,120,0,30", "ks required"},
    {"SOILS", "SL1,0,120,0,30,0", "Invalid KS :  0"},
    {"PIPE", "S1", "Pipe diameter is required"},
    {"PIPE", "S1,0.0005,0.1", "Invalid pipe diameter :  0.0005"},
    {"PIPE", "S1,8.625", "Pipe thickness is required"},
    {"PIPE", "S1,2,1.5", "Thickness is greater than radius"},
    {"PIPE", "S1,8.625,0.322,-0.1", "Invalid corrosion allowance :  -0.1"},
    {"PIPE", "S1,8.625,0.322,0.4", "Corrosion allowance is >= wall thickness"},
    {"PIPE", "S1,8.625,0.322,0,80", "Invalid mill tolerance :  80"},
    {"PIPE", "S1,8.625,0.322,0.25,25", "Corrosion allowance + mill tolerance is too large"},
    {"PIPE", "S1,8.625,0.322,0,12.5,-1", "Invalid insulation density :  -1"},
    {"PIPE", "S1,8.625,0.322,0,12.5,11,-3", "Invalid insulation thickness :  -3"},
    {"PIPE", "S1,8.625,0.322,0,12.5,,,,,SL1", "Soil not defined :  SL1"},
    {"PIPE", "S1,8.625,0.322,0,12.5,,,,, ,", "Soil not defined :  "},
    {"PIPE", "S1,8.625,0.322,0,12.5,,,,,SOIL", "Soil name should be <= 3 characters :  SOIL"},
    {"BMATERIALS", "B1,-29E6", "Invalid youngs modulus :  -29E6"},
    {"BMATERIALS", "B1,29E6,0.6", "Invalid Poisson's ratio :  0.6"},
    {"BSECTIONS", "W8", "Axial area is required"},
    {"BSECTIONS", "W8,10", "Major MOI is required"},
    {"BSECTIONS", "W8,10,100", "Minor MOI is required"},
    {"BSECTIONS", "W8,10,100,50,-1", "Invalid torsional inertia :  -1"},
    {"BLOADS", "BL1", "T1 is required"},
    {"BLOADS", "BL1,300,-600", "Invalid T2 :  -600"},
    {"BLOADS", "BL1,300,70,70,-5", "Invalid additional weight :  -5"},
    {"SEISMIC", "0.1,Y", "Invalid Y seismic load :  Y"},
    {"WIND", "-60,0.6,1", "Invalid wind velocity :  -60"},
    {"WIND", "60", "Wind direction is required"},
    {"WIND", "60,0.7", "Wind direction is required"},
    {"WIND", "60,-1,1", "Invalid wind shape factor :  -1"},
    {"WIND", "60,0.7,0,0,0", "Invalid wind direction"},
};

TEST_F(BatchSectionsTest, EveryRefusedLineGivesItsMessageAndItsLineNumber) {
  for (const Refusal& refusal : kRefusals) {
    const std::string before = std::string("Edge lines\n") + refusal.before + "\n";
    const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    Model model;
    EXPECT_EQ(Import(before + refusal.line + "\nLAYOUT\n", model), LineError(line, refusal.line, refusal.message))
        << refusal.line;
    // The user's units are back as they were after every refusal.
    EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 0) << refusal.line;
  }
}

TEST_F(BatchSectionsTest, OptionsChooseUnitsCodeAxisAndHangerType) {
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Import("T\nOPTIONS\nSI,B313,Z\n", model, &log), "");
  EXPECT_EQ(model.options.PipingCode, 3);
  EXPECT_EQ(model.options.ZVertical, 1);
  EXPECT_EQ(model.unitChoices[kUnitLength - 1], kLengthMillimetre);
  EXPECT_EQ(model.unitChoices[kUnitPressure - 1], 1);     // bar
  EXPECT_EQ(model.unitChoices[kUnitAngle - 1], 0);        // SI leaves degrees
  EXPECT_EQ(g_UnitsSettings.unit[kUnitRotStiffness], 2);  // the units stay the program's after the import
  EXPECT_TRUE(log.empty());

  // SI then IN gives inches; IN then SI gives millimetres; RAD radians.
  Model inches, millimetres;
  ASSERT_EQ(Import("T\nOPTIONS\nSI\nIN RAD\n", inches), "");
  EXPECT_EQ(inches.unitChoices[kUnitLength - 1], kLengthInch);
  EXPECT_EQ(inches.unitChoices[kUnitStress - 1], 1);
  EXPECT_EQ(inches.unitChoices[kUnitAngle - 1], 1);
  ASSERT_EQ(Import("T\nOPTIONS\nIN,SI,NONE\n", millimetres), "");
  EXPECT_EQ(millimetres.unitChoices[kUnitLength - 1], kLengthMillimetre);
  EXPECT_EQ(millimetres.options.PipingCode, 0);

  // A hanger catalogue word; a word the section does not know is logged.
  Model model2;
  BatchReader reader;
  reader.model = &model2;
  reader.line = "HGRC FOO,B311-67";
  ParseBatchOptions(reader);
  EXPECT_EQ(reader.defaultHangerType, 12);
  EXPECT_EQ(model2.options.PipingCode, 2);
  ASSERT_EQ(reader.log.size(), 1u);
  EXPECT_EQ(reader.log[0], "Line 0: OPTIONS word FOO is not known and was ignored");

  // Without a code word the file keeps the code a new model has.
  Model keeps;
  ProgramAnalysisOptions().PipingCode = 12;
  ASSERT_EQ(Import("T\nOPTIONS\nHGRA\n", keeps), "");
  EXPECT_EQ(keeps.options.PipingCode, 12);
}

TEST_F(BatchSectionsTest, MaterialLinesAndTheirTemperatureRows) {
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Import("T\nMATERIAL\nA1,0.283,,0.85,,CSX,Carbon steel pipe to ASTM A106 grade B\n"
                   "A1,70,29.5E6\nA1,200,28E6,6.4E-6,20000,35000,60000\nPIPES,0.1\n",
                   model, &log),
            "");
  ASSERT_EQ(model.materials.count, 2);
  const Material& steel = model.materials[1];
  EXPECT_EQ(steel.name, "A1");
  EXPECT_FLOAT_EQ(steel.density, 0.283f);
  EXPECT_FLOAT_EQ(steel.nu, 0.3f);  // an empty field keeps its default
  EXPECT_FLOAT_EQ(steel.jointFactor, 0.85f);
  EXPECT_FLOAT_EQ(steel.circJointFactor, 1.0f);
  EXPECT_EQ(steel.type, "CS");
  EXPECT_EQ(steel.description, "CARBON STEEL PIPE TO ASTM A106 ");
  ASSERT_EQ(steel.numtemps, 2);
  EXPECT_FLOAT_EQ(steel.temps[1].values[kMatModulus], 29.5e6f);
  EXPECT_FLOAT_EQ(steel.temps[1].values[kMatAlpha], 0.0f);
  EXPECT_FLOAT_EQ(steel.temps[2].values[kMatTemperature], 200.0f);
  EXPECT_FLOAT_EQ(steel.temps[2].values[kMatYield], 35000.0f);
  EXPECT_FLOAT_EQ(steel.temps[2].values[kMatRupture], 60000.0f);
  // PIPES is no header: it names a second material.
  EXPECT_EQ(model.materials[2].name, "PIPES");
  EXPECT_EQ(log, (std::vector<std::string>{"Line 3: Material type cut to 2 characters",
                                           "Line 3: Material description cut to 31 characters"}));

  // A 41st temperature row is refused.
  std::string rows = "T\nMATERIAL\nA1,0.283\n";
  for (int i = 1; i <= 41; ++i) rows += "A1," + std::to_string(10 * i) + ",29E6\n";
  Model full;
  EXPECT_EQ(Import(rows, full),
            LineError(44, "A1,410,29E6", "Maximum 40 temperature dependent properties are allowed"));
}

TEST_F(BatchSectionsTest, PipeLoadsCountTheirTemperaturesAndHoldDesignAtLeastOperating) {
  Model model;
  ASSERT_EQ(Import("T\nOPTIONS\nB313\nLOADS\nL1,300,150\n", model), "");
  const PipeLoad& one = model.pipeLoads[1];
  EXPECT_FLOAT_EQ(one.operating[1].temperature, 70.0f);
  EXPECT_FLOAT_EQ(one.operating[2].temperature, 70.0f);
  EXPECT_FLOAT_EQ(one.operating[1].pressure, 0.0f);
  EXPECT_EQ(model.options.ThermalLoadCount, 1);
  EXPECT_FLOAT_EQ(one.designTemperature, 300.0f);
  EXPECT_FLOAT_EQ(one.designPressure, 150.0f);
  EXPECT_FLOAT_EQ(one.operating[3].temperature, model.options.ReferenceTemperature);
  EXPECT_FLOAT_EQ(one.operating[9].pressure, kExplicitZero);
  EXPECT_EQ(one.wind, 1);

  // A second load with a T2 above 70 F makes two thermal loads; each load's
  // design values are the largest of its pairs in use.
  Model two;
  ASSERT_EQ(Import("T\nOPTIONS\nB313\nLOADS\nL1,300,150,,500,40\nL2,300,150,1.0,400,200,,,5\n", two), "");
  EXPECT_EQ(two.options.ThermalLoadCount, 2);
  EXPECT_FLOAT_EQ(two.pipeLoads[1].specificGravity, 0.0f);
  EXPECT_FLOAT_EQ(two.pipeLoads[1].designTemperature, 500.0f);
  EXPECT_FLOAT_EQ(two.pipeLoads[1].designPressure, 150.0f);
  EXPECT_FLOAT_EQ(two.pipeLoads[2].designTemperature, 400.0f);
  EXPECT_FLOAT_EQ(two.pipeLoads[2].designPressure, 200.0f);
  // An empty T3 reads as 0 F, a missing one is 70 F.
  EXPECT_FLOAT_EQ(two.pipeLoads[2].operating[2].temperature, 0.0f);
  EXPECT_FLOAT_EQ(two.pipeLoads[1].operating[2].temperature, 70.0f);
  EXPECT_FLOAT_EQ(two.pipeLoads[2].additionalWeight, 5.0f / 12.0f);  // lb/ft in, lb/in held
  for (int index : {1, 2})
    for (int pair = 0; pair < 2; ++pair) {
      EXPECT_GE(two.pipeLoads[index].designTemperature, two.pipeLoads[index].operating[pair].temperature);
      EXPECT_GE(two.pipeLoads[index].designPressure, two.pipeLoads[index].operating[pair].pressure);
    }

  // A T3 above 70 F makes three and ends the count; without a code there is
  // one thermal load whatever the loads hold.
  Model three, none;
  ASSERT_EQ(Import("T\nOPTIONS\nB313\nLOADS\nL1,300,150,0,60,0,200\n", three), "");
  EXPECT_EQ(three.options.ThermalLoadCount, 3);
  ASSERT_EQ(Import("T\nOPTIONS\nNONE\nLOADS\nL1,300,150,0,500,0,200\n", none), "");
  EXPECT_EQ(none.options.ThermalLoadCount, 1);
  EXPECT_FLOAT_EQ(none.pipeLoads[1].designTemperature, 300.0f);
}

TEST_F(BatchSectionsTest, SoilsSectionsAndBeamTables) {
  Model model;
  ASSERT_EQ(Import("T\nSOILS\nSL1,0,120,0,30,2\nSL2,1,110,-5,800\nPIPE\n"
                   "S1,8.625,0.322,0,12.5,,,,,SL1\nS2,4.5,0.237,0.05,,11,2,40,0.125\n"
                   "BMATERIALS\nB1,29E6,0.3,0.283,6.5E-6\nBSECTIONS\nW8,10,100,50\n"
                   "BLOADS\nBL1,300\nBL2,300,,,20\nSEISMIC\n0.1,,0.3\nWIND\n60,0,1,0,0\n",
                   model),
            "");
  const Soil& sand = model.soils[1];
  EXPECT_EQ(sand.type, kSoilCohesionless);
  EXPECT_NEAR(sand.delta, 30.0 * 3.14159265358979 / 180.0, 1e-6);
  EXPECT_FLOAT_EQ(sand.Ks, 2.0f);
  EXPECT_FLOAT_EQ(sand.density, 120.0f / 1728.0f);
  const Soil& clay = model.soils[2];
  EXPECT_EQ(clay.type, kSoilCohesive);
  EXPECT_FLOAT_EQ(clay.groundLevel, -60.0f);
  EXPECT_FLOAT_EQ(clay.strength, 800.0f);

  const PipeSection& buried = model.sections[1];
  EXPECT_EQ(buried.soil, "SL1");
  EXPECT_EQ(buried.nominalSize, "Non Std");
  EXPECT_FLOAT_EQ(buried.millTolerance, 12.5f);
  const PipeSection& lined = model.sections[2];
  EXPECT_FLOAT_EQ(lined.corrosionAllowance, 0.05f);
  EXPECT_FLOAT_EQ(lined.insulationThickness, 2.0f);
  EXPECT_FLOAT_EQ(lined.liningDensity, 40.0f / 1728.0f);
  EXPECT_FLOAT_EQ(lined.liningThickness, 0.125f);
  EXPECT_TRUE(lined.soil.empty());

  EXPECT_FLOAT_EQ(model.beamMaterials[1].E, 29e6f);
  EXPECT_FLOAT_EQ(model.beamMaterials[1].alpha, 6.5e-6f);
  const BeamSection& w8 = model.beamSections[1];
  EXPECT_FLOAT_EQ(w8.Imin, 50.0f);
  EXPECT_EQ(w8.J + w8.Asmaj + w8.Asmin + w8.depth + w8.width, 0.0f);
  // A beam load's missing T2 and T3 are the reference temperature, empty
  // ones 0 F; its additional weight is read in the weight unit.
  EXPECT_FLOAT_EQ(model.beamLoads[1].temperature[1], 70.0f);
  EXPECT_FLOAT_EQ(model.beamLoads[1].temperature[9], 70.0f);
  EXPECT_FLOAT_EQ(model.beamLoads[2].temperature[1], 0.0f);
  EXPECT_FLOAT_EQ(model.beamLoads[2].additionalWeight, 20.0f);

  EXPECT_FLOAT_EQ(model.seismic.g[0], 0.1f);
  EXPECT_FLOAT_EQ(model.seismic.g[1], 0.0f);
  EXPECT_FLOAT_EQ(model.seismic.g[2], 0.3f);
  const WindLoad& wind = model.wind.loads[0];
  EXPECT_FLOAT_EQ(wind.shapeFactor, 0.6f);
  EXPECT_EQ(wind.direction, (std::array<float, 3>{1.0f, 0.0f, 0.0f}));
  ASSERT_EQ(wind.velocityProfile.size(), 1u);
  EXPECT_FLOAT_EQ(wind.velocityProfile[0].value, 60.0f);
  EXPECT_EQ(model.wind.profileIsVelocity, 1);
}

}  // namespace
