// The valve as a user meets it: its dialog from the Layout table (every
// field message, the multipliers' defaults and limits, a length that moves
// the row's node, an additional weight cleared with its offsets, OK without
// a change, results mode), "&Library" taking a library valve of the pipe's
// diameter (the library never reduced), the Valves list with its typed
// cells, and its printed section as text and comma-separated lines.
#include <algorithm>
#include <filesystem>

#include "elements/InlineTesting.h"
#include "elements/KindTable.h"
#include "elements/Valve.h"
#include "elements/ValveList.h"
#include "kindbase/KindList.h"
#include "model/Nodes.h"
#include "properties/ValveLibrary.h"
#include "services/Settings.h"

namespace {

// Row 4 is the fixture's valve from node 30 to 40, 12 inches along X.
class ValveTest : public InlineFixture {
 protected:
  static constexpr int kRow = 4;
  static Valve& ValveAt(int row) { return static_cast<Valve&>(*TheModel().row(row).element); }
  static void EditValve(const std::function<void(HWND)>& script) { EditRow("VALVE_DIALOG", kRow, script); }
};

TEST_F(ValveTest, TheDialogStoresItsFieldsAndALengthMovesTheNode) {
  EditValve([](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Valve from 30 to 40");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitWeight));
    EXPECT_EQ(Field(dialog, 1502), std::string("DY ") + UnitLabel(kUnitDimension));
    EXPECT_EQ(SendDlgItemMessage(dialog, 1201, CB_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1301, "250");
    SetDlgItemText(dialog, 1302, "18");
    SetDlgItemText(dialog, 1303, "");
    SetDlgItemText(dialog, 1304, "");
    SetDlgItemText(dialog, 1305, "40");
    SetDlgItemText(dialog, 1306, "0");
    SetDlgItemText(dialog, 1307, "20");
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 4, 0);  // Butterfly
    Ok(dialog);
  });
  const Valve& valve = ValveAt(kRow);
  EXPECT_EQ(valve.weight, 250.0f);
  EXPECT_EQ(valve.length, 18.0f);
  EXPECT_EQ(valve.thicknessMultiplier, 3.0f);
  EXPECT_EQ(valve.insulationWeightMultiplier, 1.75f);
  EXPECT_EQ(valve.additionalWeight, 40.0f);
  EXPECT_EQ(valve.dy, 20.0f);
  EXPECT_STREQ(kValveTypeNames[valve.valveType], "Butterfly");
  // The length lies along the valve: node 40 moved to 24 + 18 inches.
  const Model& model = TheModel();
  EXPECT_EQ(model.row(kRow).dx, 18.0f);
  EXPECT_FLOAT_EQ(NodeById(model, 40).x, 42.0f);
  EXPECT_TRUE(model.modified);

  // Unchanged: nothing modified, no snapshot kept.
  TheModel().modified = false;
  const int depth = UndoDepth();
  EditValve([](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1303), "3.00");
    EXPECT_EQ(Field(dialog, 1307), TrimmedText(FormatDimension(20.0f)));
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);

  // No additional weight: its offsets go; a length of 0 leaves the offsets.
  EditValve([](HWND dialog) {
    SetDlgItemText(dialog, 1305, "");
    SetDlgItemText(dialog, 1302, "");
    Ok(dialog);
  });
  EXPECT_EQ(ValveAt(kRow).additionalWeight, 0.0f);
  EXPECT_EQ(ValveAt(kRow).dy, 0.0f);
  EXPECT_EQ(ValveAt(kRow).length, 0.0f);
  EXPECT_EQ(TheModel().row(kRow).dx, 18.0f);

  SetTableResultsShown(true);
  EditValve([](HWND dialog) {
    for (int item : {1301, 1302, 1303, 1304, 1305, 1306, 1307, 1308}) EXPECT_TRUE(ReadOnly(dialog, item)) << item;
    EXPECT_FALSE(Enabled(dialog, 1001));
    EXPECT_FALSE(Enabled(dialog, 1201));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    Ok(dialog);
  });
}

TEST_F(ValveTest, EveryFieldFaultKeepsTheDialogOpenOnItsField) {
  EditValve([](HWND dialog) {
    SetDlgItemText(dialog, 1301, "x");
    ExpectRefused(dialog, "Weight =  X  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "100");
    SetDlgItemText(dialog, 1302, "-2");
    ExpectRefused(dialog, "Length =  -2  is invalid", 1302);
    SetDlgItemText(dialog, 1302, "");
    SetDlgItemText(dialog, 1303, "0.0099");
    ExpectRefused(dialog, "Thickness multiplier =  0.0099  is invalid", 1303);
    SetDlgItemText(dialog, 1303, "0.01");
    SetDlgItemText(dialog, 1304, "0");
    ExpectRefused(dialog, "Insulation weight multiplier =  0  is invalid", 1304);
    SetDlgItemText(dialog, 1304, "1");
    SetDlgItemText(dialog, 1305, "10");
    SetDlgItemText(dialog, 1308, "z");
    ExpectRefused(dialog, "DZ =  Z  is invalid", 1308);
    Cancel(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(ValveAt(kRow).thicknessMultiplier, 3.0f);
}

TEST_F(ValveTest, LibraryPicksAValveOfThePipesDiameterAndLeavesTheLibraryWhole) {
  // A library of three valves, two of them for 4.5 in pipe.
  ValveLibrary library;
  for (int i = 1; i <= 3; ++i) InsertValveEntry(library, i);
  library.entries[1] = {"Gate 150", "4", "150  ", "FL", 11.5f, 105.0f, 4.5f, 0, 1};
  library.entries[2] = {"Globe 300", "4", "300  ", "BW", 14.0f, 160.0f, 4.4999f, 0, 2};
  library.entries[3] = {"Gate 150", "6", "150  ", "FL", 15.9f, 220.0f, 6.625f, 0, 1};
  const std::string path = TempFolder() + "/pick.val";
  WriteValveLibraryFile(library, path);
  ProgramPreferences().valveLibraryPath = path;
  ClearValveLibrary(TheValveLibrary());

  EditValve([path](HWND dialog) {
    platform::ExpectModal(platform::ModalKind::Dialog, "VALVE_LIBRARY_USE_DIALOG", [](HWND pick) {
      EXPECT_NE(TextOf(pick).find("Valve Library - [pick.val"), std::string::npos);
      EXPECT_EQ(TextOf(GetDlgItem(pick, 1501)), std::string("Size = 4\" ") + UnitLabel(kUnitDimension));
      TableWindow* table = TableOfWindow(DialogTableWindowRecord().window);
      ASSERT_NE(table, nullptr);
      EXPECT_EQ(table->rowCount, 2);
      EXPECT_EQ(table->CellText(2, 1, 0), "Globe 300");
      EXPECT_EQ(table->CellText(2, 4, 0), "BW");
      TableGoTo(*table, 2);
      Ok(pick);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(Field(dialog, 1301), TrimmedText(FormatWeight(160.0f)));
    EXPECT_EQ(Field(dialog, 1302), TrimmedText(FormatDimension(14.0f)));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    Ok(dialog);
  });
  EXPECT_EQ(ValveAt(kRow).weight, 160.0f);
  EXPECT_EQ(ValveAt(kRow).length, 14.0f);
  // The library in memory still holds all three valves.
  EXPECT_EQ(TheValveLibrary().entries.count, 3);

  // A second pick for 6.625 in pipe finds its valve.
  Model& model = TheModel();
  PipeSection six;
  InitSection(six);
  six.name = "S6";
  six.outsideDiameter = 6.625f;
  six.thickness = 0.28f;
  AppendSection(model.sections, six);
  model.row(kRow).section = "S6";
  EditValve([](HWND dialog) {
    platform::ExpectModal(platform::ModalKind::Dialog, "VALVE_LIBRARY_USE_DIALOG", [](HWND pick) {
      TableWindow* table = TableOfWindow(DialogTableWindowRecord().window);
      ASSERT_NE(table, nullptr);
      EXPECT_EQ(table->rowCount, 1);
      Ok(pick);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(Field(dialog, 1301), TrimmedText(FormatWeight(220.0f)));
    Cancel(dialog);
  });
  // A pipe of another size: no valve, the fields as they were.
  model.sections[2].outsideDiameter = 8.625f;
  EditValve([](HWND dialog) {
    ExpectMessage(" Valve data not available for this diameter: 8\" " + std::string(UnitLabel(kUnitDimension)));
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(Field(dialog, 1301), TrimmedText(FormatWeight(160.0f)));
    Cancel(dialog);
  });
  // No section anywhere before the row.
  for (int row = 1; row <= model.rowCount; ++row) model.row(row).section.clear();
  EditValve([](HWND dialog) {
    ExpectMessage("Unable to find pipe section");
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    Cancel(dialog);
  });
}

TEST_F(ValveTest, TheListShowsAndStoresItsCellsAndPrintsItsSection) {
  Valve& valve = ValveAt(kRow);
  valve.weight = 250.0f;
  valve.additionalWeight = 40.0f;
  valve.dy = 20.0f;
  ChooseList("&Valves");
  TableWindow& list = ValvesListTable();
  ASSERT_EQ(CurrentListOpener(), &OpenValvesList);
  ASSERT_EQ(list.rowCount, 1);
  auto weight = [](float v) { return TrimmedText(FormatWeight(v)); };
  auto dimension = [](float v) { return TrimmedText(FormatDimension(v)); };
  const std::vector<std::string> cells = {"30", "40", weight(250.0f), "", "3.00", "1.75", weight(40.0f),
                                          dimension(0.0f), dimension(20.0f), dimension(0.0f)};
  for (int column = 1; column <= 10; ++column)
    EXPECT_EQ(list.CellText(1, column, 0), cells[static_cast<std::size_t>(column - 1)]) << column;
  EXPECT_EQ(list.widths[1], list.widths[2]);
  EXPECT_EQ(list.widths[8], list.widths[10]);
  EXPECT_EQ(list.HeadingText(5, 1), "X");

  messages.clear();
  TypeCell(list, 1, 5, "0.005");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Thickness multiplier =  0.005  is invalid");
  TypeCell(list, 1, 5, "");  // empty reads as the default
  EXPECT_EQ(valve.thicknessMultiplier, 3.0f);
  TypeCell(list, 1, 5, "2.5");
  EXPECT_EQ(valve.thicknessMultiplier, 2.5f);
  TypeCell(list, 1, 4, "24");  // a length moves node 40
  EXPECT_FLOAT_EQ(NodeById(TheModel(), 40).x, 48.0f);
  TypeCell(list, 1, 7, "0");  // no additional weight: no offsets shown
  EXPECT_EQ(valve.dy, 0.0f);
  EXPECT_EQ(list.CellText(1, 9, 0), "");
  EXPECT_TRUE(TheModel().modified);
  valve.additionalWeight = 40.0f;
  valve.dy = 20.0f;

  const std::vector<std::string> text = Report("valves.txt", PrintValvesDetails);
  const std::string line = LineWith(text, weight(250.0f));
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(At(line, 6, 8), "30");
  EXPECT_EQ(At(line, 13, 15), "40");
  EXPECT_EQ(At(line, 19, 26), weight(250.0f));
  EXPECT_EQ(At(line, 27, 34), dimension(24.0f));
  EXPECT_EQ(At(line, 35, 40), "2.50");
  EXPECT_EQ(At(line, 41, 47), "1.75");
  EXPECT_EQ(At(line, 48, 55), weight(40.0f));
  EXPECT_EQ(At(line, 64, 71), dimension(20.0f));
  EXPECT_FALSE(LineWith(text, "Thick Insul Add Wght").empty());

  const std::vector<std::string> csv = Report("valves.csv", PrintValvesDetails);
  const auto title = std::find(csv.begin(), csv.end(), "Valves,");  // every line ends with a comma
  ASSERT_TRUE(csv.end() - title > 5);
  EXPECT_EQ(*(title + 3), ",,Weight,Length,Thick X,Insul Wgt X,Add Wght,DX,DY,DZ,");
  EXPECT_EQ(*(title + 5), "30,40," + weight(250.0f) + "," + dimension(24.0f) + ",2.50,1.75," + weight(40.0f) + "," +
                        dimension(0.0f) + "," + dimension(20.0f) + "," + dimension(0.0f) + ",");
}

}  // namespace
