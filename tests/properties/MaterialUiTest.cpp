// The material dialog, the properties dialog and the Materials list driven
// through the program's commands: every check's message with the dialog
// kept open, a rename confirmed across the rows, the table against
// temperature typed in the properties dialog and stored sorted, the
// library's open dialog cancelled, and the list's type column, in-use refusal, new row
// without properties, copy and paste (undoable), and its export; the
// property pane's entry row kept through a refused value; a name given
// twice in a batch file left out, and a rename of a record whose name another
// holds (as a model file may) changing that record (materials, sections and
// loads).
#include "properties/PropertyUiTesting.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <tuple>

#include "application/LayoutWindow.h"
#include "editing/LayoutTable.h"
#include "elements/Bend.h"
#include "files/BatchImport.h"
#include "files/ModelFile.h"
#include "loads/Force.h"
#include "loads/PipeLoadsTable.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/RowOperations.h"
#include "platform/Input.h"
#include "properties/MaterialPropertyTable.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "services/ErrorRecords.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/TableWindow.h"
#include "services/TempFiles.h"

namespace {

class MaterialUiTest : public PropertyUiFixture {
 protected:
  // The dialog's table has the focus when the dialog opens.
  static HWND TableIn(HWND) { return GetFocus(); }
};

TEST_F(MaterialUiTest, DialogChecksEveryFieldThenRenamesAndStores) {
  Model& model = TheModel();
  auto& bend = dynamic_cast<Bend&>(*SetElementType(model, 3, ElementType::Bend));
  bend.material = "CS";
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL3_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Material # 1");
    EXPECT_EQ(Field(dialog, 1301), "CS");
    EXPECT_EQ(Field(dialog, 1507), "Yield strength");
    ExpectRefusal(dialog, "Description is required");
    SetDlgItemText(dialog, 1302, "Carbon steel A106 B");
    SetDlgItemText(dialog, 1301, "C S");
    ExpectRefusal(dialog, "Name =  C S  should be alpha numeric");
    SetDlgItemText(dialog, 1301, "A106");
    SetDlgItemText(dialog, 1304, "0.5");
    ExpectRefusal(dialog, "Nu should be < 0.5");
    SetDlgItemText(dialog, 1304, "-1");
    ExpectRefusal(dialog, "Nu =  -1  is invalid");
    SetDlgItemText(dialog, 1304, "0.3");
    SetDlgItemText(dialog, 1305, "0");
    ExpectRefusal(dialog, "Joint factor =  0  is invalid");
    SetDlgItemText(dialog, 1305, "1.01");
    ExpectRefusal(dialog, "Joint factor =  1.01  is invalid");
    SetDlgItemText(dialog, 1305, "");
    SetDlgItemText(dialog, 1307, "x");
    ExpectRefusal(dialog, "Yield strength =  X  is invalid");
    SetDlgItemText(dialog, 1307, "35000");
    SetDlgItemText(dialog, 1303, "0.283");
    // Without a library loaded "&Library" asks for one; cancelled, nothing
    // changes.
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Open Material Library",
                          [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(1), "from  \"CS\"  to  \"A106\" ?");
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(283);
  const Material& m = model.materials[1];
  EXPECT_EQ(m.name, "A106");
  EXPECT_EQ(m.description, "Carbon steel A106 B");
  EXPECT_FLOAT_EQ(m.jointFactor, 1.0f);
  EXPECT_FLOAT_EQ(m.strength, 35000.0f);
  EXPECT_FLOAT_EQ(m.density, 0.283f);
  EXPECT_EQ(model.row(2).material, "A106");
  EXPECT_EQ(bend.material, "A106");
  EXPECT_TRUE(model.modified);
  EXPECT_TRUE(CanUndo());
}

TEST_F(MaterialUiTest, PropertiesTypedInTheDialogAreStoredSorted) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL3_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "Steel");
    platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_PROPERTIES_DIALOG", [](HWND properties) {
      HWND window = TableIn(properties);
      ASSERT_NE(window, nullptr);
      auto* table = dynamic_cast<PropertyRowsTable*>(TableOfWindow(window));
      ASSERT_NE(table, nullptr);
      EXPECT_EQ(table->rowCount, 2);  // the material's row and the entry row
      EXPECT_EQ(table->HeadingText(4, 0), "Allowable");
      EXPECT_EQ(table->HeadingText(5, 0), "");
      // Rows typed as 300 and 200 after the 70 F row; alpha left empty.
      for (const char* t : {"300", "200"}) {
        TableGoTo(*table, table->rowCount);
        table->currentColumn = 1;
        TableLoadEditBuffer(*table);
        platform::TestTypeText(t);
        platform::RunUntilIdle();
        TableNextColumn(*table, 0);
        platform::TestTypeText("2.8E7");
        platform::RunUntilIdle();
        TableCommitCell(*table, false);
        platform::RunUntilIdle();
      }
      SendMessage(properties, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(283);
  const Material& m = TheModel().materials[1];
  ASSERT_EQ(m.numtemps, 3);
  EXPECT_FLOAT_EQ(m.temps[1].values[kMatTemperature], 70.0f);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatTemperature], 200.0f);
  EXPECT_FLOAT_EQ(m.temps[3].values[kMatTemperature], 300.0f);
  EXPECT_TRUE(IsExplicitZero(m.temps[3].values[kMatAlpha]));
}

// With keys only: a row typed and entered, then Tab through the next row's
// cells and on past its last to OK, Shift+Tab back into the table and from
// its first cell to Cancel, Tab to OK again and Return, which stores the row.
TEST_F(MaterialUiTest, TabLeavesThePropertiesTableForTheDialogsButtons) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL3_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "Steel");
    platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_PROPERTIES_DIALOG", [](HWND properties) {
      HWND window = TableIn(properties);
      auto* table = dynamic_cast<PropertyRowsTable*>(TableOfWindow(window));
      ASSERT_NE(table, nullptr);
      auto key = [properties](UINT virtualKey, bool shift = false) { DialogKey(properties, virtualKey, shift); };
      key(VK_DOWN);
      DialogType(properties, "300");
      key(VK_TAB);
      DialogType(properties, "2.8E7");
      key(VK_RETURN);
      ASSERT_EQ(table->rowCount, 3);
      int editable = 0;
      for (int column = 1; column <= table->columnCount; ++column) editable += table->IsCellEditable(3, column);
      ASSERT_GE(editable, 2);
      for (int tab = 1; tab < editable; ++tab) {
        key(VK_TAB);
        EXPECT_EQ(GetFocus(), window) << "Tab " << tab << " left the table";
      }
      key(VK_TAB);
      EXPECT_EQ(GetFocus(), GetDlgItem(properties, IDOK));
      key(VK_TAB, true);
      EXPECT_EQ(GetFocus(), window);
      key(VK_TAB, true);
      EXPECT_EQ(GetFocus(), GetDlgItem(properties, IDCANCEL));
      key(VK_TAB, true);
      EXPECT_EQ(GetFocus(), GetDlgItem(properties, IDOK));
      key(VK_RETURN);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(283);
  const Material& m = TheModel().materials[1];
  ASSERT_EQ(m.numtemps, 2);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatTemperature], 300.0f);
}

// A row typed on the entry row and left with Tab, never entered with
// Return, is entered by OK under the row's own rules: a whole row is kept,
// one the rules refuse keeps the dialog open with the reason and the
// keyboard in the cell it names, where the modulus typed next goes.
TEST_F(MaterialUiTest, OkEntersTheRowTypedOnTheEntryRowOrSaysWhyNot) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL3_DIALOG", [this](HWND dialog) {
    SetDlgItemText(dialog, 1302, "Steel");
    platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_PROPERTIES_DIALOG", [this](HWND properties) {
      HWND window = TableIn(properties);
      auto* table = dynamic_cast<PropertyRowsTable*>(TableOfWindow(window));
      ASSERT_NE(table, nullptr);
      auto tabToOk = [&] {
        for (int tab = 0; tab < 20 && GetFocus() == window; ++tab) DialogKey(properties, VK_TAB);
        ASSERT_EQ(GetFocus(), GetDlgItem(properties, IDOK));
      };
      DialogKey(properties, VK_DOWN);
      DialogType(properties, "450");
      tabToOk();
      messages.clear();
      DialogKey(properties, VK_RETURN);
      EXPECT_EQ(messages, std::vector<std::string>{"Modulus is required"});
      ASSERT_FALSE(platform::DialogEnded(properties)) << "OK ended the dialog over a row the rules refuse";
      EXPECT_EQ(GetFocus(), window) << "the keyboard stayed on OK";
      EXPECT_EQ(table->currentRow, 2);
      EXPECT_EQ(table->currentColumn, 2);
      DialogType(properties, "2.75E7");
      tabToOk();
      DialogKey(properties, VK_RETURN);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(283);
  const Material& m = TheModel().materials[1];
  ASSERT_EQ(m.numtemps, 2);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatTemperature], 450.0f);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatModulus], 2.75e7f);
}

TEST_F(MaterialUiTest, CancelAndAnUnchangedOkLeaveNoSnapshot) {
  Material& m = TheModel().materials[1];
  m.description = "Steel";
  FillMaterialDefaults(m);
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL3_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  LayoutCommand(283);
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL3_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  LayoutCommand(283);
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(MaterialUiTest, MaterialsListEditsTypesRefusesInUseAndAddsRows) {
  Model& model = TheModel();
  model.materials[1].description = "Steel";
  SendMessage(ListFrame().window, WM_COMMAND, 188, 0);
  platform::RunUntilIdle();
  MaterialsTable& table = TheMaterialsTable();
  ASSERT_EQ(CurrentListOpener(), &OpenMaterialsTable);
  EXPECT_EQ(table.rowCount, 2);
  EXPECT_EQ(table.HeadingText(3, 0), "Ty");
  EXPECT_EQ(table.HeadingText(8, 0), "Yield");
  EXPECT_EQ(TheMaterialPropertyPane().record, 1);
  // "fr" typed in the Type column stores FR and switches the pane to FRP.
  table.currentRow = 1;
  table.currentColumn = 3;
  g_EditFieldText = "FR";
  table.StoreCell();
  EXPECT_EQ(model.materials[1].type, "FR");
  EXPECT_EQ(model.materials[1].isFrp, 1);
  EXPECT_EQ(TheMaterialPropertyPane().HeadingText(2, 0), "Axial Mod.");
  g_EditFieldText = "XX";
  EXPECT_THROW(table.StoreCell(), std::string);
  EXPECT_EQ(model.materials[1].type, "FR");
  // Nu is checked as in the dialog: below 0.5 for steel, never negative.
  table.currentColumn = 5;
  g_EditFieldText = "-1";
  EXPECT_THROW(table.StoreCell(), std::string);
  EXPECT_FLOAT_EQ(model.materials[1].nu, 0.0f);
  // A typed joint factor of 0 is refused in both joint-factor columns.
  const std::vector<float> joints = {model.materials[1].jointFactor, model.materials[1].circJointFactor};
  for (const int column : {6, 7}) {
    table.currentColumn = column;
    g_EditFieldText = "0";
    EXPECT_THROW(table.StoreCell(), std::string) << column;
  }
  EXPECT_EQ(std::vector<float>({model.materials[1].jointFactor, model.materials[1].circJointFactor}), joints);
  // Deleting a material that a row names is refused.
  table.DeleteRow();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Material CS is in use, it cannot be deleted");
  EXPECT_EQ(model.materials.count, 1);
  // A new row with a name and description but no properties is added, then
  // reported.
  TableGoTo(table, 2);
  table.currentColumn = 1;
  g_EditFieldText = "SS";
  table.StoreCell();
  table.currentColumn = 2;
  g_EditFieldText = "Stainless";
  table.StoreCell();
  try {
    table.EnterRow(false);
    FAIL();
  } catch (const CI& error) {
    EXPECT_EQ(error.message, "Properties are required");
  }
  ASSERT_EQ(model.materials.count, 2);
  EXPECT_FLOAT_EQ(model.materials[2].nu, 0.3f);
  EXPECT_TRUE(IsExplicitZero(model.materials[2].density));
  // A material in use by no row goes.
  table.currentRow = 2;
  table.DeleteRow();
  EXPECT_EQ(model.materials.count, 1);
}

// Text typed in a list's cell and not stored stays in its cell, as typed,
// however the Layout moves under the list (the Down arrow, an Undo), and
// its key stores it.
TEST_F(MaterialUiTest, TextTypedInTheListStaysInItsCellWhenTheLayoutMoves) {
  Model& model = TheModel();
  model.materials[1].description = "Steel";
  ASSERT_TRUE(RunEdit(nullptr, [&] {
    model.row(3).dx = 20.0f;
    return true;
  }));
  SendMessage(ListFrame().window, WM_COMMAND, 188, 0);
  platform::RunUntilIdle();
  MaterialsTable& table = TheMaterialsTable();
  TableGoTo(table, 1);
  TableSetColumn(table, 4);
  SetFocus(table.Window());
  for (int n = table.EditLength(); n > 0; --n) platform::TestKeyPress(VK_BACK);
  platform::TestTypeText("0.3");
  platform::RunUntilIdle();
  const auto stillTyped = [&](const char* road) {
    EXPECT_EQ(table.currentRow * 10 + table.currentColumn, 14) << road;
    EXPECT_EQ(table.editBuffer, "0.3") << road;
    EXPECT_TRUE(table.editChanged) << road;
  };
  ReloadLayoutTable();
  SetForegroundWindow(LayoutFrame().window);
  SetFocus(LayoutTableWindow());
  platform::RunUntilIdle();
  ASSERT_EQ(GetFocus(), LayoutTableWindow());
  TableGoTo(TheLayoutTable(), 2);
  platform::TestKeyPress(VK_DOWN);
  platform::RunUntilIdle();
  ASSERT_EQ(model.currentRow, 3);
  stillTyped("Down");
  SendMessage(LayoutFrame().window, WM_COMMAND, 40050, 0);
  platform::RunUntilIdle();
  ASSERT_FALSE(CanUndo());
  stillTyped("Undo");
  SetFocus(table.Window());
  platform::TestKeyPress(VK_RETURN);
  platform::RunUntilIdle();
  EXPECT_EQ(table.CellText(1, 4, 0), "0.300");
}

// The pane's entry row refused twice by keys, each time with a real message
// box that has the keyboard while it is up: the row keeps its temperature
// and the keyboard comes back to E (with the refused text), so the modulus
// typed next is E's.
TEST_F(MaterialUiTest, ARefusalOnThePanesEntryRowKeepsTheRowAndTheKeyboardInTheCell) {
  TheModel().materials[1].description = "Steel";
  LayoutCommand(188);  // at the material of the Layout's row
  MaterialPropertyPane& pane = TheMaterialPropertyPane();
  ASSERT_EQ(pane.record, 1);
  SetFocus(pane.Window());
  TableGoTo(pane, 2);
  SetTableMessageSink(nullptr);
  for (const auto& [keys, message, edited] : {std::tuple{"300\r", "Modulus is required", ""},
                                              std::tuple{"q\t", "Modulus =  Q  is invalid", "Q"}}) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [shown = std::string(message)](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), shown);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    platform::TestTypeText(keys);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EXPECT_EQ(GetFocus(), pane.Window());
    EXPECT_EQ(pane.currentColumn, 2);
    EXPECT_EQ(pane.editBuffer, edited);
    EXPECT_FLOAT_EQ(pane.buffer.rows[2].values[kMatTemperature], 300.0f);
  }
  platform::TestKeyPress(VK_BACK);
  platform::TestTypeText("2.75E7\r");
  platform::RunUntilIdle();
  SetFocus(ListTableWindow(0));
  platform::RunUntilIdle();
  const Material& m = TheModel().materials[1];
  ASSERT_EQ(m.numtemps, 2);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatTemperature], 300.0f);
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatModulus], 2.75e7f);
}

TEST_F(MaterialUiTest, TheTypeChooserSelectsTheRecordsTypeOrNothing) {
  Model& model = TheModel();
  model.materials[1].description = "Steel";
  SetMaterialType(model.materials[1], "FR");
  SendMessage(ListFrame().window, WM_COMMAND, 188, 0);
  platform::RunUntilIdle();
  MaterialsTable& table = TheMaterialsTable();
  ASSERT_EQ(CurrentListOpener(), &OpenMaterialsTable);
  TableGoTo(table, 1);
  const auto selection = [](HWND dialog) {
    return static_cast<int>(SendMessage(GetDlgItem(dialog, 1701), LB_GETCURSEL, 0, 0));
  };

  // The record's type is selected; a double-click on another stores it.
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_TYPES_DIALOG", [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Material Types");
    HWND list = GetDlgItem(dialog, 1701);
    EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 12);
    EXPECT_EQ(selection(dialog), FindMaterialTypeIndex("FR"));
    SendMessage(list, LB_SETCURSEL, 11, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1701, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  });
  table.CellContextMenu(3);
  platform::CheckModalScript();
  EXPECT_EQ(model.materials[1].type, "CI");
  EXPECT_EQ(model.materials[1].isFrp, 0);

  // A type text that is no known code (as an old file may hold) selects
  // nothing, and OK without a choice keeps it; Cancel keeps it too.
  model.materials[1].type = "ZZ";
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_TYPES_DIALOG", [&](HWND dialog) {
    EXPECT_EQ(selection(dialog), LB_ERR);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.CellContextMenu(3);
  platform::CheckModalScript();
  EXPECT_EQ(model.materials[1].type, "ZZ");
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_TYPES_DIALOG", [&](HWND dialog) {
    SendMessage(GetDlgItem(dialog, 1701), LB_SETCURSEL, 1, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  table.CellContextMenu(3);
  platform::CheckModalScript();
  EXPECT_EQ(model.materials[1].type, "ZZ");

  // The empty type is entry 0, selected for a record without a type.
  SetMaterialType(model.materials[1], "");
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_TYPES_DIALOG", [&](HWND dialog) {
    EXPECT_EQ(selection(dialog), 0);
    SendMessage(GetDlgItem(dialog, 1701), LB_SETCURSEL, 1, 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.CellContextMenu(3);
  platform::CheckModalScript();
  EXPECT_EQ(model.materials[1].type, "AL");
}

TEST_F(MaterialUiTest, CopyAndPasteOfValuesIsAnUndoableEdit) {
  Model& model = TheModel();
  model.materials[1].description = "Steel";
  Material other;
  other.name = "M2";
  other.description = "Other";
  AppendMaterial(model.materials, other);
  SendMessage(ListFrame().window, WM_COMMAND, 188, 0);
  MaterialsTable& table = TheMaterialsTable();
  TableGoTo(table, 1);
  SendMessage(ListFrame().window, WM_COMMAND, 363, 0);
  // The copy holds values: changing the record afterwards does not reach it.
  model.materials[1].description = "Changed later";
  TableGoTo(table, 2);
  SendMessage(ListFrame().window, WM_COMMAND, 364, 0);
  EXPECT_EQ(model.materials[2].name, "M2");
  EXPECT_EQ(model.materials[2].description, "Steel");
  EXPECT_EQ(model.materials[2].numtemps, 1);
  EXPECT_TRUE(model.modified);
  EXPECT_TRUE(CanUndo());
  EXPECT_FALSE(MaterialCopied());  // one paste per copy
}

TEST_F(MaterialUiTest, ANameGivenTwiceIsLeftOutOfABatchFileAndARenameChangesTheEditedRecord) {
  std::istringstream batch(
      "Repeats\nMATERIAL\nCS,0.283\nCS,70,29E6\nX,0.1\nX,70,29E6\nCS,0.5\nCS,70,10E6\nPIPE\nS1,4.5,0.237\n"
      "S1,2.375,0.154\nLOADS\nL1,300,150\nL1,400,150,0,500\nLAYOUT\nF10,MCS,PS1,CL=L1\nT20,X10\n");
  Model imported;
  std::vector<std::string> log;
  ReadModelBatchFile(batch, imported, log);
  const std::string leftOut = "Line 7: Material CS is defined again: the line and its temperature rows are left out; "
                              "rows use the first";
  EXPECT_NE(std::find(log.begin(), log.end(), leftOut), log.end());
  EXPECT_EQ(std::tuple(imported.materials.count, imported.materials[1].numtemps, imported.sections.count,
                       imported.pipeLoads.count, imported.options.ThermalLoadCount),
            std::tuple(2, 1, 1, 1, 1));
  // A model file may hold repeats: they open as they are, and a rename of
  // the second leaves the rows on the first.
  Model& model = TheModel();
  const PipeSection section = model.sections[1];
  AppendMaterial(model.materials, Material(model.materials[1]));
  AppendSection(model.sections, section);
  AppendPipeLoad(model.pipeLoads, PipeLoad(model.pipeLoads[1]));
  const std::string path = TempFolder() + "/repeats.qvm";
  ASSERT_EQ(WriteModelFile(path), "");
  ASSERT_EQ(ReadModelFile(path), "");
  std::remove(path.c_str());
  auto rename = [](int list, TableWindow& table, int row, const char* name) {
    LayoutCommand(list);
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
    table.currentRow = row;
    table.currentColumn = 1;
    g_EditFieldText = name;
    table.StoreCell();
  };
  rename(188, TheMaterialsTable(), 2, "NEW");
  rename(190, ThePipeLoadsTable(), 2, "L9");
  rename(189, TheSectionsTable(), 2, "S9");
  const Model& read = TheModel();
  const LayoutRow& row = read.row(2);
  EXPECT_EQ(std::tuple(read.materials[1].name, read.sections[1].name, read.pipeLoads[1].name),
            std::tuple("CS", "S4", "L1"));
  EXPECT_EQ(std::tuple(read.materials[2].name, read.sections[2].name, read.pipeLoads[2].name),
            std::tuple("NEW", "S9", "L9"));
  EXPECT_EQ(std::tuple(row.material, row.section, row.load), std::tuple("CS", "S4", "L1"));
  // The first of a name renamed: the rows follow it to the same record.
  AppendSection(TheModel().sections, section);
  rename(189, TheSectionsTable(), 1, "S5");
  EXPECT_EQ(std::tuple(row.section, read.sections[3].name), std::tuple("S5", "S4"));
}

TEST_F(MaterialUiTest, ExportWritesEveryMaterialForTheCode) {
  Model& model = TheModel();
  model.options.PipingCode = 12;
  Material& m = model.materials[1];
  m.description = "Steel";
  m.nu = 0.3f;
  m.density = 0.283f;
  m.jointFactor = 1.0f;
  const std::string text = MaterialsExportText(model);
  const std::string expected = std::string("Material CS: Steel\r\nDensity = ") + FormatDensity(0.283f) +
                               " (lb/in3)\r\nNu = 0.300\r\nJoint factor = 1.00\r\n" +
                               "Temp,E,Alpha,Design,Proof,Rupture\r\n(F),(psi),(in/in/F),(psi),(psi),(psi)\r\n";
  EXPECT_EQ(text.substr(0, expected.size()), expected);
  EXPECT_NE(text.find("\r\n70,"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
}

}  // namespace

namespace {

// Analyze checks every element before it goes on: a material without its
// table against temperature stops it with the row made current.
TEST_F(MaterialUiTest, AnalyzeStopsAtAMaterialWithoutProperties) {
  TheModel().materials[1].numtemps = 0;
  TheModel().currentRow = 4;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOfDialog(box).at(0), "Row = 2, Material = CS does not have properties");
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 108, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().currentRow, 2);
  // With its table the elements pass, and a force on row 2 added to a
  // temperature the model does not use stops the analysis next.
  TheModel().materials[1].numtemps = 1;
  SetDataType(TheModel(), 2, DataType::Force);
  static_cast<NodalForce&>(*TheModel().row(2).item).AddedTo = 4;
  TheModel().currentRow = 4;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOfDialog(box).at(0).rfind("Row 2: Force is added to T3", 0), 0u) << LinesOfDialog(box).at(0);
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 108, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().currentRow, 2);
}

}  // namespace
