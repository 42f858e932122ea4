// The Pumps, Compressors, Turbines and Allowables lists through the
// program's commands: the Layout window's Misc commands open them (empty
// lists too), the list dialog offers them once they hold records, their
// dialogs refuse bad input in order with each message and keep the record,
// OK stores and marks the model modified (an unchanged OK does not), the
// description is cut to 15 characters, a compressor with a vertical shaft
// is stored after its warning (a turbine gets none), a line without a
// description is refused, Delete moves the later records up, and the
// Allowables list's Copy and Paste copy a record through its dialog.
#include <gtest/gtest.h>

#include "elements/CompressorList.h"
#include "evaluations/AllowablesList.h"
#include "evaluations/PumpList.h"
#include "properties/PropertyUiTesting.h"
#include "services/ErrorRecords.h"
#include "services/NumberText.h"

namespace {

class EquipmentListsTest : public PropertyUiFixture {
 protected:
  static void Answer(const char* templateName, const std::function<void(HWND)>& action) {
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, action);
  }
  static void ExpectWarning(const std::string& message) {
    Answer("MESSAGE1_DIALOG", [message](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), message);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
  }
  static void Combo(HWND dialog, int item, int index) {
    SendMessage(GetDlgItem(dialog, item), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
  }
  // A radio of the group first .. last clicked: it alone checked, then its notification.
  static void Radio(HWND dialog, int first, int last, int item) {
    CheckRadioButton(dialog, first, last, item);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
  }
  static void Click(HWND dialog, int item) {
    SendMessage(GetDlgItem(dialog, item), BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
  }
};

}  // namespace

TEST_F(EquipmentListsTest, PumpsOpenFromTheLayoutAndTheDialogChecksEachFieldInOrder) {
  LayoutCommand(193);
  ASSERT_EQ(CurrentListOpener(), &OpenPumpsTable);
  PumpsTable& table = ThePumpsTable();
  EXPECT_EQ(table.rowCount, 1);  // the entry line of an empty list
  TableGoTo(table, 1);
  Answer("PUMP_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Pump # 1");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 2001)));
    ExpectRefusal(dialog, "Description is required");
    SetDlgItemText(dialog, 1301, "Charge pump P-101A long");
    ExpectRefusal(dialog, "Suction or discharge node is required");
    SetDlgItemText(dialog, 1303, "99");
    ExpectRefusal(dialog, "Suction Node =  99  is not defined");
    SetDlgItemText(dialog, 1303, "10");
    Click(dialog, 1406);  // suction End
    ExpectRefusal(dialog, "Direction is invalid");
    SetDlgItemText(dialog, 1305, "1");
    SetDlgItemText(dialog, 1306, "0.1");  // a sloped shaft would skew the pump's frame
    ExpectRefusal(dialog, "Pump Charge pump P-1: the shaft axis of a horizontal pump must be level");
    SetDlgItemText(dialog, 1306, "");
    ExpectRefusal(dialog, "Center of the pump is required");
    SetDlgItemText(dialog, 1308, "10");
    // ANSI/HI: the category, size and material are required in order.
    Click(dialog, 1403);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 2001)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1404)));
    SendMessage(GetDlgItem(dialog, 2001), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ExpectRefusal(dialog, "Pump category not selected");
    Combo(dialog, 2001, 4);
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 2002), CB_GETCOUNT, 0, 0), 6);  // the axial split nominal sizes
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1513)), "Bolt size");
    ExpectRefusal(dialog, "Pump or Nozzle size not selected");
    Combo(dialog, 2002, 0);
    ExpectRefusal(dialog, "Pump material not selected");
    Combo(dialog, 2004, 2);
    ExpectRefusal(dialog, "Bolt Size or Mounting Type not selected");
    Combo(dialog, 2003, 3);
    SetDlgItemText(dialog, 1302, "600");
    ExpectRefusal(dialog, "Temperature cannot be > 500");
    SetDlgItemText(dialog, 1302, "350");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  const Model& model = TheModel();
  ASSERT_EQ(model.pumps.count, 1);
  const Pump& p = model.pumps[1];
  EXPECT_EQ(p.name, "Charge pump P-1");
  EXPECT_EQ(p.standard, kPumpAnsiHi962);
  EXPECT_EQ(p.category, 4);
  EXPECT_EQ(p.boltOrMounting, 3);
  EXPECT_EQ(p.materialGroup, 2);
  EXPECT_FLOAT_EQ(p.temperature, 350.0f);
  EXPECT_EQ(p.suctionNode, 10);
  EXPECT_FLOAT_EQ(p.centre[0], 120.0f);  // 10 in the feet-and-inches unit
  EXPECT_TRUE(model.modified);
  EXPECT_EQ(table.CellText(1, 13, 0), "AxialSplit");
  EXPECT_EQ(table.CellText(1, 16, 0), "1.00in");
  EXPECT_EQ(table.CellText(1, 4, 0), "");  // no location word for ANSI/HI
  // OK on an unchanged record leaves the modified flag as it was.
  TheModel().modified = false;
  Answer("PUMP_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1403), BST_CHECKED);
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 2003), CB_GETCURSEL, 0, 0), 3);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  EXPECT_FALSE(TheModel().modified);
  // A horizontal pump keeps the locations clicked: suction End, discharge Side.
  Answer("PUMP_DIALOG", [](HWND dialog) {
    Click(dialog, 1401);
    Radio(dialog, 1404, 1406, 1406);
    Radio(dialog, 1407, 1409, 1408);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().pumps[1].standard, kPumpHorizontalApi610);
  EXPECT_EQ(TheModel().pumps[1].suctionLocation, kNozzleEnd);
  EXPECT_EQ(TheModel().pumps[1].dischargeLocation, kNozzleSide);
  EXPECT_EQ(table.CellText(1, 4, 0), "End ");
  EXPECT_EQ(table.CellText(1, 13, 0), "");  // no ANSI/HI fields kept
  // A discharge node alone is enough for a vertical inline pump; its
  // locations are stored as Side.
  TableGoTo(table, 2);
  Answer("PUMP_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "V-1");
    Click(dialog, 1402);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1305)));
    SetDlgItemText(dialog, 1304, "20");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().pumps.count, 2);
  EXPECT_EQ(TheModel().pumps[2].vertical, 1);
  EXPECT_EQ(TheModel().pumps[2].dischargeLocation, kNozzleSide);
  EXPECT_EQ(table.CellText(2, 2, 0), "Y");
  // Delete moves the later pump up.
  TableGoTo(table, 1);
  table.DeleteRow();
  ASSERT_EQ(TheModel().pumps.count, 1);
  EXPECT_EQ(TheModel().pumps[1].name, "V-1");
  // The list dialog offers the list once it has a pump.
  BuildListMenu();
  bool offered = false;
  for (const ListMenuEntry& entry : ListMenuEntries()) offered = offered || entry.label == "&Pumps";
  EXPECT_TRUE(offered);
}

TEST_F(EquipmentListsTest, CompressorsAndTurbinesShareTheDialogAndTheTable) {
  LayoutCommand(194);
  ASSERT_EQ(CurrentListOpener(), &OpenCompressorsList);
  RotatingEquipmentTable& table = TheRotatingEquipmentTable();
  TableGoTo(table, 1);
  Answer("COMPRESSOR_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Compressor # 1");
    ExpectRefusal(dialog, "Description is required");
    SetDlgItemText(dialog, 1301, "Recycle compressor K-1");
    SetDlgItemText(dialog, 1302, "25");
    ExpectRefusal(dialog, "Inlet node =  25  is not defined");
    SetDlgItemText(dialog, 1302, "20");
    SetDlgItemText(dialog, 1303, "30");
    ExpectRefusal(dialog, "Direction is invalid");
    SetDlgItemText(dialog, 1307, "1");
    ExpectWarning("Shaft axis not in horizontal plane");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  const Model& model = TheModel();
  ASSERT_EQ(model.compressors.count, 1);
  EXPECT_EQ(model.compressors[1].description, "Recycle compres");
  EXPECT_EQ(model.compressors[1].description.size(), 15u);
  EXPECT_EQ(model.compressors[1].exhaustNode, 30);
  EXPECT_FLOAT_EQ(model.compressors[1].shaftAxis[1], 1.0f);
  EXPECT_EQ(table.CellText(1, 7, 0), "1.000");
  // A turbine with the same axis gets no warning (none is expected).
  LayoutCommand(195);
  ASSERT_EQ(CurrentListOpener(), &OpenTurbinesList);
  TableGoTo(table, 1);
  Answer("COMPRESSOR_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Turbine # 1");
    SetDlgItemText(dialog, 1301, "T-1");
    SetDlgItemText(dialog, 1307, "1");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  ASSERT_EQ(model.turbines.count, 1);
  EXPECT_EQ(model.compressors.count, 1);
  // A typed node cell is checked as the dialog checks it; a line without a
  // direction is refused on Enter.
  TableGoTo(table, 1);
  TableSetColumn(table, 2);
  g_EditFieldText = "77";
  EXPECT_THROW(table.StoreCell(), std::string);
  EXPECT_EQ(model.turbines[1].inletNode, 0);
  TableSetColumn(table, 7);
  g_EditFieldText = "0";
  table.StoreCell();
  try {
    table.EnterRow(false);
    ADD_FAILURE() << "a line without direction was taken";
  } catch (const CI& refusal) {
    EXPECT_EQ(refusal.message, "Direction is invalid");
    EXPECT_EQ(refusal.column, 6);
  }
}

TEST_F(EquipmentListsTest, AllowablesDialogCopyAndPaste) {
  LayoutCommand(40047);
  ASSERT_EQ(CurrentListOpener(), &OpenAllowablesTable);
  AllowablesTable& table = TheAllowablesTable();
  TableGoTo(table, 1);
  Answer("ALLOWABLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Allowable # 1");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1501)), "FX/P (lb)");
    SetDlgItemText(dialog, 1302, "abc");
    ExpectRefusal(dialog, "FX/P is invalid");  // before the node is asked for
    SetDlgItemText(dialog, 1302, "1200");
    ExpectRefusal(dialog, "Node number is required");
    SetDlgItemText(dialog, 1301, "30");
    SetDlgItemText(dialog, 1307, "4500");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  Model& model = TheModel();
  ASSERT_EQ(model.allowables.count, 1);
  EXPECT_EQ(model.allowables[1].node, 30);
  EXPECT_FLOAT_EQ(model.allowables[1].values[0], 1200.0f);
  EXPECT_FLOAT_EQ(model.allowables[1].values[5], 4500.0f * 12.0f);
  EXPECT_EQ(table.CellText(1, 3, 0), "");  // 0 is an empty cell
  // Copy on line 1, Paste on the entry line: the dialog opens on the copy.
  TableGoTo(table, 1);
  SendMessage(ListFrame().window, WM_COMMAND, 363, 0);
  TableGoTo(table, 2);
  Answer("ALLOWABLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Allowable # 2");
    EXPECT_EQ(Field(dialog, 1301), "30");
    SetDlgItemText(dialog, 1301, "40");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 364, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(model.allowables.count, 2);
  EXPECT_EQ(model.allowables[2].node, 40);
  EXPECT_FLOAT_EQ(model.allowables[2].values[0], 1200.0f);
  EXPECT_EQ(model.allowables[1].node, 30);
  // A cancelled Paste leaves the line as it was.
  TableGoTo(table, 1);
  SendMessage(ListFrame().window, WM_COMMAND, 363, 0);
  TableGoTo(table, 2);
  Answer("ALLOWABLE_DIALOG", [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  SendMessage(ListFrame().window, WM_COMMAND, 364, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(model.allowables[2].node, 40);
  EXPECT_EQ(model.allowables.count, 2);
}

// Copy keeps the values of the line copied, not its position: a Delete
// before the Paste moves the records under it.
TEST_F(EquipmentListsTest, AllowablePasteGivesTheValuesCopiedAfterADelete) {
  Model& model = TheModel();
  for (int n = 1; n <= 4; ++n) AppendAllowable(model.allowables, Allowable{10 * n, {1000.0f * static_cast<float>(n)}});
  LayoutCommand(40047);
  ASSERT_EQ(CurrentListOpener(), &OpenAllowablesTable);
  AllowablesTable& table = TheAllowablesTable();
  TableGoTo(table, 3);
  SendMessage(ListFrame().window, WM_COMMAND, 363, 0);
  TableGoTo(table, 1);
  table.DeleteRow();
  ASSERT_EQ(model.allowables.count, 3);
  TableGoTo(table, 4);
  Answer("ALLOWABLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "30");
    EXPECT_EQ(Field(dialog, 1302), "3000");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 364, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(model.allowables.count, 3);
}

TEST_F(EquipmentListsTest, TypedAllowableCellsAreStoredThroughTheDialogsParsers) {
  LayoutCommand(40047);
  AllowablesTable& table = TheAllowablesTable();
  TableGoTo(table, 1);
  TableSetColumn(table, 2);
  g_EditFieldText = "500";
  try {
    table.StoreCell();
    ADD_FAILURE() << "a value stored before the node";
  } catch (const CI& refusal) {
    EXPECT_EQ(refusal.message, "Node number is required");
    EXPECT_EQ(refusal.column, 1);
  }
  TableSetColumn(table, 1);
  g_EditFieldText = "55";
  EXPECT_THROW(table.StoreCell(), std::string);  // not a node of the model
  g_EditFieldText = "20";
  table.StoreCell();
  table.EnterRow(false);
  Model& model = TheModel();
  ASSERT_EQ(model.allowables.count, 1);
  EXPECT_EQ(model.allowables[1].node, 20);
  TableGoTo(table, 1);
  TableSetColumn(table, 6);
  g_EditFieldText = "x1";
  try {
    table.StoreCell();
    ADD_FAILURE() << "a bad value stored";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "MY/MC is invalid");
  }
  g_EditFieldText = "150";
  table.StoreCell();
  EXPECT_FLOAT_EQ(model.allowables[1].values[4], 1800.0f);  // 150 ft-lb
  EXPECT_TRUE(model.modified);
}
