// The section dialog and the Pipe Sections list through the program's
// commands: a standard size and schedule fill the diameter and wall, every
// check's message keeps the dialog open, the insulation list fills the
// density, a declined rename keeps the old name, a changed diameter remakes
// the model; the list's in-place stores, its row commit, in-use refusal and
// an undoable paste; a jacket kept wide enough for its core on every road
// (Paste, each cell, a rename in the dialog); and the sections report in CSV.
#include "properties/PropertyUiTesting.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <tuple>

#include "editing/LayoutTable.h"
#include "elements/DerivedElementData.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/KindRecords.h"
#include "model/ListWindow.h"
#include "model/RowObjects.h"
#include "platform/Controls.h"
#include "printing/ReportOutput.h"
#include "properties/PropertyEdits.h"
#include "properties/SectionsTable.h"
#include "records/PipeDimensions.h"
#include "services/ErrorRecords.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/TableWindow.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

class SectionUiTest : public PropertyUiFixture {
 protected:
  static void Choose(HWND dialog, int combo, int index) {
    SendMessage(GetDlgItem(dialog, combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELENDOK), 0);
  }
  // Row 3 a jacketed pipe: the core S4 (4.5 x 0.237) in the jacket S6
  // (6.625 x 0.28, a bore of 6.065); S2 (2.375 x 0.154) free. The list open.
  static void JacketedRowAndList() {
    Model& model = TheModel();
    for (const auto& [name, diameter, wall] : {std::tuple{"S6", 6.625f, 0.28f}, {"S2", 2.375f, 0.154f}}) {
      PipeSection& section = model.sections[AppendSection(model.sections, PipeSection{})];
      std::tie(section.name, section.outsideDiameter, section.thickness) = std::tuple(name, diameter, wall);
    }
    model.row(3).elementType = ElementType::JacketedPipe;
    model.row(3).element = CreateElementData(ElementType::JacketedPipe);
    model.row(3).section = "S4";
    model.row(3).element->AsJacket()->jacketSection = "S6";
    SendMessage(ListFrame().window, WM_COMMAND, 189, 0);
  }
  static constexpr const char* kClearance = "(Jacket I.D. - lining) < (core O.D. + insulation)";
};

TEST_F(SectionUiTest, StandardSizesFillTheDialogAndEveryCheckHasItsMessage) {
  const int six = FindSizeRow(DimensionStandard(0), "6\"", 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "SECTION_DIALOG", [six](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Section # 1");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    EXPECT_EQ(Field(dialog, 1302), FormatDimension(4.5f));  // "Non Std": its own diameter
    Choose(dialog, 1201, six);
    EXPECT_EQ(Field(dialog, 1302), FormatDimension(6.625f));
    EXPECT_EQ(Field(dialog, 1303), FormatDimension(0.109f));  // the first schedule, 5S
    const LRESULT forty = SendMessage(GetDlgItem(dialog, 1202), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>("40"));
    Choose(dialog, 1202, static_cast<int>(forty));
    EXPECT_EQ(Field(dialog, 1303), FormatDimension(0.28f));
    SetDlgItemText(dialog, 1304, "0.3");
    ExpectRefusal(dialog, "Corrosion allowance >= Thickness");
    SetDlgItemText(dialog, 1304, "0.0625");
    SetDlgItemText(dialog, 1305, "75.01");
    ExpectRefusal(dialog, "Mill tolerance =  75.01  is invalid");
    // 75 % leaves a quarter of 0.28 = 0.07, less 0.0625: 0.0075 of wall.
    SetDlgItemText(dialog, 1305, "75");
    SetDlgItemText(dialog, 1306, "0.01");
    ExpectRefusal(dialog, "Insulation density defined without Insulation thickness");
    // The insulation list gives Cellular Glass, 9 lb/ft3.
    platform::ExpectModal(platform::ModalKind::Dialog, "INSULATION_DIALOG", [](HWND list) {
      TableWindow* table = TableOfWindow(GetFocus());
      ASSERT_NE(table, nullptr);
      EXPECT_EQ(table->rowCount, 12);
      EXPECT_EQ(table->CellText(4, 1, 0), "Cellular Glass");
      TableGoTo(*table, 4);
      SendMessage(list, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(Field(dialog, 1306), FormatInsulationDensity(static_cast<float>(9.0 / 1728.0)));
    SetDlgItemText(dialog, 1307, "2");
    SetDlgItemText(dialog, 1309, "3");
    ExpectRefusal(dialog, "Lining thickness defined without Lining density");
    SetDlgItemText(dialog, 1309, "3.1");
    ExpectRefusal(dialog, "Lining thickness > radius");
    SetDlgItemText(dialog, 1309, "");
    // A new name is confirmed; declined, the old name comes back.
    SetDlgItemText(dialog, 1301, "S6");
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDCANCEL, 0); });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Field(dialog, 1301), "S4");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(284);
  const PipeSection& s = TheModel().sections[1];
  EXPECT_EQ(s.name, "S4");
  EXPECT_EQ(s.nominalSize, "6\"");
  EXPECT_EQ(s.schedule, "40");
  EXPECT_FLOAT_EQ(s.outsideDiameter, 6.625f);
  EXPECT_FLOAT_EQ(s.thickness, 0.28f);
  EXPECT_FLOAT_EQ(s.millTolerance, 75.0f);
  EXPECT_NEAR(s.insulationDensity, 9.0 / 1728.0, 1e-7);
  EXPECT_FLOAT_EQ(s.insulationThickness, 2.0f);
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(SectionUiTest, ListStoresCommitsRefusesAndPastes) {
  Model& model = TheModel();
  PipeSection spare;
  spare.name = "S8";
  spare.outsideDiameter = 8.625f;
  spare.thickness = 0.322f;
  AppendSection(model.sections, spare);
  SendMessage(ListFrame().window, WM_COMMAND, 189, 0);
  platform::RunUntilIdle();
  ASSERT_EQ(CurrentListOpener(), &OpenSectionsTable);
  SectionsTable& table = TheSectionsTable();
  EXPECT_EQ(table.rowCount, 3);
  EXPECT_EQ(table.HeadingText(4, 1), UnitLabel(kUnitDimension));
  EXPECT_EQ(table.CellText(1, 4, 0), FormatDimension(4.5f));
  // Only an insulation density, then Enter: the half-given pair is cleared.
  TableGoTo(table, 2);
  table.currentColumn = 8;
  g_EditFieldText = "0.005";
  table.StoreCell();
  EXPECT_GT(model.sections[2].insulationDensity, 0.0f);
  table.EnterRow(false);
  EXPECT_FLOAT_EQ(model.sections[2].insulationDensity, 0.0f);
  table.currentRow = 2;
  table.currentColumn = 6;
  g_EditFieldText = "0.4";
  EXPECT_THROW(table.StoreCell(), std::string);  // corrosion allowance >= 0.322
  table.currentColumn = 7;
  g_EditFieldText = "50";
  table.StoreCell();
  table.currentColumn = 6;
  g_EditFieldText = "0.2";  // half of 0.322 less 0.2 is no wall: refused as in the dialog
  try {
    table.StoreCell();
    FAIL();
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Corrosion allowance + mill tolerance is too large");
  }
  EXPECT_FLOAT_EQ(model.sections[2].corrosionAllowance, 0.0f);
  table.currentColumn = 11;
  g_EditFieldText = "4";
  EXPECT_THROW(table.StoreCell(), std::string);  // lining > radius
  // A section a row uses cannot be deleted.
  table.currentRow = 1;
  table.DeleteRow();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Section S4 is in use, it cannot be deleted");
  // A row without a diameter asks for the dialog.
  TableGoTo(table, 3);
  table.currentColumn = 1;
  g_EditFieldText = "NEW";
  table.StoreCell();
  try {
    table.EnterRow(false);
    FAIL();
  } catch (const MsgCmd& command) {
    EXPECT_EQ(command.command, 113);
  }
  // Paste copies the dimensions and is an undoable edit.
  DeleteUndoRedoFiles();
  model.modified = false;
  TableGoTo(table, 2);
  SendMessage(ListFrame().window, WM_COMMAND, 363, 0);
  TableGoTo(table, 1);
  SendMessage(ListFrame().window, WM_COMMAND, 364, 0);
  EXPECT_EQ(model.sections[1].name, "S4");
  EXPECT_FLOAT_EQ(model.sections[1].outsideDiameter, 8.625f);
  EXPECT_TRUE(model.modified);
  EXPECT_TRUE(CanUndo());
}

TEST_F(SectionUiTest, APasteThatLeavesAJacketTooNarrowIsRefusedAndChangesNothing) {
  JacketedRowAndList();
  const Model& model = TheModel();
  const PipeSection core = model.sections[1], jacket = model.sections[2];
  auto command = [](int row, int id) {
    TableGoTo(TheSectionsTable(), row);
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
  };
  command(3, 363);
  command(2, 364);  // S2 over the jacket: a bore of 2.067 round the 4.5 core
  command(2, 363);
  command(1, 364);  // S6 over the core: 6.625 in a bore of 6.065
  EXPECT_EQ(messages, std::vector<std::string>(2, kClearance));
  EXPECT_EQ(model.sections[1], core);
  EXPECT_EQ(model.sections[2], jacket);
  EXPECT_FALSE(model.modified);
  EXPECT_FALSE(CanUndo());
  command(3, 364);  // the copy outlives a refused paste
  EXPECT_FLOAT_EQ(model.sections[3].outsideDiameter, 6.625f);
}

TEST_F(SectionUiTest, EveryCellAndTheDialogRefuseAJacketTooNarrowForItsCore) {
  JacketedRowAndList();
  const Model& model = TheModel();
  SectionsTable& table = TheSectionsTable();
  table.currentRow = 1;
  table.currentColumn = 8;
  g_EditFieldText = "9";
  table.StoreCell();
  table.currentColumn = 9;
  g_EditFieldText = "3";  // 10.5 in a bore of 6.065
  EXPECT_THROW(table.StoreCell(), std::string);
  EXPECT_FLOAT_EQ(model.sections[1].insulationThickness, 0.0f);
  // Renamed and narrowed in one OK: the row follows the new name, and so
  // does the check.
  platform::ExpectModal(platform::ModalKind::Dialog, "SECTION_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "J6");
    SetDlgItemText(dialog, 1302, "4.6");  // a bore of 4.04 round the 4.5 core
    ExpectRefusal(dialog, kClearance);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  table.currentRow = 2;
  table.EditCurrentItem();
  EXPECT_EQ(model.sections[2].name, "S6");
  EXPECT_FLOAT_EQ(model.sections[2].outsideDiameter, 6.625f);
}

// A jacket too narrow already (S2, a bore of 2.067 round the 4.5 core, as
// an older file may hold it) bars only what bears on the clearance: the
// core's corrosion allowance and the jacket's mill tolerance are stored,
// the core's insulation is still refused.
TEST_F(SectionUiTest, AJacketAlreadyTooNarrowBarsOnlyTheEditsThatBearOnIt) {
  JacketedRowAndList();
  const Model& model = TheModel();
  TheModel().row(3).element->AsJacket()->jacketSection = "S2";
  SectionsTable& table = TheSectionsTable();
  auto store = [&table](int row, int column, const char* text) {
    table.currentRow = row;
    table.currentColumn = column;
    g_EditFieldText = text;
    table.StoreCell();
  };
  EXPECT_NO_THROW(store(1, 6, "0.05"));
  EXPECT_FLOAT_EQ(model.sections[1].corrosionAllowance, 0.05f);
  EXPECT_NO_THROW(store(3, 7, "12.5"));
  EXPECT_FLOAT_EQ(model.sections[3].millTolerance, 12.5f);
  try {
    store(1, 9, "0.5");
    ADD_FAILURE() << "the insulation was stored";
  } catch (const std::string& message) {
    EXPECT_EQ(message, kClearance);
  }
  EXPECT_EQ(model.sections[1].insulationThickness, 0.0f);
}

// Where the jacket's bore and the core meet, the section store, the cells
// and the analysis draw the line at one place. The jacket S6 has a bore of
// 6.625 - 2 x 0.28 = 6.065 in, in single precision 6.06500006, the same
// number as the core diameter 6.065 typed: it fits, one step wider does
// not. Insulation typed in mm on the 4.5 core (bore 6.065 at 19.8755 mm):
// every thickness the cell stores the analysis accepts, and the cell
// refuses every one the analysis would.
TEST_F(SectionUiTest, TheStoreTheCellsAndTheAnalysisDrawTheJacketsLineAtOnePlace) {
  JacketedRowAndList();
  Model& model = TheModel();
  for (int row : {3, 4}) std::tie(model.row(row).material, model.row(row).load) = std::tuple("CS", "L1");
  JacketRecord& jacket = *model.row(3).element->AsJacket();
  std::tie(jacket.jacketMaterial, jacket.jacketLoad) = std::tuple("CS", "L1");
  // The analysis of row 3: the first refusal of its elements, if any.
  auto analysis = [&model]() -> std::string {
    MakeModel(model);
    AnalysisElementList list;
    GenerateRowElements(model, list, 3);
    EXPECT_EQ(list.count, 2);
    for (int index = 1; index <= list.count; ++index) try {
        ComputeRowDerivedData(model, list[index], kCaseIdOperating);
      } catch (const std::string& message) {
        return message;
      }
    return {};
  };
  const PipeSection core = model.sections[1];
  ASSERT_EQ(6.625f - 2.0f * 0.28f, 6.065f);
  PipeSection wide = core;
  wide.outsideDiameter = 6.065f;
  EXPECT_TRUE(StoreSection(model, 1, wide));
  EXPECT_EQ(analysis(), "");
  wide.outsideDiameter = std::nextafter(6.065f, 7.0f);
  EXPECT_THROW(StoreSection(model, 1, wide), std::string);
  EXPECT_EQ(model.sections[1].outsideDiameter, 6.065f);
  model.sections[1] = wide;  // as a file may hold it
  EXPECT_EQ(analysis().rfind("Row 3: Core OD = ", 0), 0u);

  model.sections[1] = core;
  struct MillimetreDimensions {
    UnitsSettings kept = g_UnitsSettings;
    MillimetreDimensions() { g_UnitsSettings.unit[kUnitDimension] = 1; }
    ~MillimetreDimensions() { g_UnitsSettings = kept; }
  } millimetres;
  ASSERT_EQ(UnitLabel(kUnitDimension), std::string("(mm)"));
  int stored = 0, refused = 0;
  for (int step = -20; step <= 20; ++step) {
    const std::string typed = CFormat("%.4f", 19.8755 + 0.001 * step);
    const float before = model.sections[1].insulationThickness;
    try {
      TheSectionsTable().currentRow = 1;
      TheSectionsTable().currentColumn = 9;
      g_EditFieldText = typed;
      TheSectionsTable().StoreCell();
      ++stored;
      EXPECT_EQ(analysis(), "") << typed << " mm";
    } catch (const std::string& message) {
      ++refused;
      EXPECT_EQ(message, kClearance) << typed << " mm";
      EXPECT_EQ(model.sections[1].insulationThickness, before) << typed << " mm";
    }
  }
  EXPECT_EQ(std::make_pair(stored, refused), std::make_pair(21, 20));
}

TEST_F(SectionUiTest, SectionsReportInCsv) {
  const std::string path = TempFolder() + "/sections.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, path));
  PrintSections();
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  const std::string title = "\r\nPipe sections,\r\n,Nominal,,O.D.,Thk,Cor.Al,M.Tol,Ins.Dens,Ins.Th,Lin.Dens,Lin.Th,\r\n";
  const std::string units = std::string("Name,Diameter,Sch,") + UnitLabel(kUnitDimension) + "," +
                            UnitLabel(kUnitDimension) + "," + UnitLabel(kUnitDimension) + ",(%)," +
                            UnitLabel(kUnitInsulationDensity) + ",";
  EXPECT_NE(text.find(title + units), std::string::npos) << text;
  // One line of all eleven fields, without zero suppression.
  const std::string diameter = FormatDimension(4.5f);
  const std::string wall = FormatDimension(0.237f);
  EXPECT_NE(text.find("\r\nS4,,," + diameter + "," + wall + ",0,0.0,"), std::string::npos) << text;
}

}  // namespace
