// The material library's batch text: a library written and read back gives
// the same materials (descriptions upper-cased), in English units bit for
// bit and in SI to the float; the options line's code and units; every line
// error with its line number, its line and its field, the units as they
// were after it; the 32-character description cut with a warning; and the
// refusal of a description holding a comma.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

#include "properties/MaterialLibraryBatch.h"
#include "properties/MaterialLibraryTesting.h"
#include "services/Units.h"

using namespace matlib_test;

namespace {

class MaterialLibraryBatchTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = g_UnitsSettings; }
  void TearDown() override { g_UnitsSettings = saved_; }

  static MaterialBatchRead Read(const std::string& text, std::int32_t code = 0) {
    std::istringstream input(text);
    return ReadMaterialBatchText(input, code);
  }
  static std::string Failure(const std::string& text) {
    try {
      Read(text);
    } catch (const std::string& message) {
      return message;
    }
    return {};
  }
  static std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
  }
  static void ExpectSameMaterials(const ModelRecordTable<Material>& written, const ModelRecordTable<Material>& read,
                                  float tolerance) {
    ASSERT_EQ(read.count, written.count);
    for (int i = 1; i <= written.count; ++i) {
      const Material &a = written[i], &b = read[i];
      EXPECT_EQ(b.description, Upper(a.description));
      EXPECT_EQ(b.type, a.type);
      EXPECT_EQ(b.isFrp, a.isFrp);
      ASSERT_EQ(b.numtemps, a.numtemps) << a.description;
      for (float pair : {a.nu - b.nu, a.jointFactor - b.jointFactor, a.circJointFactor - b.circJointFactor})
        EXPECT_EQ(pair, 0.0f) << a.description;
      EXPECT_NEAR(b.density, a.density, tolerance * a.density) << a.description;
      EXPECT_NEAR(b.strength, a.strength, tolerance * a.strength) << a.description;
      for (int row = 1; row <= a.numtemps; ++row)
        for (int column = 0; column < 8; ++column) {
          const float x = a.temps[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(column)];
          const float y = b.temps[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(column)];
          if (tolerance == 0.0f)
            EXPECT_EQ(y, x) << a.description << " row " << row << " column " << column;
          else
            EXPECT_NEAR(y, x, tolerance * std::fabs(x)) << a.description << " row " << row << " column " << column;
        }
    }
  }

 private:
  UnitsSettings saved_;
};

TEST_F(MaterialLibraryBatchTest, ALibraryWrittenAndReadBackGivesTheSameMaterials) {
  ModelRecordTable<Material> materials = LibraryMaterials(6);
  materials[2].description = "Low temp. steel (LTCS) A333-6";
  ApplyMaterialBatchUnits(false);
  const std::string text = MaterialBatchText(materials, 11, false);
  EXPECT_EQ(text.substr(0, 41), "OPTIONS\nASME-2015\nMATERIAL\nSteel grade 1,");
  // Nu and the joint factors in their columns when that loses nothing.
  EXPECT_NE(text.find(",     0.292,      0.85,      1.00,CS,35000.5\n"), std::string::npos) << text;
  const MaterialBatchRead read = Read(text);
  EXPECT_EQ(read.pipingCode, 11);
  EXPECT_TRUE(read.warnings.empty());
  ExpectSameMaterials(materials, read.materials, 0.0f);

  // Display rounding would have lost these; the text keeps them.
  ModelRecordTable<Material> fine;
  Material m = Steel("Fine values");
  m.temps[1].values[kMatModulus] = 2.9451e7f;
  m.temps[2].values[kMatAlpha] = 6.0789e-6f;
  m.density = 0.28349f;
  AppendMaterial(fine, m);
  ExpectSameMaterials(fine, Read(MaterialBatchText(fine, 0, false)).materials, 0.0f);
}

TEST_F(MaterialLibraryBatchTest, SiUnitsAreWrittenStatedAndReadBack) {
  const ModelRecordTable<Material> materials = LibraryMaterials(4);
  ApplyMaterialBatchUnits(true);
  EXPECT_EQ(ChosenUnit(kUnitDensity), 2);
  EXPECT_EQ(ChosenUnit(kUnitStress), 1);
  const std::string text = MaterialBatchText(materials, 3, true);
  EXPECT_EQ(text.substr(0, 17), "OPTIONS\nB313,SI\nM");
  // Read in English units: the file's "SI" switches them for its values.
  ApplyMaterialBatchUnits(false);
  const MaterialBatchRead read = Read(text);
  EXPECT_EQ(read.pipingCode, 3);
  EXPECT_EQ(read.units.unit[kUnitDensity], 2);
  EXPECT_EQ(read.units.unit[kUnitTemperature], 1);
  EXPECT_EQ(read.units.unit[kUnitModulus], 1);
  EXPECT_EQ(read.units.unit[kUnitThermalExpansion], 1);
  EXPECT_EQ(read.units.unit[kUnitStress], 1);
  EXPECT_EQ(ChosenUnit(kUnitTemperature), 0) << "the reader leaves the program's units as they were";
  ExpectSameMaterials(materials, read.materials, 2.0e-6f);
}

TEST_F(MaterialLibraryBatchTest, EachLineErrorNamesItsLineAndLeavesTheUnits) {
  ApplyMaterialBatchUnits(false);
  const std::string navy = "OPTIONS\nNAVY,SI\nMATERIAL\nSTEEL,0.283\nSTEEL,70,29E6\n";
  EXPECT_EQ(Failure(navy), "Line = 2 :  NAVY,SI\nNAVY code is presently not available");
  const std::string si = "OPTIONS\nSI\nMATERIAL\nSteel,abc\n";
  EXPECT_EQ(Failure(si), "Line = 4 :  Steel,abc\nInvalid density :  ABC");
  EXPECT_EQ(ChosenUnit(kUnitDensity), 0) << "the units the file met are undone";

  const std::string head = "OPTIONS\nB311\nMATERIAL\n";
  struct Case {
    std::string lines, message;
  };
  const Case cases[] = {
      {"Steel,-1\n", "Line = 4 :  Steel,-1\nInvalid density :  -1"},
      {"Steel,,0.5\n", "Line = 4 :  Steel,,0.5\nInvalid Poisson's ratio :  0.5"},
      {"Steel,,-0.1\n", "Line = 4 :  Steel,,-0.1\nInvalid Poisson's ratio :  -0.1"},
      {"Steel,,,0\n", "Line = 4 :  Steel,,,0\nInvalid joint factor :  0"},
      {"Steel,,,,1.01\n", "Line = 4 :  Steel,,,,1.01\nInvalid circ joint factor :  1.01"},
      {"Steel,,,,,CS,x\n", "Line = 4 :  Steel,,,,,CS,x\nInvalid tensile strength :  X"},
      {"\n", "Line = 4 :  \nMaterial desc is required"},
      {std::string(33, 'A') + "\n", "Line = 4 :  " + std::string(33, 'A') +
                                         "\nMaterial name should be <= 32 characters :  " + std::string(33, 'A')},
      {"Steel\nSteel\n", "Line = 5 :  Steel\nTemperature is required"},
      {"Steel\nSteel,hot\n", "Line = 5 :  Steel,hot\nInvalid temperature :  HOT"},
      {"Steel\nSteel,70\n", "Line = 5 :  Steel,70\nElastic modulus is required"},
      {"Steel\nSteel,70,0\n", "Line = 5 :  Steel,70,0\nInvalid elastic modulus :  0"},
      {"Steel\nSteel,70,2E7,q\n", "Line = 5 :  Steel,70,2E7,q\nInvalid alpha :  Q"},
      {"Steel\nSteel,70,2E7,,-5\n", "Line = 5 :  Steel,70,2E7,,-5\nInvalid allowable stress :  -5"},
      {"Steel\nSteel,70,2E7,,,y\n", "Line = 5 :  Steel,70,2E7,,,y\nInvalid yield stress :  Y"},
      {"Steel\nSteel,70,2E7,,,,r\n", "Line = 5 :  Steel,70,2E7,,,,r\nInvalid rupture stress :  R"},
      {"Steel\nSteel,70,2E7,,,,,h\n", "Line = 5 :  Steel,70,2E7,,,,,h\nInvalid hoop modulus :  H"},
      {"Steel\nSteel,70,2E7,,,,,,s\n", "Line = 5 :  Steel,70,2E7,,,,,,s\nInvalid shear modulus :  S"},
      {"Steel\nSteel,70,2E7\nSteel,70,2E7\n", "Line = 6 :  Steel,70,2E7\nTemperatures are not in ascending order"},
      {"Steel\nSteel,70,2E7\n\n", "Line = 6 :  \nMaterial desc is required"},
  };
  for (const Case& c : cases) EXPECT_EQ(Failure(head + c.lines), c.message) << c.lines;

  std::string rows = head + "Steel\n";
  for (int t = 1; t <= 41; ++t) rows += "Steel," + std::to_string(t * 10) + ",2E7\n";
  EXPECT_EQ(Failure(rows), "Line = 45 :  Steel,410,2E7\nMaximum 40 temperature dependent properties are allowed");
}

TEST_F(MaterialLibraryBatchTest, LinesAreReadAsTheGrammarSays) {
  ApplyMaterialBatchUnits(false);
  const std::string description32 = "Carbon steel pipe to A106 grade B";  // 33
  const std::string cut = description32.substr(0, 32);
  const std::string text =
      "* Any comment before the options\r\n"
      "options\r\n"
      "b313 si words to ignore\r\n"
      "material\r\n"
      "  Steel ,0.283,,,,cs,35000\r"
      "  Steel ,70,29.5E6,6.07E-6,20000\n"
      "Steel\n"  // without the trailing blank: another material
      + cut + ",0.3,0.25,0.9,0.8,XX\n" + cut + ",70,2E7\n" +
      "Titanium,,,,,TI\n"
      "COD\n"
      "after the end,1\n";
  const MaterialBatchRead read = Read(text);
  EXPECT_EQ(read.pipingCode, 3);
  EXPECT_EQ(read.units.unit[kUnitTemperature], 1);
  ASSERT_EQ(read.materials.count, 4);
  const Material& steel = read.materials[1];
  EXPECT_EQ(steel.description, "STEEL ");
  EXPECT_EQ(steel.type, "CS");
  EXPECT_FLOAT_EQ(steel.nu, 0.3f);
  EXPECT_EQ(steel.jointFactor, 1.0f);
  EXPECT_EQ(steel.circJointFactor, 1.0f);
  ASSERT_EQ(steel.numtemps, 1);
  // SI: 70 C, 29.5E6 MPa.
  EXPECT_NEAR(steel.temps[1].values[kMatTemperature], 158.0f, 1e-3f);
  EXPECT_NEAR(steel.temps[1].values[kMatModulus], 29.5e6f / 0.00689476f, 1e6f);
  EXPECT_EQ(read.materials[2].description, "STEEL");
  EXPECT_EQ(read.materials[2].numtemps, 0);
  const Material& longName = read.materials[3];
  EXPECT_EQ(longName.description, "CARBON STEEL PIPE TO A106 GRADE");
  EXPECT_EQ(longName.type, "");  // not a type code
  EXPECT_EQ(longName.numtemps, 1) << "its rows name it as it was written";
  ASSERT_EQ(read.warnings.size(), 1u);
  EXPECT_EQ(read.warnings[0].rfind("Line 8: material description cut to 31 characters", 0), 0u) << read.warnings[0];
  EXPECT_EQ(read.materials[4].type, "TI");
}

TEST_F(MaterialLibraryBatchTest, ADescriptionHoldingACommaIsFound) {
  ModelRecordTable<Material> materials = LibraryMaterials(3);
  EXPECT_EQ(FindMaterialDescriptionWithComma(materials), 0);
  materials[2].description = "Steel, killed";
  EXPECT_EQ(FindMaterialDescriptionWithComma(materials), 2);
}

TEST_F(MaterialLibraryBatchTest, CodeKeywordsReadBackToTheirCodes) {
  for (std::int32_t code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 101, 201, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}) {
    const std::string keyword = MaterialBatchCodeKeyword(code);
    ASSERT_FALSE(keyword.empty()) << code;
    EXPECT_EQ(Read("OPTIONS\n" + keyword + "\nMATERIAL\n", 99).pipingCode, code) << keyword;
  }
  EXPECT_STREQ(MaterialBatchCodeKeyword(0), "None");
  EXPECT_EQ(Read("OPTIONS\nNOSUCHCODE\n", 7).pipingCode, 7);
}

}  // namespace
