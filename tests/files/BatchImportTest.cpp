// Whole batch files: one model written in English units, in inches, in SI
// units and in SI with inches and radians gives the same internal values;
// an imported model written as a model file reads back identically; the
// sample steam line of examples/ gives the plant it describes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "elements/Bend.h"
#include "files/BatchTesting.h"
#include "files/ModelFile.h"
#include "model/AnalysisElements.h"
#include "model/RowObjects.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

class BatchImportTest : public BatchFixture {
 protected:
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

// The same plant in four unit sets: the values below are the English ones
// converted by hand (1 psi = 0.00689476 MPa, 1 lb/in3 = 27679.9 kg/m3,
// 1 lb/ft = 1.48816 kg/m, 1 lb/in = 0.175127 N/mm, 1 in-lb = 0.112985 Nm).
const char* const kEnglish =
    "Units plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283,0.3\nA1,70,29.5E6,6.07E-6,20000\n"
    "A1,700,25.5E6,7.44E-6,16500\nPIPE\nS1,8.625,0.322,0.0625,12.5,11,3\nLOADS\nL1,300,150,1.0,,,,,5\n"
    "LAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X10\nT30,KI,X5,B12,CBTHK=0.4,IN1(25,45)\nT40,Z-8,CFY\n"
    "T50,Y3,KA,CDIS(0.5,0,0),ROT(0,1,0),TRAK(1000,RIGID,0),ROTK(5000,0,0)\n";
const char* const kInches =
    "Units plant\nOPTIONS\nB313 IN\nMATERIAL\nA1,0.283,0.3\nA1,70,29.5E6,6.07E-6,20000\n"
    "A1,700,25.5E6,7.44E-6,16500\nPIPE\nS1,8.625,0.322,0.0625,12.5,11,3\nLOADS\nL1,300,150,1.0,,,,,5\n"
    "LAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X120\nT30,KI,X60,B12,CBTHK=0.4,IN1(25,45)\nT40,Z-96,CFY\n"
    "T50,Y36,KA,CDIS(0.5,0,0),ROT(0,1,0),TRAK(1000,RIGID,0),ROTK(5000,0,0)\n";
const char* const kSi =
    "Units plant\nOPTIONS\nB313,SI\nMATERIAL\nA1,7833.41,0.3\nA1,21.1111,203395.4,10.926E-6,137.8952\n"
    "A1,371.1111,175816.4,13.392E-6,113.7635\nPIPE\nS1,219.075,8.1788,1.5875,12.5,176.2031,76.2\nLOADS\n"
    "L1,148.8889,10.34214,1.0,,,,,7.44080\n"
    "LAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X3048\nT30,KI,X1524,B304.8,CBTHK=10.16,IN1(25,45)\nT40,Z-2438.4,CFY\n"
    "T50,Y914.4,KA,CDIS(12.7,0,0),ROT(0,1,0),TRAK(175.127,RIGID,0),ROTK(564.925,0,0)\n";
const char* const kSiInchesRadians =
    "Units plant\nOPTIONS\nSI IN RAD B313\nMATERIAL\nA1,7833.41,0.3\nA1,21.1111,203395.4,10.926E-6,137.8952\n"
    "A1,371.1111,175816.4,13.392E-6,113.7635\nPIPE\nS1,219.075,8.1788,1.5875,12.5,176.2031,76.2\nLOADS\n"
    "L1,148.8889,10.34214,1.0,,,,,7.44080\n"
    "LAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X120\nT30,KI,X60,B304.8,CBTHK=10.16,IN1(25,0.785398)\nT40,Z-96,CFY\n"
    "T50,Y36,KA,CDIS(12.7,0,0),ROT(0,0.0174533,0),TRAK(175.127,RIGID,0),ROTK(564.925,0,0)\n";

// Every value the plant sets, in the internal units.
std::vector<double> PlantValues(const Model& m) {
  const Material& a1 = m.materials[1];
  const PipeSection& s = m.sections[1];
  const PipeLoad& l = m.pipeLoads[1];
  std::vector<double> values = {a1.density,
                                s.outsideDiameter,
                                s.thickness,
                                s.corrosionAllowance,
                                s.insulationDensity,
                                s.insulationThickness,
                                l.operating[0].temperature,
                                l.operating[0].pressure,
                                l.additionalWeight};
  for (int row = 1; row <= a1.numtemps; ++row)
    for (int column : {kMatTemperature, kMatModulus, kMatAlpha, kMatAllowable})
      values.push_back(a1.temps[row].values[column]);
  for (int row = 1; row <= m.rowCount; ++row)
    for (float offset : {m.row(row).dx, m.row(row).dy, m.row(row).dz}) values.push_back(offset);
  const auto& bend = dynamic_cast<const Bend&>(*m.row(4).element);
  const auto& anchor = dynamic_cast<const Anchor&>(*m.row(6).item);
  for (float value : {bend.radius, bend.thickness, bend.angle1}) values.push_back(value);
  for (int i = 1; i <= 6; ++i) values.push_back(anchor.displacements.sets->values[static_cast<std::size_t>(i)]);
  for (float k : anchor.stiffness) values.push_back(k);
  return values;
}

TEST_F(BatchImportTest, OnePlantInEveryUnitSetGivesTheSameInternalValues) {
  Model english;
  ASSERT_EQ(Import(kEnglish, english), "");
  // The English values themselves, in the internal units.
  EXPECT_FLOAT_EQ(english.row(3).dx, 120.0f);
  EXPECT_FLOAT_EQ(english.row(5).dz, -96.0f);
  EXPECT_FLOAT_EQ(english.pipeLoads[1].additionalWeight, 5.0f / 12.0f);
  EXPECT_NEAR(dynamic_cast<const Bend&>(*english.row(4).element).angle1, 0.785398, 1e-6);
  EXPECT_EQ(RestraintDirectionCode(dynamic_cast<const Restraint&>(*english.row(5).item)), 2);
  const std::vector<double> expected = PlantValues(english);
  for (const auto& [text, name] :
       {std::pair{kInches, "inches"}, {kSi, "SI"}, {kSiInchesRadians, "SI with inches and radians"}}) {
    Model other;
    ASSERT_EQ(Import(text, other), "") << name;
    const std::vector<double> values = PlantValues(other);
    ASSERT_EQ(values.size(), expected.size()) << name;
    for (std::size_t i = 0; i < values.size(); ++i)
      EXPECT_NEAR(values[i], expected[i], 3e-5 * std::fabs(expected[i]) + 1e-6) << name << ", value " << i;
  }
}

TEST_F(BatchImportTest, TheSampleIsThePlantItDescribesAndReadsBackIdenticallyFromItsModelFile) {
  std::ifstream input(std::string(QUORVEL_SOURCE_DIR) + "/examples/TurbineSteamLine.mbf", std::ios::binary);
  Model model;
  std::vector<std::string> log;
  ReadModelBatchFile(input, model, log);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(model.title, "6\" steam line SL-101, header to turbine T-1");
  EXPECT_EQ(model.options.PipingCode, 1);
  EXPECT_EQ(model.materials[1].numtemps, 10);
  EXPECT_EQ(model.pipeLoads[1].designTemperature, 600.0f);
  EXPECT_EQ(model.loadCases.count, 4);  // a B31.1 model: empty weight, sustained, operating, expansion
  int bends = 0, anchors = 0, restraints = 0, comments = 0;
  for (int row = 1; row <= model.rowCount; ++row) {
    bends += model.row(row).elementType == ElementType::Bend;
    comments += model.row(row).elementType == ElementType::Comment;
    anchors += model.row(row).dataType == DataType::Anchor;
    restraints += model.row(row).dataType == DataType::Restraint;
  }
  EXPECT_EQ(std::vector<int>({bends, anchors, restraints, comments}), std::vector<int>({3, 2, 5, 4}));
  // 30 ft along X, 24 ft along -Z, 10 ft down and 10 ft along X: the turbine
  // nozzle, which rises 0.12 in when hot.
  const NodeRecord& nozzle = model.nodes[FindNodeIndex(model.nodes, 110)];
  EXPECT_EQ(std::vector<float>({nozzle.x, nozzle.y, nozzle.z}), std::vector<float>({480.0f, -120.0f, -288.0f}));
  EXPECT_EQ(dynamic_cast<const Anchor&>(*model.row(model.rowCount).item).displacements.sets->values[2], 0.12f);
  AnalysisElementList elements;
  EXPECT_NO_THROW(GenerateAnalysisElements(model, elements));  // every element finds its records

  // Written as a model file, read back and written again: the same bytes.
  const std::string first = TempFolder() + "/imported.mod";
  const std::string second = TempFolder() + "/read-back.mod";
  ASSERT_EQ(WriteModelFileFrom(model, first), "");
  Model back;
  ReadModelFileInto(first, back);
  ASSERT_EQ(WriteModelFileFrom(back, second), "");
  EXPECT_GT(Bytes(first).size(), 1000u);
  EXPECT_EQ(Bytes(second), Bytes(first));
  EXPECT_EQ(back.title + std::to_string(back.rowCount), model.title + std::to_string(model.rowCount));
  EXPECT_EQ(back.unitChoices, model.unitChoices);
}

// "Include axial force" is forced by B31.3, B31.4 and B31.8 only: a B31.1
// file imported with the program's code at B31.3 leaves it as the program
// chose it, before and after a B31.3 import, whose forced option the
// program does not keep as its own.
TEST_F(BatchImportTest, OnlyTheFilesOwnCodeForcesTheAxialForce) {
  const std::string plant = "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n"
                            "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X10\n";
  ASSERT_EQ(ProgramAnalysisOptions().PipingCode, 3);
  ASSERT_EQ(ProgramAnalysisOptions().IncludeAxialForce, 0);
  std::vector<int> axial;
  for (const char* code : {"B311", "B313", "B311", "B318"}) {
    Model model;
    ASSERT_EQ(Import(std::string("Plant\nOPTIONS\n") + code + "\n" + plant, model), "") << code;
    axial.push_back(model.options.IncludeAxialForce * 10 + model.options.LiberalAllowable);
    ProgramAnalysisOptions() = ProgramChoiceOf(model.options, ProgramAnalysisOptions());
  }
  EXPECT_EQ(axial, std::vector<int>({0, 10, 0, 11}));
  EXPECT_EQ(ProgramAnalysisOptions().IncludeAxialForce + ProgramAnalysisOptions().LiberalAllowable, 0);
}

}  // namespace
