// The analysis options: start-up values, the model-file fields of old and
// current versions against bytes laid out by hand, piping-code renumbering,
// damaged sections, and the registry subkey "Options".
#include "records/AnalysisOptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "services/BinaryFile.h"
#include "services/Settings.h"
#include "services/Units.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string TempPath(const char* name) { return std::string(std::getenv("TMPDIR")) + "/" + name; }

void Append(Bytes& bytes, std::initializer_list<std::uint8_t> more) { bytes.insert(bytes.end(), more); }

void AppendInt(Bytes& bytes, std::uint32_t value) {
  Append(bytes, {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads fields 1 to 25 of a file of `version` made of `bytes`; returns the
// thrown message, or the empty text.
std::string ReadFrom(const Bytes& bytes, int version, AnalysisOptions& options) {
  const std::string path = TempPath("options.bin");
  WriteBytes(path, bytes);
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) return "not opened";
  try {
    ReadAnalysisOptions(file, version, options);
  } catch (const std::string& message) {
    return message;
  }
  return BinaryFileBytesLeft(file) == 0 ? "" : "bytes left over";
}

// A version 502 section written out field by field: no occasional load
// factor, no B31J flag, no solve-thermal flag and no yield displacement.
Bytes Version502Section(std::uint32_t code) {
  Bytes b;
  AppendInt(b, code);
  AppendInt(b, 1);                  // service level C
  AppendInt(b, 2);                  // design factor 0.60
  AppendInt(b, 1);                  // Z183 L = 0.8
  AppendInt(b, 3);                  // class location 3
  Append(b, {1, 0});                // sour service, liberal
  Append(b, {0});                   // axial force
  Append(b, {0x00, 0x00, 0x8C, 0x42});  // 70.0
  AppendInt(b, 7000);
  AppendInt(b, 2);                  // two thermal loads
  Append(b, {0, 1, 1, 0, 1});       // cold modulus, hangers, Bourdon, pressure correction, stress option
  Append(b, {0x00, 0x00, 0xC0, 0x3F});  // peak pressure factor 1.5
  AppendInt(b, 33);
  AppendInt(b, 20);
  Append(b, {1, 0});                // missing mass, friction
  return b;
}

TEST(AnalysisOptions, StartUpValues) {
  const AnalysisOptions o;
  EXPECT_EQ(o.PipingCode, 3);
  EXPECT_EQ(o.Z184ClassLocation, 1);
  EXPECT_FLOAT_EQ(o.OccasionalLoadFactor, 1.2f);
  EXPECT_FLOAT_EQ(o.ReferenceTemperature, 70.0f);
  EXPECT_EQ(o.ThermalCycles, 7000);
  EXPECT_EQ(o.ThermalLoadCount, 1);
  EXPECT_EQ(o.UseColdModulus, 1);
  EXPECT_EQ(o.IncludeHangerStiffness, 1);
  EXPECT_EQ(o.PressureCorrection, 1);
  EXPECT_FLOAT_EQ(o.YieldDisplacementFactor, 0.04f);
  EXPECT_EQ(o.CutOffFrequency, 33);
  EXPECT_EQ(o.ModeCount, 20);
  EXPECT_EQ(o.IncludeMissingMass, 1);
  EXPECT_EQ(o.ZVertical, 0);
  const OptionsGraphicsSettings g;
  EXPECT_EQ(g.OpenGlResolution, 1);
  EXPECT_EQ(g.OpenGlWhiteBackground, 1);
  EXPECT_EQ(g.RenderingQuality, 1);
  EXPECT_FLOAT_EQ(DesignFactorTable[2], 0.60f);
}

TEST(AnalysisOptions, Version502SectionTakesTheOldDefaults) {
  AnalysisOptions o;
  o.UseB31J = 1;  // kept: the file has no B31J flag
  o.OccasionalLoadFactor = 3.0f;
  ASSERT_EQ(ReadFrom(Version502Section(18), 502, o), "");
  EXPECT_EQ(o.PipingCode, 10);  // 18 -> 9 (502 and older) -> 10 (before 640)
  EXPECT_EQ(o.ServiceLevel, 1);
  EXPECT_EQ(o.DesignFactorIndex, 2);
  EXPECT_EQ(o.Z183LocationFactorIndex, 1);
  EXPECT_EQ(o.Z184ClassLocation, 3);
  EXPECT_EQ(o.Z184SourService, 1);
  EXPECT_EQ(o.LiberalAllowable, 0);
  EXPECT_FLOAT_EQ(o.OccasionalLoadFactor, 1.2f);
  EXPECT_EQ(o.IncludeAxialForce, 0);
  EXPECT_EQ(o.UseB31J, 1);
  EXPECT_FLOAT_EQ(o.ReferenceTemperature, 70.0f);
  EXPECT_EQ(o.ThermalCycles, 7000);
  EXPECT_EQ(o.ThermalLoadCount, 2);
  EXPECT_EQ(o.SolveThermalCase, 1);
  EXPECT_EQ(o.UseColdModulus, 0);
  EXPECT_EQ(o.IncludeHangerStiffness, 1);
  EXPECT_EQ(o.BourdonEffect, 1);
  EXPECT_EQ(o.PressureCorrection, 0);
  EXPECT_EQ(o.PressureStressOption, 1);
  EXPECT_FLOAT_EQ(o.PeakPressureFactor, 1.5f);
  EXPECT_FLOAT_EQ(o.YieldDisplacementFactor, 0.04f);
  EXPECT_EQ(o.CutOffFrequency, 33);
  EXPECT_EQ(o.ModeCount, 20);
  EXPECT_EQ(o.IncludeMissingMass, 1);
  EXPECT_EQ(o.FrictionInDynamics, 0);
}

TEST(AnalysisOptions, PipingCodesOfOlderFilesAreRenumbered) {
  EXPECT_EQ(RenumberStoredPipingCode(18, 500), 10);
  EXPECT_EQ(RenumberStoredPipingCode(9, 502), 12);  // 10, 11 before 640, 12 before 780
  EXPECT_EQ(RenumberStoredPipingCode(11, 700), 12);
  EXPECT_EQ(RenumberStoredPipingCode(6, 502), 6);
  EXPECT_EQ(RenumberStoredPipingCode(7, 600), 8);
  EXPECT_EQ(RenumberStoredPipingCode(10, 600), 12);  // 11 before 640, 12 before 780
  EXPECT_EQ(RenumberStoredPipingCode(11, 780), 11);
  EXPECT_EQ(RenumberStoredPipingCode(21, 900), 21);
}

TEST(AnalysisOptions, CodeRulesForceFlagsAfterReading) {
  Bytes b = Version502Section(6);  // B31.8 in a 502 file stays 6
  AnalysisOptions o;
  ASSERT_EQ(ReadFrom(b, 502, o), "");
  EXPECT_EQ(o.PipingCode, 6);
  EXPECT_EQ(o.LiberalAllowable, 1);
  EXPECT_EQ(o.IncludeAxialForce, 1);
  b = Version502Section(3);
  o = AnalysisOptions{};
  ASSERT_EQ(ReadFrom(b, 502, o), "");
  EXPECT_EQ(o.LiberalAllowable, 0);
  EXPECT_EQ(o.IncludeAxialForce, 1);
}

// The current layout, written out by hand.
Bytes Version900Section() {
  Bytes b;
  AppendInt(b, 21);                     // EN 13480
  AppendInt(b, 0);
  AppendInt(b, 4);                      // design factor 0.40
  AppendInt(b, 0);
  AppendInt(b, 2);
  Append(b, {0, 1});
  Append(b, {0x00, 0x00, 0xC0, 0x3F});  // k = 1.5
  Append(b, {1, 1});                    // axial force, B31J
  Append(b, {0x00, 0x00, 0x16, 0x43});  // 150.0
  AppendInt(b, 0);
  AppendInt(b, 10);
  Append(b, {1, 0, 0, 1, 1, 0});        // solve thermal, cold, hangers, Bourdon, correction, option
  Append(b, {0x00, 0x00, 0x80, 0x3F});  // 1.0
  Append(b, {0x00, 0x00, 0x00, 0x3F});  // 0.5
  AppendInt(b, 50);
  AppendInt(b, 100);
  Append(b, {0, 1});
  return b;
}

TEST(AnalysisOptions, CurrentSectionIsWrittenAndReadByteForByte) {
  AnalysisOptions o;
  o.PipingCode = 21;
  o.DesignFactorIndex = 4;
  o.Z184ClassLocation = 2;
  o.LiberalAllowable = 1;
  o.OccasionalLoadFactor = 1.5f;
  o.IncludeAxialForce = 1;
  o.UseB31J = 1;
  o.ReferenceTemperature = 150.0f;
  o.ThermalCycles = 0;
  o.ThermalLoadCount = 10;
  o.SolveThermalCase = 1;
  o.UseColdModulus = 0;
  o.IncludeHangerStiffness = 0;
  o.BourdonEffect = 1;
  o.PressureCorrection = 1;
  o.PeakPressureFactor = 1.0f;
  o.YieldDisplacementFactor = 0.5f;
  o.CutOffFrequency = 50;
  o.ModeCount = 100;
  o.IncludeMissingMass = 0;
  o.FrictionInDynamics = 1;
  o.ZVertical = 1;
  const std::string path = TempPath("written.bin");
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  WriteAnalysisOptions(file, o);
  WriteAnalysisOptionsVerticalAxis(file, o);
  ASSERT_TRUE(BinaryFileClose(file));
  Bytes expected = Version900Section();
  expected.push_back(1);
  EXPECT_EQ(ReadBytes(path), expected);

  AnalysisOptions back;
  ASSERT_TRUE(BinaryFileOpenRead(file, path));
  ReadAnalysisOptions(file, 900, back);
  ReadAnalysisOptionsVerticalAxis(file, back);
  EXPECT_FALSE(BinaryFileReadFailed(file));
  EXPECT_EQ(back.PipingCode, 21);
  EXPECT_FLOAT_EQ(back.OccasionalLoadFactor, 1.5f);
  EXPECT_EQ(back.UseB31J, 1);
  EXPECT_EQ(back.ThermalLoadCount, 10);
  EXPECT_FLOAT_EQ(back.YieldDisplacementFactor, 0.5f);
  EXPECT_EQ(back.ModeCount, 100);
  EXPECT_EQ(back.ZVertical, 1);
}

TEST(AnalysisOptions, Version660TakesTheOccasionalFactorDefault) {
  // A 660 file has B31J absent and the factor absent; it has the solve-
  // thermal flag and the yield displacement.
  Bytes b = Version900Section();
  b.erase(b.begin() + 22, b.begin() + 26);  // the factor
  b.erase(b.begin() + 23);                  // the B31J flag
  AnalysisOptions o;
  o.OccasionalLoadFactor = 2.5f;  // what the registry held
  ASSERT_EQ(ReadFrom(b, 660, o), "");
  EXPECT_FLOAT_EQ(o.OccasionalLoadFactor, 1.2f);
  EXPECT_EQ(o.UseB31J, 0);
  EXPECT_FLOAT_EQ(o.ReferenceTemperature, 150.0f);
  EXPECT_FLOAT_EQ(o.YieldDisplacementFactor, 0.5f);
}

// The refusal names the field, the value read and the range it must lie in.
TEST(AnalysisOptions, DamagedSectionsAreRefusedAndChangeNothing) {
  struct Case {
    std::size_t offset;
    std::uint8_t value;
    const char* message;
  };
  const Case cases[] = {
      {0, 99, "The file is damaged.\nAnalysis options: piping code 99 out of range 0 to 22, 101 or 201"},
      {8, 5, "The file is damaged.\nAnalysis options: design factor index 5 out of range 0 to 4"},
      {16, 0, "The file is damaged.\nAnalysis options: Z184 class location 0 out of range 1 to 4"},
      {36, 4, "The file is damaged.\nAnalysis options: number of thermal loads 4 out of range 1, 2, 3 or 10"},
      {45, 2, "The file is damaged.\nAnalysis options: pressure stress option 2 out of range 0 to 1"},
      {54, 0, "The file is damaged.\nAnalysis options: cut off frequency 0 out of range 1 to 2147483647"},
  };
  for (const Case& c : cases) {
    Bytes b = Version900Section();
    b[c.offset] = c.value;
    AnalysisOptions o;
    o.ModeCount = 77;
    EXPECT_EQ(ReadFrom(b, 900, o), c.message);
    EXPECT_EQ(o.ModeCount, 77);
    EXPECT_EQ(o.PipingCode, 3);
  }
  Bytes truncated = Version900Section();
  truncated.resize(30);
  AnalysisOptions o;
  EXPECT_EQ(ReadFrom(truncated, 900, o), "The file is damaged.\nAnalysis options: the file ends early");
  EXPECT_EQ(o.PipingCode, 3);
}

class AnalysisOptionsRegistry : public testing::Test {
 protected:
  void SetUp() override {
    RegistryReloadForTests();
    std::filesystem::remove_all(std::filesystem::path(RegistryFilePath()).parent_path());
    RegistryReloadForTests();
    RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Test\\9.00", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &version_,
                   nullptr);
  }
  void TearDown() override { RegCloseKey(version_); }

  Bytes Value(const char* name) {
    HKEY options = RegOpenKeyChecked(version_, "Options");
    Bytes bytes(128);
    const std::size_t size = RegQueryValueChecked(options, name, bytes.data(), bytes.size());
    RegCloseKey(options);
    bytes.resize(size);
    return bytes;
  }

  HKEY version_ = nullptr;
};

TEST_F(AnalysisOptionsRegistry, NoSubkeyLeavesTheStartUpValues) {
  AnalysisOptions o;
  UnitsSettings units;
  OptionsGraphicsSettings graphics;
  ReadAnalysisOptions(version_, o, units, graphics);
  EXPECT_EQ(o.PipingCode, 3);
  EXPECT_FLOAT_EQ(o.OccasionalLoadFactor, 1.2f);
  EXPECT_EQ(graphics.RenderingQuality, 1);
}

TEST_F(AnalysisOptionsRegistry, ValuesRoundTripInTheirOrderAndWidths) {
  AnalysisOptions o;
  o.PipingCode = 201;
  o.OccasionalLoadFactor = 1.75f;  // 0x3FE00000
  o.Z184SourService = 1;
  o.ZVertical = 1;
  o.ReferenceTemperature = 20.0f;  // not a registry value
  UnitsSettings units;
  units.unit[kUnitLength] = kLengthMetre;
  units.unit[kUnitTemperature] = kTemperatureCelsius;
  OptionsGraphicsSettings graphics;
  graphics.OpenGlResolution = 3;
  graphics.RenderingQuality = 2;
  WriteAnalysisOptions(version_, o, units, graphics);
  EXPECT_EQ(Value("Seismic coefficient"), (Bytes{0x00, 0x00, 0xE0, 0x3F}));
  EXPECT_EQ(Value("Piping code"), (Bytes{201, 0, 0, 0}));
  EXPECT_EQ(Value("Z vertical"), Bytes{1});
  EXPECT_EQ(Value("Units").size(), 84u);
  EXPECT_EQ(Value("Units")[4], kLengthMetre);

  std::vector<std::string> names;
  HKEY options = RegOpenKeyChecked(version_, "Options");
  char name[64];
  DWORD size = sizeof name;
  for (DWORD i = 0; RegEnumValue(options, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = sizeof name)
    names.push_back(name);
  RegCloseKey(options);
  const std::vector<std::string> order = {
      "Units", "Piping code", "Service level", "B31.8 design factor index", "Z183 location factor index",
      "Z184 class location", "Z184 sour service", "Seismic Coefficient", "Liberal allowable",
      "Include axial force", "Use B31J", "Solve thermal case", "Use cold modulus", "Include hanger stiffness",
      "Bourdon effect", "Pressure correction", "Pressure stress option", "Include missing mass",
      "Friction in dynamics", "Z vertical", "OpenGL resolution", "OpenGL white background", "Rendering Quality"};
  EXPECT_EQ(names, order);

  AnalysisOptions back;
  UnitsSettings unitsBack;
  OptionsGraphicsSettings graphicsBack;
  RegistryReloadForTests();
  RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Test\\9.00", 0, KEY_ALL_ACCESS, &version_);
  ReadAnalysisOptions(version_, back, unitsBack, graphicsBack);
  EXPECT_EQ(back.PipingCode, 201);
  EXPECT_EQ(back.OccasionalLoadFactor, 1.75f);
  EXPECT_EQ(back.Z184SourService, 1);
  EXPECT_EQ(back.ZVertical, 1);
  EXPECT_FLOAT_EQ(back.ReferenceTemperature, 70.0f);
  EXPECT_EQ(unitsBack.unit[kUnitLength], kLengthMetre);
  EXPECT_EQ(unitsBack.unit[kUnitTemperature], kTemperatureCelsius);
  EXPECT_EQ(graphicsBack.OpenGlResolution, 3);
  EXPECT_EQ(graphicsBack.RenderingQuality, 2);
}

TEST_F(AnalysisOptionsRegistry, OutOfRangeValuesKeepTheField) {
  HKEY options = RegCreateKeyChecked(version_, "Options");
  RegSetInt(options, "Piping code", 23);
  RegSetInt(options, "B31.8 design factor index", 5);
  RegSetInt(options, "Z184 class location", 0);
  RegSetFloat(options, "Seismic coefficient", 0.5f);
  RegSetFlag(options, "Pressure stress option", 2);
  RegSetInt(options, "OpenGL resolution", 4);
  UnitsSettings badUnits;
  badUnits.unit[kUnitLength] = 99;
  RegSetBinaryValue(options, "Units", &badUnits, sizeof badUnits);
  RegSetInt(options, "Service level", 2);  // in range: taken
  RegCloseKey(options);
  AnalysisOptions o;
  UnitsSettings units;
  OptionsGraphicsSettings graphics;
  ReadAnalysisOptions(version_, o, units, graphics);
  EXPECT_EQ(o.PipingCode, 3);
  EXPECT_EQ(o.DesignFactorIndex, 0);
  EXPECT_EQ(o.Z184ClassLocation, 1);
  EXPECT_FLOAT_EQ(o.OccasionalLoadFactor, 1.2f);
  EXPECT_EQ(o.PressureStressOption, 0);
  EXPECT_EQ(graphics.OpenGlResolution, 1);
  EXPECT_EQ(units.unit[kUnitLength], 0);
  EXPECT_EQ(o.ServiceLevel, 2);
}

}  // namespace
