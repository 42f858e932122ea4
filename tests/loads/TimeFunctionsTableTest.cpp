// The time functions table reached from the Layout window (Misc > Time
// functions): the File and Edit items it brings and takes away, a text file
// read (a bad one refused with its line and the model untouched, a name
// that exists asked about), the values grid beside the names (typed points
// kept sorted when the grid is left, a typed 0 kept, a repeated time
// dropped with a message), the export written and read back, a rename the
// time varying loads follow, Delete refusing a function in use, and the
// report section as text and comma-separated lines.
#include "editing/NodeList.h"
#include "loads/PointTablesTable.h"
#include "loads/PointTablesTesting.h"
#include "loads/TimeFunctionsTable.h"
#include "loads/TimeVaryingLoad.h"
#include "model/RowOperations.h"
#include "platform/Menu.h"
#include "records/TimeFunction.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"

namespace {

class TimeFunctionsTableTest : public PointTablesFixture {
 protected:
  static PointTablesTable& Table() { return TheTimeFunctionsTable(); }
  static PointsGrid& Grid() { return TheTimeFunctionsGrid(); }
  static TimeFunctionList& Functions() { return TheModel().timeFunctions; }
  static int FileMenuSeparators() {
    HMENU file = GetSubMenu(ListFrame().menu, 0);
    int count = 0;
    for (int position = 0; position < GetMenuItemCount(file); ++position)
      count += GetMenuItemID(file, position) == 0 ? 1 : 0;
    return count;
  }
  void ReadFile(const std::string& name, const std::string& text, const std::vector<std::string>& box) {
    const std::string path = Path(name);
    WriteText(path, text);
    ChooseFile("Read Time function from a Text File", path);
    ExpectBox(box);
    List(222);
  }
};

TEST_F(TimeFunctionsTableTest, ReadFromTextTheMenusAndTheGrid) {
  const int separators = FileMenuSeparators();
  Layout(252);
  ASSERT_EQ(CurrentListOpener(), &OpenTimeFunctionsTable);
  EXPECT_TRUE(FileMenuHas(222));
  EXPECT_TRUE(FileMenuHas(351));
  EXPECT_EQ(FileMenuSeparators(), separators + 1);
  EXPECT_EQ(g_CsvExportDefaultName, "TimeFunctions.csv");
  EXPECT_EQ(Table().rowCount, 1);  // the spare record

  // A bad file: refused with its line, nothing changed.
  ReadFile("bad.txt", "F1\n0 0\n0.1 100\n-0.1 5\n", {"Line 4: -0.1 5", "Time should be positive"});
  EXPECT_FALSE(HasTimeFunctions(Functions()));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
  // Two functions read; the menus are still there, with one separator.
  ReadFile("two.txt", "F1\n0 0\n0.1 100\n-1.e11\nF2\n0 5\n", {"Time function was read from file: " + Path("two.txt")});
  ASSERT_EQ(Functions().size(), 3u);
  EXPECT_EQ(Functions()[0].name, "F1");
  EXPECT_EQ(Functions()[1].name, "F2");
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  EXPECT_EQ(Table().rowCount, 3);
  EXPECT_TRUE(FileMenuHas(222));
  EXPECT_EQ(FileMenuSeparators(), separators + 1);
  // A file whose first function would replace F1 and whose second one is
  // bad: refused with the second one's line before F1 is touched.
  TheModel().modified = false;
  const int before = UndoDepth();
  ReadFile("half.txt", "F1\n0 9\n-1.e11\nF3\n0 1\n1 x\n", {"Line 6: 1 x", "Invalid time function values"});
  ASSERT_EQ(Functions().size(), 3u);
  EXPECT_EQ(Functions()[0].name, "F1");
  ASSERT_EQ(Functions()[0].points.size(), 2u);
  EXPECT_EQ(Functions()[0].points[1].y, 100.0f);
  EXPECT_EQ(Functions()[1].name, "F2");
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), before);
  // An existing name asks; No changes nothing.
  const int depth = UndoDepth();
  const std::string path = Path("again.txt");
  WriteText(path, "F2\n0 7\n");
  ChooseFile("Read Time function from a Text File", path);
  ExpectBox({"The time function in the file:  \"F2\"  is already defined.",
             "Do you want to overwrite the time function ?"},
            IDCANCEL);
  List(222);
  EXPECT_EQ(Functions()[1].points[0].y, 5.0f);
  EXPECT_EQ(UndoDepth(), depth);

  // The grid shows the current function with a spare row.
  TableGoTo(Table(), 1);
  platform::RunUntilIdle();
  ASSERT_EQ(TableOfWindow(ListTableWindow(1)), &Grid());
  EXPECT_EQ(Grid().rowCount, 3);
  EXPECT_EQ(Grid().HeadingText(1, 0), "Time (Sec)");
  EXPECT_EQ(Grid().CellText(1, 1, 0), "0");  // the kept zero
  EXPECT_EQ(Grid().CellText(2, 2, 0), "100");
  // A point typed out of order, kept sorted when the grid is left.
  TypeCell(Grid(), 3, 1, "0.05");
  TypeCell(Grid(), 3, 2, "-40");
  Grid().EnterRow(false);
  EXPECT_EQ(Grid().rowCount, 4);
  SetFocus(Table().Window());
  platform::RunUntilIdle();
  ASSERT_EQ(Functions()[0].points.size(), 3u);
  EXPECT_FLOAT_EQ(Functions()[0].points[1].x, 0.05f);
  EXPECT_EQ(Functions()[0].points[1].y, -40.0f);
  // A negative time and a letter are refused in the grid.
  messages.clear();
  TypeCell(Grid(), 1, 1, "-1");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Time =  -1  is invalid");
  // A time typed twice: the later point is dropped and the user told.
  messages.clear();
  TypeCell(Grid(), 4, 1, "0.1");
  TypeCell(Grid(), 4, 2, "7");
  SetFocus(Table().Window());
  platform::RunUntilIdle();
  EXPECT_EQ(Functions()[0].points.size(), 3u);
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().find("The point of row 4 was dropped"), std::string::npos);

  // Leaving the table takes its items away.
  ShowListByOpener(OpenNodeList);
  EXPECT_FALSE(FileMenuHas(222));
  EXPECT_EQ(FileMenuSeparators(), separators);
  EXPECT_EQ(g_CsvExportDefaultName, "");
}

TEST_F(TimeFunctionsTableTest, ExportRenameDeleteAndReport) {
  Model& model = TheModel();
  SetLastTimeFunction(Functions(), "Hammer", {{kExplicitZero, kExplicitZero}, {0.05f, 250.0f}});
  auto& load = static_cast<TimeVaryingLoad&>(*SetDataType(model, 3, DataType::TimeVaryingLoad));
  load.Direction = 1;
  load.TimeFunctionName = "Hammer";
  MakeModel(model);
  Layout(252);
  EXPECT_EQ(Table().rowCount, 2);
  // The export, written and read back.
  const std::string csv = Path("TimeFunctions.csv");
  ChooseFile("Export to Comma Separated Values file", csv);
  List(351);
  std::ifstream exported(csv, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(exported)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "Time function = ,Hammer\r\nTime(Sec),Value\r\n0,0\r\n0.05,250\r\n\r\n");
  // Renamed after the question; the load follows.
  TableGoTo(Table(), 1);
  ExpectBox({"Do you want to change Time function name", "from  \"Hammer\"  to  \"HAMMER 2\" ?"}, IDOK);
  TypeCell(Table(), 1, 1, "HAMMER 2");
  EXPECT_EQ(Functions()[0].name, "HAMMER 2");
  EXPECT_EQ(load.TimeFunctionName, "HAMMER 2");
  // A name the other has is refused.
  SetLastTimeFunction(Functions(), "Step", {{1.0f, 1.0f}});
  Table().Refresh(2);
  messages.clear();
  TypeCell(Table(), 2, 1, "HAMMER 2");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Time function =  HAMMER 2  is already defined");
  // In use: not deleted; the other one is.
  messages.clear();
  TableGoTo(Table(), 1);
  List(126);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Time function HAMMER 2 is in use, it cannot be deleted");
  EXPECT_EQ(FindTimeFunction(Functions(), "HAMMER 2"), 0);
  SetFocus(Table().Window());
  TableGoTo(Table(), 2);
  List(126);
  EXPECT_EQ(FindTimeFunction(Functions(), "Step"), -1);

  // The report section.
  const std::vector<std::string> lines = Report(PrintTimeFunctions);
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[0], "     " + std::string(78, '-'));
  EXPECT_EQ(lines[1].substr(0, 6), "     |");
  EXPECT_NE(lines[1].find("Time function = HAMMER 2"), std::string::npos);
  EXPECT_EQ(lines[3], "     Time (Sec)      Value");
  EXPECT_EQ(lines[4], "       0              0");
  EXPECT_EQ(lines[5], "       0.05           250");
  const std::vector<std::string> cells = Report(PrintTimeFunctions, true);
  EXPECT_EQ(cells, (std::vector<std::string>{"Time function = HAMMER 2,", "Time (Sec),Value,", "0,0,", "0.05,250,"}));
}

// Points typed into the values grid are still there when File > Open is
// picked from the List window's menu, which takes no focus from the grid:
// they are a change, so the model's save question comes first.
TEST_F(TimeFunctionsTableTest, PointsStillInTheGridAreAChangeToSave) {
  SetLastTimeFunction(Functions(), "Hammer", {{kExplicitZero, kExplicitZero}, {0.05f, 250.0f}});
  MakeModel(TheModel());
  Layout(252);
  TableGoTo(Table(), 1);
  platform::RunUntilIdle();
  TypeCell(Grid(), 3, 1, "0.2");
  TypeCell(Grid(), 3, 2, "5");
  ASSERT_FALSE(TheModel().modified);  // not yet in the function
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  List(102);  // File > Open
  platform::CheckModalScript();
  EXPECT_TRUE(TheModel().modified);
  ASSERT_EQ(Functions()[0].points.size(), 3u);
  EXPECT_FLOAT_EQ(Functions()[0].points[2].x, 0.2f);
  EXPECT_EQ(Functions()[0].points[2].y, 5.0f);
}

}  // namespace
