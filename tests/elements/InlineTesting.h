// What the tests of the in-line kinds share (valves, reducers, rigid and
// elastic elements, cut pipes, miters, jacketed items, hydrotest loads):
// the List window fixture's program and model with lengths in inches, a
// kind's dialog reached as a user reaches it (a double click on the type
// column of the row in the Layout table), the field messages a refused OK
// shows, typing into a list's cells, and a kind's printed section read back
// as text or comma-separated lines.
#pragma once

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "application/LayoutWindow.h"
#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "model/ListTesting.h"
#include "model/UndoFiles.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "printing/ReportOutput.h"
#include "services/TempFiles.h"
#include "services/Units.h"

class InlineFixture : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    g_UnitsSettings = UnitsSettings{};
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  }
  void TearDown() override {
    SetTableResultsShown(false);
    g_UnitsSettings = UnitsSettings{};
    ListFixture::TearDown();
  }

  // The dialog of the double click on `row`'s type column, answered by
  // `script`.
  template <typename Script>
  static void EditRow(const char* templateName, int row, Script script) {
    ShowModelWindows();
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, script);
    TableGoTo(TheLayoutTable(), row);
    TheLayoutTable().currentColumn = 2;
    TheLayoutTable().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static bool Enabled(HWND dialog, int item) { return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE; }
  static bool Visible(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE; }
  static bool ReadOnly(HWND dialog, int item) {
    return (GetWindowLongPtr(GetDlgItem(dialog, item), GWL_STYLE) & ES_READONLY) != 0;
  }
  static void Ok(HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); }
  static void Cancel(HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); }
  static void ExpectMessage(const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND message) {
      EXPECT_EQ(LinesOfDialog(message).at(0), line);
      Ok(message);
    });
  }
  // OK refused with `line`; the dialog stays open on `focus`.
  static void ExpectRefused(HWND dialog, const std::string& line, int focus) {
    ExpectMessage(line);
    Ok(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog)) << line;
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, focus)) << line;
  }

  // Types `text` into a cell of `table` and stores it, as the keyboard does.
  // A refused cell left before is given up first, as Escape does.
  static void TypeCell(TableWindow& table, int row, int column, const std::string& text) {
    table.editChanged = false;
    TableGoTo(table, row);
    table.currentColumn = column;
    TableLoadEditBuffer(table);
    table.editBuffer.clear();
    for (char c : text)
      if (const int kept = table.FilterChar(c)) table.editBuffer += static_cast<char>(kept);
    table.editChanged = true;
    TableCommitEdit(table);
  }

  static std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  // The section printed by `print` into a report file: text when the path
  // ends in .txt, comma-separated when in .csv.
  static std::vector<std::string> Report(const std::string& name, const std::function<void()>& print) {
    const std::string path = TempFolder() + "/" + name;
    EXPECT_TRUE(ReportOpenFile(nullptr, path));
    print();
    EXPECT_TRUE(ReportCloseFile());
    return Lines(path);
  }
  // The first line that contains `text`, or the empty text.
  static std::string LineWith(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
      if (line.find(text) != std::string::npos) return line;
    return {};
  }
  // The text at 1-based columns first..last of a report line, blanks trimmed.
  static std::string At(const std::string& line, int first, int last) {
    if (static_cast<int>(line.size()) < first) return {};
    std::string part = line.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
    const std::size_t a = part.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return part.substr(a, part.find_last_not_of(' ') - a + 1);
  }
};
