// What the flange qualification tool's tests share: the program started
// in-process with the Layout fixture, commands sent to the List frame while
// the tool holds it, the scripted answers to the tool's questions, notices
// and file dialogs, and the report's lines as the tool's window shows them.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "evaluations/EvaluationReport.h"
#include "evaluations/FlangeModel.h"
#include "evaluations/FlangeTool.h"
#include "model/LayoutTesting.h"
#include "platform/CommonDialog.h"
#include "shell/TempFiles.h"

class FlangeToolFixture : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    folder_ = TempFolder() + "/flange-tool";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    TheModel().modified = false;
  }
  void TearDown() override {
    CloseFlangeWindow();
    TheFlangeDocument() = FlangeDocument{};
    LayoutFixture::TearDown();
    std::filesystem::remove_all(folder_);
  }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // File > New from the window `frame`, choosing the flange qualification.
  static void NewFlangeFrom(HWND frame) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1006, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1006)));
    });
    SendMessage(frame, WM_COMMAND, 101, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static void Tool(int command) {
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
  }
  static void ExpectMessage(const std::string& name, const std::vector<std::string>& lines) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), lines);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static void AnswerSaveQuestion(const std::string& name, int button) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG", [name, button](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), "Do you want to save changes to  " + name + " ?");
      SendMessage(dialog, WM_COMMAND, button, 0);
    });
  }
  static void ExpectNotice(const std::string& text) {
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [text](HWND dialog) {
      char shown[128] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      EXPECT_EQ(shown, text);
    });
  }
  // The file dialog `title` answered with `path` (empty: Cancel).
  static void AnswerFileDialog(const std::string& title, const std::string& path) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, title, [path](HWND dialog) {
      if (path.empty()) {
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static std::string Title(HWND window) { return TextOf(window); }
  // The report as the tool's window shows it: plain lines as their text,
  // stress rows as "label ! calculated allowed ratio status", headings "#".
  static std::vector<std::string> ReportLines() {
    std::vector<std::string> lines;
    for (int index = 0; index < EvaluationReportLineCount(); ++index) {
      const EvaluationLine& line = EvaluationReportLineAt(index);
      lines.push_back(line.kind == kEvaluationHeadingRow ? "#" : line.text);
    }
    return lines;
  }
  static bool Has(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
      if (line == text) return true;
    return false;
  }

  std::string folder_;
};
