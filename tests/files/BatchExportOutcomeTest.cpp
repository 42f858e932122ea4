// Export to MBF through the Layout window's command: the save dialog, the
// file, and what the command shows of it. Every example, in each unit set
// the user's units choose, reads back from its export, and whatever comes
// back otherwise (the loads' design conditions, descriptions in capitals,
// long-radius bends of a sized section, the title) is named in the list;
// a file the import refuses is shown as an error with its line and why.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "elements/Bend.h"
#include "files/AutoSaveTesting.h"
#include "files/BatchImport.h"
#include "files/ExportFiles.h"
#include "files/FileCommands.h"
#include "files/ImportLogTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "records/Soil.h"
#include "services/Units.h"

namespace {

class BatchExportOutcomeTest : public AutoSaveFixture {
 protected:
  void TearDown() override {
    unsetenv("EXPORT_INCHES");
    CloseModel();
    g_UnitsSettings = UnitsSettings{};
    AutoSaveFixture::TearDown();
  }

  // Export to MBF into `path`; the list the command shows (its heading
  // first), and any message before it.
  static std::vector<std::string> Export(const std::string& path, std::vector<std::string>* message = nullptr) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to Batch File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    if (message != nullptr)
      platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [message](HWND dialog) {
        *message = LinesOfDialog(dialog);
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
      });
    std::vector<std::string> listed;
    platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [&listed](HWND dialog) {
      listed = ImportLogLines(dialog);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 351, 0);
    platform::CheckModalScript();
    return listed;
  }

  static void ReadBack(const std::string& path, Model& model) {
    std::ifstream input(path, std::ios::binary);
    std::vector<std::string> log;
    ReadModelBatchFile(input, model, log);
  }
};

bool Listed(const std::vector<std::string>& list, const std::string& start) {
  for (const std::string& line : list)
    if (line.rfind(start, 0) == 0) return true;
  return false;
}

TEST_F(BatchExportOutcomeTest, EveryExampleReadsBackAndWhatComesBackOtherwiseIsNamed) {
  Start();
  for (const std::string example : {"Sample", "SteamLine", "BigModel"}) {
    ASSERT_TRUE(OpenFileByExtension(MainFrame().window, std::string(QUORVEL_SOURCE_DIR) + "/examples/" + example +
                                                            ".mod"));
    const Model& model = TheModel();
    for (const int length : {kLengthFeetInches, kLengthInch, kLengthMillimetre}) {
      SCOPED_TRACE(example + " in length unit " + std::to_string(length));
      g_UnitsSettings.unit[kUnitLength] = length;
      setenv("EXPORT_INCHES", "", 1);
      const std::string path = InFolder(example + std::to_string(length) + ".mbf");
      const std::vector<std::string> listed = Export(path);
      Model again;
      ASSERT_NO_THROW(ReadBack(path, again));
      EXPECT_EQ(again.title, model.title);
      for (int i = 1; i <= model.pipeLoads.count; ++i)
        EXPECT_EQ(again.pipeLoads[i].designTemperature == model.pipeLoads[i].designTemperature &&
                      again.pipeLoads[i].designPressure == model.pipeLoads[i].designPressure,
                  !Listed(listed, "Load " + model.pipeLoads[i].name + ": its design temperature and pressure, "));
      for (int i = 1; i <= model.materials.count; ++i)
        EXPECT_EQ(again.materials[i].description == model.materials[i].description,
                  !Listed(listed, "Material " + model.materials[i].name + ": its description reads back as \"" +
                                      again.materials[i].description + "\""));
      // Each bend whose radius kind comes back otherwise, by its section.
      ASSERT_EQ(again.rowCount, model.rowCount);
      int changed = 0;
      std::string section;
      for (int number = 1; number <= model.rowCount; ++number) {
        section = model.row(number).section.empty() ? section : model.row(number).section;
        const auto* bend = dynamic_cast<const Bend*>(model.row(number).element.get());
        if (bend == nullptr || dynamic_cast<const Bend&>(*again.row(number).element).radiusType == bend->radiusType)
          continue;
        ++changed;
        EXPECT_TRUE(Listed(listed, "Pipe section " + section + ": its ")) << number;
      }
      EXPECT_EQ(changed, example == "BigModel" ? 231 : 1);
    }
  }
  unsetenv("EXPORT_INCHES");
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod"));
  g_UnitsSettings.unit[kUnitLength] = kLengthFeetInches;
  EXPECT_TRUE(Listed(Export(InFolder("sample.mbf")),
                     "Load L1: its design temperature and pressure, 350 F and 185 psi, were not written (the batch "
                     "file does not carry them); they read back as 300 F and 150 psi"));
}

// A model holding what the conversion of an old model gave (a ground level
// of 0 held as 1e-36, a bend's intermediate node 29A) exports a file that
// reads back, the node named. A file the import still refuses (a bend row
// on a node with a suffix) is written, and said to be refused with its
// line and why before the list, which names it first.
TEST_F(BatchExportOutcomeTest, WhatTheImportWouldRefuseIsNamedAndARefusedFileSaysWhy) {
  Start();
  const std::string source = InFolder("old.mbf");
  Put(source,
      "Old plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nSOILS\nS1,1,120.96,0,10\nPIPE\n"
      "S1,8.625,0.322\nLAYOUT\nF10,KA,MA1,PS1\nT20,X10\nT30,KI,X5\nT40,Z-8\nT50,Z-4,KA\n");
  ASSERT_TRUE(ImportBatchFile(MainFrame().window, source));
  Model& model = TheModel();
  model.soils[1].groundLevel = 1.0e-36f;
  auto& bend = dynamic_cast<Bend&>(*model.row(4).element);
  bend.intermediateNode1 = 100029;
  bend.angle1 = 0.5f;
  for (const int length : {kLengthFeetInches, kLengthMillimetre}) {
    g_UnitsSettings.unit[kUnitLength] = length;
    const std::string path = InFolder("old-" + std::to_string(length) + ".mbf");
    EXPECT_EQ(Export(path), (std::vector<std::string>{"The export gave 1 warning:",
                                                      "Row 4: the bend's intermediate node 29A is a derived node, "
                                                      "which the batch file refuses; it was not written"}));
    Model again;
    ASSERT_NO_THROW(ReadBack(path, again));
    EXPECT_EQ(again.soils[1].groundLevel, 0.0f);
    EXPECT_EQ(dynamic_cast<const Bend&>(*again.row(4).element).intermediateNode1, 0);
  }
  g_UnitsSettings.unit[kUnitLength] = kLengthFeetInches;
  model.row(4).node = 100030;
  model.row(5).node = 40;
  const std::string path = InFolder("refused.mbf");
  std::vector<std::string> message;
  const std::vector<std::string> listed = Export(path, &message);
  std::istringstream written(Bytes(path));
  std::string line;
  int number = 0;
  while (std::getline(written, line) && line.rfind("T30A,", 0) != 0) ++number;
  const std::string where = "Line = " + std::to_string(number + 1) + " :  " + line;
  EXPECT_EQ(message, (std::vector<std::string>{"The file was written, but it does not read back:", where,
                                               "Bend node should not have a suffix"}));
  ASSERT_GE(listed.size(), 2u);
  EXPECT_EQ(listed[1], "The file written does not read back: " + where + " Bend node should not have a suffix");
}

// A list longer than a message holds (the merge's) ends by saying how many
// more there are, within the lines the message shows.
TEST_F(BatchExportOutcomeTest, AListLongerThanAMessageHoldsSaysHowManyMore) {
  Start();
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE6_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Eight items:", "1", "2", "3", "4", "... and 4 more"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ShowItemList(LayoutFrame().window, "Eight items:", {"1", "2", "3", "4", "5", "6", "7", "8"});
  platform::CheckModalScript();
}

}  // namespace
