// The one check before a model made from a file is shown: an import whose
// model holds a value no cell stores is refused with its reason, the open
// model and the folder as they were; a model that changes when saved and
// read again (a shape factor of 0, which every reader takes as 0.6) is
// refused with the byte that differs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/BatchImport.h"
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
  // The import's reader: the sample with a time function value no cell stores.
  static void Reader(std::istream&, Model& model, std::vector<std::string>&) {
    BuildSampleModel(model);
    model.timeFunctions.insert(model.timeFunctions.begin(), TimeFunction{"F1", {{1.0f, 2.0e38f}}});
  }
};

TEST_F(ModelIntakeTest, AnImportsModelMeetsTheValueRuleAndSave) {
  const std::string path = TempFolder() + "/plant.pnf";
  std::ofstream(path) << "TITLE plant\n";
  TheModel().title = "Before";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog),
              (std::vector<std::string>{"Time function F1, point 1: the value 2E+38 is out of range (a value is zero, "
                                        "or from 1E-37 up to 1E38)",
                                        "The model was not imported."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(ImportBatchFile(MainFrame().window, path, Reader));
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().title, "Before");
  EXPECT_FALSE(std::filesystem::exists(TempFolder() + "/plant.mod"));
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

// A model file's own numbers keep the rule too, not only its point tables:
// Open once showed an occasional load factor of 1.41E-38 or a row's DZ of
// 1E-40 that no cell takes, named now by record and field.
TEST_F(ModelIntakeTest, AModelFilesOptionsAndRowsMeetTheValueRule) {
  Model model;
  BuildSampleModel(model);
  model.options.OccasionalLoadFactor = 1.41e-38f;
  EXPECT_EQ(ModelIntakeRefusal(model, IntakeRoad::kModelFile),
            "Analysis options: the occasional load factor 1.41E-38 is out of range (a value is zero, or from 1E-37 "
            "up to 1E38)\nThe model was not opened.");
  model.options.OccasionalLoadFactor = 1.2f;
  model.row(3).dz = -1.0e-40f;
  EXPECT_EQ(ModelIntakeRefusal(model, IntakeRoad::kModelFile).rfind("Row 3: the DZ -1E-40 is out of range", 0), 0u);
}

}  // namespace
