// The one check before a model made from a file is shown: whatever a
// reader lets through meets it on the road. An import whose model holds a
// value no cell stores, or breaks a rule every edit keeps, is refused with
// its reason and leaves the open model and the folder as they were; a model
// that changes when saved and read again (a shape factor of 0, which every
// reader takes as 0.6) is refused with the byte that differs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/BatchImport.h"
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "files/SampleModel.h"
#include "model/Model.h"
#include "platform/TestSupport.h"
#include "records/TimeFunction.h"
#include "services/AppTesting.h"
#include "services/Frame.h"
#include "services/TempFiles.h"

namespace {

class ModelIntakeTest : public AppFixture {
 protected:
  // The model the stub reader of the import makes: the sample, changed by
  // `change`.
  static inline void (*change)(Model&) = nullptr;
  static void Reader(std::istream&, Model& model, std::vector<std::string>&) {
    BuildSampleModel(model);
    change(model);
  }
  static void ExpectRefusal(const std::vector<std::string>& lines) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE" + std::to_string(lines.size()) + "_DIALOG",
                          [lines](HWND dialog) {
                            EXPECT_EQ(LinesOfDialog(dialog), lines);
                            SendMessage(dialog, WM_COMMAND, IDOK, 0);
                          });
  }
};

TEST_F(ModelIntakeTest, AnImportsModelMeetsTheRulesTheValueRuleAndSave) {
  const std::string folder = TempFolder() + "/intake";
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/plant.pnf";
  std::ofstream(path) << "TITLE plant\n";
  TheModel().title = "Before";
  const struct {
    void (*change)(Model&);
    std::vector<std::string> lines;
  } cases[] = {
      {[](Model& model) { model.timeFunctions.insert(model.timeFunctions.begin(), TimeFunction{"F1", {{1.0f, 2.0e38f}}}); },
       {"Time function F1, point 1: the value 2E+38 is out of range (a value is zero, or from 1E-37 up to 1E38)",
        "The model was not imported."}},
      {[](Model& model) { model.row(3).dx = 0.0f; },
       {"This element has zero length", "The model was not imported."}},
  };
  for (const auto& c : cases) {
    change = c.change;
    ExpectRefusal(c.lines);
    EXPECT_FALSE(ImportBatchFile(MainFrame().window, path, Reader));
    platform::CheckModalScript();
    EXPECT_EQ(TheModel().title, "Before");
    EXPECT_FALSE(std::filesystem::exists(folder + "/plant.mod"));
  }
  // A shape factor of 0 is written as it is and read as 0.6: the model
  // would change once saved and opened.
  Model model;
  BuildSampleModel(model);
  model.wind.loads[0].shapeFactor = 0.0f;
  const std::string refusal = ModelIntakeRefusal(model, IntakeRoad::kModelFile);
  EXPECT_EQ(refusal.rfind("The model changes when it is saved and read again (byte ", 0), 0u) << refusal;
  EXPECT_EQ(refusal.substr(refusal.size() - 26), "\nThe model was not opened.");
  model.wind.loads[0].shapeFactor = 0.6f;
  EXPECT_EQ(ModelIntakeRefusal(model, IntakeRoad::kModelFile), "");
}

}  // namespace
