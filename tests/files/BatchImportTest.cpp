// Whole batch files: one model written in English units, in inches, in SI
// units and in SI with inches and radians gives the same internal values;
// an imported model written as a model file reads back identically; the
// sample steam line of examples/ gives the plant it describes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "BatchTesting.h"
#include "elements/Bend.h"
#include "files/ModelFile.h"
#include "model/AnalysisElements.h"
#include "model/RowObjects.h"
#include "shell/TempFiles.h"
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

void ExpectClose(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, 3e-5 * std::fabs(expected) + 1e-6) << what;
}

// Every value the plant sets, compared within the rounding of the hand
// conversions.
void ExpectSamePlant(const Model& m, const Model& e, const std::string& set) {
  ASSERT_EQ(m.rowCount, e.rowCount) << set;
  ExpectClose(m.materials[1].density, e.materials[1].density, set + " density");
  ASSERT_EQ(m.materials[1].numtemps, 2) << set;
  for (int row = 1; row <= 2; ++row)
    for (int column : {kMatTemperature, kMatModulus, kMatAlpha, kMatAllowable})
      ExpectClose(m.materials[1].temps[row].values[column], e.materials[1].temps[row].values[column],
                  set + " material row " + std::to_string(row) + " column " + std::to_string(column));
  const PipeSection& s = m.sections[1];
  const PipeSection& es = e.sections[1];
  for (auto [value, expected] : {std::pair{s.outsideDiameter, es.outsideDiameter},
                                 {s.thickness, es.thickness},
                                 {s.corrosionAllowance, es.corrosionAllowance},
                                 {s.insulationDensity, es.insulationDensity},
                                 {s.insulationThickness, es.insulationThickness}})
    ExpectClose(value, expected, set + " section");
  const PipeLoad& l = m.pipeLoads[1];
  ExpectClose(l.operating[0].temperature, e.pipeLoads[1].operating[0].temperature, set + " T1");
  ExpectClose(l.operating[0].pressure, e.pipeLoads[1].operating[0].pressure, set + " P1");
  ExpectClose(l.additionalWeight, e.pipeLoads[1].additionalWeight, set + " additional weight");
  for (int row = 1; row <= m.rowCount; ++row) {
    ExpectClose(m.row(row).dx, e.row(row).dx, set + " dx " + std::to_string(row));
    ExpectClose(m.row(row).dy, e.row(row).dy, set + " dy " + std::to_string(row));
    ExpectClose(m.row(row).dz, e.row(row).dz, set + " dz " + std::to_string(row));
  }
  const auto& bend = dynamic_cast<const Bend&>(*m.row(4).element);
  const auto& expectedBend = dynamic_cast<const Bend&>(*e.row(4).element);
  ExpectClose(bend.radius, expectedBend.radius, set + " bend radius");
  ExpectClose(bend.thickness, expectedBend.thickness, set + " bend thickness");
  ExpectClose(bend.angle1, expectedBend.angle1, set + " bend angle");
  const auto& anchor = dynamic_cast<const Anchor&>(*m.row(6).item);
  const auto& expectedAnchor = dynamic_cast<const Anchor&>(*e.row(6).item);
  for (int i = 1; i <= 6; ++i)
    ExpectClose(anchor.displacements.sets->values[i], expectedAnchor.displacements.sets->values[i],
                set + " displacement " + std::to_string(i));
  for (std::size_t i = 0; i < 6; ++i)
    ExpectClose(anchor.stiffness[i], expectedAnchor.stiffness[i], set + " stiffness " + std::to_string(i));
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
  for (const auto& [text, name] :
       {std::pair{kInches, "inches"}, {kSi, "SI"}, {kSiInchesRadians, "SI with inches and radians"}}) {
    Model other;
    ASSERT_EQ(Import(text, other), "") << name;
    ExpectSamePlant(other, english, name);
  }
}

TEST_F(BatchImportTest, AnImportedModelWrittenAsAModelFileReadsBackIdentically) {
  std::ifstream input(std::string(QUORVEL_SOURCE_DIR) + "/examples/TurbineSteamLine.mbf", std::ios::binary);
  ASSERT_TRUE(input);
  Model imported;
  std::vector<std::string> log;
  ReadModelBatchFile(input, imported, log);
  const std::string first = TempFolder() + "/imported.mod";
  const std::string second = TempFolder() + "/read-back.mod";
  ASSERT_EQ(WriteModelFileFrom(imported, first), "");
  Model back;
  ReadModelFileInto(first, back);
  ASSERT_EQ(WriteModelFileFrom(back, second), "");
  const std::string bytes = Bytes(first);
  EXPECT_GT(bytes.size(), 1000u);
  EXPECT_EQ(Bytes(second), bytes);
  EXPECT_EQ(back.rowCount, imported.rowCount);
  EXPECT_EQ(back.title, imported.title);
  EXPECT_EQ(back.unitChoices, imported.unitChoices);
  EXPECT_EQ(back.loadCases.count, imported.loadCases.count);
}

TEST_F(BatchImportTest, TheSampleSteamLineIsThePlantItDescribes) {
  std::ifstream input(std::string(QUORVEL_SOURCE_DIR) + "/examples/TurbineSteamLine.mbf", std::ios::binary);
  ASSERT_TRUE(input);
  Model model;
  std::vector<std::string> log;
  ReadModelBatchFile(input, model, log);
  EXPECT_TRUE(log.empty()) << log.front();
  EXPECT_EQ(model.title, "6\" steam line SL-101, header to turbine T-1");
  EXPECT_EQ(model.options.PipingCode, 1);
  ASSERT_EQ(model.materials.count, 1);
  EXPECT_EQ(model.materials[1].numtemps, 10);
  EXPECT_EQ(model.sections[1].name, "S6");
  const PipeLoad& steam = model.pipeLoads[1];
  EXPECT_FLOAT_EQ(steam.operating[0].temperature, 600.0f);
  EXPECT_FLOAT_EQ(steam.designPressure, 300.0f);
  // Load cases of a B31.1 model: empty weight, sustained, operating, expansion.
  EXPECT_EQ(model.loadCases.count, 4);

  int bends = 0, anchors = 0, restraints = 0, comments = 0;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    bends += r.elementType == ElementType::Bend;
    comments += r.elementType == ElementType::Comment;
    anchors += r.dataType == DataType::Anchor;
    restraints += r.dataType == DataType::Restraint;
  }
  EXPECT_EQ(bends, 3);
  EXPECT_EQ(anchors, 2);
  EXPECT_EQ(restraints, 5);
  EXPECT_EQ(comments, 4);  // the title and three notes

  // 30 ft along X, 24 ft along -Z, 10 ft down, 10 ft along X: the turbine nozzle,
  // which rises 0.12 in when hot.
  const int nozzle = FindNodeIndex(model.nodes, 110);
  ASSERT_NE(nozzle, 0);
  EXPECT_FLOAT_EQ(model.nodes[nozzle].x, 480.0f);
  EXPECT_FLOAT_EQ(model.nodes[nozzle].y, -120.0f);
  EXPECT_FLOAT_EQ(model.nodes[nozzle].z, -288.0f);
  const auto& anchor = dynamic_cast<const Anchor&>(*model.row(model.rowCount).item);
  EXPECT_FLOAT_EQ(anchor.displacements.sets->values[2], 0.12f);

  // Every element finds its material, section and load.
  AnalysisElementList elements;
  EXPECT_NO_THROW(GenerateAnalysisElements(model, elements));
  EXPECT_GE(elements.count, 10);
}

}  // namespace
