// The Bends list reached through the List window's chooser: its columns by
// piping code and "Use B31J" (hidden ones of width 0), its cells, the typed
// cells with their refusals (a typed radius makes a User bend and moves the
// arc; with B31J the two factors kept equal), Enter opening the dialog,
// and the printed section as text and comma-separated lines read back
// column by column.
#include "model/ListTesting.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "elements/BendList.h"
#include "elements/BendTesting.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "printing/ReportOutput.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

// The fixture's rows with row 3 a bend at node 30 turning up toward 40.
class BendListTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    TheModel().options.PipingCode = 1;
    PutFixtureBend(TheModel());
  }
  static Bend& BendAt(int row) { return static_cast<Bend&>(*TheModel().row(row).element); }
  static void Type(TableWindow& table, int column, const std::string& text) {
    table.currentColumn = column;
    TableLoadEditBuffer(table);
    table.editBuffer.clear();
    for (char c : text)
      if (const int kept = table.FilterChar(c)) table.editBuffer += static_cast<char>(kept);
    table.editChanged = true;
    TableCommitEdit(table);
  }
  static std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  static std::vector<std::string> Report(const std::string& path) {
    EXPECT_TRUE(ReportOpenFile(nullptr, path));
    PrintBendsDetails();
    EXPECT_TRUE(ReportCloseFile());
    return Lines(path);
  }
};

TEST_F(BendListTest, ColumnsFollowTheCodeAndB31J) {
  ChooseList("&Bends");
  TableWindow& list = BendsListTable();
  ASSERT_EQ(CurrentListOpener(), &OpenBendsList);
  ASSERT_EQ(list.rowCount, 1);
  const std::vector<std::string> cells = {"30", "6.75", "Long", "0.25", "CS", "", "", "1.50", "", "", "", "35",
                                          std::string("28.648"), "", ""};
  for (int column = 1; column <= 15; ++column)
    EXPECT_EQ(list.CellText(1, column, 0), cells[static_cast<std::size_t>(column - 1)]) << column;
  // B31.1 without B31J: out-plane factor and SIFs, axial and torsion hidden.
  for (int column : {7, 9, 10, 11}) EXPECT_EQ(list.widths[static_cast<std::size_t>(column)], 0) << column;
  for (int column : {2, 6, 8, 12, 13}) EXPECT_GT(list.widths[static_cast<std::size_t>(column)], 0) << column;
  EXPECT_EQ(list.HeadingText(8, 0), "SIF");
  EXPECT_EQ(list.HeadingText(2, 1), UnitLabel(kUnitDimension));
  // B31.3 shows the pair of SIFs, equally wide, and the axial one.
  TheModel().options.PipingCode = 3;
  list.DefineColumns();
  EXPECT_GT(list.widths[9], 0);
  EXPECT_GT(list.widths[10], 0);
  EXPECT_EQ(list.widths[8], list.widths[9]);
  EXPECT_EQ(list.widths[7], 0);
  EXPECT_EQ(list.HeadingText(8, 0), "In Pln");
  EXPECT_EQ(list.CellText(1, 9, 0), "1.75");
  TheModel().options.UseB31J = 1;
  list.DefineColumns();
  EXPECT_GT(list.widths[7], 0);
  EXPECT_GT(list.widths[11], 0);
  EXPECT_EQ(list.HeadingText(6, 1), "In Pln");
  EXPECT_TRUE(list.IsCellEditable(1, 7));
}

TEST_F(BendListTest, TypedCellsAreStoredThroughTheDialogsChecks) {
  ChooseList("&Bends");
  TableWindow& list = BendsListTable();
  const float nearX = NodeById(TheModel(), 100030).x;
  // A radius typed: a User bend, the arc's ends move with the model made again.
  Type(list, 2, "9");
  EXPECT_EQ(BendAt(3).radiusType, kBendRadiusUser);
  EXPECT_EQ(list.CellText(1, 3, 0), "User");
  EXPECT_NEAR(NodeById(TheModel(), 100030).x, nearX - (9.0f - 6.75f), 1.0e-4);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  // A material typed in lower case is stored upper-cased; an unknown one is refused.
  Type(list, 5, "cs");
  EXPECT_EQ(BendAt(3).material, "CS");
  messages.clear();
  Type(list, 5, "xx");
  Type(list, 4, "-1");
  Type(list, 6, "0");
  Type(list, 2, "1 2");  // the blank is filtered out: "12"
  EXPECT_EQ(messages, (std::vector<std::string>{"Material =  XX  is not defined", "Thickness =  -1  is invalid",
                                                "Flexibility factor =  0  is invalid"}));
  EXPECT_EQ(BendAt(3).material, "CS");
  EXPECT_FLOAT_EQ(BendAt(3).radius, 12.0f);
  // A factor typed, then cleared: back to computed and an empty cell.
  Type(list, 6, "3.5");
  EXPECT_FLOAT_EQ(BendAt(3).flexibilityFactor, 3.5f);
  Type(list, 6, "");
  EXPECT_EQ(BendAt(3).flexibilityFactor, -1.0f);
  EXPECT_EQ(list.CellText(1, 6, 0), "");
  // Read-only columns and the same value again.
  EXPECT_FALSE(list.IsCellEditable(1, 3));
  EXPECT_FALSE(list.IsCellEditable(1, 7));
  EXPECT_FALSE(list.IsCellEditable(1, 12));
  const int depth = UndoDepth();
  Type(list, 4, "0.25");
  EXPECT_EQ(UndoDepth(), depth);
  // A double click opens the bend dialog on the line's row.
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Bend at node 30");
    SetDlgItemText(dialog, 1303, "2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  list.DoubleClick();
  platform::CheckModalScript();
  EXPECT_FLOAT_EQ(BendAt(3).flexibilityFactor, 2.0f);
}

// With B31J the bend has one factor in and out of plane: a cell that
// would part them is refused with the dialog's own message.
TEST_F(BendListTest, WithB31JACellKeepsTheTwoFactorsEqualAsTheDialogDoes) {
  TheModel().options.PipingCode = 3;
  TheModel().options.UseB31J = 1;
  BendAt(3).flexibilityFactor = BendAt(3).outPlaneFlexibilityFactor = 2.0f;
  ChooseList("&Bends");
  TableWindow& list = BendsListTable();
  messages.clear();
  Type(list, 7, "3.5");
  Type(list, 6, "3.5");
  const std::string refused = "Inplane FF should be equal to Outplane FF";
  EXPECT_EQ(messages, (std::vector<std::string>{refused, refused}));
  EXPECT_EQ(BendAt(3).flexibilityFactor, 2.0f);
  EXPECT_EQ(BendAt(3).outPlaneFlexibilityFactor, 2.0f);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(BendListTest, TheSectionPrintsAsTextAndCommaSeparatedLines) {
  BendAt(3).flexibilityFactor = 2.5f;
  const std::string folder = TempFolder();
  const std::vector<std::string> text = Report(folder + "/bends.txt");
  auto heading = std::find_if(text.begin(), text.end(),
                              [](const std::string& line) { return line.find("Bend   Radius") != std::string::npos; });
  ASSERT_NE(heading, text.end());
  EXPECT_EQ(heading->find("Bend   Radius   Thickness  Bend  Flex.   Int.  Angle  Int.  Angle"), 5u);
  EXPECT_EQ((heading + 1)->substr(32, 12), "Matl  Factor");
  // Node at 6, radius at 13, its type at 20, wall at 23, material at 33,
  // factor at 39, intermediate node at 47 and its angle at 53.
  EXPECT_EQ(*(heading + 3), std::string("     30") + "     6.75" + "   L" + "  0.25" + "      CS" + "    2.5" + "     35" +
                                "    28.648");

  const std::vector<std::string> csv = Report(folder + "/bends.csv");
  auto header = std::find(csv.begin(), csv.end(),
                          "Bend,Radius,Thickness,Bend Matl,Int. Node,Angle,Int. Node,Angle, Flex. Fact., Flex. Fact., "
                          "In Pln, Out Pln, Axial, Torsion,");  // every CSV line ends with a comma
  ASSERT_NE(header, csv.end());
  EXPECT_EQ(*(header + 1), std::string("Node,") + UnitLabel(kUnitDimension) + "," + UnitLabel(kUnitDimension) + ",,," +
                               UnitLabel(kUnitAngle) + ",," + UnitLabel(kUnitAngle) +
                                ",In Pln, Out Pln, SIF, SIF, SIF, SIF,");
  // The heading's closing rule is an empty line; then the bend, after its
  // node. B31.1: neither the out-plane nor the axial SIF.
  EXPECT_EQ(*(header + 2), "");
  EXPECT_EQ(*(header + 3), "30,6.75 L,0.25,CS,35,28.648,,,2.500,,1.50,,,,");
  // A model without bends prints no section.
  SetElementType(TheModel(), 3, ElementType::Pipe);
  EXPECT_NE(std::find(csv.begin(), csv.end(), "Bends,"), csv.end());
  const std::vector<std::string> none = Report(folder + "/none.csv");
  EXPECT_EQ(std::find(none.begin(), none.end(), "Bends,"), none.end());
}

}  // namespace
