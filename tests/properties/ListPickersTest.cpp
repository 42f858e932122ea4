// The list pickers through the Layout window's Select commands: the picker
// opens on the row's record (row 1 without one), type-ahead steps through
// the names beginning with a letter, OK gives the row the picked name and
// moves the caret on, Cancel changes nothing and leaves no snapshot; the
// load picker's columns follow the temperatures in use; the section picker's
// title carries its number.
#include "properties/PropertyUiTesting.h"

#include "editing/LayoutTable.h"
#include "properties/ListPickers.h"
#include "services/TableWindow.h"

namespace {

class ListPickersTest : public PropertyUiFixture {
 protected:
  void SetUp() override {
    PropertyUiFixture::SetUp();
    Model& model = TheModel();
    model.sections[1].name = "A1";
    for (const char* name : {"B1", "A2"}) {
      PipeSection s;
      s.name = name;
      s.nominalSize = "6\"";
      s.schedule = "40";
      s.outsideDiameter = 6.625f;
      s.thickness = 0.28f;
      AppendSection(model.sections, s);
    }
    model.row(2).section.clear();
  }
  static TableWindow* PickerTable() { return TableOfWindow(GetFocus()); }
};

TEST_F(ListPickersTest, SectionPickerTypesAheadAndGivesTheRowItsChoice) {
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Select Section");
    TableWindow* table = PickerTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount, 3);
    EXPECT_EQ(table->currentRow, 1);  // the row names no section
    EXPECT_EQ(table->HeadingText(2, 1), "Diameter");
    EXPECT_EQ(table->CellText(3, 2, 0), "6\"");
    EXPECT_EQ(table->CellText(3, 3, 0), "40");
    platform::TestTypeText("a");
    platform::RunUntilIdle();
    EXPECT_EQ(table->currentRow, 3);
    platform::TestTypeText("a");
    platform::RunUntilIdle();
    EXPECT_EQ(table->currentRow, 1);
    platform::TestTypeText("z");  // no name begins with Z: the row stays
    platform::RunUntilIdle();
    EXPECT_EQ(table->currentRow, 1);
    platform::TestTypeText("b");
    platform::RunUntilIdle();
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(281);
  EXPECT_EQ(TheModel().row(2).section, "B1");
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  EXPECT_EQ(TheLayoutTable().currentColumn, 8);  // the caret moves on
}

TEST_F(ListPickersTest, CancelAndTheSameRecordLeaveTheModelAlone) {
  TheModel().row(2).section = "A2";
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(PickerTable()->currentRow, 3);  // opened on the row's own section
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  LayoutCommand(281);
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  LayoutCommand(281);
  EXPECT_EQ(TheModel().row(2).section, "A2");
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
}

TEST_F(ListPickersTest, MaterialAndLoadPickersShowTheirColumns) {
  Model& model = TheModel();
  model.materials[1].description = "Carbon steel";
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Select Material");
    EXPECT_EQ(PickerTable()->CellText(1, 2, 0), "Carbon steel");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  LayoutCommand(280);
  model.pipeLoads[1].operating[0] = {350.0f, 125.0f};
  model.pipeLoads[1].specificGravity = 0.85f;
  model.options.ThermalLoadCount = 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Select Load");
    TableWindow* table = PickerTable();
    EXPECT_EQ(table->HeadingText(2, 0), "T1");
    EXPECT_EQ(table->CellText(1, 2, 0), "350");
    EXPECT_EQ(table->CellText(1, 3, 0), "125");
    EXPECT_EQ(table->CellText(1, 8, 0), "0.85");
    EXPECT_EQ(table->HeadingText(9, 0), "Add.Wgt.");
    EXPECT_EQ(table->CellText(1, 10, 0), "Yes");
    EXPECT_GT(table->widths[2], 0);
    EXPECT_EQ(table->widths[4], 0);  // T2 and P2 hidden with one temperature
    EXPECT_EQ(table->widths[7], 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  LayoutCommand(282);
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Select Section 2");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(SelectSection(nullptr, "", 2), 0);
}

TEST_F(ListPickersTest, ADoubleClickPicks) {
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND) {
    TableWindow* table = PickerTable();
    TableGoTo(*table, 2);
    table->DoubleClick();
  });
  EXPECT_EQ(SelectSection(nullptr, "A1"), 2);
}

}  // namespace
