// Time varying loads as a user meets them: placed from the Layout window's
// data column and edited in TIME_VARYING_LOAD_DIALOG (the units following
// the direction, the unit now chosen selected, the unit's factor stored,
// any scale factor, a function required), the "Time varying loads" list
// with its typed scale factor, its text and comma-separated sections; and
// the time history options of TIME_HISTORY_DIALOG with their report lines.
#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "loads/DirectionalLoadList.h"
#include "loads/LoadsTesting.h"
#include "loads/TimeHistoryDialog.h"
#include "loads/TimeVaryingLoad.h"
#include "model/ModelGeometry.h"
#include "model/RowOperations.h"
#include "records/LoadCaseList.h"
#include "records/TimeFunction.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

class TimeVaryingLoadTest : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    g_UnitsSettings = UnitsSettings{};
    Model& model = TheModel();
    model.options.PipingCode = 3;
    SetLastTimeFunction(model.timeFunctions, "Hammer", {{kExplicitZero, kExplicitZero}, {0.05f, 250.0f}});
    SetLastTimeFunction(model.timeFunctions, "Step", {{0.1f, kExplicitZero}, {0.1001f, 1.0f}});
    MakeModel(model);
    ShowModelWindows();
  }
  void TearDown() override {
    SetTableResultsShown(false);
    LoadsFixture::TearDown();
  }
  static void EditData(int row) {
    LayoutTable& table = TheLayoutTable();
    TableGoTo(table, row);
    table.currentColumn = 9;
    table.DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static std::vector<std::string> ComboItems(HWND dialog, int id) {
    std::vector<std::string> items;
    HWND combo = GetDlgItem(dialog, id);
    const int count = static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = {};
      SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }
  static int Selected(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessage(dialog, id, CB_GETCURSEL, 0, 0)); }
  // A direction chosen as the user closes the list on it.
  static void ChooseDirection(HWND dialog, int index) {
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELENDOK), 0);
  }
  static TimeVaryingLoad& LoadAt(int row) { return static_cast<TimeVaryingLoad&>(*TheModel().row(row).item); }
};

TEST_F(TimeVaryingLoadTest, TheDialogsUnitsFollowTheDirectionAndTheUnitsFactorIsStored) {
  g_UnitsSettings.unit[kUnitForce] = 1;   // N
  g_UnitsSettings.unit[kUnitMoment] = 2;  // Nm
  LayoutTable& table = TheLayoutTable();
  TableGoTo(table, 3);
  table.currentColumn = 9;
  TableLoadEditBuffer(table);
  table.editBuffer = "TIMEVARLOAD";
  table.editChanged = true;
  Expect("TIME_VARYING_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Time Varying Load at node 30");
    EXPECT_EQ(ComboItems(dialog, 1201), (std::vector<std::string>{"FX", "FY", "FZ", "MX", "MY", "MZ"}));
    EXPECT_EQ(Selected(dialog, 1201), 0);
    EXPECT_EQ(ComboItems(dialog, 1202), (std::vector<std::string>{"(lb)", "(N)", "(kg)"}));
    EXPECT_EQ(Selected(dialog, 1202), 1);
    EXPECT_EQ(ComboItems(dialog, 1203), (std::vector<std::string>{"Hammer", "Step"}));
    EXPECT_EQ(Selected(dialog, 1203), 0);
    EXPECT_EQ(Field(dialog, 1301), "1");
    ChooseDirection(dialog, 2);  // FZ: still forces
    EXPECT_EQ(ComboItems(dialog, 1202).size(), 3u);
    ChooseDirection(dialog, 3);  // MX: the moment units, Nm chosen
    EXPECT_EQ(ComboItems(dialog, 1202), (std::vector<std::string>{"(ft-lb)", "(in-lb)", "(Nm)", "(kg-m)"}));
    EXPECT_EQ(Selected(dialog, 1202), 2);
    ChooseDirection(dialog, 4);  // MY
    SendDlgItemMessage(dialog, 1202, CB_SETCURSEL, 3, 0);  // kg-m
    SendDlgItemMessage(dialog, 1203, CB_SETCURSEL, 1, 0);  // Step
    SetField(dialog, 1301, "2,5");
    ExpectBox({"Scale factor =  2,5  is invalid"});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetField(dialog, 1301, "-2");
    Press(dialog, IDOK);
  });
  TableCommitEdit(table);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(3).dataType, DataType::TimeVaryingLoad);
  const TimeVaryingLoad& load = LoadAt(3);
  EXPECT_EQ(load.Direction, 5);
  EXPECT_EQ(load.Units, 3);
  EXPECT_EQ(load.TimeFunctionName, "Step");
  EXPECT_EQ(load.ScaleFactor, -2.0f);
  EXPECT_FLOAT_EQ(load.UnitFactor, 0.011521246f);
  EXPECT_TRUE(TheModel().modified);

  // Reopened: its values; OK unchanged stores nothing.
  TheModel().modified = false;
  const int depth = UndoDepth();
  Expect("TIME_VARYING_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 1201), 4);
    EXPECT_EQ(ComboItems(dialog, 1202).size(), 4u);
    EXPECT_EQ(Selected(dialog, 1202), 3);
    EXPECT_EQ(Selected(dialog, 1203), 1);
    EXPECT_EQ(Field(dialog, 1301), "-2");
    Press(dialog, IDOK);
  });
  EditData(3);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  // A load naming a function that does not exist shows none chosen, and OK
  // wants one.
  LoadAt(3).TimeFunctionName = "Gone";
  Expect("TIME_VARYING_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 1203), -1);
    ExpectBox({"Time function is required"});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    Press(dialog, IDCANCEL);
  });
  EditData(3);
  EXPECT_EQ(LoadAt(3).TimeFunctionName, "Gone");
  // Results mode: locked, nothing stored.
  SetTableResultsShown(true);
  Expect("TIME_VARYING_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, 1201));
    EXPECT_FALSE(Enabled(dialog, 1203));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    Press(dialog, IDOK);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 3, DataType::TimeVaryingLoad));
  platform::CheckModalScript();
}

TEST_F(TimeVaryingLoadTest, TheListTakesATypedScaleFactorAndPrints) {
  Model& model = TheModel();
  auto& load = static_cast<TimeVaryingLoad&>(*SetDataType(model, 3, DataType::TimeVaryingLoad));
  load.Direction = 2;
  load.Units = 1;
  load.TimeFunctionName = "Hammer";
  load.ScaleFactor = 1.5f;
  auto& other = static_cast<TimeVaryingLoad&>(*SetDataType(model, 4, DataType::TimeVaryingLoad));
  other.Direction = 6;
  other.Units = 0;
  other.TimeFunctionName = "Pressure wave after closing V12";
  other.ScaleFactor = 0.001234567f;
  ChooseList("&Time Varying Loads");
  ASSERT_EQ(CurrentListOpener(), &OpenTimeVaryingLoadsTable);
  TableWindow& list = TimeVaryingLoadsListTable();
  EXPECT_EQ(list.rowCount, 2);
  EXPECT_EQ(list.HeadingText(4, 0), "Time Function");
  EXPECT_EQ(list.CellText(1, 2, 0), "FY");
  EXPECT_EQ(list.CellText(1, 3, 0), "(N)");
  EXPECT_EQ(list.CellText(1, 4, 0), "Hammer");
  EXPECT_EQ(list.CellText(1, 5, 0), "1.5");
  EXPECT_EQ(list.CellText(2, 3, 0), "(ft-lb)");
  EXPECT_FALSE(list.IsCellEditable(1, 4));
  // The scale factor typed in; a bad one refused.
  SetFocus(list.Window());
  TableGoTo(list, 1);
  TableSetColumn(list, 5);
  list.editBuffer = "x";
  list.editChanged = true;
  messages.clear();
  TableCommitEdit(list);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Scale factor =  x  is invalid");
  list.editBuffer = "3";
  list.editChanged = true;
  TableCommitEdit(list);
  EXPECT_EQ(load.ScaleFactor, 3.0f);
  EXPECT_TRUE(model.modified);

  const std::vector<std::string> text = Report(PrintTimeVaryingLoadsTable);
  ASSERT_EQ(text.size(), 7u);
  EXPECT_EQ(text[2], "     Node    Direction    Units      Time Function     Scale Factor");
  EXPECT_EQ(text[4], "     30      FY           (N)        Hammer            3");
  // A name of 31 characters, longer than its column, pushes the factor on.
  EXPECT_EQ(text[5], "     40      MZ           (ft-lb)    Pressure wave after closing V12 0.0012346");
  const std::vector<std::string> csv = Report(PrintTimeVaryingLoadsTable, true);
  ASSERT_EQ(csv.size(), 6u);
  EXPECT_EQ(csv[2], "Node,Direction,Units,Time Function,Scale Factor,");
  EXPECT_EQ(csv[4], "30,FY,(N),Hammer,3,");
}

TEST_F(TimeVaryingLoadTest, TheTimeHistoryOptionsAndTheirReportLines) {
  Model& model = TheModel();
  Expect("TIME_HISTORY_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Time History Analysis Control");
    for (int item = 1301; item <= 1304; ++item) EXPECT_EQ(Field(dialog, item), "") << item;
    auto refused = [dialog](int item, const std::string& text, const std::string& line) {
      const std::string kept = Field(dialog, item);
      SetField(dialog, item, text);
      ExpectBox({line});
      Press(dialog, IDOK);
      EXPECT_TRUE(IsWindowVisible(dialog));
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, item));
      SetField(dialog, item, kept);
    };
    refused(1301, "-0.001", "Time step =  -0.001  is invalid");
    refused(1302, "-5", "Number of time steps =  -5  is invalid");
    refused(1302, "1.5", "Number of time steps =  1.5  is invalid");
    refused(1303, "0", "Output interval =  0  is invalid");
    refused(1304, "100", "Damping =  100  is invalid");
    SetField(dialog, 1301, "0.001");
    SetField(dialog, 1302, "2000");
    SetField(dialog, 1304, "99");
    ClickItem(dialog, 1101);
    Press(dialog, IDOK);
  });
  Layout(223);
  EXPECT_FLOAT_EQ(model.timeHistory.timeStep, 0.001f);
  EXPECT_EQ(model.timeHistory.stepCount, 2000);
  EXPECT_EQ(model.timeHistory.outputInterval, 1);  // empty: every step
  EXPECT_EQ(model.timeHistory.damping, 99.0f);
  EXPECT_EQ(model.timeHistory.writeResults, 1);
  EXPECT_TRUE(model.modified);
  // Reopened: the values; unchanged OK leaves no undo step.
  model.modified = false;
  const int depth = UndoDepth();
  Expect("TIME_HISTORY_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "0.001");
    EXPECT_EQ(Field(dialog, 1302), "2000");
    EXPECT_EQ(Field(dialog, 1303), "1");
    EXPECT_EQ(Field(dialog, 1304), "99");
    EXPECT_TRUE(Checked(dialog, 1101));
    Press(dialog, IDOK);
  });
  Layout(223);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(UndoDepth(), depth);

  // The report lines and the time history case come with a load.
  EXPECT_TRUE(Report(PrintTimeHistoryOptions).empty());
  auto& load = static_cast<TimeVaryingLoad&>(*SetDataType(model, 3, DataType::TimeVaryingLoad));
  load.Direction = 1;
  load.TimeFunctionName = "Hammer";
  EXPECT_TRUE(HasTimeHistoryLoads(model));
  EXPECT_EQ(Report(PrintTimeHistoryOptions),
            (std::vector<std::string>{"     Time step = 0.001 (Sec)", "     Number of time steps = 2000",
                                      "     Output interval = 1", "     Damping = 99 (%)"}));
  // A time step of 0 is accepted, but then no time history case is offered.
  Expect("TIME_HISTORY_DIALOG", [](HWND dialog) {
    SetField(dialog, 1301, "0");
    Press(dialog, IDOK);
  });
  Layout(223);
  EXPECT_EQ(model.timeHistory.timeStep, 0.0f);
  EXPECT_FALSE(HasTimeHistoryLoads(model));
}

}  // namespace
