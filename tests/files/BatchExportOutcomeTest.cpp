// What the export to MBF names and shows: what comes back otherwise, a file
// the import refuses, a list longer than a message holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "files/AutoSaveTesting.h"
#include "files/BatchExport.h"
#include "files/BatchImport.h"
#include "files/ExportFiles.h"
#include "files/ImportLogTesting.h"
#include "files/ModelFile.h"
#include "platform/CommonDialog.h"

namespace {

using BatchExportOutcomeTest = AutoSaveFixture;

// The sample's descriptions come back in capitals, its 8-inch long bend
// with a user radius, its design conditions as the operating ones, its
// materials without their strength.
TEST_F(BatchExportOutcomeTest, WhatTheSampleModelGetsBackOtherwiseIsNamed) {
  Model sample;
  ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", sample);
  std::vector<std::string> leftOut;
  WriteModelBatchText(sample, BatchExportUnits::English, leftOut);
  EXPECT_EQ(leftOut, (std::vector<std::string>{
                         "Material A106: its description reads back as \"CARBON STEEL PIPE A106 B\": the batch file "
                         "is read in capitals",
                         "Material A53: its description reads back as \"CARBON STEEL PIPE A53 B ERW\": the batch file "
                         "is read in capitals",
                         "Pipe section S8: its standard, nominal size and schedule were not written (the batch file "
                         "does not carry them); it reads back as Non Std",
                         "Pipe section S8: its long-radius bend reads back as a bend of user radius, with the same "
                         "radius: the batch file gives the section back as Non Std, whose standard radius is another",
                         "Load L1: its design temperature and pressure, 350 F and 185 psi, were not written (the "
                         "batch file does not carry them); they read back as 300 F and 150 psi",
                         "Material A106: its strength, 35000 psi, was not written (the batch file does not carry "
                         "it); it reads back as 0 psi",
                         "Material A53: its strength, 35000 psi, was not written (the batch file does not carry it); "
                         "it reads back as 0 psi"}));
}

// A bend row on a node with a suffix (30A): the import would refuse the
// file, so none is written, and the message says so with the row and why,
// not with a line of a file that was never written.
TEST_F(BatchExportOutcomeTest, AFileTheImportWouldRefuseIsNotWritten) {
  std::istringstream input("t\nOPTIONS\nB313\nLAYOUT\nF10,KA\nT20,X10\nT30,KI,X5\nT40,Z-8\nT50,Z-4,KA\n");
  std::vector<std::string> log, message;
  ReadModelBatchFile(input, TheModel(), log);
  TheModel().row(4).node = 100030;
  TheModel().row(5).node = 40;
  std::vector<std::string> leftOut;
  const std::string text = WriteModelBatchText(TheModel(), BatchExportUnits::English, leftOut);
  EXPECT_NE(text.find("\nT30A,"), std::string::npos) << text;
  const std::string where = "Row 4";
  const std::string why = "Bend node should not have a suffix";
  EXPECT_EQ(leftOut.at(0), "The import would refuse the file: " + where + ": " + why);
  const std::string path = InFolder("refused.mbf");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to Batch File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&message](HWND dialog) {
    message = LinesOfDialog(dialog);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ExportBatchFile(nullptr);
  platform::CheckModalScript();
  EXPECT_EQ(message,
            (std::vector<std::string>{"The file was not written: the import would refuse it.", where + ": " + why}));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".partial"));
}

// The list lost its last lines and how many more there were.
TEST_F(BatchExportOutcomeTest, AListLongerThanAMessageHoldsSaysHowManyMore) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE6_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Eight items:", "1", "2", "3", "4", "... and 4 more"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ShowItemList(nullptr, "Eight items:", {"1", "2", "3", "4", "5", "6", "7", "8"});
  platform::CheckModalScript();
}

}  // namespace
