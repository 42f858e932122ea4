// Harmonic loads as a user meets them: placed from the Layout window's data
// column and edited in HARMONIC_LOAD_DIALOG (a frequency above 0 required,
// a negative phase and three zero amplitudes accepted, refusals keeping the
// dialog open, OK unchanged, Cancel and results mode leaving the model and
// the undo stack alone), the model's damping and combination in
// HARMONIC_DIALOG (99 % accepted, 99.5 refused), the "Harmonic loads" list
// and its text and comma-separated sections with the settings' lines.
#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "loads/HarmonicList.h"
#include "loads/HarmonicLoad.h"
#include "loads/LoadsTesting.h"
#include "model/RowOperations.h"
#include "services/Units.h"

namespace {

class HarmonicTest : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    g_UnitsSettings = UnitsSettings{};
    TheModel().options.PipingCode = 3;
    MakeModel(TheModel());
    ShowModelWindows();
  }
  void TearDown() override {
    SetTableResultsShown(false);
    LoadsFixture::TearDown();
  }
  static void TypeKind(int row, const std::string& keyword, const std::string& dialog,
                       const std::function<void(HWND)>& act) {
    LayoutTable& table = TheLayoutTable();
    TableGoTo(table, row);
    table.currentColumn = 9;
    TableLoadEditBuffer(table);
    table.editBuffer = keyword;
    table.editChanged = true;
    Expect(dialog, act);
    TableCommitEdit(table);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static void EditData(int row) {
    LayoutTable& table = TheLayoutTable();
    TableGoTo(table, row);
    table.currentColumn = 9;
    table.DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static bool ReadOnly(HWND dialog, int item) {
    return (GetWindowLongPtr(GetDlgItem(dialog, item), GWL_STYLE) & ES_READONLY) != 0;
  }
  static HarmonicLoad& LoadAt(int row) { return static_cast<HarmonicLoad&>(*TheModel().row(row).item); }
  // OK on a dialog whose OK is refused with the message `line`.
  static void RefusedOk(HWND dialog, const std::string& line, int focused) {
    ExpectBox({line});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, focused));
  }
};

TEST_F(HarmonicTest, TheLoadDialogRequiresAFrequencyAboveZeroAndStoresTheRest) {
  TypeKind(3, "HARMONICLOAD", "HARMONIC_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Harmonic load at node 30");
    EXPECT_EQ(Field(dialog, 1602), "(deg)");
    EXPECT_EQ(Field(dialog, 1503), "FX (lb)");
    EXPECT_EQ(Field(dialog, 1505), "FZ (lb)");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    RefusedOk(dialog, "Frequency is required", 1301);
    SetField(dialog, 1301, "0");
    RefusedOk(dialog, "Frequency =  0  is invalid", 1301);
    SetField(dialog, 1301, "-5");
    RefusedOk(dialog, "Frequency =  -5  is invalid", 1301);
    SetField(dialog, 1301, "12.5");
    SetField(dialog, 1302, "9x");
    RefusedOk(dialog, "Phase =  9X  is invalid", 1302);
    SetField(dialog, 1302, "-30");
    SetField(dialog, 1304, "2,5");
    RefusedOk(dialog, "Force =  2,5  is invalid", 1304);
    SetField(dialog, 1304, "250");
    Press(dialog, IDOK);
  });
  ASSERT_EQ(TheModel().row(3).dataType, DataType::HarmonicLoad);
  EXPECT_EQ(LoadAt(3).Frequency, 12.5f);
  EXPECT_EQ(LoadAt(3).Phase, -30.0f);
  EXPECT_EQ(LoadAt(3).FY, 250.0f);
  EXPECT_EQ(LoadAt(3).FX, 0.0f);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  // Reopened: its values; OK unchanged stores nothing.
  TheModel().modified = false;
  const int depth = UndoDepth();
  Expect("HARMONIC_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "12.5");
    EXPECT_EQ(Field(dialog, 1302), "-30");
    EXPECT_EQ(Field(dialog, 1303), "");
    EXPECT_EQ(Field(dialog, 1304), "250");
    Press(dialog, IDOK);
  });
  EditData(3);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  // All three amplitudes 0 are accepted.
  Expect("HARMONIC_LOAD_DIALOG", [](HWND dialog) {
    SetField(dialog, 1304, "");
    Press(dialog, IDOK);
  });
  EditData(3);
  EXPECT_EQ(LoadAt(3).FY, 0.0f);
  EXPECT_TRUE(TheModel().modified);
  // Results mode: locked, nothing stored.
  TheModel().modified = false;
  SetTableResultsShown(true);
  Expect("HARMONIC_LOAD_DIALOG", [](HWND dialog) {
    for (int item = 1301; item <= 1305; ++item) EXPECT_TRUE(ReadOnly(dialog, item)) << item;
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SetField(dialog, 1301, "50");
    Press(dialog, IDOK);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 3, DataType::HarmonicLoad));
  platform::CheckModalScript();
  EXPECT_EQ(LoadAt(3).Frequency, 12.5f);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(HarmonicTest, TheSettingsDialogTakesDampingUpTo99AndTheCombination) {
  Model& model = TheModel();
  Expect("HARMONIC_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Harmonic Analysis");
    EXPECT_EQ(Field(dialog, 1301), "0");
    EXPECT_TRUE(Checked(dialog, 1401));
    SetField(dialog, 1301, "99.5");
    RefusedOk(dialog, "Damping =  99.5  is invalid", 1301);
    SetField(dialog, 1301, "-1");
    RefusedOk(dialog, "Damping =  -1  is invalid", 1301);
    SetField(dialog, 1301, "99");
    ClickItem(dialog, 1402);
    Press(dialog, IDOK);
  });
  Layout(235);
  EXPECT_EQ(model.harmonic.damping, 99.0f);
  EXPECT_EQ(model.harmonic.combination, 1);
  EXPECT_TRUE(model.modified);
  EXPECT_TRUE(CanUndo());
  // Unchanged: nothing marked, no undo step.
  model.modified = false;
  const int depth = UndoDepth();
  Expect("HARMONIC_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "99");
    EXPECT_TRUE(Checked(dialog, 1402));
    Press(dialog, IDOK);
  });
  Layout(235);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(UndoDepth(), depth);
  Expect("HARMONIC_DIALOG", [](HWND dialog) {
    SetField(dialog, 1301, "5");
    Press(dialog, IDCANCEL);
  });
  Layout(235);
  EXPECT_EQ(model.harmonic.damping, 99.0f);
  EXPECT_EQ(UndoDepth(), depth);
}

TEST_F(HarmonicTest, TheListAndTheReportWithTheSettings) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::HarmonicLoad);
  LoadAt(3).Frequency = 12.5f;
  LoadAt(3).Phase = -30.0f;
  LoadAt(3).FY = 250.0f;
  model.harmonic.damping = 2.0f;
  model.harmonic.combination = 1;
  ChooseList("&Harmonic loads");
  ASSERT_EQ(CurrentListOpener(), &OpenHarmonicLoadsTable);
  TableWindow& list = HarmonicLoadsListTable();
  EXPECT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(2, 1), "(Hz)");
  EXPECT_EQ(list.HeadingText(3, 1), "(deg)");
  EXPECT_EQ(list.HeadingText(6, 1), "(lb)");
  EXPECT_EQ(list.CellText(1, 2, 0), "12.5");
  EXPECT_EQ(list.CellText(1, 3, 0), "-30");
  EXPECT_EQ(list.CellText(1, 4, 0), "");
  EXPECT_EQ(list.CellText(1, 5, 0), "250");
  EXPECT_EQ(list.widths[4], list.widths[6]);
  // Shown in radians, the phase is converted from the degrees it is kept in.
  g_UnitsSettings.unit[kUnitAngle] = 1;
  EXPECT_EQ(list.CellText(1, 3, 0), "-0.5236");
  g_UnitsSettings.unit[kUnitAngle] = 0;

  const std::vector<std::string> text = Report(PrintHarmonicLoadsTable);
  ASSERT_EQ(text.size(), 7u);
  EXPECT_EQ(text[2], "             Frequency   Phase       FX         FY         FZ");
  EXPECT_EQ(text[3], "     Node      (Hz)      (deg)      (lb)       (lb)       (lb)");
  EXPECT_EQ(text[5], "     30      12.5       -30                    250");
  const std::vector<std::string> csv = Report(PrintHarmonicLoadsTable, true);
  ASSERT_EQ(csv.size(), 6u);
  EXPECT_EQ(csv[2], "Node,(Hz),(deg),(lb),(lb),(lb),");
  EXPECT_EQ(csv[3], ",Frequency,Phase,FX,FY,FZ,");
  EXPECT_EQ(csv[5], "30,12.5,-30,,250,,");
  EXPECT_EQ(Report(PrintHarmonicSettings),
            (std::vector<std::string>{"     Harmonic combination = Absolute Sum", "     Harmonic damping = 2 (%)"}));
  EXPECT_EQ(Report(PrintHarmonicSettings, true),
            (std::vector<std::string>{"Harmonic combination = Absolute Sum,", "Harmonic damping = 2 (%),"}));
  // Delete takes the load off its row; the settings' lines go with the last load.
  List(126);
  EXPECT_EQ(model.row(3).dataType, DataType::None);
  EXPECT_TRUE(Report(PrintHarmonicSettings).empty());
}

}  // namespace
