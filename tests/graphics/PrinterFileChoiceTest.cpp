// The PDF file of the Print dialog: proposed beside the model under its
// name (the printer's own default for an untitled model) until the user
// names another, which is then kept for every model. And the printers'
// choices across a restart of the program, in-process and through the
// registry file: a PDF file chosen in the Print dialog, or an orientation
// chosen in Print Setup, is there again at the next start, without a word
// about damaged settings.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/CommonDialog.h"
#include "platform/ControlSupport.h"
#include "platform/Printer.h"
#include "platform/Registry.h"
#include "printing/PrinterSettings.h"
#include "services/AppTesting.h"
#include "services/TempFiles.h"

namespace {

namespace fs = std::filesystem;

// The output name of a printer's device names.
std::string OutputOf(const PrinterSettings& printer) {
  const auto* bytes = static_cast<const char*>(GlobalLock(printer.pageSetup.hDevNames));
  if (bytes == nullptr) return {};
  DEVNAMES names{};
  std::memcpy(&names, bytes, sizeof names);
  std::string output = bytes + names.wOutputOffset;
  GlobalUnlock(printer.pageSetup.hDevNames);
  return output;
}

short OrientationOf(const PrinterSettings& printer) {
  const auto* mode = static_cast<const DEVMODE*>(GlobalLock(printer.pageSetup.hDevMode));
  const short orientation = mode != nullptr ? mode->dmOrientation : 0;
  GlobalUnlock(printer.pageSetup.hDevMode);
  return orientation;
}

class PrinterFileChoiceTest : public AppFixture {
 protected:
  // A start of the program after the first (no sample model is offered).
  static void Start() {
    fs::create_directories(fs::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath(), std::ios::trunc);
    InitApplication("");
    platform::RunUntilIdle();
  }
  // Shut down, then start as a new process does: the registry read again
  // from its file, nothing remembered of what this run read; what the
  // start wrote on standard error comes back.
  static std::string Restart() {
    CloseAndExit();
    platform::Shutdown();
    RegistryReloadForTests();
    ForgetSettingsAsRead();
    testing::internal::CaptureStderr();
    Start();
    return testing::internal::GetCapturedStderr();
  }
  // The PDF file the Print dialog offers, the dialog then cancelled.
  static std::string OfferedFile(PrinterSettings& printer) {
    std::string offered;
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [&offered](HWND dialog) {
      char text[300] = {};
      GetDlgItemText(dialog, edt3, text, sizeof text);
      offered = text;
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(printer.RunPrintDialog(MainFrame().window), nullptr);
    return offered;
  }
};

TEST(PdfFileForModel, TheModelsFolderAndNameWithThePdfExtension) {
  EXPECT_EQ(PdfFileForModel("/x/y/Plant.mod"), "/x/y/Plant.pdf");
  EXPECT_EQ(PdfFileForModel("/x/y/plant.v2.MOD"), "/x/y/plant.v2.pdf");
  EXPECT_EQ(PdfFileForModel("D:\\jobs\\Unit 4\\Loop.mod"), "D:\\jobs\\Unit 4\\Loop.pdf");
  EXPECT_EQ(PdfFileForModel("/x/y.old/Plant"), "/x/y.old/Plant.pdf");  // a dot in the folder is no extension
  EXPECT_EQ(PdfFileForModel("Plant.mod"), "Plant.pdf");
  EXPECT_EQ(PdfFileForModel(""), "");  // untitled
}

TEST_F(PrinterFileChoiceTest, ThePrintDialogProposesThePdfBesideTheModelUntilTheUserNamesAnother) {
  Start();
  const fs::path plantFolder = fs::path(TempFolder()) / "plant models";
  fs::create_directories(plantFolder);
  TheModel().path = (plantFolder / "Plant.mod").string();
  // Kept as proposed, the file is written there.
  const std::string beside = (plantFolder / "Plant.pdf").string();
  std::string offered;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [&offered](HWND dialog) {
    char text[300] = {};
    GetDlgItemText(dialog, edt3, text, sizeof text);
    offered = text;
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  HDC dc = TextPrinter().RunPrintDialog(MainFrame().window);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(offered, beside);
  DOCINFO info{};
  info.cbSize = sizeof info;
  info.lpszDocName = "Quorvel";
  ASSERT_GT(StartDoc(dc, &info), 0);
  StartPage(dc);
  EndPage(dc);
  EXPECT_GT(EndDoc(dc), 0);
  DeleteDC(dc);
  EXPECT_TRUE(fs::exists(beside));
  // Another model gets its own; an untitled one the printer's default.
  TheModel().path = (fs::path(TempFolder()) / "Other.mod").string();
  EXPECT_EQ(OfferedFile(TextPrinter()), (fs::path(TempFolder()) / "Other.pdf").string());
  EXPECT_EQ(OfferedFile(GraphicsPrinter()), (fs::path(TempFolder()) / "Other.pdf").string());
  TheModel().path.clear();
  EXPECT_EQ(OfferedFile(TextPrinter()), platform::DefaultPdfOutput());
  // A file the user names is kept, whatever model is open.
  TheModel().path = (plantFolder / "Plant.mod").string();
  const std::string named = (fs::path(TempFolder()) / "All prints.pdf").string();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [&named](HWND dialog) {
    SetDlgItemText(dialog, edt3, named.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  dc = TextPrinter().RunPrintDialog(MainFrame().window);
  ASSERT_NE(dc, nullptr);
  DeleteDC(dc);
  TheModel().path = (fs::path(TempFolder()) / "Other.mod").string();
  EXPECT_EQ(OfferedFile(TextPrinter()), named);
  TheModel().path.clear();
  CloseAndExit();
}

// A PDF path too long to keep is proposed and refused with a word why; the
// default shown, taken as shown, is not stored: the next model gets its own.
TEST_F(PrinterFileChoiceTest, APdfPathTooLongIsSaidSoAndTheDefaultShownIsNotStoredAsChosen) {
  Start();
  const fs::path deep = fs::path(TempFolder()) / std::string(200, 'd');
  TheModel().path = (deep / "Plant.mod").string();
  const std::string tooLong = (deep / "Plant.pdf").string();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [&](HWND dialog) {
    EXPECT_EQ(platform::controls::TextOf(GetDlgItem(dialog, edt3)), tooLong);
    platform::ExpectModal(platform::ModalKind::MessageBox,
                          tooLong + "\nThe PDF file's path is too long: the printer settings keep at most 200 "
                                    "characters (a character shown as ? counts three).",
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(platform::DialogEnded(dialog));
    TheModel().path.clear();
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(TextPrinter().RunPrintDialog(MainFrame().window), nullptr);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  DeleteDC(TextPrinter().RunPrintDialog(MainFrame().window));
  EXPECT_EQ(OutputOf(TextPrinter()), "FILE:");
  TheModel().path = (fs::path(TempFolder()) / "Other.mod").string();
  EXPECT_EQ(OfferedFile(TextPrinter()), (fs::path(TempFolder()) / "Other.pdf").string());
  TheModel().path.clear();
  CloseAndExit();
}

TEST_F(PrinterFileChoiceTest, APdfFileChosenInThePrintDialogIsKeptAtTheNextStart) {
  Start();
  const std::string chosen = (fs::path(TempFolder()) / "Chosen report.pdf").string();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [&chosen](HWND dialog) {
    SetDlgItemText(dialog, edt3, chosen.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  HDC dc = TextPrinter().RunPrintDialog(MainFrame().window);
  ASSERT_NE(dc, nullptr);
  DeleteDC(dc);
  ASSERT_EQ(OutputOf(TextPrinter()), chosen);
  const std::string said = Restart();
  EXPECT_EQ(said.find("damaged"), std::string::npos) << said;
  EXPECT_EQ(OutputOf(TextPrinter()), chosen);
  EXPECT_EQ(OfferedFile(TextPrinter()), chosen);
  // The graphics printer kept its own defaults meanwhile.
  EXPECT_EQ(OutputOf(GraphicsPrinter()), "FILE:");
  EXPECT_EQ(OrientationOf(GraphicsPrinter()), DMORIENT_LANDSCAPE);
  CloseAndExit();
}

TEST_F(PrinterFileChoiceTest, AnOrientationChosenInPrintSetupIsKeptAtTheNextStart) {
  Start();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print Setup", [](HWND dialog) {
    CheckRadioButton(dialog, rad1, rad2, rad2);  // Landscape
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(TextPrinter().PrinterSetupDialog(MainFrame().window));
  ASSERT_EQ(OrientationOf(TextPrinter()), DMORIENT_LANDSCAPE);
  const std::string said = Restart();
  EXPECT_EQ(said.find("damaged"), std::string::npos) << said;
  EXPECT_EQ(OrientationOf(TextPrinter()), DMORIENT_LANDSCAPE);
  EXPECT_EQ(TextPrinter().PrinterNameText(), "PDF");
  CloseAndExit();
}

}  // namespace
