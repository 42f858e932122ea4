// The nozzles' result views through Analyze and the Results window: the
// support-kind chooser offering nozzles after the anchors, "Loads on
// Nozzles" showing the loads of the results file in the nozzle's axes, the
// nozzle's support load summary and the loads section of a text report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "editing/ModelWindows.h"
#include "model/LcsTriad.h"
#include "printing/ReportOutput.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "supports/Nozzle.h"
#include "supports/NozzleStiffness.h"
#include "supports/SupportKindList.h"
#include "supports/SupportResultTables.h"

namespace {

class NozzleResultsTest : public ResultsFixture {
 protected:
  // 10 (anchor) along X 120 inch to 20, a nozzle on a cylinder with a
  // vertical axis; 300 F; sustained and operating.
  void OpenLine() {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 300.0, kDensity, ModelPath());
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 120.0f);
    PutItem(model, 2, DataType::Nozzle);
    auto& nozzle = static_cast<Nozzle&>(*model.row(2).item);
    nozzle.nozzleOd = 8.625f;
    nozzle.nozzleThickness = 0.5f;
    nozzle.vesselOd = 48.0f;
    nozzle.vesselThickness = 0.5f;
    nozzle.l1 = nozzle.l2 = 60.0f;
    nozzle.elasticModulus = 29.0e6f;
    nozzle.vesselAxis = {0.0f, 1.0f, 0.0f};
    nozzle.tag = "N1";
    ComputeNozzleStiffness(nozzle);
    MakeModel(model);
    SetCases(model, {1, 8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    OpenCancelled("RESULTS6_DIALOG");
    ASSERT_TRUE(InResultsMode());
  }
  std::vector<double> FileValues(int type, int row) {
    int k = 1;
    while (TheResults().cases[static_cast<std::size_t>(k)].type != type) ++k;
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
    const analysis_testing::CaseBlock block = analysis_testing::ReadCaseBlock(file, TheModel(), TheResults(), k);
    analysis_testing::RunResults run;
    run.contents = TheResults();
    return analysis_testing::SupportValues(run, block, row);
  }
};

TEST_F(NozzleResultsTest, TheLoadsTableAndTheSummaryShowTheNozzlesLoads) {
  OpenLine();
  std::vector<std::string> kinds;
  for (const SupportKindEntry& kind : SupportKinds()) kinds.push_back(kind.name);
  EXPECT_EQ(kinds, (std::vector<std::string>{"&Anchors", "&Nozzles"}));
  g_ResultCase = ResultCaseOfType(8);
  NozzleResultKind().openLoads();
  platform::RunUntilIdle();
  EXPECT_NE(ResultsTitle().find("Loads on Nozzles"), std::string::npos) << ResultsTitle();
  ResultTableWindow& table = Shown();
  EXPECT_EQ(table.CellText(1, 1, 0), "20");
  EXPECT_EQ(table.CellText(1, 2, 0), "N1");
  const std::vector<double> loads = FileValues(8, 2);
  ASSERT_EQ(loads.size(), 6u);
  EXPECT_GT(loads[0], 100.0);  // the growth pushes into the vessel
  EXPECT_EQ(table.CellText(1, 3, 0), FormatForce(static_cast<float>(loads[0])));
  EXPECT_EQ(table.CellText(1, 8, 0), FormatMoment(static_cast<float>(loads[5])));
  // The summary of the nozzle, from the Results window.
  OpenSupportSummaryWindow(NozzleResultKind(), 2);
  platform::RunUntilIdle();
  EXPECT_EQ(SupportSummaryTitle(NozzleResultKind(), 2), "Support load summary for nozzle at node 20 (Tag: N1)");
  // The loads section of a text report names the nozzle.
  const std::string path = folder_ + "/nozzle-loads.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, path));
  PrintSupportKindLoads(NozzleResultKind());
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream in(path);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Loads on Nozzles"), std::string::npos) << text;
  const std::string force = UnitLabel(kUnitForce);
  // "Node" at column 6, the force units from column 16 every 10.
  EXPECT_NE(text.find("Node      " + force + "      " + force), std::string::npos) << text;
  // The node at 6, the axial force ending at column 19.
  const std::string axial = FormatForce(static_cast<float>(loads[0]));
  EXPECT_NE(text.find(" 20" + std::string(19 - 7 - axial.size(), ' ') + axial + " "), std::string::npos) << text;
}

// The nozzle's summary names its loads in the vessel's terms: in the
// window each with its unit, in the text report over three heading lines
// (the name, its letters, the unit, each right-aligned at its column, so
// none runs into the next), in the comma-separated form the names' line
// and a line of units.
TEST_F(NozzleResultsTest, TheSummaryNamesTheVesselLoadsReadably) {
  OpenLine();
  OpenSupportSummaryWindow(NozzleResultKind(), 2);
  platform::RunUntilIdle();
  ResultTableWindow& summary = Shown();
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  const std::vector<std::string> names{"Radial (P) " + force,    "y Shear (VL) " + force,   "z Shear (VC) " + force,
                                       "Torque (MT) " + moment,  "Circ.Mom (MC) " + moment, "Long.Mom (ML) " + moment};
  for (int column = 2; column <= 7; ++column)
    EXPECT_EQ(summary.HeadingText(column, 1), names[static_cast<std::size_t>(column - 2)]) << column;
  auto report = [this](const char* name) {
    const std::string path = folder_ + name;
    EXPECT_TRUE(ReportOpenFile(ResultsFrame().window, path));
    PrintSupportSummary(NozzleResultKind(), 2);
    EXPECT_TRUE(ReportCloseFile());
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  };
  const std::vector<std::string> text = report("/summary.txt");
  const auto title = std::find_if(text.begin(), text.end(), [](const std::string& line) {
    return line.find("Support load summary for nozzle at node 20 (Tag: N1)") != std::string::npos;
  });
  ASSERT_GE(text.end() - title, 6);
  const std::string rule = "   " + std::string(83, '-');
  EXPECT_EQ(title[1], rule);
  EXPECT_EQ(title[2], "   Load combination     Radial y Shear z Shear    Torque  Circ.Mom  Long.Mom");
  EXPECT_EQ(title[3], "                           (P)    (VL)    (VC)      (MT)      (MC)      (ML)");
  EXPECT_EQ(title[4], "                          " + force + "    " + force + "    " + force + "   " + moment + "   " +
                          moment + "   " + moment);
  EXPECT_EQ(title[5], rule);
  const std::vector<std::string> csv = report("/summary.csv");
  const auto heading = std::find_if(csv.begin(), csv.end(), [](const std::string& line) {
    return line.rfind("Load combination,", 0) == 0;
  });
  ASSERT_GE(csv.end() - heading, 2);
  EXPECT_EQ(heading[0], "Load combination,Radial(P),y Shear (VL),z Shear (VC),Torque (MT),Circ.Mom (MC),Long.Mom (ML),X,Y,Z,");
  const std::string displacement = UnitLabel(kUnitDisplacement);
  EXPECT_EQ(heading[1], "," + force + "," + force + "," + force + "," + moment + "," + moment + "," + moment + "," +
                            displacement + "," + displacement + "," + displacement + ",");
  EXPECT_EQ(heading[2].rfind("Sustained,", 0), 0u) << heading[2];
}

// With the local axes shown, a highlighted nozzle shows the axes its loads
// are given in: along the nozzle, around the vessel and along it (here a
// vessel along Z, so not the pipe's own frame).
TEST_F(NozzleResultsTest, AHighlightedNozzleShowsItsOwnAxes) {
  using namespace analysis_testing;
  Model& model = TheModel();
  StartModel(model, 300.0, kDensity, ModelPath());
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 120.0f);
  PutItem(model, 2, DataType::Nozzle);
  static_cast<Nozzle&>(*model.row(2).item).vesselAxis = {0.0f, 0.0f, 1.0f};
  MakeModel(model);
  model.graphics.showLocalAxes = 1;
  ShowModelWindows();
  platform::RunUntilIdle();
  TheLcsTriad() = LcsTriad{};
  HighlightRowDataItem(2);
  platform::RunUntilIdle();
  const LcsTriad& triad = TheLcsTriad();
  EXPECT_EQ(triad.node, model.row(2).endNode);
  const std::array<std::array<float, 3>, 3> expected{{{1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, -1.0f, 0.0f}}};
  for (int axis = 0; axis < 3; ++axis)
    for (int i = 0; i < 3; ++i)
      EXPECT_NEAR(triad.axes[static_cast<std::size_t>(axis)][static_cast<std::size_t>(i)],
                  expected[static_cast<std::size_t>(axis)][static_cast<std::size_t>(i)], 1e-6)
          << axis << "," << i;
}

}  // namespace
