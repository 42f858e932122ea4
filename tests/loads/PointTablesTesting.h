// The fixture of the two point tables' window tests (force spectra, time
// functions): the loads' fixture (LoadsTesting.h) under a code that offers
// both tables, with the List window's File menu looked into and a cell of a
// table typed and entered as a user does.
#pragma once

#include <string>

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
