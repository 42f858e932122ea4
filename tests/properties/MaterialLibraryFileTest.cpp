// The material library files: a library written and read back byte for
// byte, the header laid out as the format says, the version rules (4-byte
// names below 680, codes above 10 renumbered below 681), every refusal of a
// file that is not a sound library with the library left as it was; and
// the old libraries of both layouts read with their code, units and FRP
// flag, their counts, rows, versions and unit choices checked.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryOld.h"
#include "properties/MaterialLibraryTesting.h"
#include "services/Units.h"

using namespace section_test;
using namespace matlib_test;

namespace {

const LibraryUnits kUnits{2, 1, 3, 1, 4};  // kg/m3, C, kg/mm2, mm/mm/C, kg/cm2

std::string ReadFailure(const std::string& path, MaterialLibrary& library) {
  try {
    ReadMaterialLibraryFile(path, library);
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

std::string OldFailure(const ByteVector& bytes, MaterialLibrary& library) {
  const std::string path = SectionTestPath("old.mdb");
  WriteByteFile(path, bytes);
  try {
    ReadOldMaterialLibraryFile(path, library);
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

// A library the tests can tell from any other: one material, code 3.
MaterialLibrary Sentinel() {
  MaterialLibrary library;
  AppendMaterial(library.materials, Steel("Kept library"));
  library.pipingCode = 3;
  library.units = {1, 0, 0, 0, 0};
  return library;
}

void ExpectSentinel(const MaterialLibrary& library) {
  ASSERT_EQ(library.materials.count, 1);
  EXPECT_EQ(library.materials[1].description, "Kept library");
  EXPECT_EQ(library.pipingCode, 3);
  EXPECT_EQ(library.units[0], 1);
}

TEST(MaterialLibraryFileTest, TwelveMaterialsAreWrittenAndReadBackBitForBit) {
  const ModelRecordTable<Material> materials = LibraryMaterials(12);
  const std::string first = SectionTestPath("first.mat"), second = SectionTestPath("second.mat");
  WriteMaterialLibraryFile(first, materials, 201, kUnits);
  const ByteVector bytes = ReadByteFile(first);

  // The header and the fixed block as the format lays them out, then the
  // records as the model file holds them.
  ByteEmitter expected;
  expected.Text("QUORVELWMAT6900", 16).Int(201);
  for (std::int32_t unit : kUnits) expected.Int(unit);
  expected.Int(12);
  for (int i = 1; i <= 12; ++i) {
    const Material& m = materials[i];
    expected.Text("", 6).Text(m.type, 3).Byte(m.isFrp).Text(m.description, 32);
    expected.Float(m.nu).Float(m.density).Float(m.jointFactor).Float(m.circJointFactor).Float(m.strength);
    expected.Int(m.numtemps);
    for (int row = 1; row <= m.numtemps; ++row)
      for (float value : m.temps[static_cast<std::size_t>(row)].values) expected.Float(value);
  }
  EXPECT_EQ(bytes, expected.bytes);

  MaterialLibrary read;
  EXPECT_EQ(ReadFailure(first, read), "");
  ASSERT_EQ(read.materials.count, 12);
  EXPECT_EQ(read.pipingCode, 201);
  EXPECT_EQ(read.units, kUnits);
  for (int i = 1; i <= 12; ++i) {
    const Material &a = materials[i], &b = read.materials[i];
    EXPECT_TRUE(b.name.empty());
    EXPECT_EQ(b.description, a.description);
    EXPECT_EQ(b.type, a.type);
    EXPECT_EQ(b.isFrp, a.isFrp);
    EXPECT_EQ(b.numtemps, a.numtemps);
    for (int row = 1; row <= a.numtemps; ++row)
      EXPECT_EQ(b.temps[static_cast<std::size_t>(row)].values, a.temps[static_cast<std::size_t>(row)].values);
  }
  WriteMaterialLibraryFile(second, read.materials, read.pipingCode, read.units);
  EXPECT_EQ(ReadByteFile(second), bytes);
  // No temporary is left beside the file.
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(first).parent_path()))
    EXPECT_EQ(entry.path().string().find("quorvel-part"), std::string::npos) << entry.path();
}

TEST(MaterialLibraryFileTest, OlderVersionsRenumberCodesAndNarrowNames) {
  // Version 680: code 12 was today's 13; the names are 6 bytes.
  ByteEmitter v680;
  v680.Text("QUORVELWMAT6800", 16).Int(12);
  for (int i = 0; i < 5; ++i) v680.Int(0);
  v680.Int(1).Text("AB", 6).Text("CS", 3).Byte(0).Text("Old steel", 32);
  v680.Float(0.3f);
  for (int i = 0; i < 4; ++i) v680.Float(1.0f);
  v680.Int(1);
  for (int i = 0; i < 8; ++i) v680.Float(static_cast<float>(i + 1));
  WriteByteFile(SectionTestPath("v680.mat"), v680.bytes);
  MaterialLibrary library;
  EXPECT_EQ(ReadFailure(SectionTestPath("v680.mat"), library), "");
  EXPECT_EQ(library.pipingCode, 13);
  EXPECT_EQ(library.materials[1].name, "AB");
  EXPECT_EQ(library.materials[1].temps[1].values[7], 8.0f);

  // Version 690 keeps code 12.
  WriteMaterialLibraryFile(SectionTestPath("v690.mat"), library.materials, 12, LibraryUnits{});
  EXPECT_EQ(ReadFailure(SectionTestPath("v690.mat"), library), "");
  EXPECT_EQ(library.pipingCode, 12);

  // Version 679: 4-byte names, and everything after them 2 bytes earlier.
  ByteEmitter v679;
  v679.Text("QUORVELWMAT6790", 16).Int(4);
  for (int i = 0; i < 5; ++i) v679.Int(0);
  v679.Int(1).Text("ABCD", 4).Text("SS", 3).Byte(0).Text("Stainless", 32);
  v679.Float(0.3f);
  for (int i = 0; i < 4; ++i) v679.Float(0.5f);
  v679.Int(0);
  WriteByteFile(SectionTestPath("v679.mat"), v679.bytes);
  EXPECT_EQ(ReadFailure(SectionTestPath("v679.mat"), library), "");
  EXPECT_EQ(library.pipingCode, 4);
  EXPECT_EQ(library.materials[1].name, "ABCD");
  EXPECT_EQ(library.materials[1].type, "SS");
  EXPECT_EQ(library.materials[1].description, "Stainless");
}

TEST(MaterialLibraryFileTest, ADamagedOrForeignFileIsRefusedAndTheLibraryKept) {
  const std::string good = SectionTestPath("good.mat");
  WriteMaterialLibraryFile(good, LibraryMaterials(2), 3, kUnits);
  const ByteVector bytes = ReadByteFile(good);
  const std::string path = SectionTestPath("bad.mat");
  const std::string damaged = "There was an error while reading material library:\n" + path;
  auto refused = [&](const ByteVector& file, const std::string& message, const char* what) {
    WriteByteFile(path, file);
    MaterialLibrary library = Sentinel();
    EXPECT_EQ(ReadFailure(path, library), message) << what;
    ExpectSentinel(library);
  };
  auto patched = [&](std::size_t offset, std::int32_t value) {
    ByteVector copy = bytes;
    std::memcpy(copy.data() + offset, &value, 4);
    return copy;
  };

  MaterialLibrary library = Sentinel();
  EXPECT_EQ(ReadFailure(SectionTestPath("absent.mat"), library),
            "Material Library: " + SectionTestPath("absent.mat") + "\nDoes not exist.");
  ExpectSentinel(library);
  ByteVector foreign = bytes;
  std::memcpy(foreign.data(), "QUORVELWSPE", 11);
  refused(foreign, "Unable to read material library:\n" + path, "another library's magic");
  refused(ByteVector(bytes.begin(), bytes.begin() + 10), "Unable to read material library:\n" + path, "short header");
  ByteVector newer = bytes;
  std::memcpy(newer.data() + 11, "910", 3);
  refused(newer, "Unable to read material library:\n" + path, "a version this program does not know");
  refused(patched(16, 23), damaged, "no such piping code");
  refused(patched(20, 4), damaged, "a density unit beyond its list");
  refused(patched(36, -1), damaged, "a negative stress unit");
  refused(patched(40, 3), damaged, "more materials than the file holds");
  refused(patched(40, -1), damaged, "a negative count");
  refused(patched(44 + 62, 41), damaged, "41 temperature rows");
  ByteVector nan = bytes;
  const float notANumber = std::numeric_limits<float>::quiet_NaN();
  std::memcpy(nan.data() + 44 + 66 + 4, &notANumber, 4);
  refused(nan, damaged, "a value that is not a number");
  ByteVector unterminated = bytes;
  std::memset(unterminated.data() + 44 + 10, 'x', 32);
  refused(unterminated, damaged, "a description without its terminator");
  // A value its cell refuses, named by material and field.
  ByteVector cold = bytes;
  const float density = -460.0f;
  std::memcpy(cold.data() + 44 + 46, &density, 4);
  refused(cold, damaged + "\nMaterial 1: the density -460 is invalid (below 0)", "a negative density");
  auto withFloat = [&](std::size_t offset, float value) {
    ByteVector copy = bytes;
    std::memcpy(copy.data() + offset, &value, 4);
    return copy;
  };
  const std::string range = " is out of range (a value is zero, or from 1E-37 up to 1E38)";
  refused(withFloat(44 + 46, 2e38f), damaged + "\nMaterial 1: the density 2E+38" + range, "a density no cell takes");
  refused(withFloat(44 + 46, 1e-40f), damaged + "\nMaterial 1: the density 1E-40" + range, "a density below 1E-37");
  refused(withFloat(44 + 70, 0.0f),
          damaged + "\nMaterial 1, temperature row 1: the elastic modulus 0 is invalid (not above 2E-36)",
          "a row without its modulus");
  // A stored joint factor of 0 is one not given (1.0): the library reads.
  WriteByteFile(path, withFloat(44 + 50, 0.0f));
  EXPECT_EQ(ReadFailure(path, library), "");
  EXPECT_EQ(library.materials[1].jointFactor, 0.0f);
  // An old file whose codes above 10 are one lower, holding the largest
  // 32-bit value: no code, refused rather than renumbered past it.
  ByteVector largest = patched(16, std::numeric_limits<std::int32_t>::max());
  std::memcpy(largest.data() + 11, "680", 3);
  refused(largest, damaged, "an old file's code beyond every code");
  // Every file cut short of its end.
  for (std::size_t length = 16; length < bytes.size(); length += 7)
    refused(ByteVector(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)), damaged, "cut short");
}

TEST(MaterialLibraryFileTest, AnUnwritableFileIsReportedAndTheOldOneKept) {
  const std::string path = SectionTestPath("kept.mat");
  WriteMaterialLibraryFile(path, LibraryMaterials(1), 0, LibraryUnits{});
  const ByteVector before = ReadByteFile(path);
  ModelRecordTable<Material> unwritable = LibraryMaterials(1);
  unwritable[1].type = "TOOLONG";  // does not fit its field
  try {
    WriteMaterialLibraryFile(path, unwritable, 0, LibraryUnits{});
    ADD_FAILURE() << "a record that does not fit was written";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Unable to write mat file");
  }
  EXPECT_EQ(ReadByteFile(path), before);
  try {
    WriteMaterialLibraryFile(SectionTestPath("no/such/folder/x.mat"), LibraryMaterials(1), 0, LibraryUnits{});
    ADD_FAILURE() << "written into a folder that does not exist";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Unable to write mat file");
  }
}

TEST(MaterialLibraryOldFileTest, LayoutAOfVersion350IsReadWithItsCodeAndUnits) {
  MaterialLibrary library;
  const ByteVector bytes = LayoutA(350, 6, {OldSteel(), OldFibreglass()});
  EXPECT_EQ(OldFailure(bytes, library), "");
  EXPECT_EQ(OldMaterialLibraryVersion(SectionTestPath("old.mdb")), 350);
  EXPECT_EQ(library.pipingCode, 6);
  EXPECT_EQ(library.units, (LibraryUnits{OldUnitChoice(kUnitDensity), OldUnitChoice(kUnitTemperature),
                                         OldUnitChoice(kUnitModulus), OldUnitChoice(kUnitThermalExpansion),
                                         OldUnitChoice(kUnitStress)}));
  ASSERT_EQ(library.materials.count, 2);
  const Material& steel = library.materials[1];
  EXPECT_EQ(steel.name, "A1");
  EXPECT_EQ(steel.type, "CS");
  EXPECT_EQ(steel.isFrp, 0);
  EXPECT_EQ(steel.description, "Carbon steel A53 B seamless");
  EXPECT_FLOAT_EQ(steel.jointFactor, 0.85f);
  EXPECT_FLOAT_EQ(steel.strength, 35000.0f);
  ASSERT_EQ(steel.numtemps, 2);
  EXPECT_EQ(steel.temps[2].values, (std::array<float, 8>{300.0f, 2.83e7f, 6.77e-6f, 20000.0f, 31700.0f, 0, 0, 0}));
  const Material& frp = library.materials[2];
  EXPECT_EQ(frp.type, "FR");
  EXPECT_EQ(frp.isFrp, 1);
  EXPECT_EQ(frp.temps[1].values[kMatHoopModulus], 0.0f);
  EXPECT_EQ(frp.temps[1].values[kMatShearModulus], 0.0f);
}

TEST(MaterialLibraryOldFileTest, LayoutBOfVersion400NarrowsItsRealsAndSetsFrp) {
  MaterialLibrary library;
  OldMaterial longName = OldSteel();
  longName.description = std::string(32, 'D');  // the first 31 are kept
  EXPECT_EQ(OldFailure(LayoutB(400, 201, {longName, OldFibreglass()}), library), "");
  EXPECT_EQ(library.pipingCode, 201);
  EXPECT_EQ(library.units[0], OldUnitChoice(kUnitDensity));
  EXPECT_EQ(library.units[2], OldUnitChoice(kUnitModulus));
  ASSERT_EQ(library.materials.count, 2);
  EXPECT_EQ(library.materials[1].description, std::string(31, 'D'));
  EXPECT_EQ(library.materials[1].temps[1].values[kMatAlpha], static_cast<float>(6.07e-6));
  EXPECT_EQ(library.materials[1].density, static_cast<float>(0.283));
  const Material& frp = library.materials[2];
  EXPECT_EQ(frp.type, "FR");
  EXPECT_EQ(frp.isFrp, 1);
  EXPECT_FLOAT_EQ(frp.nu, 0.55f);
  ASSERT_EQ(frp.numtemps, 1);
  EXPECT_EQ(frp.temps[1].values, (std::array<float, 8>{70.0f, 1.6e6f, 1.0e-5f, 9000.0f, 4500.0f, 8000.0f, 0, 0}));
}

TEST(MaterialLibraryOldFileTest, VersionsCountsRowsAndUnitsOutsideTheirBoundsAreRefused) {
  const std::string unreadable = "Material library could not be read";
  auto refused = [&](const ByteVector& bytes, const std::string& message, const char* what) {
    MaterialLibrary library = Sentinel();
    EXPECT_EQ(OldFailure(bytes, library), message) << what;
    ExpectSentinel(library);
  };
  refused(LayoutB(411, 1, {OldSteel()}), unreadable, "version 411");
  refused(LayoutA(299, 1, {OldSteel()}), unreadable, "version 299");
  refused(LayoutB(400, 1, {}), "There are no materials in the library", "no materials");
  refused(LayoutA(381, 1, {}), "There are no materials in the library", "no materials in layout A");
  refused(LayoutB(400, 23, {OldSteel()}), unreadable, "no such piping code");
  OldMaterial many = OldSteel();
  many.rows.assign(41, {70.0, 2.9e7, 6e-6, 1.0, 1.0, 1.0});
  refused(LayoutB(400, 1, {many}), unreadable, "41 rows");
  ByteVector header = LayoutA(350, 1, {OldSteel()});
  header[0] = 'X';
  refused(header, unreadable, "not an old library");
  ByteVector count = LayoutB(400, 1, {OldSteel()});
  count[16] = 2;  // two materials, one in the file
  refused(count, unreadable, "more materials than the file holds");
  ByteVector unit = LayoutB(400, 1, {OldSteel()});
  unit[20 + 4 * (kUnitTemperature - 1)] = 2;  // only F and C
  refused(unit, unreadable, "a temperature unit beyond its list");
  ByteVector unitA = LayoutA(350, 1, {OldSteel()});
  unitA[18 + 2 * (kUnitStress - 1)] = 9;
  refused(unitA, unreadable, "a stress unit beyond its list");
  OldMaterial infinite = OldSteel();
  infinite.rows[0][1] = 1.0e300;  // no single-precision value
  refused(LayoutB(400, 1, {infinite}), unreadable, "a value beyond single precision");
  const ByteVector whole = LayoutB(400, 1, {OldSteel(), OldFibreglass()});
  for (std::size_t length = 0; length < whole.size(); length += 11)
    refused(ByteVector(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)), unreadable, "cut short");
}

}  // namespace
