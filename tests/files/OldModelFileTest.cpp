// Old-format model files: the written versions 400 and 401 of one model
// holding every old kind converted open into a model whose file equals, byte
// for byte, that of the same model built directly; the code, class, row
// count, title and kind edge cases; every refusal's message; every
// truncation and every flipped byte refused or read without a fault (the
// sanitizer build checks the memory); and File > Open asking first, then the
// first save keeping the old file and saying where it went.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "OldModelWriter.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "files/OldModelFile.h"
#include "model/Model.h"
#include "model/ModelWindows.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "shell/AppTesting.h"
#include "shell/Application.h"
#include "shell/Frame.h"
#include "shell/MainWindow.h"
#include "shell/TempFiles.h"
#include "supports/Restraint.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string Folder() {
  const std::string folder = TempFolder() + "/oldmodels";
  std::filesystem::create_directories(folder);
  return folder;
}

std::string SavedBytes(const Model& model, const std::string& name) {
  const std::string path = Folder() + "/" + name;
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  return Bytes(path);
}

// The message of a refused file ("" when it was converted).
std::string Refusal(const std::string& bytes, Model* converted = nullptr) {
  const std::string path = Folder() + "/case.mod";
  PutBytes(path, bytes);
  Model model;
  try {
    ReadModelFileInto(path, model);
  } catch (const std::string& message) {
    return message;
  }
  if (converted != nullptr) *converted = std::move(model);
  return {};
}

Model Converted(const OldModelChoices& choices) {
  Model model;
  const std::string message = Refusal(OldModelFileBytes(choices), &model);
  EXPECT_EQ(message, "");
  return model;
}

class OldVersion4 : public testing::TestWithParam<int> {};

TEST_P(OldVersion4, OpensIntoTheModelBuiltDirectlyByteForByte) {
  OldModelChoices choices;
  choices.version = GetParam();
  const Model model = Converted(choices);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(model.unmadeReason, "");
  Model direct;
  BuildConvertedModel(choices, 10, direct);
  const std::string expected = SavedBytes(direct, "direct.mod");
  const std::string actual = SavedBytes(model, "converted.mod");
  EXPECT_EQ(actual.size(), expected.size());
  EXPECT_TRUE(actual == expected);
  // The conversions a byte comparison could hide behind the same default.
  EXPECT_EQ(model.title, "Old plant \xE9");
  EXPECT_EQ(model.options.PipingCode, 10);
  EXPECT_EQ(model.soils.count, choices.version > 400 ? 1 : 0);
  EXPECT_EQ(model.sections[1].soil, choices.version > 400 ? "S1" : "");
  EXPECT_FLOAT_EQ(model.materials[2].temps[1].values[6], 400.0f);
  EXPECT_FLOAT_EQ(model.materials[2].temps[1].values[4], 0.0f);
  EXPECT_FLOAT_EQ(model.materials[1].temps[1].values[4], 6.1e-6f);
  EXPECT_EQ(model.row(3).node, 10);
  EXPECT_EQ(model.row(16).node, 0);  // the row of an empty element
  EXPECT_EQ(model.row(16).dataType, DataType::None);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldVersion4, testing::Values(400, 401));

class OldVersion3 : public testing::TestWithParam<int> {};

TEST_P(OldVersion3, OpensIntoTheModelBuiltDirectlyByteForByte) {
  OldModelChoices choices;
  choices.version = GetParam();
  // Ids above 4 moved up by one in 3.72: 17 was then what 18 is now.
  choices.pipingCode = choices.version < 372 ? 17 : 18;
  const Model model = Converted(choices);
  EXPECT_EQ(model.unmadeReason, "");
  Model direct;
  BuildConvertedModel(choices, 10, direct);
  EXPECT_TRUE(SavedBytes(model, "converted.mod") == SavedBytes(direct, "direct.mod"));
  EXPECT_EQ(model.options.ServiceLevel, choices.version < 371 ? 0 : 1);
  EXPECT_EQ(model.options.IncludeMissingMass, choices.version < 372 ? 0 : 1);
  EXPECT_EQ(model.spectrumLoad.name[2], "Z spectrum");
  EXPECT_FLOAT_EQ(model.pumps[1].centre[2], choices.version < 373 ? 0.0f : 30.0f);
  EXPECT_FLOAT_EQ(model.beamSections[1].depth, 8.0f);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldVersion3, testing::Values(370, 371, 372, 373, 374, 375));

TEST(OldModelFile, OlderLayoutCodeFactorAndRefusals) {
  OldModelChoices choices;
  choices.version = 371;
  choices.pipingCode = 18;  // 19 in 3.72 terms: the new 20
  choices.codeFactor = 4;   // 5 once moved up
  Model model = Converted(choices);
  EXPECT_EQ(model.options.PipingCode, 20);
  EXPECT_EQ(model.options.Z184ClassLocation, 2);
  EXPECT_EQ(model.options.Z184SourService, 1);
  choices.version = 372;
  model = Converted(choices);
  EXPECT_EQ(model.options.PipingCode, 10);
  choices.extraRows = 1;
  choices.lastDataCode = 18;  // no time varying loads in this layout
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type 18 in allocate data ***");
  choices = OldModelChoices{};
  choices.version = 374;
  choices.temperatureRows = 41;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "This model has invalid data");
  choices.temperatureRows = 2;
  const std::string whole = OldModelFileBytes(choices);
  const std::string path = Folder() + "/case.mod";
  for (std::size_t length = 16; length < whole.size(); length += 3)
    ASSERT_EQ(Refusal(whole.substr(0, length)), "Unable to read model file:\n" + path) << length;
}

TEST(OldModelFile, PipingCodesTakeTheCurrentNumbering) {
  const std::pair<int, int> cases[] = {{18, 10}, {9, 11}, {17, 19}, {19, 20}, {6, 6}, {0, 0}, {7, 8}, {8, 9}};
  for (auto [old, current] : cases) {
    OldModelChoices choices;
    choices.pipingCode = old;
    EXPECT_EQ(Converted(choices).options.PipingCode, current) << old;
  }
}

TEST(OldModelFile, CodeFactorIndexBecomesTheCodesOwnSetting) {
  OldModelChoices choices;
  choices.pipingCode = 19;  // the new 20
  choices.codeFactor = 5;
  Model model = Converted(choices);
  EXPECT_EQ(model.options.Z184ClassLocation, 2);
  EXPECT_EQ(model.options.Z184SourService, 1);
  choices.codeFactor = 2;
  model = Converted(choices);
  EXPECT_EQ(model.options.Z184ClassLocation, 3);
  EXPECT_EQ(model.options.Z184SourService, 0);
  choices.pipingCode = 6;
  choices.codeFactor = 4;
  EXPECT_EQ(Converted(choices).options.DesignFactorIndex, 4);
  choices.codeFactor = 5;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)).rfind("Unable to read model file", 0), 0u);
  choices.pipingCode = 17;  // the new 19
  choices.codeFactor = 1;
  EXPECT_EQ(Converted(choices).options.Z183LocationFactorIndex, 1);
  choices.codeFactor = 2;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)).rfind("Unable to read model file", 0), 0u);
}

TEST(OldModelFile, FifteenHundredRowsAreTakenAndOneMoreIsRefused) {
  OldModelChoices choices;
  choices.extraRows = 1500 - 28;
  const Model model = Converted(choices);
  EXPECT_EQ(model.rowCount, 1500 + 2);
  EXPECT_EQ(model.row(model.rowCount).node, 1000 + choices.extraRows);
  choices.extraRows += 1;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "Number of rows exceed maximum");
}

TEST(OldModelFile, AnEmptySecondTitleGivesNoSecondCommentRow) {
  OldModelChoices choices;
  EXPECT_EQ(Converted(choices).row(3).node, 10);
  choices.secondTitle.clear();
  const Model model = Converted(choices);
  EXPECT_EQ(model.row(1).elementType, ElementType::Comment);
  EXPECT_EQ(model.row(2).node, 10);
  EXPECT_EQ(model.row(2).elementType, ElementType::From);
  Model direct;
  BuildConvertedModel(choices, 10, direct);
  EXPECT_TRUE(SavedBytes(model, "a.mod") == SavedBytes(direct, "b.mod"));
}

TEST(OldModelFile, EveryRefusalSaysWhy) {
  OldModelChoices choices;
  choices.extraRows = 1;
  choices.lastElementCode = 18;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type 18 in Element::allocate ***");
  choices.lastElementCode = -1;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type -1 in Element::allocate ***");
  choices.lastElementCode = 3;
  choices.lastDataCode = 20;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type 20 in allocate data ***");
  choices = OldModelChoices{};
  choices.temperatureRows = 41;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "This model has invalid data");
  choices.temperatureRows = -1;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "This model has invalid data");
  choices.temperatureRows = 40;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "");
  std::string old = OldModelFileBytes(OldModelChoices{});
  old[14] = static_cast<char>(369 & 0xFF);
  old[15] = static_cast<char>(369 >> 8);
  EXPECT_EQ(Refusal(old), "Unable to read Quorvel V 3.69 mod file");
}

TEST(OldModelFile, EveryTruncationIsRefusedAndNoFlippedByteFaults) {
  const std::string whole = OldModelFileBytes(OldModelChoices{});
  const std::string path = Folder() + "/case.mod";
  for (std::size_t length = 16; length < whole.size(); ++length)
    ASSERT_EQ(Refusal(whole.substr(0, length)), "Unable to read model file:\n" + path) << length;
  int refused = 0;
  for (std::size_t at = 16; at < whole.size(); ++at) {
    std::string flipped = whole;
    flipped[at] = static_cast<char>(flipped[at] ^ 0xFF);
    Model model;
    if (!Refusal(flipped, &model).empty()) {
      ++refused;
    } else {
      EXPECT_EQ(model.unmadeReason, "");
      EXPECT_LE(model.rowCount, 1502);
    }
  }
  EXPECT_GT(refused, 0);
}

class OldModelOpenTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    std::filesystem::remove_all(Folder());
    path_ = Folder() + "/pipe.mod";
    old_ = OldModelFileBytes(OldModelChoices{});
    PutBytes(path_, old_);
    // Not a first run: no sample model opens.
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()).put('\n');
    InitApplication("");
    platform::RunUntilIdle();
  }
  void TearDown() override {
    CloseModel();
    AppFixture::TearDown();
  }
  // The question's Yes is its OK button, No its Cancel.
  void OpenThroughTheMenu(int answer) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [this](HWND dialog) {
      SetDlgItemText(dialog, edt1, path_.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [this, answer](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{path_, " Model data is in Version 4.01 format.",
                                                                 "Do you want to convert to 9 format ?"}));
      SendMessage(dialog, WM_COMMAND, answer, 0);
    });
    SendMessage(MainFrame().window, WM_COMMAND, 102, 0);
    platform::CheckModalScript();
  }
  std::string path_;
  std::string old_;
};

TEST_F(OldModelOpenTest, NoLeavesTheOpenModelYesConvertsAndTheFirstSaveKeepsTheOldFile) {
  const std::string before = SavedBytes(TheModel(), "before.mod");
  OpenThroughTheMenu(IDCANCEL);
  EXPECT_NE(TheModel().path, path_);
  EXPECT_TRUE(SavedBytes(TheModel(), "after.mod") == before);
  EXPECT_TRUE(Bytes(path_) == old_);

  OpenThroughTheMenu(IDOK);
  ASSERT_EQ(TheModel().path, path_);
  Model direct;
  BuildConvertedModel(OldModelChoices{}, 10, direct);
  EXPECT_TRUE(SavedBytes(TheModel(), "converted.mod") == SavedBytes(direct, "direct.mod"));
  EXPECT_TRUE(Bytes(path_) == old_);  // opening alone writes nothing

  const std::string backup = Folder() + "/pipe.401";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [backup](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Model was converted to Version 9 format.",
                                                               "Original model was saved as:", backup}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::CheckModalScript();
  EXPECT_TRUE(Bytes(backup) == old_);
  EXPECT_EQ(Bytes(path_).substr(0, 14), "QUORVELWMOD900");
  EXPECT_TRUE(Bytes(path_) == SavedBytes(TheModel(), "open.mod"));

  // Later saves neither copy nor report again.
  std::filesystem::remove(backup);
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::CheckModalScript();
  EXPECT_FALSE(std::filesystem::exists(backup));
}

TEST_F(OldModelOpenTest, AnOldFileThatCannotBeKeptIsNotOverwritten) {
  OpenThroughTheMenu(IDOK);
  ASSERT_EQ(TheModel().path, path_);
  // A folder where the copy must go: the copy fails.
  std::filesystem::create_directories(Folder() + "/pipe.401/inside");
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE4_DIALOG", [this](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Model file: " + path_,
                                                               "The original model could not be copied to",
                                                               Folder() + "/pipe.401", "The model was not saved."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::CheckModalScript();
  EXPECT_TRUE(Bytes(path_) == old_);
}

}  // namespace
