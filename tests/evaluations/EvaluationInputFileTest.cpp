// The framing the flange, nozzle and lug files share: each kind's write that
// fails gives its own message and leaves no file; the magic is judged up to
// and with its zero byte, but the nozzle's by its kind and version alone; the
// unit choices are taken only when each names a unit of its kind, and a file
// that keeps fewer kinds leaves the others as they were.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "evaluations/EvaluationInputFile.h"
#include "evaluations/FlangeFile.h"
#include "evaluations/LugEvaluationFile.h"
#include "evaluations/NozzleEvaluationFile.h"
#include "services/TempFiles.h"

namespace {

class EvaluationInputFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempFolder() + "/evaluation-input-file";
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
  template <typename Write>
  std::string WriteFailure(Write write) {
    try {
      write(Path("missing-folder/file"));
    } catch (const std::string& text) {
      EXPECT_FALSE(std::filesystem::exists(Path("missing-folder")));
      return text;
    }
    return "written";
  }

  std::string folder_;
};

TEST_F(EvaluationInputFileTest, EachKindsFailedWriteGivesItsOwnMessage) {
  const UnitsSettings units{};
  EXPECT_EQ(WriteFailure([&](const std::string& path) { WriteFlangeFileFrom(path, {}, units); }),
            "Unable to write flange data file");
  EXPECT_EQ(WriteFailure([&](const std::string& path) { WriteNozzleFileFrom(path, {}, units); }),
            "Unable to write data file");
  EXPECT_EQ(WriteFailure([&](const std::string& path) { WriteLugFileFrom(path, {}, units); }),
            "Unable to write lug data file");
}

TEST_F(EvaluationInputFileTest, TheMagicCountsToItsZeroButTheNozzlesByKindAndVersion) {
  WriteFlangeFileFrom(Path("a.flg"), {}, UnitsSettings{});
  std::string flange = Bytes(Path("a.flg"));
  flange[15] = 'X';
  Put(Path("a.flg"), flange);
  FlangeQualificationData data;
  UnitsSettings units{};
  try {
    ReadFlangeFileInto(Path("a.flg"), data, units);
    ADD_FAILURE() << "a flange header without its zero was read";
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Unable to read flange qualification file:\n" + Path("a.flg"));
  }

  NozzleEvaluation nozzle;
  nozzle.R = 12.5f;
  WriteNozzleFileFrom(Path("a.noz"), nozzle, UnitsSettings{});
  std::string bytes = Bytes(Path("a.noz"));
  bytes[14] = 'X';
  bytes[15] = 'Y';
  Put(Path("a.noz"), bytes);
  NozzleEvaluation read;
  ReadNozzleFileInto(Path("a.noz"), read, units);
  EXPECT_EQ(read, nozzle);
}

TEST_F(EvaluationInputFileTest, UnitChoicesAreTakenOnlyForTheKindsTheFileKeeps) {
  const std::uint8_t bytes[] = {static_cast<std::uint8_t>(UnitCount(1) - 1), 0};
  const std::uint8_t pastTheList[] = {0, static_cast<std::uint8_t>(UnitCount(2))};
  const std::int32_t negative[] = {0, -1};
  EXPECT_TRUE(UnitChoicesSound(bytes));
  EXPECT_FALSE(UnitChoicesSound(pastTheList));
  EXPECT_FALSE(UnitChoicesSound(negative));

  UnitsSettings written{};
  for (int kind = 1; kind <= kFlangeFileUnitKinds; ++kind) written.unit[kind] = UnitCount(kind) - 1;
  WriteFlangeFileFrom(Path("units.flg"), {}, written);
  UnitsSettings units{};
  for (int kind = 1; kind <= kUnitKindCount; ++kind) units.unit[kind] = kind % UnitCount(kind);
  const UnitsSettings before = units;
  FlangeQualificationData data;
  ReadFlangeFileInto(Path("units.flg"), data, units);
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    EXPECT_EQ(units.unit[kind], kind <= kFlangeFileUnitKinds ? written.unit[kind] : before.unit[kind]) << kind;
}

}  // namespace
