// The interactive print dialogs, answered by the modal script: "Print"
// hands back the page range, the PDF file and the printer's context;
// a range outside the document, or a PDF file's path longer than the
// printer settings keep, keeps the dialog open; Cancel leaves the
// record's blocks as they were. "Page Setup" takes paper, orientation and
// margins and refuses margins that leave no paper; "Print Setup" changes
// the orientation.
#include "platform/DialogTesting.h"

#include <cstring>
#include <string>

#include "platform/CommonDialog.h"

namespace {

std::string DevNamesText(HGLOBAL block, int which) {
  auto* bytes = static_cast<const char*>(GlobalLock(block));
  const auto* names = reinterpret_cast<const DEVNAMES*>(bytes);
  WORD offset = which == 1 ? names->wDeviceOffset : names->wOutputOffset;
  std::string text = bytes + offset;
  GlobalUnlock(block);
  return text;
}

class PrintDialogTest : public DialogTest {
 protected:
  PRINTDLG Defaults() {
    PRINTDLG record{};
    record.lStructSize = sizeof record;
    record.Flags = PD_RETURNDEFAULT;
    EXPECT_TRUE(PrintDlg(&record));
    record.Flags = 0;
    return record;
  }
  static void Command(HWND dialog, int id) { SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); }
};

TEST_F(PrintDialogTest, PrintHandsBackRangeFileAndContext) {
  PRINTDLG record = Defaults();
  record.Flags = PD_RETURNDC | PD_NOSELECTION;
  record.nMinPage = 1;
  record.nMaxPage = 4;
  record.nFromPage = 1;
  record.nToPage = 4;
  const std::string target = "/tmp/report-pages.pdf";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [&](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, rad1), BST_CHECKED);  // all pages first
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, edt3)));     // the PDF printer's file
    CheckRadioButton(dialog, rad1, rad3, rad3);
    SetDlgItemInt(dialog, edt1, 5, FALSE);  // beyond the document
    SetDlgItemInt(dialog, edt2, 5, FALSE);
    const int beeps = platform::BeepCount();
    Command(dialog, IDOK);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(platform::BeepCount(), beeps + 1);
    SetDlgItemInt(dialog, edt1, 2, FALSE);
    SetDlgItemInt(dialog, edt2, 3, FALSE);
    SetDlgItemText(dialog, edt3, (target + std::string(180, 's')).c_str());  // more than the settings keep
    Command(dialog, IDOK);
    EXPECT_TRUE(IsWindow(dialog));
    SetDlgItemText(dialog, edt3, target.c_str());
    Command(dialog, IDOK);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox,
                        target + std::string(180, 's') +
                            "\nThe PDF file's path is too long: the printer settings keep at most 200 characters (a "
                            "character shown as ? counts three).",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_TRUE(record.Flags & PD_PAGENUMS);
  EXPECT_EQ(record.nFromPage, 2);
  EXPECT_EQ(record.nToPage, 3);
  EXPECT_EQ(DevNamesText(record.hDevNames, 1), "PDF");
  EXPECT_EQ(DevNamesText(record.hDevNames, 2), target);
  ASSERT_NE(record.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(record.hDC, TECHNOLOGY), DT_RASPRINTER);
  DeleteDC(record.hDC);
  // Cancel keeps the caller's blocks and their bytes.
  HGLOBAL mode = record.hDevMode, names = record.hDevNames;
  record.hDC = nullptr;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [](HWND dialog) {
    SetDlgItemText(dialog, edt3, "/tmp/elsewhere.pdf");
    Command(dialog, IDCANCEL);
  });
  EXPECT_FALSE(PrintDlg(&record));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(record.hDevMode, mode);
  EXPECT_EQ(record.hDevNames, names);
  EXPECT_EQ(DevNamesText(record.hDevNames, 2), target);
  EXPECT_EQ(record.hDC, nullptr);
  GlobalFree(record.hDevMode);
  GlobalFree(record.hDevNames);
}

TEST_F(PrintDialogTest, PageSetupTakesPaperOrientationAndMargins) {
  PAGESETUPDLG record{};
  record.lStructSize = sizeof record;
  record.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
  record.rtMargin = RECT{750, 500, 500, 500};
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Page Setup", [](HWND dialog) {
    char text[32] = {};
    GetDlgItemText(dialog, edt4, text, sizeof text);
    EXPECT_STREQ(text, "0.75");
    SendDlgItemMessage(dialog, cmb2, CB_SETCURSEL, 2, 0);  // A4
    CheckRadioButton(dialog, rad1, rad2, rad2);
    SetDlgItemText(dialog, edt4, "6");  // 6 + 5.5 inches leave less than an inch of 11.69
    SetDlgItemText(dialog, edt6, "5.5");
    const int beeps = platform::BeepCount();
    Command(dialog, IDOK);
    EXPECT_EQ(platform::BeepCount(), beeps + 1);
    SetDlgItemText(dialog, edt4, "abc");
    Command(dialog, IDOK);
    EXPECT_EQ(platform::BeepCount(), beeps + 2);
    SetDlgItemText(dialog, edt4, "1");
    SetDlgItemText(dialog, edt6, "0.25");
    Command(dialog, IDOK);
  });
  ASSERT_TRUE(PageSetupDlg(&record));
  EXPECT_EQ(record.rtMargin.left, 1000);
  EXPECT_EQ(record.rtMargin.right, 250);
  EXPECT_EQ(record.rtMargin.top, 500);
  EXPECT_EQ(record.ptPaperSize.x, 11693);  // A4 across
  EXPECT_EQ(record.ptPaperSize.y, 8268);
  auto* mode = static_cast<DEVMODE*>(GlobalLock(record.hDevMode));
  EXPECT_EQ(mode->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(mode->dmPaperSize, DMPAPER_A4);
  GlobalUnlock(record.hDevMode);
  // Print Setup turns it back to portrait.
  PRINTDLG setup{};
  setup.lStructSize = sizeof setup;
  setup.Flags = PD_PRINTSETUP;
  setup.hDevMode = record.hDevMode;
  setup.hDevNames = record.hDevNames;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print Setup", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, rad2), BST_CHECKED);
    CheckRadioButton(dialog, rad1, rad2, rad1);
    Command(dialog, IDOK);
  });
  ASSERT_TRUE(PrintDlg(&setup));
  mode = static_cast<DEVMODE*>(GlobalLock(setup.hDevMode));
  EXPECT_EQ(mode->dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(mode->dmPaperSize, DMPAPER_A4);
  GlobalUnlock(setup.hDevMode);
  GlobalFree(setup.hDevMode);
  GlobalFree(setup.hDevNames);
}

}  // namespace
