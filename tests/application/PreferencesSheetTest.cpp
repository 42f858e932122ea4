// The Preferences sheet through File > Preferences of the main window: its
// one Close button and place, the backup page's fields from the
// preferences, every validation message with the page kept open and the
// previous values in force, the check boxes' rules, the folder chooser (a
// folder without write permission refused, Cancel back to the default),
// the font and toolbar pages, the automatic save following the interval, and
// the page keys.
#include <filesystem>
#include <fstream>

#include "application/PreferencesSheet.h"
#include "files/AutoSave.h"
#include "platform/PropertySheet.h"
#include "platform/SheetKeysTesting.h"
#include "platform/Window.h"
#include "services/AppFonts.h"
#include "services/AppTesting.h"
#include "services/TempFiles.h"

namespace {

constexpr int kPreferencesCommand = 348;
constexpr int kFolderEdit = 0x3744;  // the chooser's path field

class PreferencesSheetTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()) << "run\n";
    InitApplication("");
    platform::RunUntilIdle();
  }
  void TearDown() override {
    if (IsWindow(MainFrame().window)) {
      PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    EndAutomaticSave();
    AppFixture::TearDown();
  }

  // Opens the sheet from the main window's menu; `act` works on it and
  // closes it.
  static void RunSheet(const std::function<void(HWND)>& act) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Preferences", act);
    SendMessage(MainFrame().window, WM_COMMAND, kPreferencesCommand, 0);
    platform::RunUntilIdle();
  }
  static HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  static void Check(HWND page, int id, bool on) {
    CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  }
  static bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
  // Presses Close expecting the message `text` (its lines) in an error box.
  static void CloseRefused(HWND sheet, const std::vector<std::string>& lines) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE" + std::to_string(lines.size()) + "_DIALOG",
                          [lines](HWND box) {
                            EXPECT_EQ(LinesOf(box), lines);
                            SendMessage(box, WM_COMMAND, IDOK, 0);
                          });
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(sheet));
  }
};

TEST_F(PreferencesSheetTest, OneCloseButtonNearItsOwnerAndTheBackupPageShowsThePreferences) {
  Preferences& p = ProgramPreferences();
  p.automaticSave = 1;
  p.saveInterval = 15;
  p.createBackup = 0;
  p.disableGraphicEditing = 1;
  p.automaticRenumbering = 0;
  p.startingNodeNumber = 500;
  RunSheet([](HWND sheet) {
    EXPECT_EQ(TextOf(GetDlgItem(sheet, IDOK)), "Close");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, IDCANCEL)));
    RECT close{}, cancel{};
    GetWindowRect(GetDlgItem(sheet, IDOK), &close);
    GetWindowRect(GetDlgItem(sheet, IDCANCEL), &cancel);
    EXPECT_EQ(close.right, cancel.right);  // at the right end of the row
    RECT placed{};
    GetWindowRect(sheet, &placed);
    POINT corner{52, 52};
    ClientToScreen(MainFrame().window, &corner);
    EXPECT_EQ(placed.left, corner.x);
    EXPECT_EQ(placed.top, corner.y);
    HWND page = Page(sheet);
    EXPECT_EQ(IsDlgButtonChecked(page, kAutoSaveCheck), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, kBackupCheck), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, kGraphicsEditingCheck), BST_CHECKED);
    EXPECT_EQ(TextOf(GetDlgItem(page, kIntervalField)), "15");
    EXPECT_EQ(SendDlgItemMessage(page, kIntervalField, EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_FALSE(Enabled(page, kStartNodeField));
    EXPECT_EQ(TextOf(GetDlgItem(page, kStartNodeField)), "");
    EXPECT_EQ(TextOf(GetDlgItem(page, kFolderText)), "< Default >");
    EXPECT_TRUE(Enabled(page, kFolderButton));
    // Unchecking both backup and automatic save greys the folder.
    Check(page, kAutoSaveCheck, false);
    EXPECT_FALSE(Enabled(page, kFolderButton));
    EXPECT_FALSE(Enabled(page, kFolderText));
    EXPECT_FALSE(Enabled(page, kIntervalField));
    EXPECT_EQ(TextOf(GetDlgItem(page, kIntervalField)), "");
    Check(page, kBackupCheck, true);
    EXPECT_TRUE(Enabled(page, kFolderButton));
    // Switched on, an empty field shows the default.
    Check(page, kAutoSaveCheck, true);
    EXPECT_EQ(TextOf(GetDlgItem(page, kIntervalField)), "10");
    Check(page, kRenumberCheck, true);
    EXPECT_TRUE(Enabled(page, kStartNodeField));
    EXPECT_EQ(TextOf(GetDlgItem(page, kStartNodeField)), "10");
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(p.createBackup, 1);
  EXPECT_EQ(p.automaticSave, 1);
  EXPECT_EQ(p.saveInterval, 10);
  EXPECT_EQ(p.automaticRenumbering, 1);
  EXPECT_EQ(p.startingNodeNumber, 10);
  // The automatic save runs at the new interval.
  TheModel().modified = true;
  platform::AdvanceClock(10u * 60u * 1000u - 1000u);
  EXPECT_FALSE(std::filesystem::exists(AutomaticSavePath()));
  platform::AdvanceClock(1000u);
  EXPECT_TRUE(std::filesystem::exists(AutomaticSavePath()));
}

TEST_F(PreferencesSheetTest, EveryRefusedFieldKeepsThePageOpenAndThePreviousValues) {
  Preferences& p = ProgramPreferences();
  p.automaticSave = 1;
  p.saveInterval = 30;
  p.automaticRenumbering = 1;
  p.startingNodeNumber = 100;
  RunSheet([](HWND sheet) {
    HWND page = Page(sheet);
    // The field takes three characters: "120.5" cannot be typed, "121" can.
    SetDlgItemText(page, kIntervalField, "121");
    CloseRefused(sheet, {"Save interval should be <= 120 minutes"});
    EXPECT_EQ(GetFocus(), GetDlgItem(page, kIntervalField));
    SetDlgItemText(page, kIntervalField, "-1");
    CloseRefused(sheet, {"Save interval =  -1  is invalid"});
    SetDlgItemText(page, kIntervalField, "a 1");
    CloseRefused(sheet, {"Save interval =  A1  is invalid"});
    EXPECT_EQ(ProgramPreferences().saveInterval, 30);
    SetDlgItemText(page, kIntervalField, "120");
    SetDlgItemText(page, kStartNodeField, "");
    CloseRefused(sheet, {"Starting node number is required"});
    EXPECT_EQ(GetFocus(), GetDlgItem(page, kStartNodeField));
    SetDlgItemText(page, kStartNodeField, "100000");
    CloseRefused(sheet, {"Node number should be <= 99999"});
    SetDlgItemText(page, kStartNodeField, "2.5");
    CloseRefused(sheet, {"Node number =  2.5  is invalid"});
    // Leaving the page checks it too.
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
      EXPECT_EQ(LinesOf(box), std::vector<std::string>{"Node number =  2.5  is invalid"});
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(SendMessage(sheet, PSM_SETCURSEL, 1, 0));
    EXPECT_EQ(Page(sheet), page);
    EXPECT_EQ(ProgramPreferences().saveInterval, 30);
    EXPECT_EQ(ProgramPreferences().startingNodeNumber, 100);
    SetDlgItemText(page, kStartNodeField, "99999");
    EXPECT_TRUE(SendMessage(sheet, PSM_SETCURSEL, 1, 0));
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(p.saveInterval, 120);
  EXPECT_EQ(p.startingNodeNumber, 99999);
  // A zero interval is stored as 10 minutes, a fraction is dropped; Escape
  // stores the page as Close does.
  RunSheet([](HWND sheet) {
    SetDlgItemText(Page(sheet), kIntervalField, "0");
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(p.saveInterval, 10);
  RunSheet([](HWND sheet) {
    SetDlgItemText(Page(sheet), kIntervalField, "7.9");
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(p.saveInterval, 7);
}

TEST_F(PreferencesSheetTest, TheFolderChooserSetsTheFolderAndRefusesOneWithoutWritePermission) {
  ProgramPreferences().createBackup = 1;
  const std::string chosen = (std::filesystem::path(TempFolder()) / "backups for the plant model").string();
  std::filesystem::create_directories(chosen);
  RunSheet([chosen](HWND sheet) {
    HWND page = Page(sheet);
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Browse For Folder", [chosen](HWND chooser) {
      EXPECT_NE(TextOf(chooser).find("Browse"), std::string::npos);
      SetDlgItemText(chooser, kFolderEdit, chosen.c_str());
      SendMessage(chooser, WM_COMMAND, IDOK, 0);
    });
    SendMessage(page, WM_COMMAND, MAKEWPARAM(kFolderButton, BN_CLICKED), 0);
    // The folder is shown whole or shortened from its middle, never cut
    // at its end.
    const std::string shown = TextOf(GetDlgItem(page, kFolderText));
    EXPECT_EQ(shown.substr(shown.size() - 28), "/backups for the plant model");
    // The chooser opens on the folder chosen; a folder the user cannot write
    // is refused and the default is used.
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Browse For Folder", [chosen](HWND chooser) {
      EXPECT_EQ(TextOf(GetDlgItem(chooser, kFolderEdit)), chosen);
      SetDlgItemText(chooser, kFolderEdit, "/proc/self");
      SendMessage(chooser, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [](HWND box) {
      const std::vector<std::string> lines = LinesOf(box);
      EXPECT_EQ(lines[0].rfind("Backup folder : /proc/", 0), 0u);
      EXPECT_EQ(lines[1], "does not have write permission.");
      EXPECT_EQ(lines[2], "Default folder will be used.");
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(page, WM_COMMAND, MAKEWPARAM(kFolderButton, BN_CLICKED), 0);
    EXPECT_EQ(TextOf(GetDlgItem(page, kFolderText)), "< Default >");
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ProgramPreferences().backupDirectory, "");
  ProgramPreferences().backupDirectory = chosen;
  // Cancelling the chooser goes back to the default folder, without a word.
  RunSheet([](HWND sheet) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Browse For Folder",
                          [](HWND chooser) { SendMessage(chooser, WM_COMMAND, IDCANCEL, 0); });
    SendMessage(Page(sheet), WM_COMMAND, MAKEWPARAM(kFolderButton, BN_CLICKED), 0);
    EXPECT_EQ(TextOf(GetDlgItem(Page(sheet), kFolderText)), "< Default >");
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ProgramPreferences().backupDirectory, "");
  ProgramPreferences().backupDirectory = chosen;
  RunSheet([](HWND sheet) { SendMessage(sheet, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(ProgramPreferences().backupDirectory, chosen);
}

// Ctrl+Tab and Ctrl+Page Down walk the three pages round, Ctrl+Shift+Tab
// and Ctrl+Page Up back, each page's first control taking the keyboard;
// leaving the backup page by key checks it as a click on a tab does.
TEST_F(PreferencesSheetTest, ThePageKeysWalkThePagesAndLeavingChecksTheBackupPage) {
  ProgramPreferences().automaticSave = 1;
  ProgramPreferences().saveInterval = 30;
  SheetPageWalk walk;
  RunSheet([&](HWND sheet) {
    walk.RoundAndBack(sheet);  // the backup page first, the toolbar page last
    walk.Press(sheet, VK_PRIOR);
    HWND backup = SheetPage(sheet);
    SetDlgItemText(backup, kIntervalField, "121");
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
      EXPECT_EQ(LinesOf(box), std::vector<std::string>{"Save interval should be <= 120 minutes"});
      platform::TestKeyPress(VK_RETURN);
    });
    PressSheetKey(sheet, VK_TAB);
    EXPECT_EQ(SheetPageIndex(sheet), 0);
    EXPECT_EQ(SheetPage(sheet), backup);
    EXPECT_EQ(GetFocus(), GetDlgItem(backup, kIntervalField));
    EXPECT_EQ(ProgramPreferences().saveInterval, 30);
    SetDlgItemText(backup, kIntervalField, "45");
    PressSheetKey(sheet, VK_TAB);
    EXPECT_EQ(SheetPageIndex(sheet), 1);
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(walk.pages, (std::vector<int>{1, 2, 0, 2, 1, 0}));
  EXPECT_TRUE(walk.keyboardInPages);
  EXPECT_EQ(ProgramPreferences().saveInterval, 45);
}

TEST_F(PreferencesSheetTest, TheFontAndToolbarPagesChangeTheProgramAtOnce) {
  RunSheet([](HWND sheet) {
    ASSERT_TRUE(SendMessage(sheet, PSM_SETCURSEL, 1, 0));
    HWND fonts = Page(sheet);
    EXPECT_EQ(TextOf(GetDlgItem(fonts, kTextFontCaption)), "MS Sans Serif, 8 point");
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Font", [](HWND dialog) {
      EXPECT_EQ(TextOf(dialog), "Text Font");
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(fonts, WM_COMMAND, MAKEWPARAM(kTextFontButton, BN_CLICKED), 0);
    EXPECT_EQ(TextOf(GetDlgItem(fonts, kTextFontCaption)), FontCaptionText(TextFont()));
    EXPECT_STREQ(TextFont().logFont.lfFaceName, "DejaVu Sans");
    ASSERT_TRUE(SendMessage(sheet, PSM_SETCURSEL, 2, 0));
    HWND toolbar = Page(sheet);
    EXPECT_EQ(IsDlgButtonChecked(toolbar, 1102), BST_CHECKED);
    SendMessage(toolbar, WM_COMMAND, MAKEWPARAM(1102, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(toolbar, 1102)));
    EXPECT_EQ(MainFrame().activeToolbar, MainFrame().smallToolbar);
    SendMessage(sheet, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ProgramPreferences().largeToolbarButtons, 0);
}

}  // namespace
