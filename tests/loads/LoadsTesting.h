// The fixture of the loads' window tests: the List window's model (five
// rows, an anchor on row 1, pipe load L1 on row 2; ListTesting.h), with the
// loads' commands sent to the Layout and List frames as the menus send
// them, scripted message boxes, and reports written to files and read back.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/ListTesting.h"
#include "model/UndoFiles.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "printing/ReportOutput.h"
#include "services/ReportMode.h"
#include "services/TempFiles.h"

class LoadsFixture : public ListFixture {
 public:
  void SetUp() override {
    ListFixture::SetUp();
    DeleteUndoRedoFiles();
    folder_ = std::filesystem::path(TempFolder()) / "loads-tests";
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    g_ReportToFile = false;
    g_ReportFileOpen = false;
    std::filesystem::remove_all(folder_);
    ListFixture::TearDown();
  }

  static void Layout(int command) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
  }
  static void List(int command) {
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
  }

  // A message box with these lines, answered with `button` (IDOK is OK or
  // Yes, IDCANCEL No).
  static void ExpectBox(const std::vector<std::string>& lines, int button = IDOK) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE" + std::to_string(lines.size()) + "_DIALOG",
                          [lines, button](HWND box) {
                            EXPECT_EQ(LinesOfDialog(box), lines);
                            SendMessage(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                          });
  }
  // The dialog `name`, worked on by `act` (which closes it).
  static void Expect(const std::string& name, const std::function<void(HWND)>& act) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, act);
  }
  static void Press(HWND dialog, int id) { SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); }
  static std::string Field(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
  static void SetField(HWND dialog, int id, const std::string& text) { SetDlgItemText(dialog, id, text.c_str()); }
  static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
  static bool Shown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
  // Clicks a button as the user does (its auto check changes, then the
  // dialog hears the click).
  static void ClickItem(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

  // A file chosen in the open or save dialog titled `title`.
  static void ChooseFile(const std::string& title, const std::string& path) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, title, [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
  }

  // The lines a report writer puts in a text (or a comma-separated) file,
  // from the first line after the page header. The program ends every
  // comma-separated line with a comma.
  std::vector<std::string> Report(const std::function<void()>& write, bool csv = false) {
    const std::filesystem::path path = folder_ / (csv ? "report.csv" : "report.txt");
    EXPECT_TRUE(ReportOpenFile(nullptr, path.string()));
    write();
    EXPECT_TRUE(ReportCloseFile());
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    // The page header: three lines of text, two of comma-separated text.
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(lines.size(), csv ? 2 : 3));
    while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
    while (!lines.empty() && (lines.back().empty() || lines.back() == "\f")) lines.pop_back();
    return lines;
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  static void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

 protected:
  std::filesystem::path folder_;
};
