// The joint and support displacement tables through the Results window:
// the movement across a bellows turned 30 degrees in plan and across a
// ball joint, in local and global components, against the node records of
// the results file turned by hand; the guide's axis columns on a vertical
// run; a limit stop measured against its connected node; the hangers'
// global table; the kinds the selector offers; the text and comma-separated
// forms.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>

#include "editing/NodeList.h"
#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "loads/Force.h"
#include "model/ListWindow.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "results/JointDisplacementTables.h"
#include "results/OtherSelectors.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "services/ListFrameState.h"
#include "services/Units.h"
#include "supports/LimitStop.h"
#include "supports/OtherSupportLists.h"

namespace {

using analysis_testing::Within;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

double Number(const std::string& text) { return std::stod(text); }

class JointDisplacementTablesTest : public ResultsFixture {
 protected:
  // Millimetres: three decimals of a fraction of an inch are too coarse.
  void SetUp() override {
    ResultsFixture::SetUp();
    g_UnitsSettings.unit[kUnitDisplacement] = 1;
  }
  void TearDown() override {
    g_JointResultsGlobal = false;
    ResultsFixture::TearDown();
  }
  static constexpr double kCos = 0.86602540378443865, kSin = 0.5, kMm = 25.4;

  // Anchor 10, a pipe to 20 of 60 inch turned 30 degrees from X towards Z,
  // a bellows to 30 (10 inch), a pipe to 40 (60 inch), a ball joint at 45
  // and a pipe to 50 (30 inch) with a tip load; weightless, operating.
  void OpenJoints() {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, ModelPath());
    auto leg = [](double length) {
      return std::array<float, 3>{static_cast<float>(length * kCos), 0.0f, static_cast<float>(length * kSin)};
    };
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, leg(60)[0], 0.0f, leg(60)[2]);
    const int bellowsRow = PipeRow(model, 30, ElementType::Bellows, leg(10)[0], 0.0f, leg(10)[2]);
    auto& bellows = static_cast<Bellows&>(*model.row(bellowsRow).element);
    bellows.axialStiffness = 1000.0f;
    bellows.lateralStiffness = 2000.0f;
    bellows.bendingStiffness = 1.0e5f;
    bellows.torsionalStiffness = 2.0e5f;
    PipeRow(model, 40, ElementType::Pipe, leg(60)[0], 0.0f, leg(60)[2]);
    const int ballRow = AddRow(model, 45, ElementType::BallJoint);
    auto& ball = static_cast<BallJoint&>(*model.row(ballRow).element);
    ball.bendingStiffness = 5.0e4f;
    ball.torsionalStiffness = 8.0e4f;
    const int tip = PipeRow(model, 50, ElementType::Pipe, leg(30)[0], 0.0f, leg(30)[2]);
    PutItem(model, tip, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(tip).item);
    force.FX = 100.0f;
    force.FY = -200.0f;
    force.FZ = 150.0f;
    force.MX = 3000.0f;
    force.MZ = 2000.0f;
    MakeModel(model);
    SetCases(model, {8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    OpenCancelled("RESULTS4_DIALOG");
    ASSERT_TRUE(InResultsMode());
    g_ResultCase = 1;
  }

  // The node records of case 1 read from the file, by node id.
  std::array<double, 6> FileNode(NodeId id) {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
    const analysis_testing::CaseBlock block = analysis_testing::ReadCaseBlock(file, TheModel(), TheResults(), 1);
    const std::array<float, 6>& v = block.nodes.at(static_cast<std::size_t>(FindNodeIndex(TheModel().nodes, id)));
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
  }
  std::array<double, 6> Across(NodeId from, NodeId to) {
    const std::array<double, 6> a = FileNode(from), b = FileNode(to);
    std::array<double, 6> d{};
    for (std::size_t i = 0; i < 6; ++i) d[i] = b[i] - a[i];
    return d;
  }
  // Global components in the frame of a joint along (cos 30, 0, sin 30):
  // x along it, y up, z = x cross y = (-sin 30, 0, cos 30).
  static std::array<double, 6> InPlanFrame(const std::array<double, 6>& d) {
    return {kCos * d[0] + kSin * d[2], d[1], -kSin * d[0] + kCos * d[2],
            kCos * d[3] + kSin * d[5], d[4], -kSin * d[3] + kCos * d[5]};
  }
  static void ExpectCells(ResultTableWindow& table, int row, int firstColumn, const std::array<double, 6>& expected,
                          std::size_t first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      const std::string text = table.CellText(row, firstColumn + static_cast<int>(i), 0);
      const double want = expected[first + i] * (first + i >= 3 ? 57.29577951308232 : kMm);
      EXPECT_NEAR(Number(text), want, 5.0e-4 + 1.0e-4 * std::fabs(want)) << "column " << firstColumn + i << ": " << text;
    }
  }
};

TEST_F(JointDisplacementTablesTest, TheMovementAcrossABellowsTurnedInPlanInLocalAndGlobalComponents) {
  OpenJoints();
  const std::vector<std::string> kinds = [] {
    std::vector<std::string> names;
    for (const ResultKind& kind : DisplacementFamily().kinds) names.push_back(kind.name);
    return names;
  }();
  EXPECT_EQ(kinds, (std::vector<std::string>{"&All", "&Min / Max", "&Ball joints", "&Flex joints"}));
  // The Other Displacements selector opens the flex joints.
  OpenChosenDisplacementsTable();
  std::vector<std::string> offered;
  platform::ExpectModal(platform::ModalKind::Dialog, "OTHER4_DIALOG", [&offered](HWND dialog) {
    offered = ShownRadios(dialog);
    Click(dialog, 1404);
  });
  ResultsCommandNow(287);
  platform::CheckModalScript();
  EXPECT_EQ(offered, kinds);
  EXPECT_NE(ResultsTitle().find("Flex joint displacements in local coord"), std::string::npos) << ResultsTitle();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 2);  // the bellows, then the ball joint
  EXPECT_EQ(Row(table, 1)[0], "20");
  EXPECT_EQ(Row(table, 1)[1], "30");
  EXPECT_EQ(Row(table, 1)[2], "Bellows");
  EXPECT_EQ(Row(table, 2)[2], "Ball");
  const std::array<double, 6> d = Across(20, 30);
  // The bellows moves: something to check in every component.
  EXPECT_GT(std::fabs(d[0]) + std::fabs(d[2]), 1.0e-3);
  const std::array<double, 6> local = InPlanFrame(d);
  ExpectCells(table, 1, 4, local, 0, 6);
  EXPECT_EQ(table.HeadingText(4, 0), std::string("x ") + UnitLabel(kUnitDisplacement));
  // F7: global components, the raw differences.
  ResultsCommandNow(288);
  EXPECT_TRUE(g_JointResultsGlobal);
  EXPECT_NE(ResultsTitle().find("Flex joint displacements in global coord"), std::string::npos) << ResultsTitle();
  ResultTableWindow& global = Shown();
  ExpectCells(global, 1, 4, d, 0, 6);
  EXPECT_EQ(global.HeadingText(9, 0), std::string("ZZ ") + UnitLabel(kUnitAngle));
  ResultsCommandNow(288);
  EXPECT_FALSE(g_JointResultsGlobal);
  // A model without guides, hangers or limit stops opens none of their
  // tables: the table shown stays.
  ResultTableWindow* shown = ShownResultTable();
  for (ResultOpener opener : {OpenGuideDisplacementsTable, OpenHangerDisplacementsTable, OpenLimitStopDisplacementsTable}) {
    opener();
    EXPECT_EQ(ShownResultTable(), shown);
  }
}

TEST_F(JointDisplacementTablesTest, ABallJointsBendingIsTheSameInBothAxes) {
  OpenJoints();
  OpenBallJointDisplacementsTable();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 1);
  EXPECT_EQ(Row(table, 1)[0], "40");
  EXPECT_EQ(Row(table, 1)[1], "45");
  const std::array<double, 6> d = Across(40, 45);
  const std::array<double, 6> local = InPlanFrame(d);
  ExpectCells(table, 1, 3, local, 3, 3);
  const double bending = std::hypot(local[4], local[5]) * 57.29577951308232;
  EXPECT_GT(bending, 1.0e-3);
  const std::string localBending = table.CellText(1, 6, 0);
  EXPECT_NEAR(Number(localBending), bending, 1.0e-4 + 1.0e-4 * bending) << localBending;
  ResultsCommandNow(288);
  ResultTableWindow& global = Shown();
  EXPECT_NE(ResultsTitle().find("Ball joint displacements in global coord"), std::string::npos) << ResultsTitle();
  ExpectCells(global, 1, 3, d, 3, 3);
  EXPECT_EQ(global.CellText(1, 6, 0), localBending);
}

TEST_F(JointDisplacementTablesTest, TheJointReportsAreLocalInTextAndCommaSeparatedLines) {
  OpenJoints();
  OpenFlexJointDisplacementsTable();
  ResultsCommandNow(288);  // the screen global: the report stays local
  ResultTableWindow& table = Shown();
  const std::array<double, 6> local = InPlanFrame(Across(20, 30));
  const std::string text = folder_ + "/joints.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, text));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  EXPECT_TRUE(g_JointResultsGlobal);
  g_JointResultsGlobal = false;  // the cells to compare with
  const std::vector<std::string> lines = FileLines(text);
  const std::string caseTitle = CurrentCaseTitle();
  const auto flex = std::find_if(lines.begin(), lines.end(), [&caseTitle](const std::string& l) {
    return l.find("Flex joint displacements in local coordinates: " + caseTitle) != std::string::npos;
  });
  ASSERT_NE(flex, lines.end());
  EXPECT_EQ((flex + 2)->substr(4, 17), "From   To    Type");
  const std::string row = *(flex + 4);
  EXPECT_EQ(row.substr(4, 2), "20");
  EXPECT_EQ(row.substr(10, 2), "30");
  EXPECT_EQ(row.substr(16, 7), "Bellows");
  // x ends at column 32, zz at 77.
  const std::string x = table.CellText(1, 4, 0);
  EXPECT_NEAR(Number(x), local[0] * kMm, 5.0e-4);
  EXPECT_EQ(row.substr(32 - x.size(), x.size()), x) << row;
  const std::string zz = table.CellText(1, 9, 0);
  EXPECT_NEAR(Number(zz), local[5] * 57.29577951308232, 1.0e-4 + 1.0e-4 * std::fabs(local[5] * 57.3));
  EXPECT_EQ(row.substr(77 - zz.size(), zz.size()), zz) << row;
  // The ball joints follow.
  const auto ball = std::find_if(flex, lines.end(), [&caseTitle](const std::string& l) {
    return l.find("Ball joint displacements in local coordinates: " + caseTitle) != std::string::npos;
  });
  ASSERT_NE(ball, lines.end());
  EXPECT_EQ((ball + 4)->substr(4, 2), "40");
  const std::string csv = folder_ + "/joints.csv";
  g_JointResultsGlobal = true;
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, csv));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = FileLines(csv);
  const auto title = std::find(rows.begin(), rows.end(), CurrentCaseTitle() + ": Flex joint displacements (local),");
  ASSERT_NE(title, rows.end()) << (rows.empty() ? "" : rows[0]);
  const std::string dl = UnitLabel(kUnitDisplacement), al = UnitLabel(kUnitAngle);
  EXPECT_EQ(*(title + 1), "From,To,Type,x " + dl + ",y " + dl + ",z " + dl + ",xx " + al + ",yy " + al + ",zz " + al + ",");
  g_JointResultsGlobal = false;
  EXPECT_EQ(*(title + 2), "20,30,Bellows," + table.CellText(1, 4, 0) + "," + table.CellText(1, 5, 0) + "," +
                              table.CellText(1, 6, 0) + "," + table.CellText(1, 7, 0) + "," + table.CellText(1, 8, 0) +
                              "," + table.CellText(1, 9, 0) + ",");
}

class SupportDisplacementTablesTest : public JointDisplacementTablesTest {
 protected:
  // Anchor 10, up 30 inch to 15 (a guide) and 30 more to 20, then along X
  // 60 inch to 30 (a limit stop in Y against node 20), 60 to 40 (a
  // hanger), 60 to 50 (anchor); T1 300 F, with weight.
  void OpenSupports() {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 300.0, kDensity, ModelPath());
    model.options.IncludeHangerStiffness = 0;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 15, ElementType::Pipe, 0.0f, 30.0f);
    PutItem(model, 2, DataType::Guide);
    PipeRow(model, 20, ElementType::Pipe, 0.0f, 30.0f);
    PipeRow(model, 30, ElementType::Pipe, 60.0f);
    PutItem(model, 4, DataType::LimitStop);
    auto& stop = static_cast<LimitStop&>(*model.row(4).item);
    stop.dirY = 1.0f;
    stop.connectedNode = 20;
    stop.stiffness = 1.0e3f;
    stop.lowerLimit = -0.01f;
    PipeRow(model, 40, ElementType::Pipe, 60.0f);
    PutItem(model, 5, DataType::Hanger);
    PipeRow(model, 50, ElementType::Pipe, 60.0f);
    PutItem(model, 6, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {1, 8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    OpenCancelled("RESULTS8_DIALOG");
    ASSERT_TRUE(InResultsMode());
    g_ResultCase = ResultCaseOfType(8);
  }
  std::array<double, 6> CaseNode(NodeId id) {
    const int k = g_ResultCase;
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
    const analysis_testing::CaseBlock block = analysis_testing::ReadCaseBlock(file, TheModel(), TheResults(), k);
    const std::array<float, 6>& v = block.nodes.at(static_cast<std::size_t>(FindNodeIndex(TheModel().nodes, id)));
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
  }
};

TEST_F(SupportDisplacementTablesTest, AGuideOnAVerticalRunShowsItsAxisAsTheYComponent) {
  OpenSupports();
  std::vector<std::string> kinds;
  for (const ResultKind& kind : DisplacementFamily().kinds) kinds.push_back(kind.name);
  EXPECT_EQ(kinds, (std::vector<std::string>{"&All", "&Min / Max", "&Guides", "&Hangers", "&Limit stops"}));
  OpenGuideDisplacementsTable();
  EXPECT_NE(ResultsTitle().find("Displacements at Guides in Local Coord"), std::string::npos) << ResultsTitle();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 1);
  const std::vector<std::string> row = Row(table, 1);
  ASSERT_EQ(row.size(), 8u);
  EXPECT_EQ(row[0], "15");
  EXPECT_EQ(row[5], "");
  EXPECT_EQ(row[6], "1.000");
  EXPECT_EQ(row[7], "");
  EXPECT_EQ(table.HeadingText(6, 0), "X comp");
  // x is the movement along the pipe (up); the rotations about the pipe
  // axis and the two lateral axes, whatever their order, keep their sizes.
  const std::array<double, 6> v = CaseNode(15);
  EXPECT_NEAR(Number(row[1]), v[1] * kMm, 5.0e-4);
  EXPECT_NEAR(Number(row[2]), v[4] * 57.29577951308232, 1.0e-4);
  const double lateral = std::hypot(Number(row[3]), Number(row[4]));
  EXPECT_NEAR(lateral, std::hypot(v[3], v[5]) * 57.29577951308232, 2.0e-4);
  // Global: the node's six components and no eighth column.
  ResultsCommandNow(288);
  EXPECT_NE(ResultsTitle().find("Displacements at Guides in Global Coord"), std::string::npos) << ResultsTitle();
  ResultTableWindow& global = Shown();
  EXPECT_NEAR(Number(global.CellText(1, 2, 0)), v[0] * kMm, 5.0e-4);
  EXPECT_NEAR(Number(global.CellText(1, 3, 0)), v[1] * kMm, 5.0e-4);
  EXPECT_EQ(global.CellText(1, 8, 0), "");
  EXPECT_EQ(global.widths[8], 0);
}

TEST_F(SupportDisplacementTablesTest, ALimitStopShowsTheMovementRelativeToItsConnectedNode) {
  OpenSupports();
  OpenLimitStopDisplacementsTable();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 1);
  EXPECT_EQ(Row(table, 1)[0], "30");
  EXPECT_EQ(Row(table, 1)[4], "");
  EXPECT_EQ(Row(table, 1)[5], "1.000");
  EXPECT_EQ(Row(table, 1)[6], "");
  const std::array<double, 6> at = CaseNode(30), connected = CaseNode(20);
  // x along +Y; y = (-1, 0, 0) and z = (0, 0, 1) for a vertical x by the
  // local-frame rule.
  EXPECT_NEAR(Number(table.CellText(1, 2, 0)), (at[1] - connected[1]) * kMm, 5.0e-4);
  EXPECT_NEAR(Number(table.CellText(1, 3, 0)), -(at[0] - connected[0]) * kMm, 5.0e-4);
  EXPECT_NEAR(Number(table.CellText(1, 4, 0)), (at[2] - connected[2]) * kMm, 5.0e-4);
  EXPECT_GT(std::fabs(at[0] - connected[0]), 1.0e-3);
  // The connected node moving with the stop: no relative movement.
  const int stopNode = FindNodeIndex(TheModel().nodes, 30), other = FindNodeIndex(TheModel().nodes, 20);
  g_CaseDisplacements.at(static_cast<std::size_t>(other)) = g_CaseDisplacements.at(static_cast<std::size_t>(stopNode));
  for (int c = 2; c <= 4; ++c) EXPECT_EQ(Number(table.CellText(1, c, 0)), 0.0) << c;
}

TEST_F(SupportDisplacementTablesTest, HangersAreAlwaysGlobalAndTheReportsWriteTheColumnsShown) {
  OpenSupports();
  OpenHangerDisplacementsTable();
  EXPECT_NE(ResultsTitle().find("Displacements at Hangers:"), std::string::npos) << ResultsTitle();
  ResultTableWindow& table = Shown();
  const std::array<double, 6> v = CaseNode(40);
  EXPECT_EQ(Row(table, 1)[0], "40");
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(Number(table.CellText(1, c + 2, 0)), v[static_cast<std::size_t>(c)] * kMm, 5.0e-4);
  // F7 does nothing on the hangers.
  ResultsCommandNow(288);
  EXPECT_FALSE(g_JointResultsGlobal);
  OpenGuideDisplacementsTable();
  ResultsCommandNow(288);
  const std::string csv = folder_ + "/guides.csv";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, csv));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = FileLines(csv);
  const auto title = std::find(rows.begin(), rows.end(),
                               CurrentCaseTitle() + ": Displacements at Guides in Global Coord,");
  ASSERT_NE(title, rows.end()) << (rows.empty() ? "" : rows[0]);
  EXPECT_EQ(*(title + 1), "Node,X " + std::string(UnitLabel(kUnitDisplacement)) + ",Y " + UnitLabel(kUnitDisplacement) +
                              ",Z " + UnitLabel(kUnitDisplacement) + ",XX " + UnitLabel(kUnitAngle) + ",YY " +
                              UnitLabel(kUnitAngle) + ",ZZ " + UnitLabel(kUnitAngle) + ",");
  EXPECT_EQ((title + 2)->substr(0, 3), "15,");
}

// Anchor 10, guides at 20 and 30, anchor at 40, 60 inch apart along X: the
// Guides list of the List window follows the current row of the guide
// displacements table; another list shown there is left alone.
TEST_F(SupportDisplacementTablesTest, TheGuidesListOfTheListWindowFollowsTheCurrentRow) {
  using namespace analysis_testing;
  Model& model = TheModel();
  StartModel(model, 300.0, kDensity, ModelPath());
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 60.0f);
  PutItem(model, 2, DataType::Guide);
  PipeRow(model, 30, ElementType::Pipe, 60.0f);
  PutItem(model, 3, DataType::Guide);
  PipeRow(model, 40, ElementType::Pipe, 60.0f);
  PutItem(model, 4, DataType::Anchor);
  MakeModel(model);
  SetCases(model, {1, 8});
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ShowListByOpener(OpenGuidesList);
  ASSERT_EQ(CurrentListOpener(), &OpenGuidesList);
  TableWindow& guides = GuidesListTable();
  TableGoTo(guides, 1);
  ASSERT_EQ(guides.currentRow, 1);
  OpenGuideDisplacementsTable();
  ASSERT_EQ(Shown().rowCount, 2);
  Shown().KeyDown(VK_DOWN);
  ASSERT_EQ(Shown().currentRow, 2);
  EXPECT_EQ(guides.currentRow, 2);
  EXPECT_EQ(TheModel().row(RowListEntry(TheModel().lists[RowListKind::Guides], guides.currentRow)).node,
            Shown().RowNode(2));
  Shown().KeyDown(VK_UP);
  EXPECT_EQ(guides.currentRow, 1);
  // With the node list shown the table moves on its own.
  ShowListByOpener(OpenNodeList);
  ASSERT_EQ(CurrentListOpener(), &OpenNodeList);
  HWND nodes = ListTableWindow(0);
  ASSERT_NE(nodes, nullptr);
  TableWindow* nodeTable = TableOfWindow(nodes);
  ASSERT_NE(nodeTable, nullptr);
  const int nodeRow = nodeTable->currentRow;
  Shown().KeyDown(VK_DOWN);
  EXPECT_EQ(Shown().currentRow, 2);
  EXPECT_EQ(nodeTable->currentRow, nodeRow);
  EXPECT_EQ(guides.currentRow, 1);
}

}  // namespace
