// The common dialogs driven headless: open and save with filters, default
// extension, the chosen filter index, must-exist and overwrite prompts, the
// hook's notifications and control texts, a buffer too small, the longest
// paths; folder browse
// with a preselected folder; font choice; the default printer records.
#include "platform/DialogTesting.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Presenter.h"
#include "platform/Windows1252.h"

namespace {

namespace fs = std::filesystem;

constexpr char kFilter[] = "Model files (*.mod)\0*.mod\0Results files (*.res)\0*.res\0";

class CommonDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    folder_ = fs::canonical(fs::temp_directory_path()) /
              ("dialogs-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(folder_ / "sub");
    for (const char* name : {"a.mod", "B.MOD", "c.res", "sub/inner.mod"}) std::ofstream(folder_ / name) << "x";
  }
  void TearDown() override {
    DialogTest::TearDown();
    fs::remove_all(folder_);
  }
  OPENFILENAME Record(char* buffer, DWORD size) {
    OPENFILENAME record{};
    record.lStructSize = sizeof record;
    record.lpstrFilter = kFilter;
    record.nFilterIndex = 2;
    record.lpstrFile = buffer;
    record.nMaxFile = size;
    record.lpstrInitialDir = folderText_.c_str();
    record.lpstrDefExt = "mod";
    record.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return record;
  }
  static std::vector<std::string> ListText(HWND dialog) {
    std::vector<std::string> items;
    int count = static_cast<int>(SendDlgItemMessage(dialog, lst1, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
      char text[256] = "";
      SendDlgItemMessage(dialog, lst1, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  void SetUpFolderText() { folderText_ = folder_.string(); }
  fs::path folder_;
  std::string folderText_;
};

struct HookRecord {
  std::vector<std::string> events;
  DWORD filterIndexAtTypeChange = 0;
  LPARAM initParameter = 0;
};
HookRecord* hookRecord = nullptr;

UINT_PTR FileHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    hookRecord->initParameter = lParam;
    hookRecord->events.push_back("init");
    return TRUE;
  }
  if (message != WM_NOTIFY) return 0;
  auto* notify = reinterpret_cast<OFNOTIFY*>(lParam);
  HWND dialog = GetParent(hook);
  EXPECT_EQ(notify->hdr.hwndFrom, dialog);
  switch (notify->hdr.code) {
    case CDN_INITDONE:
      hookRecord->events.push_back("initdone");
      SendMessage(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("&Export"));
      return 1;
    case CDN_TYPECHANGE: {
      hookRecord->events.push_back("typechange");
      hookRecord->filterIndexAtTypeChange = notify->lpOFN->nFilterIndex;
      // The name field follows the type, as the program's export hook does.
      char typedName[300] = "";
      SendMessage(dialog, CDM_GETSPEC, sizeof typedName, reinterpret_cast<LPARAM>(typedName));
      if (std::strcmp(typedName, "plant.res") == 0)
        SendMessage(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>("plant.mod"));
      return 1;
    }
    case CDN_FILEOK: hookRecord->events.push_back("fileok"); return 0;
    default: return 0;
  }
}

TEST_F(CommonDialogTest, OpenReturnsTypedNameWithDefaultExtensionAndChosenFilter) {
  SetUpFolderText();
  char buffer[260] = "plant.res";
  OPENFILENAME record = Record(buffer, sizeof buffer);
  record.Flags |= OFN_ENABLEHOOK;
  record.lpfnHook = FileHook;
  HookRecord hook;
  hookRecord = &hook;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [](HWND dialog) {
    EXPECT_EQ(ItemText(dialog, IDOK), "&Export");
    EXPECT_EQ(ItemText(dialog, edt1), "plant.res");
    EXPECT_EQ(ListText(dialog), (std::vector<std::string>{"[..]", "[sub]", "c.res"}));
    SetFocus(GetDlgItem(dialog, cmb1));
    platform::TestKeyPress(VK_UP);  // "Model files (*.mod)"
    ServeDialogs();
    EXPECT_EQ(ListText(dialog), (std::vector<std::string>{"[..]", "[sub]", "a.mod", "B.MOD"}));
    EXPECT_EQ(ItemText(dialog, edt1), "plant.mod");
    SetDlgItemText(dialog, edt1, "a");
    platform::TestKeyPress(VK_RETURN);
  });
  ASSERT_TRUE(GetOpenFileName(&record));
  std::string expected = folderText_ + "/a.mod";
  EXPECT_EQ(std::string(buffer), expected);
  EXPECT_EQ(record.nFileOffset, folderText_.size() + 1);
  EXPECT_EQ(record.nFileExtension, expected.size() - 3);
  EXPECT_EQ(record.nFilterIndex, 1u);
  EXPECT_EQ(hook.initParameter, reinterpret_cast<LPARAM>(&record));
  EXPECT_EQ(hook.events, (std::vector<std::string>{"init", "initdone", "typechange", "fileok"}));
  EXPECT_EQ(hook.filterIndexAtTypeChange, 1u);
}

// The disk's names are UTF-8: a file another program named lists in the
// program's text, and one whose name that text cannot hold lists with a
// stand-in and, chosen, gives the path that opens it.
TEST_F(CommonDialogTest, NamesOnTheDiskAreUtf8) {
  SetUpFolderText();
  for (const char* name : {"Dampfleitung \xC3\xA4.mod", "Rohr \xCE\xA9.mod"}) std::ofstream(folder_ / name) << "x";
  char buffer[260] = "";
  OPENFILENAME record = Record(buffer, sizeof buffer);
  record.nFilterIndex = 1;
  record.Flags |= OFN_FILEMUSTEXIST;
  std::vector<std::string> listed;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [&listed](HWND dialog) {
    listed = ListText(dialog);
    SendDlgItemMessage(dialog, lst1, LB_SETCURSEL, listed.size() - 1, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(lst1, LBN_DBLCLK), 0);
  });
  ASSERT_TRUE(GetOpenFileName(&record));
  ASSERT_EQ(listed.size(), 6u);
  EXPECT_EQ(listed[4], "Dampfleitung \xE4.mod");
  EXPECT_EQ(platform::Utf8From1252(listed[5]), "Rohr ??.mod");
  EXPECT_EQ(platform::ToFileSystemName(buffer), folderText_ + "/Rohr \xCE\xA9.mod");
}

TEST_F(CommonDialogTest, MustExistRefusesAMissingFileAndKeepsTheDialogOpen) {
  SetUpFolderText();
  char buffer[260] = "";
  OPENFILENAME record = Record(buffer, sizeof buffer);
  record.Flags |= OFN_FILEMUSTEXIST;
  HWND box = nullptr;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [](HWND dialog) {
    SetDlgItemText(dialog, edt1, "zzz");
    platform::TestKeyPress(VK_RETURN);
    ServeDialogs();
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), edt1);
    platform::TestKeyPress(VK_ESCAPE);
  });
  std::string message = folderText_ + "/zzz.mod\nFile not found.\nCheck the file name and try again.";
  platform::ExpectModal(platform::ModalKind::MessageBox, message, [&box](HWND modal) {
    box = modal;
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_FALSE(GetOpenFileName(&record));
  EXPECT_EQ(CommDlgExtendedError(), 0u);  // cancelled by the user
  EXPECT_STREQ(buffer, "");
  EXPECT_NE(box, nullptr);
}

TEST_F(CommonDialogTest, SaveAsksBeforeReplacingAndFollowsFolders) {
  SetUpFolderText();
  char buffer[260] = "";
  OPENFILENAME record = Record(buffer, sizeof buffer);
  record.nFilterIndex = 1;
  record.Flags |= OFN_OVERWRITEPROMPT;
  record.lpstrTitle = "Save Data As";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save Data As", [this](HWND dialog) {
    EXPECT_EQ(ItemText(dialog, IDOK), "&Save");
    SetDlgItemText(dialog, edt1, "B.MOD");
    platform::TestKeyPress(VK_RETURN);
    ServeDialogs();  // answered No: still open
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetDlgItemText(dialog, edt1, "sub");
    platform::TestKeyPress(VK_RETURN);  // a folder name opens the folder
    ServeDialogs();
    EXPECT_EQ(ListText(dialog), (std::vector<std::string>{"[..]", "inner.mod"}));
    char path[260] = "";
    SendMessage(dialog, CDM_GETFOLDERPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    EXPECT_EQ(std::string(path), folderText_ + "/sub");
    SetDlgItemText(dialog, edt1, "new");
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox,
                        folderText_ + "/B.MOD already exists.\nDo you want to replace it?",
                        [](HWND) { platform::TestKeyPress('N'); });
  ASSERT_TRUE(GetSaveFileName(&record));
  EXPECT_EQ(std::string(buffer), folderText_ + "/sub/new.mod");
  EXPECT_EQ(record.nFilterIndex, 1u);
}

// "mod." gets the default extension after its dot.
TEST_F(CommonDialogTest, ANameEndingInADotGetsTheExtensionAfterIt) {
  SetUpFolderText();
  char buffer[260] = "mod.";
  OPENFILENAME record = Record(buffer, sizeof buffer);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [](HWND) { platform::TestKeyPress(VK_RETURN); });
  ASSERT_TRUE(GetSaveFileName(&record));
  EXPECT_EQ(std::string(buffer), folderText_ + "/mod.mod");
}

// ".mod" typed whole names no file: refused, the dialog stays open.
TEST_F(CommonDialogTest, SaveRefusesANameThatIsOnlyTheExtension) {
  SetUpFolderText();
  char buffer[260] = "";
  OPENFILENAME record = Record(buffer, sizeof buffer);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [](HWND dialog) {
    SetDlgItemText(dialog, edt1, ".mod");
    platform::TestKeyPress(VK_RETURN);
    ServeDialogs();
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetDlgItemText(dialog, edt1, "line");
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox,
                        folderText_ + "/.mod\nThe file name is not valid: it has no name before its extension.",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  ASSERT_TRUE(GetSaveFileName(&record));
  EXPECT_EQ(std::string(buffer), folderText_ + "/line.mod");
  EXPECT_FALSE(fs::exists(folder_ / ".mod"));
}

// A character beyond U+FFFF typed into the name reaches the disk as its
// four UTF-8 bytes, and the file made by the returned name is found there.
TEST_F(CommonDialogTest, ATypedCharacterBeyondTheBasicPlaneIsFourBytesOnTheDisk) {
  SetUpFolderText();
  std::vector<char> buffer(platform::kFileNameBufferSize, '\0');
  OPENFILENAME record = Record(buffer.data(), static_cast<DWORD>(buffer.size()));
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [](HWND dialog) {
    SetDlgItemText(dialog, edt1, "");
    platform::PresenterKey(dialog, 0, true, 0, 0x1F4A7);  // U+1F4A7, a droplet
    platform::PresenterKey(dialog, 0, false, 0, 0);
    platform::TestTypeText("x");
    platform::TestKeyPress(VK_RETURN);
  });
  ASSERT_TRUE(GetSaveFileName(&record));
  const std::string disk = platform::ToFileSystemName(buffer.data());
  EXPECT_EQ(disk, folderText_ + "/\xF0\x9F\x92\xA7x.mod");
  std::FILE* file = platform::OpenFile(buffer.data(), "w");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_TRUE(fs::exists(folder_ / "\xF0\x9F\x92\xA7x.mod"));
}

TEST_F(CommonDialogTest, APathLongerThanTheBufferIsRefusedNotCut) {
  SetUpFolderText();
  char buffer[16] = "keep";
  OPENFILENAME record = Record(buffer, sizeof buffer);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [](HWND dialog) {
    SetDlgItemText(dialog, edt1, "a.mod");
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_FALSE(GetOpenFileName(&record));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_STREQ(buffer, "keep");
  // The same for the name alone.
  char path[260] = "";
  char title[4] = "old";
  record = Record(path, sizeof path);
  record.lpstrFileTitle = title;
  record.nMaxFileTitle = sizeof title;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [](HWND dialog) {
    SetDlgItemText(dialog, edt1, "a.mod");
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_FALSE(GetOpenFileName(&record));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_STREQ(title, "old");
  EXPECT_STREQ(path, "");
}

// A buffer of kFileNameBufferSize holds the longest path the file system
// opens: two names of 85 x U+7BA1 (255 bytes on the disk each, the longest
// a name takes, 765 in the program's text) open whole; one more character
// in a name is refused with a message, and the dialog stays open; so is a
// path of short names one byte longer than the file system takes.
TEST_F(CommonDialogTest, TheLongestNamesOpenWholeAndALongerOneIsRefused) {
  SetUpFolderText();
  std::string longest;
  for (int i = 0; i < 85; ++i) longest += "\xE7\xAE\xA1";
  const fs::path inner = folder_ / longest / longest;
  fs::create_directories(inner);
  std::ofstream(inner / "m.mod") << "x";
  const std::string typed = platform::FromFileSystemName(inner.string() + "/m.mod");
  const std::string tooLong = platform::FromFileSystemName((folder_ / longest).string() + "\xE7\xAE\xA1/m.mod");
  // Short names whose path is one byte over the longest.
  std::string deep = folder_.string();
  while (deep.size() < 4076) deep += "/abcdefgh";
  deep += "/" + std::string(4096 - deep.size() - 5, 'm') + ".mod";
  std::vector<char> buffer(platform::kFileNameBufferSize, '\0');
  OPENFILENAME record = Record(buffer.data(), static_cast<DWORD>(buffer.size()));
  record.Flags |= OFN_FILEMUSTEXIST;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [&](HWND dialog) {
    SetDlgItemText(dialog, edt1, tooLong.c_str());
    platform::TestKeyPress(VK_RETURN);
    ServeDialogs();
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetDlgItemText(dialog, edt1, deep.c_str());
    platform::TestKeyPress(VK_RETURN);
    ServeDialogs();
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetDlgItemText(dialog, edt1, typed.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  for (const std::string& refused : {tooLong, deep})
    platform::ExpectModal(platform::ModalKind::MessageBox,
                          refused + "\nThe path is too long: the file system takes at most 4095 bytes in a path and "
                                    "255 in a name (a character shown as ? is one byte).",
                          [](HWND) { platform::TestKeyPress(VK_RETURN); });
  ASSERT_TRUE(GetOpenFileName(&record));
  EXPECT_EQ(platform::ToFileSystemName(buffer.data()), inner.string() + "/m.mod");
  EXPECT_EQ(record.nFileOffset, typed.size() - 5);
}

int BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED)
    SendMessage(dialog, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(reinterpret_cast<std::string*>(data)->c_str()));
  return 0;
}

TEST_F(CommonDialogTest, FolderBrowseStartsOnThePreselectedFolder) {
  SetUpFolderText();
  std::string start = folderText_ + "/sub";
  char name[MAX_PATH] = "";
  BROWSEINFO info{};
  info.pszDisplayName = name;
  info.lpszTitle = "Select folder for backup and save files";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_USENEWUI;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Browse For Folder", [&start](HWND dialog) {
    EXPECT_EQ(ItemText(dialog, 0x3744), start);
    platform::TestKeyPress(VK_RETURN);
  });
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolder(&info);
  ASSERT_NE(chosen, nullptr);
  char path[MAX_PATH] = "";
  EXPECT_TRUE(SHGetPathFromIDList(chosen, path));
  EXPECT_EQ(std::string(path), start);
  EXPECT_STREQ(name, "sub");
  CoTaskMemFree(chosen);
  EXPECT_FALSE(SHGetPathFromIDList(chosen, path));  // freed
  // A folder that does not exist is refused; Cancel gives null.
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Browse For Folder", [this](HWND dialog) {
    SetDlgItemText(dialog, 0x3744, (folderText_ + "/missing").c_str());
    platform::TestKeyPress(VK_RETURN);
    ServeDialogs();
    platform::TestKeyPress(VK_ESCAPE);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox, folderText_ + "/missing\nThe folder does not exist.",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
  // A folder whose path SHGetPathFromIDList cannot hand over is refused, saying why.
  const std::string deep = folderText_ + "/" + std::string(250, 'd');
  fs::create_directories(deep);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Browse For Folder", [&deep](HWND dialog) {
    SetDlgItemText(dialog, 0x3744, deep.c_str());
    platform::TestKeyPress(VK_RETURN);
    ServeDialogs();
    platform::TestKeyPress(VK_ESCAPE);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox,
                        deep + "\nThe folder's path is too long: at most 259 characters are taken (a character shown "
                               "as ? counts three).",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
}

TEST_F(CommonDialogTest, FontChoiceStartsFromTheDescriptionAndReturnsTheChoice) {
  LOGFONT font{};
  std::strcpy(font.lfFaceName, "Arial");
  font.lfHeight = -13;  // 10 points at 96 pixels per inch (13.3 pixels)
  font.lfWeight = FW_BOLD;
  CHOOSEFONT record{};
  record.lStructSize = sizeof record;
  record.lpLogFont = &font;
  record.Flags = CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_FORCEFONTEXIST;
  record.nSizeMin = 6;
  record.nSizeMax = 14;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Font", [](HWND dialog) {
    auto selected = [dialog](int list) {
      char text[64] = "";
      int index = static_cast<int>(SendDlgItemMessage(dialog, list, LB_GETCURSEL, 0, 0));
      SendDlgItemMessage(dialog, list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
      return std::string(text);
    };
    EXPECT_EQ(selected(0x0460), "DejaVu Sans");
    EXPECT_EQ(selected(0x0461), "Bold");
    EXPECT_EQ(selected(0x0462), "10");
    EXPECT_EQ(SendDlgItemMessage(dialog, 0x0462, LB_GETCOUNT, 0, 0), 9);  // 6 to 14
    SetFocus(GetDlgItem(dialog, 0x0462));
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_DOWN);
    ServeDialogs();
    EXPECT_EQ(selected(0x0462), "12");
    platform::TestKeyPress(VK_RETURN);
  });
  ASSERT_TRUE(ChooseFont(&record));
  EXPECT_STREQ(font.lfFaceName, "DejaVu Sans");
  EXPECT_EQ(font.lfHeight, -16);  // 12 points = 16 pixels
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfItalic, 0);
  EXPECT_EQ(record.iPointSize, 120);
}

TEST_F(CommonDialogTest, DefaultPrinterRecords) {
  PRINTDLG print{};
  print.lStructSize = sizeof print;
  print.Flags = PD_RETURNDEFAULT;
  ASSERT_TRUE(PrintDlg(&print));
  ASSERT_EQ(GlobalSize(print.hDevMode), 148u);
  auto* mode = static_cast<DEVMODE*>(GlobalLock(print.hDevMode));
  EXPECT_STREQ(mode->dmDeviceName, "PDF");
  EXPECT_EQ(mode->dmSize, 148);
  EXPECT_EQ(mode->dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(mode->dmFields & DM_ORIENTATION, DM_ORIENTATION);
  GlobalUnlock(print.hDevMode);
  auto* names = static_cast<const char*>(GlobalLock(print.hDevNames));
  const auto* header = reinterpret_cast<const DEVNAMES*>(names);
  EXPECT_STREQ(names + header->wDeviceOffset, "PDF");
  EXPECT_EQ(header->wDefault, DN_DEFAULTPRN);
  GlobalUnlock(print.hDevNames);
  // A second call frees the blocks it is handed and gives new ones.
  HGLOBAL old = print.hDevMode;
  ASSERT_TRUE(PrintDlg(&print));
  EXPECT_EQ(GlobalLock(old), nullptr);
  GlobalFree(print.hDevMode);
  GlobalFree(print.hDevNames);
  PAGESETUPDLG page{};
  page.lStructSize = sizeof page;
  page.Flags = PSD_RETURNDEFAULT | PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
  page.rtMargin = RECT{750, 500, 500, 500};
  ASSERT_TRUE(PageSetupDlg(&page));
  EXPECT_EQ(page.ptPaperSize.x, 8500);
  EXPECT_EQ(page.ptPaperSize.y, 11000);
  EXPECT_EQ(page.rtMargin.left, 750);  // kept
  GlobalFree(page.hDevMode);
  GlobalFree(page.hDevNames);
  OPENFILENAME wrong{};
  EXPECT_FALSE(GetOpenFileName(&wrong));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}

}  // namespace
