// The .flg file: the defaults written as 137 bytes at their offsets and
// read back with their units, byte for byte again; every refusal (missing
// file, another magic, truncated, type, bolt size or unit choice out of
// range, a number that is not finite) with its message and the data and
// units left as they were; a facing sketch and column of 0 read as 1; a
// write that fails leaves the previous file whole. A header without its
// zero byte is refused; only the five unit kinds the file keeps are taken.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "evaluations/FlangeFile.h"
#include "services/TempFiles.h"

namespace {

const std::string kDamaged = "There was an error while reading flange qualification file:\n";

class FlangeFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempFolder() + "/flange-file";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
  }
  static float FloatAt(const std::string& bytes, std::size_t offset) {
    float value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
  }
  static void SetIntAt(std::string& bytes, std::size_t offset, std::int32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
  }
  // Reading `path` is refused with `message`; data and units stay.
  static void ExpectRefused(const std::string& path, const std::string& message) {
    FlangeQualificationData data;
    data.thickness = 2.5f;
    UnitsSettings units;
    units.unit[2] = 4;
    const FlangeQualificationData before = data;
    try {
      ReadFlangeFileInto(path, data, units);
      ADD_FAILURE() << "read " << path;
    } catch (const std::string& text) {
      EXPECT_EQ(text, message);
    }
    EXPECT_EQ(data, before);
    EXPECT_EQ(units.unit[2], 4);
    EXPECT_EQ(units.unit[1], 0);
  }
  std::string DefaultsFile() {
    const std::string path = Path("defaults.flg");
    WriteFlangeFileFrom(path, FlangeQualificationData{}, UnitsSettings{});
    return path;
  }

  std::string folder_;
};

TEST_F(FlangeFileTest, TheDefaultsAre137BytesAtTheirOffsets) {
  const std::string bytes = Bytes(DefaultsFile());
  ASSERT_EQ(bytes.size(), 137u);
  EXPECT_EQ(std::string(bytes.c_str()), "QUORVELWFLG6700");
  EXPECT_EQ(bytes[15], '\0');
  EXPECT_EQ(IntAt(bytes, 16), 0);           // integral
  EXPECT_EQ(FloatAt(bytes, 20), 39.125f);   // A
  EXPECT_EQ(FloatAt(bytes, 28), 20.0f);     // B'
  EXPECT_EQ(FloatAt(bytes, 56), 27.0e6f);   // E
  EXPECT_EQ(FloatAt(bytes, 64), 37.0f);     // C
  EXPECT_EQ(IntAt(bytes, 68), 36);          // bolts
  EXPECT_EQ(IntAt(bytes, 72), 4);           // the 1 inch bolt
  EXPECT_EQ(FloatAt(bytes, 76), 1.0f);
  EXPECT_EQ(FloatAt(bytes, 96), 3.0f);      // m
  EXPECT_EQ(IntAt(bytes, 104), 1);          // sketch
  EXPECT_EQ(IntAt(bytes, 108), 1);          // column
  EXPECT_EQ(FloatAt(bytes, 112), 414.0f);   // P
  EXPECT_EQ(FloatAt(bytes, 128), 665.0f);   // Pa
  EXPECT_EQ(bytes.substr(132), std::string(5, '\0'));
}

TEST_F(FlangeFileTest, AFileReadsBackWithItsUnitsAndIsWrittenAgainByteForByte) {
  FlangeQualificationData data;
  data.type = kReverseFlange;
  data.reverseInsideDiameter = 30.0f;
  data.boltSize = 6;
  data.boltDiameter = 1.25f;
  data.facingSketch = 4;
  data.facingColumn = 2;
  data.bendingMoment = 240000.0f;
  UnitsSettings units;
  units.unit[1] = 3;  // metre
  units.unit[2] = 1;  // mm
  units.unit[4] = 1;  // rad
  units.unit[5] = 2;  // kg
  units.unit[6] = 2;  // not kept: only the first five kinds
  const std::string path = Path("reverse.flg");
  WriteFlangeFileFrom(path, data, units);
  FlangeQualificationData read;
  UnitsSettings readUnits;
  readUnits.unit[6] = 1;
  ReadFlangeFileInto(path, read, readUnits);
  EXPECT_EQ(read, data);
  for (int kind = 1; kind <= 5; ++kind) EXPECT_EQ(readUnits.unit[kind], units.unit[kind]) << kind;
  EXPECT_EQ(readUnits.unit[6], 1);
  const std::string again = Path("again.flg");
  WriteFlangeFileFrom(again, read, readUnits);
  EXPECT_EQ(Bytes(again), Bytes(path));
}

TEST_F(FlangeFileTest, AMissingFileAnotherKindAndAShortOneAreRefusedAndChangeNothing) {
  ExpectRefused(Path("none.flg"), "Flange Qualification file: " + Path("none.flg") + "\nDoes not exist.");
  std::string other = Bytes(DefaultsFile());
  other.replace(0, 15, "QUORVELWLUG8100");
  Put(Path("other.flg"), other);
  ExpectRefused(Path("other.flg"), "Unable to read flange qualification file:\n" + Path("other.flg"));
  Put(Path("tiny.flg"), "QUORVEL");
  ExpectRefused(Path("tiny.flg"), "Unable to read flange qualification file:\n" + Path("tiny.flg"));
  const std::string whole = Bytes(DefaultsFile());
  for (std::size_t size : {std::size_t{16}, std::size_t{80}, std::size_t{136}}) {
    Put(Path("short.flg"), whole.substr(0, size));
    ExpectRefused(Path("short.flg"), kDamaged + Path("short.flg"));
  }
}

TEST_F(FlangeFileTest, ValuesOutOfRangeAreRefused) {
  const std::string whole = Bytes(DefaultsFile());
  std::string bytes = whole;
  SetIntAt(bytes, 16, 5);  // type
  Put(Path("type.flg"), bytes);
  ExpectRefused(Path("type.flg"), kDamaged + Path("type.flg"));
  bytes = whole;
  SetIntAt(bytes, 72, 17);  // bolt size
  Put(Path("bolt.flg"), bytes);
  ExpectRefused(Path("bolt.flg"), kDamaged + Path("bolt.flg"));
  bytes = whole;
  SetIntAt(bytes, 72, -1);
  Put(Path("bolt.flg"), bytes);
  ExpectRefused(Path("bolt.flg"), kDamaged + Path("bolt.flg"));
  bytes = whole;
  bytes[133] = static_cast<char>(UnitCount(kUnitDimension));  // a Dimension unit past the list
  Put(Path("unit.flg"), bytes);
  ExpectRefused(Path("unit.flg"), kDamaged + Path("unit.flg"));
  bytes = whole;
  const float infinite = INFINITY;
  std::memcpy(bytes.data() + 32, &infinite, 4);  // t
  Put(Path("inf.flg"), bytes);
  ExpectRefused(Path("inf.flg"), kDamaged + Path("inf.flg"));
}

TEST_F(FlangeFileTest, AFacingOfZeroReadsAsOneAndTheBoltDiameterFollowsItsRow) {
  std::string bytes = Bytes(DefaultsFile());
  SetIntAt(bytes, 104, 0);
  SetIntAt(bytes, 108, 0);
  SetIntAt(bytes, 72, 6);
  Put(Path("zero.flg"), bytes);
  FlangeQualificationData data;
  UnitsSettings units;
  ReadFlangeFileInto(Path("zero.flg"), data, units);
  EXPECT_EQ(data.facingSketch, 1);
  EXPECT_EQ(data.facingColumn, 1);
  EXPECT_EQ(data.boltSize, 6);
  EXPECT_EQ(data.boltDiameter, 1.25f);
}

TEST_F(FlangeFileTest, AWriteThatFailsLeavesThePreviousFileWhole) {
  const std::string path = DefaultsFile();
  const std::string before = Bytes(path);
  try {
    WriteFlangeFileFrom(Path("missing-folder/x.flg"), FlangeQualificationData{}, UnitsSettings{});
    ADD_FAILURE() << "written";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Unable to write flange data file");
  }
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  FlangeQualificationData changed;
  changed.thickness = 3.0f;
  bool refused = false;
  try {
    WriteFlangeFileFrom(path, changed, UnitsSettings{});
  } catch (const std::string& text) {
    refused = text == "Unable to write flange data file";
  }
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
  // Root may write anyway; then the new file is whole instead.
  if (refused) EXPECT_EQ(Bytes(path), before);
  else EXPECT_EQ(Bytes(path).size(), 137u);
}

TEST_F(FlangeFileTest, AHeaderWithoutItsZeroIsRefusedAndOnlyTheFiveUnitKindsKeptAreTaken) {
  std::string bytes = Bytes(DefaultsFile());
  bytes[15] = 'X';
  Put(Path("nul.flg"), bytes);
  ExpectRefused(Path("nul.flg"), "Unable to read flange qualification file:\n" + Path("nul.flg"));

  UnitsSettings written{};
  for (int kind = 1; kind <= kFlangeFileUnitKinds; ++kind) written.unit[kind] = UnitCount(kind) - 1;
  WriteFlangeFileFrom(Path("units.flg"), FlangeQualificationData{}, written);
  UnitsSettings units{};
  for (int kind = 1; kind <= kUnitKindCount; ++kind) units.unit[kind] = kind % UnitCount(kind);
  const UnitsSettings before = units;
  FlangeQualificationData data;
  ReadFlangeFileInto(Path("units.flg"), data, units);
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    EXPECT_EQ(units.unit[kind], kind <= kFlangeFileUnitKinds ? written.unit[kind] : before.unit[kind]) << kind;
}

}  // namespace
