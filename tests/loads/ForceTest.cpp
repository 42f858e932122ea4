// Nodal forces as a user meets them: placed from the Layout window's data
// column, edited in FORCE_DIALOG (only the "Add to" buttons of the
// temperatures in use; a stored choice beyond them shown clamped but kept
// until OK; refusals keep the dialog open; OK unchanged, Cancel and results
// mode leave the model and the undo stack alone), listed as "Forces",
// printed as text and comma-separated lines, and refused by Analyze when
// added to a temperature the model does not use.
#include "analysis/AnalysisDriver.h"
#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "loads/Force.h"
#include "loads/ForceList.h"
#include "loads/LoadsTesting.h"
#include "model/RowOperations.h"
#include "platform/Window.h"
#include "services/Units.h"

namespace {

class ForceTest : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    g_UnitsSettings = UnitsSettings{};
    MakeModel(TheModel());
    ShowModelWindows();
  }
  void TearDown() override {
    SetTableResultsShown(false);
    LoadsFixture::TearDown();
  }
  static LayoutTable& LayoutTableOf() { return TheLayoutTable(); }
  // A double click on the data column of `row`.
  static void EditData(int row) {
    TableGoTo(LayoutTableOf(), row);
    LayoutTableOf().currentColumn = 9;
    LayoutTableOf().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  // FORCE typed into the data column of `row`, the dialog worked by `act`.
  static void TypeForce(int row, const std::function<void(HWND)>& act) {
    TableGoTo(LayoutTableOf(), row);
    LayoutTableOf().currentColumn = 9;
    TableLoadEditBuffer(LayoutTableOf());
    LayoutTableOf().editBuffer = "FORCE";
    LayoutTableOf().editChanged = true;
    Expect("FORCE_DIALOG", act);
    TableCommitEdit(LayoutTableOf());
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static bool ReadOnly(HWND dialog, int item) {
    return (GetWindowLongPtr(GetDlgItem(dialog, item), GWL_STYLE) & ES_READONLY) != 0;
  }
  static NodalForce& ForceAt(int row) { return static_cast<NodalForce&>(*TheModel().row(row).item); }
  static int ClientHeight(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    return client.bottom;
  }
  // The buttons 1401 .. 1411 shown.
  static int ButtonsShown(HWND dialog) {
    int shown = 0;
    for (int item = 1401; item <= 1411; ++item) shown += Shown(dialog, item) ? 1 : 0;
    return shown;
  }
};

TEST_F(ForceTest, PlacedByTypingItsKindRefusedInputKeepsTheDialogAndValuesAreStored) {
  TypeForce(3, [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Force at node 30");
    EXPECT_EQ(Field(dialog, 1601), "(lb)");
    EXPECT_EQ(Field(dialog, 1602), "(ft-lb)");
    for (int item = 1301; item <= 1306; ++item) EXPECT_EQ(Field(dialog, item), "") << item;
    EXPECT_TRUE(Checked(dialog, 1401));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    ExpectBox({"No forces input"});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetField(dialog, 1302, "-250");
    SetField(dialog, 1305, "1o0");
    ExpectBox({"MY =  1O0  is invalid"});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1305));
    SetField(dialog, 1305, "100");
    ClickItem(dialog, 1402);
    Press(dialog, IDOK);
  });
  ASSERT_EQ(TheModel().row(3).dataType, DataType::Force);
  const NodalForce& force = ForceAt(3);
  EXPECT_EQ(force.FX, 0.0f);
  EXPECT_EQ(force.FY, -250.0f);
  EXPECT_FLOAT_EQ(force.MY, 1200.0f);  // 100 ft-lb in inch-pound
  EXPECT_EQ(force.AddedTo, 2);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());

  // Reopened from the data column: its values; OK unchanged stores nothing.
  TheModel().modified = false;
  const int depth = UndoDepth();
  Expect("FORCE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "");
    EXPECT_EQ(Field(dialog, 1302), "-250");
    EXPECT_EQ(Field(dialog, 1305), "100");
    EXPECT_TRUE(Checked(dialog, 1402));
    EXPECT_FALSE(Checked(dialog, 1401));
    Press(dialog, IDOK);
  });
  EditData(3);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  // Cancel after a change: nothing stored.
  Expect("FORCE_DIALOG", [](HWND dialog) {
    SetField(dialog, 1301, "5");
    Press(dialog, IDCANCEL);
  });
  EditData(3);
  EXPECT_EQ(ForceAt(3).FX, 0.0f);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  // Results mode: every input locked, OK stores nothing.
  SetTableResultsShown(true);
  Expect("FORCE_DIALOG", [](HWND dialog) {
    for (int item = 1301; item <= 1306; ++item) EXPECT_TRUE(ReadOnly(dialog, item)) << item;
    EXPECT_FALSE(Enabled(dialog, 1401));
    EXPECT_FALSE(Enabled(dialog, 1402));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SetField(dialog, 1301, "5");
    Press(dialog, IDOK);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 3, DataType::Force));
  platform::CheckModalScript();
  EXPECT_EQ(ForceAt(3).FX, 0.0f);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(ForceTest, TheButtonsFollowTheTemperaturesInUseAndAClampedChoiceIsStoredOnlyAtOk) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::Force);
  ForceAt(3).FX = 10.0f;
  ForceAt(3).AddedTo = 5;  // T4
  model.options.ThermalLoadCount = 2;
  int twoHigh = 0;
  Expect("FORCE_DIALOG", [&twoHigh](HWND dialog) {
    EXPECT_EQ(ButtonsShown(dialog), 3);
    EXPECT_TRUE(Shown(dialog, 1403));
    EXPECT_FALSE(Shown(dialog, 1404));
    EXPECT_TRUE(Checked(dialog, 1403));  // T4 shown as T2
    twoHigh = ClientHeight(dialog);
    RECT units{0, 0, 192, 100};
    MapDialogRect(dialog, &units);
    EXPECT_EQ(twoHigh, units.bottom);  // the client area of 192 x 100 dialog units
    Press(dialog, IDCANCEL);
  });
  EditData(3);
  EXPECT_EQ(ForceAt(3).AddedTo, 5);  // opening changed nothing
  EXPECT_FALSE(model.modified);
  model.options.ThermalLoadCount = 3;
  int threeHigh = 0;
  Expect("FORCE_DIALOG", [&threeHigh](HWND dialog) {
    EXPECT_EQ(ButtonsShown(dialog), 4);
    EXPECT_TRUE(Checked(dialog, 1404));
    threeHigh = ClientHeight(dialog);
    Press(dialog, IDCANCEL);
  });
  EditData(3);
  EXPECT_GT(threeHigh, twoHigh);
  // Five temperatures offer every button up to T10.
  model.options.ThermalLoadCount = 10;
  Expect("FORCE_DIALOG", [threeHigh](HWND dialog) {
    EXPECT_EQ(ButtonsShown(dialog), 11);
    EXPECT_TRUE(Checked(dialog, 1405));
    EXPECT_GT(ClientHeight(dialog), threeHigh);
    Press(dialog, IDCANCEL);
  });
  EditData(3);
  // OK with two temperatures stores the clamped T2.
  model.options.ThermalLoadCount = 2;
  Expect("FORCE_DIALOG", [](HWND dialog) { Press(dialog, IDOK); });
  EditData(3);
  EXPECT_EQ(ForceAt(3).AddedTo, 3);
  EXPECT_TRUE(model.modified);
}

TEST_F(ForceTest, TheForcesListShowsEditsAndDeletes) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::Force);
  ForceAt(3).FY = -1000.0f;
  ForceAt(3).MZ = 1200.0f;
  ForceAt(3).AddedTo = 3;
  ChooseList("&Forces");
  ASSERT_EQ(CurrentListOpener(), &OpenForcesList);
  TableWindow& list = ForcesListTable();
  EXPECT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(2, 0), "FX");
  EXPECT_EQ(list.HeadingText(2, 1), "(lb)");
  EXPECT_EQ(list.HeadingText(7, 1), "(ft-lb)");
  EXPECT_EQ(list.HeadingText(8, 0), "Added to");
  EXPECT_EQ(list.CellText(1, 1, 0), "30");
  EXPECT_EQ(list.CellText(1, 2, 0), "");
  EXPECT_EQ(list.CellText(1, 3, 0), "-1000");
  EXPECT_EQ(list.CellText(1, 7, 0), "100");
  EXPECT_EQ(list.CellText(1, 8, 0), "T2");
  for (int column = 3; column <= 8; ++column) EXPECT_EQ(list.widths[3], list.widths[static_cast<std::size_t>(column)]);
  // Enter opens the dialog; a change shows in the list.
  Expect("FORCE_DIALOG", [](HWND dialog) {
    SetField(dialog, 1301, "20");
    Press(dialog, IDOK);
  });
  list.EnterRow(false);
  platform::CheckModalScript();
  EXPECT_EQ(ForcesListTable().CellText(1, 2, 0), "20");
  // Delete takes the force off its row.
  List(126);
  EXPECT_EQ(model.row(3).dataType, DataType::None);
  EXPECT_EQ(ForcesListTable().rowCount, 0);
}

TEST_F(ForceTest, TheForcesSectionAsTextAndAsCommaSeparatedLines) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::Force);
  ForceAt(3).FY = -1000.0f;
  ForceAt(3).MZ = 1200.0f;
  ForceAt(3).AddedTo = 3;
  SetDataType(model, 4, DataType::Force);
  ForceAt(4).FX = 12.5f;
  const std::vector<std::string> text = Report(PrintForcesTable);
  // The Details block: the title centred over the page's columns 4 to 88,
  // a rule, the two heading lines, a rule, a line per force, a rule.
  const std::string rule = "   " + std::string(83, '-');
  ASSERT_EQ(text.size(), 8u);
  EXPECT_EQ(text[0].find("Forces"), 42u);
  EXPECT_EQ(text[1], rule);
  EXPECT_EQ(text[2], "                FX         FY         FZ         MX         MY         MZ      Added");
  EXPECT_EQ(text[3], "     Node      (lb)       (lb)       (lb)     (ft-lb)    (ft-lb)    (ft-lb)    to");
  EXPECT_EQ(text[4], rule);
  EXPECT_EQ(text[5], "     30                 -1000                                         100      T2");
  EXPECT_EQ(text[6], "     40         12.50                                                          W+P");
  EXPECT_EQ(text[7], rule);
  const std::vector<std::string> csv = Report(PrintForcesTable, true);
  ASSERT_EQ(csv.size(), 7u);
  // The program ends every comma-separated line with a comma; a rule is an
  // empty line.
  EXPECT_EQ(csv[0], "Forces,");
  EXPECT_EQ(csv[1], "");
  EXPECT_EQ(csv[2], "Node,(lb),(lb),(lb),(ft-lb),(ft-lb),(ft-lb),Added to,");
  EXPECT_EQ(csv[3], ",FX,FY,FZ,MX,MY,MZ,");
  EXPECT_EQ(csv[4], "");
  EXPECT_EQ(csv[5], "30,,-1000,,,,100,T2,");
  EXPECT_EQ(csv[6], "40,12.50,,,,,,W+P,");
}

TEST_F(ForceTest, AnalyzeRefusesAForceAddedToATemperatureNotInUse) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::Force);
  ForceAt(3).FX = 10.0f;
  ForceAt(3).AddedTo = 4;  // T3
  model.options.ThermalLoadCount = 2;
  int refused = 0;
  try {
    CheckForcesAddedToTemperaturesInUse(model, &refused);
    ADD_FAILURE() << "not refused";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3: Force is added to T3, but the model uses T1 to T2.\nAdd it to one of those or to W+P.");
  }
  EXPECT_EQ(refused, 3);
  model.options.ThermalLoadCount = 3;
  EXPECT_NO_THROW(CheckForcesAddedToTemperaturesInUse(model, nullptr));
  // Four or more thermal loads use all ten.
  ForceAt(3).AddedTo = 11;
  model.options.ThermalLoadCount = 4;
  EXPECT_NO_THROW(CheckForcesAddedToTemperaturesInUse(model, nullptr));
  // The run's check names the row (the guide and the valve, which no run
  // takes yet, are taken away first).
  ClearDataType(model, 2);
  SetElementType(model, 4, ElementType::Pipe);
  model.options.ThermalLoadCount = 1;
  ForceAt(3).AddedTo = 3;
  refused = 0;
  EXPECT_THROW(CheckModelAnalysable(model, &refused), std::string);
  EXPECT_EQ(refused, 3);
}

}  // namespace
