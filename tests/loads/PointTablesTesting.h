// The fixture of the two point tables' window tests (force spectra, time
// functions): the loads' fixture (LoadsTesting.h) under a code that offers
// both tables, with the List window's File menu looked into, a text file
// read through a table's File command, and a cell of a table typed and
// entered as a user does.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "loads/LoadsTesting.h"
#include "platform/Menu.h"
#include "services/TableWindow.h"

class PointTablesFixture : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    TheModel().options.PipingCode = 3;
  }
  static bool FileMenuHas(int command) {
    return GetMenuState(GetSubMenu(ListFrame().menu, 0), static_cast<UINT>(command), MF_BYCOMMAND) !=
           static_cast<UINT>(-1);
  }
  // A key, and a text's characters, as the user presses them, each handled.
  static void Key(UINT key) {
    platform::TestKeyPress(key);
    platform::RunUntilIdle();
  }
  static void Type(const std::string& text) {
    platform::TestTypeText(text);
    platform::RunUntilIdle();
  }
  // `text` read by the File command `command` of the table shown, its open
  // dialog titled `title`; the messages it shows in turn, each with the
  // button that answers it (IDOK: OK or Yes, IDCANCEL: No).
  void ReadText(int command, const std::string& title, const std::string& text,
                const std::vector<std::pair<std::vector<std::string>, int>>& boxes) {
    const std::string path = Path("read.txt");
    WriteText(path, text);
    ChooseFile(title, path);
    for (const auto& [lines, button] : boxes) ExpectBox(lines, button);
    List(command);
    platform::CheckModalScript();
  }
  // Types `text` into the current cell of `table` and enters it.
  static void TypeCell(TableWindow& table, int row, int column, const std::string& text) {
    SetFocus(table.Window());
    TableGoTo(table, row);
    TableSetColumn(table, column);
    table.editBuffer = text;
    table.editChanged = true;
    TableCommitEdit(table);
    platform::RunUntilIdle();
  }
};
