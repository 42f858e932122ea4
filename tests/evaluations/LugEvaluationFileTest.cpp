// The .lug file: 304 bytes with the sets and the moments in the file's own
// order, written and read back byte for byte with the unit choices; another
// kind of file, a header without its zero byte, a missing, short or damaged
// file are refused with their messages and change nothing; a failed write
// gives its message.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "evaluations/LugEvaluationFile.h"
#include "services/TempFiles.h"

namespace {

class LugEvaluationFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempFolder() + "/lug-file";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static float FloatAt(const std::string& bytes, std::size_t offset) {
    float value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
  }
  static LugInputs Sample() {
    LugInputs d;
    d.code = kLugAsmeNd;
    d.level = 2;
    d.lugType = kLugHollowCircular;
    d.weldType = 1;
    d.OD = 10.75f;
    d.Thk = 0.5f;
    d.L1 = 1.5f;
    d.L2 = 1.0f;
    d.od = 4.5f;
    d.thk = 0.25f;
    d.s1 = 1, d.s2 = 2, d.s3 = 3, d.s4 = 4, d.s5 = 5;
    d.fh = 6, d.fa = 7, d.fcr = 8, d.ReHt = 9, d.sh = 10, d.sy = 11, d.sa = 12;
    for (int set = 0; set < kLugLoadSetCount; ++set)
      for (int load = 0; load < kLugLoadCount; ++load)
        d.loads[static_cast<std::size_t>(set)][static_cast<std::size_t>(load)] = static_cast<float>(100 * set + load);
    return d;
  }
  std::string folder_;
};

TEST_F(LugEvaluationFileTest, AFileRoundTripsByteForByteInItsOwnOrder) {
  UnitsSettings units;
  units.unit[kUnitMoment] = 1;
  units.unit[kUnitStress] = 2;
  const std::string path = Path("lug.lug");
  WriteLugFileFrom(path, Sample(), units);
  const std::string bytes = Bytes(path);
  ASSERT_EQ(bytes.size(), 304u);
  EXPECT_EQ(bytes.substr(0, 16), std::string("QUORVELWLUG8100\0", 16));
  EXPECT_EQ(FloatAt(bytes, 28), 10.75f);
  EXPECT_EQ(FloatAt(bytes, 80), 8.0f);   // fcr
  EXPECT_EQ(FloatAt(bytes, 96), 12.0f);  // sa
  // Sustained W, Q1, Q2, then ML, MN, MT; the thermal set second.
  EXPECT_EQ(FloatAt(bytes, 104 + 12), 5.0f);         // sustained ML
  EXPECT_EQ(FloatAt(bytes, 104 + 20), 3.0f);         // sustained MT
  EXPECT_EQ(FloatAt(bytes, 128), 200.0f);            // thermal W
  EXPECT_EQ(FloatAt(bytes, 152), 100.0f);            // occasional W
  EXPECT_EQ(FloatAt(bytes, 200 + 20), 403.0f);       // abs. max. MT
  std::int32_t moment = 0;
  std::memcpy(&moment, bytes.data() + 224 + 4 * (kUnitMoment - 1), 4);
  EXPECT_EQ(moment, 1);
  LugInputs read;
  UnitsSettings readUnits;
  ReadLugFileInto(path, read, readUnits);
  EXPECT_EQ(read, Sample());
  EXPECT_EQ(readUnits.unit[kUnitStress], 2);
  const std::string again = Path("again.lug");
  WriteLugFileFrom(again, read, readUnits);
  EXPECT_EQ(Bytes(again), bytes);
}

TEST_F(LugEvaluationFileTest, RefusedFilesChangeNothing) {
  const std::string path = Path("lug.lug");
  WriteLugFileFrom(path, Sample(), UnitsSettings{});
  const std::string bytes = Bytes(path);
  LugInputs data;
  data.OD = 3.0f;
  UnitsSettings units;
  units.unit[kUnitForce] = 1;
  const LugInputs before = data;
  auto refusal = [&](const std::string& name, const std::string& content) -> std::string {
    if (!content.empty()) std::ofstream(Path(name), std::ios::binary) << content;
    try {
      ReadLugFileInto(Path(name), data, units);
    } catch (const std::string& text) {
      return text;
    }
    return "";
  };
  EXPECT_EQ(refusal("other.lug", "QUORVELWNOZ8100" + bytes.substr(15)),
            "Unable to read lug evaluation file:\n" + Path("other.lug"));
  EXPECT_EQ(refusal("nul.lug", "QUORVELWLUG8100X" + bytes.substr(16)),
            "Unable to read lug evaluation file:\n" + Path("nul.lug"));
  EXPECT_EQ(refusal("short.lug", bytes.substr(0, 250)),
            "There was an error while reading lug evaluation file:\n" + Path("short.lug"));
  std::string type = bytes;
  type[24] = 3;  // no lug type 3
  EXPECT_EQ(refusal("type.lug", type), "There was an error while reading lug evaluation file:\n" + Path("type.lug"));
  std::string unit = bytes;
  unit[224] = 50;
  EXPECT_EQ(refusal("unit.lug", unit), "There was an error while reading lug evaluation file:\n" + Path("unit.lug"));
  EXPECT_EQ(refusal("none.lug", ""), "Lug evaluation file: " + Path("none.lug") + "\nDoes not exist.");
  EXPECT_EQ(data, before);
  EXPECT_EQ(units.unit[kUnitForce], 1);
}

TEST_F(LugEvaluationFileTest, AFailedWriteGivesItsMessage) {
  std::string message = "written";
  try {
    WriteLugFileFrom(Path("missing-folder/x.lug"), Sample(), UnitsSettings{});
  } catch (const std::string& text) {
    message = text;
  }
  EXPECT_EQ(message, "Unable to write lug data file");
  EXPECT_FALSE(std::filesystem::exists(Path("missing-folder")));
}

}  // namespace
