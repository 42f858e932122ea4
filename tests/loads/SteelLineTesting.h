// The fixture of the tests that type a steel line in the Layout window and
// run its load-case commands: material 1 steel, section 1 the 4.5 in pipe
// of AnalysisTesting.h, pipe load L1 at 400 F and 300 psi with water (its
// design values left), the model's folder made for saving and removed
// after; the Data cells typed, a plain anchored line, and the save and
// results questions of Analyze answered.
#pragma once

#include <filesystem>
#include <string>

#include "analysis/AnalysisTesting.h"
#include "model/LayoutTesting.h"
#include "services/TempFiles.h"

class SteelLineFixture : public LayoutFixture {
 protected:
  // `folder`: the model's folder, under the temporary folder.
  explicit SteelLineFixture(const std::string& folder) : folder_(TempFolder() + "/" + folder) {}
  void SetUp() override {
    LayoutFixture::SetUp();
    std::filesystem::create_directories(folder_);
    Model& model = TheModel();
    analysis_testing::GiveSteelValues(model.materials[1], analysis_testing::kDensity);
    model.sections[1].outsideDiameter = static_cast<float>(analysis_testing::kOd);
    model.sections[1].thickness = static_cast<float>(analysis_testing::kWall);
    PipeLoad& load = model.pipeLoads[1];
    load.operating[0] = {400.0f, 300.0f};
    load.specificGravity = 1.0f;
  }
  void TearDown() override {
    LayoutFixture::TearDown();
    std::filesystem::remove_all(folder_);
  }
  // A command of the Layout window's menus.
  void Command(int id) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  // The Data cell of a row.
  void TypeData(int rowNumber, const std::string& text) {
    TableGoTo(table(), rowNumber);
    table().currentColumn = 9;
    Type(text);
    Key(VK_RETURN);
  }
  // From 10 (anchor), 2 m along X, 2 m along Z (anchor), named for saving.
  void TypeLine() {
    TypeRow({"10", "F"});
    TypeRow({"", "", "2000", "", "", "A106", "S4", "L1"});
    TypeRow({"", "", "", "", "2000"});
    TypeData(2, "A");
    TypeData(4, "A");
    TheModel().path = Path("line.mod");
  }
  static void AnswerSaveQuestionYes() {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDYES, 0); });
  }
  // Analyze's question at the end of its run, answered with `answer`.
  static void AnswerResultsQuestion(WPARAM answer) {
    platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [answer](HWND dialog) {
      platform::RunUntilIdle();
      EXPECT_EQ(TextOf(GetDlgItem(dialog, 1508)), "Do you want to see the results ?");
      SendMessage(dialog, WM_COMMAND, answer, 0);
    });
  }

  std::string folder_;
};
