// The "Branch Points" list of the List window: every branch node with the
// text of its Branch SIF (empty for a tee entered without one), opened on
// the entry of the current Layout row, the node highlighted, the List
// window's first two menus off while it is shown, and its printed section
// as text and comma-separated lines.
#include "model/ListTesting.h"

#include <fstream>
#include <sstream>

#include "editing/LayoutEditors.h"
#include "elements/BranchPointsList.h"
#include "elements/BranchSif.h"
#include "graphics/Highlight.h"
#include "platform/Menu.h"
#include "printing/ReportOutput.h"
#include "services/TempFiles.h"

namespace {

class BranchPointsTest : public ListFixture {
 protected:
  // Branches of S2 from 20 (row 7, with a welding tee on row 6's From) and
  // from 30 (rows 8 and 9, without a Branch SIF).
  void SetUp() override {
    ListFixture::SetUp();
    Model& model = TheModel();
    PipeSection two;
    InitSection(two);
    two.name = "S2";
    two.outsideDiameter = 2.375f;
    two.thickness = 0.154f;
    AppendSection(model.sections, two);
    AddRow(model, 20, ElementType::From);
    Branch(AddRow(model, 25, ElementType::Pipe, 0.0f, 12.0f));
    AddRow(model, 30, ElementType::From);
    Branch(AddRow(model, 35, ElementType::Pipe, 0.0f, 0.0f, 12.0f));
    PutItem(model, 6, DataType::BranchSif);
    static_cast<BranchSif&>(*model.row(6).item).type = 1;
    MakeModel(model);
    model.modified = false;
    ShowModelWindows();
  }
  static void Branch(int row) {
    Model& model = TheModel();
    model.row(row).material = "CS";
    model.row(row).section = "S2";
    model.row(row).load = "L1";
  }
  static bool ListMenuGrayed(int position) {
    return (GetMenuState(ListFrame().menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
  }
  static std::string Report(const std::string& name) {
    const std::string path = TempFolder() + "/" + name;
    EXPECT_TRUE(ReportOpenFile(nullptr, path));
    PrintBranchPoints();
    EXPECT_TRUE(ReportCloseFile());
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
};

TEST_F(BranchPointsTest, EveryBranchNodeWithTheTextOfItsBranchSif) {
  SetCurrentLayoutRow(8);  // the From 30 of the branch without a SIF
  ChooseList("&Branch points");
  ASSERT_EQ(CurrentListOpener(), &OpenBranchPointsList);
  BranchPointsTable& table = TheBranchPointsTable();
  ASSERT_EQ(table.rowCount, 2);
  EXPECT_EQ(table.HeadingText(1, 0), "Node");
  EXPECT_EQ(table.HeadingText(2, 0), "SIF Type");
  EXPECT_EQ(table.CellText(1, 1, 0), "20");
  EXPECT_EQ(table.CellText(1, 2, 0), "Welding tee");
  EXPECT_EQ(table.CellText(2, 1, 0), "30");
  EXPECT_EQ(table.CellText(2, 2, 0), "");
  // It opened on the entry of the current Layout row, whose node it shows.
  EXPECT_EQ(table.currentRow, 2);
  const HighlightStatus highlight = CurrentHighlight();
  EXPECT_EQ(highlight.kind, kHighlightNode);
  EXPECT_EQ(highlight.index, FindNodeIndex(TheModel().nodes, 30));
  // Nothing of File and Edit acts on branch nodes: both are off while it is
  // shown and back with the next list.
  EXPECT_TRUE(ListMenuGrayed(0));
  EXPECT_TRUE(ListMenuGrayed(1));
  ChooseList("&Sections");
  EXPECT_FALSE(ListMenuGrayed(0));
  EXPECT_FALSE(ListMenuGrayed(1));
  // The tee's row brings up its own entry.
  SetCurrentLayoutRow(6);
  ChooseList("&Branch points");
  EXPECT_EQ(TheBranchPointsTable().currentRow, 1);
}

TEST_F(BranchPointsTest, TheListIsOfferedOnlyWithBranchNodesAndPrintsItsLines) {
  EXPECT_TRUE(BranchPointsListOffered(TheModel()));
  const std::string text = Report("points.txt");
  EXPECT_NE(text.find("Branch Points (2)"), std::string::npos) << text;
  EXPECT_NE(text.find("     Node   SIF Type"), std::string::npos) << text;
  EXPECT_NE(text.find("     20     Welding tee"), std::string::npos) << text;
  EXPECT_NE(text.find("     30\n"), std::string::npos) << text;
  const std::string csv = Report("points.csv");
  EXPECT_NE(csv.find("Branch Points,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("Node,SIF Type,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("20,Welding tee,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("30,,"), std::string::npos) << csv;
  // A line without branches has none to list.
  Model line;
  InitEmptyModel(line, AnalysisOptions());
  AddTestProperties(line);
  AddRow(line, 10, ElementType::From);
  AddRow(line, 20, ElementType::Pipe, 12.0f);
  AddRow(line, 30, ElementType::Pipe, 12.0f);
  MakeModel(line);
  EXPECT_FALSE(BranchPointsListOffered(line));
}

}  // namespace
