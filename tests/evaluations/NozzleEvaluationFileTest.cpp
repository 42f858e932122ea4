// The .noz file: 217 bytes at their offsets, written and read back byte for
// byte with the unit choices; an older file (version 720, 145 bytes) reads
// as EN 13445-3 and leaves the WRC inputs as they were; versions 811 and
// 710, another kind of file, a missing, truncated or damaged one are
// refused with their messages and change nothing; only the kind and the
// version of the header count. A failed write gives its message.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "evaluations/NozzleEvaluationFile.h"
#include "services/TempFiles.h"

namespace {

class NozzleEvaluationFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempFolder() + "/nozzle-file";
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
  static float FloatAt(const std::string& bytes, std::size_t offset) {
    float value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
  }
  static std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
  }
  static NozzleEvaluation Sample() {
    NozzleEvaluation d;
    d.analysis = kNozzleWrc537;
    d.spherical = false;
    d.R = 40.0f;
    d.e = 0.5f;
    d.de = 12.5f;
    d.eb = 0.2f;
    d.d = 12.0f;
    d.e2 = 0.25f;
    d.d2 = 20.0f;
    d.ec = 0.75f;
    d.f = 20000.0f;
    d.fb = 17000.0f;
    d.f2 = 15000.0f;
    d.c = 0.0625f;
    d.loadCase = kNozzleSustainedOccasional;
    d.P = 1000.0f;
    d.V1 = -200.0f;
    d.V2 = 300.0f;
    d.M1 = 4000.0f;
    d.M2 = -5000.0f;
    d.MT = 600.0f;
    d.T = 0.5f;
    d.Rm = 20.0f;
    d.rm = 3.75f;
    d.ro = 4.0f;
    d.r = 0.25f;
    d.Pm = 5000.0f;
    d.Pb = 2000.0f;
    d.All = 30000.0f;
    d.Kn = 1.5f;
    d.Kb = 1.25f;
    return d;
  }
  static std::string Refusal(const std::string& path, NozzleEvaluation& data, UnitsSettings& units) {
    try {
      ReadNozzleFileInto(path, data, units);
    } catch (const std::string& text) {
      return text;
    }
    return "";
  }

  std::string folder_;
};

TEST_F(NozzleEvaluationFileTest, AFileRoundTripsByteForByteWithItsUnits) {
  UnitsSettings units;
  units.unit[kUnitDimension] = 1;
  units.unit[kUnitStress] = 2;
  units.unit[kUnitVelocity] = 1;
  const std::string path = Path("vessel.noz");
  WriteNozzleFileFrom(path, Sample(), units);
  const std::string bytes = Bytes(path);
  ASSERT_EQ(bytes.size(), 217u);
  EXPECT_EQ(bytes.substr(0, 16), std::string("QUORVELWNOZ8100\0", 16));
  EXPECT_EQ(IntAt(bytes, 16), 1);
  EXPECT_EQ(bytes[20], 0);  // cylindrical
  EXPECT_EQ(FloatAt(bytes, 21), 40.0f);
  EXPECT_EQ(FloatAt(bytes, 33), 0.2f);
  EXPECT_EQ(FloatAt(bytes, 65), 0.0625f);
  EXPECT_EQ(IntAt(bytes, 69), 1);
  EXPECT_EQ(FloatAt(bytes, 73), 1000.0f);
  EXPECT_EQ(FloatAt(bytes, 97), 0.5f);    // T
  EXPECT_EQ(FloatAt(bytes, 105), 3.75f);  // rm
  EXPECT_EQ(FloatAt(bytes, 109), 4.0f);   // ro
  EXPECT_EQ(FloatAt(bytes, 133), 1.25f);  // Kb
  EXPECT_EQ(IntAt(bytes, 137 + 4 * (kUnitDimension - 1)), 1);
  EXPECT_EQ(IntAt(bytes, 137 + 4 * (kUnitVelocity - 1)), 1);
  NozzleEvaluation read;
  UnitsSettings readUnits;
  ReadNozzleFileInto(path, read, readUnits);
  EXPECT_EQ(read, Sample());
  for (int kind = 1; kind <= kUnitKindCount; ++kind) EXPECT_EQ(readUnits.unit[kind], units.unit[kind]) << kind;
  const std::string again = Path("again.noz");
  WriteNozzleFileFrom(again, read, readUnits);
  EXPECT_EQ(Bytes(again), bytes);
}

TEST_F(NozzleEvaluationFileTest, AnOlderFileReadsAsEn13445AndKeepsTheWrcInputs) {
  const std::string full = Path("full.noz");
  NozzleEvaluation written = Sample();
  written.analysis = kNozzleEn13445;
  WriteNozzleFileFrom(full, written, UnitsSettings{});
  const std::string bytes = Bytes(full);
  // Version 720: no analysis kind, no WRC block.
  std::string old = "QUORVELWNOZ7200" + std::string(1, '\0') + bytes.substr(20, 1 + 48) + bytes.substr(137);
  ASSERT_EQ(old.size(), 145u);
  const std::string path = Path("old.noz");
  Put(path, old);
  NozzleEvaluation read;
  read.analysis = kNozzleWrc537;
  read.loadCase = kNozzleSustained;
  read.P = 77.0f;
  UnitsSettings units;
  ReadNozzleFileInto(path, read, units);
  EXPECT_EQ(read.analysis, kNozzleEn13445);
  EXPECT_FALSE(read.spherical);
  EXPECT_EQ(read.R, 40.0f);
  EXPECT_EQ(read.c, 0.0625f);
  EXPECT_EQ(read.loadCase, kNozzleSustained);  // kept
  EXPECT_EQ(read.P, 77.0f);
}

TEST_F(NozzleEvaluationFileTest, RefusedFilesChangeNothing) {
  const std::string path = Path("vessel.noz");
  WriteNozzleFileFrom(path, Sample(), UnitsSettings{});
  const std::string bytes = Bytes(path);
  NozzleEvaluation data;
  data.R = 9.0f;
  UnitsSettings units;
  units.unit[kUnitForce] = 1;
  const NozzleEvaluation before = data;
  auto refused = [&](const std::string& name, const std::string& content) {
    Put(Path(name), content);
    return Refusal(Path(name), data, units);
  };
  EXPECT_EQ(refused("new.noz", "QUORVELWNOZ8110" + bytes.substr(15)),
            "Unable to read nozzle data:\n" + Path("new.noz") + "\nVersion = 8.11");
  EXPECT_EQ(refused("older.noz", "QUORVELWNOZ7100" + bytes.substr(15)),
            "Unable to read nozzle data:\n" + Path("older.noz") + "\nVersion = 7.10");
  EXPECT_EQ(refused("other.noz", "QUORVELWLUG8100" + bytes.substr(15)),
            "Unable to read nozzle data file:\n" + Path("other.noz"));
  EXPECT_EQ(refused("short.noz", bytes.substr(0, 200)),
            "There was an error while reading nozzle evaluation file:\n" + Path("short.noz"));
  std::string unit = bytes;
  unit[137] = 99;  // a length unit out of range
  EXPECT_EQ(refused("unit.noz", unit),
            "There was an error while reading nozzle evaluation file:\n" + Path("unit.noz"));
  std::string shell = bytes;
  shell[20] = 5;
  EXPECT_EQ(refused("shell.noz", shell),
            "There was an error while reading nozzle evaluation file:\n" + Path("shell.noz"));
  EXPECT_EQ(Refusal(Path("none.noz"), data, units),
            "Nozzle Evaluation file: " + Path("none.noz") + "\nDoes not exist.");
  EXPECT_EQ(data, before);
  EXPECT_EQ(units.unit[kUnitForce], 1);
}

TEST_F(NozzleEvaluationFileTest, TheHeaderCountsByKindAndVersionAloneAndAFailedWriteGivesItsMessage) {
  const std::string path = Path("vessel.noz");
  WriteNozzleFileFrom(path, Sample(), UnitsSettings{});
  std::string bytes = Bytes(path);
  bytes[14] = 'X';
  bytes[15] = 'Y';
  Put(path, bytes);
  NozzleEvaluation read;
  UnitsSettings units{};
  EXPECT_EQ(Refusal(path, read, units), "");
  EXPECT_EQ(read, Sample());

  bytes = Bytes(path);
  const std::int32_t negative = -1;
  std::memcpy(bytes.data() + 141, &negative, sizeof negative);  // the Dimension unit
  Put(Path("unit.noz"), bytes);
  EXPECT_EQ(Refusal(Path("unit.noz"), read, units),
            "There was an error while reading nozzle evaluation file:\n" + Path("unit.noz"));

  try {
    WriteNozzleFileFrom(Path("missing-folder/x.noz"), Sample(), UnitsSettings{});
    ADD_FAILURE() << "written";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Unable to write data file");
  }
  EXPECT_FALSE(std::filesystem::exists(Path("missing-folder")));
}

}  // namespace
