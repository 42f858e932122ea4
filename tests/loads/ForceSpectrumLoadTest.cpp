// Force spectrum loads as a user meets them: placed from the Layout
// window's data column and edited in FORCE_SPECTRUM_LOAD_DIALOG (FZ to MX
// refills the units with the moment units, MX in Nm stores the factor
// 0.112985, a scale factor of -2 is accepted, OK unchanged and Cancel
// store nothing, results mode locks it, a spectrum that does not
// exist shows none and OK then wants one), listed as "Force spectrum loads"
// with the typed scale factor, printed as text and comma-separated lines.
#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "loads/DirectionalLoadList.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/LoadsTesting.h"
#include "model/RowOperations.h"
#include "records/ForceSpectrum.h"
#include "services/Units.h"

namespace {

class ForceSpectrumLoadTest : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    g_UnitsSettings = UnitsSettings{};
    Model& model = TheModel();
    model.options.PipingCode = 3;
    model.forceSpectra.insert(model.forceSpectra.begin(), NamedPoints{"Slug", {{1.0f, 2.0f}}});
    model.forceSpectra.insert(model.forceSpectra.begin() + 1, NamedPoints{"Relief", {{2.0f, 3.0f}}});
    MakeModel(model);
    ShowModelWindows();
  }
  void TearDown() override {
    SetTableResultsShown(false);
    LoadsFixture::TearDown();
  }
  static int Selected(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessage(dialog, id, CB_GETCURSEL, 0, 0)); }
  static int Count(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessage(dialog, id, CB_GETCOUNT, 0, 0)); }
  static void ChooseDirection(HWND dialog, int index) {
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_CLOSEUP), 0);
  }
  static ForceSpectrumLoad& LoadAt(int row) { return static_cast<ForceSpectrumLoad&>(*TheModel().row(row).item); }
  static void EditData(int row) {
    LayoutTable& table = TheLayoutTable();
    TableGoTo(table, row);
    table.currentColumn = 9;
    table.DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
};

TEST_F(ForceSpectrumLoadTest, TheDialogStoresTheMomentUnitsFactor) {
  g_UnitsSettings.unit[kUnitMoment] = 2;  // Nm
  LayoutTable& table = TheLayoutTable();
  TableGoTo(table, 3);
  table.currentColumn = 9;
  TableLoadEditBuffer(table);
  table.editBuffer = "FORCESPLOAD";
  table.editChanged = true;
  Expect("FORCE_SPECTRUM_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Force Spectrum Load at node 30");
    EXPECT_EQ(Count(dialog, 1203), 2);
    EXPECT_EQ(Selected(dialog, 1203), 0);
    ChooseDirection(dialog, 2);  // FZ
    EXPECT_EQ(Count(dialog, 1202), 3);
    ChooseDirection(dialog, 3);  // MX
    EXPECT_EQ(Count(dialog, 1202), 4);
    EXPECT_EQ(Selected(dialog, 1202), 2);  // Nm, the unit chosen
    SendDlgItemMessage(dialog, 1203, CB_SETCURSEL, 1, 0);
    SetField(dialog, 1301, "-2");
    Press(dialog, IDOK);
  });
  TableCommitEdit(table);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(3).dataType, DataType::ForceSpectrumLoad);
  EXPECT_EQ(LoadAt(3).Direction, 4);
  EXPECT_EQ(LoadAt(3).Units, 2);
  EXPECT_EQ(LoadAt(3).SpectrumName, "Relief");
  EXPECT_EQ(LoadAt(3).ScaleFactor, -2.0f);
  EXPECT_FLOAT_EQ(LoadAt(3).UnitFactor, 0.112985f);
  // Reopened: its values; OK unchanged stores nothing.
  TheModel().modified = false;
  const int depth = UndoDepth();
  Expect("FORCE_SPECTRUM_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 1201), 3);
    EXPECT_EQ(Count(dialog, 1202), 4);
    EXPECT_EQ(Selected(dialog, 1202), 2);
    EXPECT_EQ(Selected(dialog, 1203), 1);
    EXPECT_EQ(Field(dialog, 1301), "-2");
    Press(dialog, IDOK);
  });
  EditData(3);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  // Cancel after a change keeps the load.
  Expect("FORCE_SPECTRUM_LOAD_DIALOG", [](HWND dialog) {
    SetField(dialog, 1301, "7");
    Press(dialog, IDCANCEL);
  });
  EditData(3);
  EXPECT_EQ(LoadAt(3).ScaleFactor, -2.0f);
  EXPECT_EQ(UndoDepth(), depth);
  // A spectrum that does not exist: none chosen, and OK wants one.
  LoadAt(3).SpectrumName = "Gone";
  TheModel().modified = false;
  Expect("FORCE_SPECTRUM_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 1201), 3);
    EXPECT_EQ(Selected(dialog, 1203), -1);
    ExpectBox({"Force spectrum is required"});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    Press(dialog, IDCANCEL);
  });
  EditData(3);
  EXPECT_EQ(LoadAt(3).SpectrumName, "Gone");
  EXPECT_FALSE(TheModel().modified);
  // Results mode: locked, nothing stored.
  SetTableResultsShown(true);
  Expect("FORCE_SPECTRUM_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, 1201));
    EXPECT_FALSE(Enabled(dialog, 1202));
    EXPECT_FALSE(Enabled(dialog, 1203));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SetField(dialog, 1301, "9");
    Press(dialog, IDOK);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 3, DataType::ForceSpectrumLoad));
  platform::CheckModalScript();
  EXPECT_EQ(LoadAt(3).ScaleFactor, -2.0f);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(ForceSpectrumLoadTest, TheListAndItsSections) {
  Model& model = TheModel();
  auto& load = static_cast<ForceSpectrumLoad&>(*SetDataType(model, 3, DataType::ForceSpectrumLoad));
  load.Direction = 3;
  load.Units = 2;
  load.SpectrumName = "Slug";
  load.ScaleFactor = 0.25f;
  ChooseList("&Force sp loads");
  ASSERT_EQ(CurrentListOpener(), &OpenForceSpectrumLoadsTable);
  TableWindow& list = ForceSpectrumLoadsListTable();
  EXPECT_EQ(list.HeadingText(4, 0), "Force Spectrum");
  EXPECT_EQ(list.CellText(1, 2, 0), "FZ");
  EXPECT_EQ(list.CellText(1, 3, 0), "(kg)");
  EXPECT_EQ(list.CellText(1, 5, 0), "0.25");
  SetFocus(list.Window());
  TableSetColumn(list, 5);
  list.editBuffer = "1e3";
  list.editChanged = true;
  TableCommitEdit(list);
  EXPECT_EQ(load.ScaleFactor, 1000.0f);
  const std::vector<std::string> text = Report(PrintForceSpectrumLoadsTable);
  ASSERT_EQ(text.size(), 6u);
  EXPECT_EQ(text[2], "     Node    Direction    Units      Force Spectrum    Scale Factor");
  EXPECT_EQ(text[4], "     30      FZ           (kg)       Slug              1000");
  const std::vector<std::string> csv = Report(PrintForceSpectrumLoadsTable, true);
  EXPECT_EQ(csv, (std::vector<std::string>{"Force spectrum loads,", "", "Node,Direction,Units,Force Spectrum,Scale Factor,",
                                           "", "30,FZ,(kg),Slug,1000,"}));
}

}  // namespace
