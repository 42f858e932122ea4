// The hanger steps and the catalogue design through the analysis driver,
// against hand calculations: a 200-inch line between two anchors with a
// hanger at mid-span, weightless pipe carrying 10 lb/in of additional
// weight, so the rigid support of the load step carries w a = 1000 lb (two
// fixed-fixed spans of 100 inch); both anchors move up 0.5 inch in T1, so
// the hanger travels 0.5 inch. The design then picks the "Grinnell" size
// and series by hand: B-268 size 9 (200 lb/in, cold 1100 lb, 10 %), or
// with 1.5 inch of travel series 98 size 9 (100 lb/in, cold 1150 lb, 15 %)
// since B-268 would vary by 39 %. The progress shows the four steps; a
// travel beyond the table's names the node and leaves no results file; a
// catalogue without a load table is refused before the first step. The
// sustained load is minus the hot load, or with "Include hanger stiffness"
// k d minus the cold load; a rod hanger where the line rises carries 0 in
// the operating case.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/AnalysisTesting.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/Hanger.h"

namespace {

using analysis_testing::Within;

// The step titles a run shows, in order.
class RecordingProgress : public AnalysisProgress {
 public:
  void ShowText(ProgressArea area, const std::string& text) override {
    if (area == ProgressArea::StepTitle) titles.push_back(text);
  }
  std::vector<std::string> titles;
};

class HangerDesignTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = TempFolder() + "/hanger-design.mod"; }
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // 10 (anchor) - 20 (hanger) - 30 (anchor) along X, 100 inch each; both
  // anchors move up `rise` in T1.
  Hanger& Build(float rise, std::vector<int> cases, bool hangerStiffness = false) {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, path_);
    model.pipeLoads[1].additionalWeight = 10.0f;
    model.options.IncludeHangerStiffness = hangerStiffness ? 1 : 0;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    PutItem(model, 2, DataType::Hanger);
    PipeRow(model, 30, ElementType::Pipe, 100.0f);
    PutItem(model, 3, DataType::Anchor);
    for (int row : {1, 3}) {
      auto& anchor = static_cast<Anchor&>(*model.row(row).item);
      anchor.displacements.flags[0] = 1;
      anchor.displacements.sets = std::make_unique<DisplacementSets>();
      anchor.displacements.sets->values[2] = rise;  // DY of T1
    }
    MakeModel(model);
    SetCases(model, cases);
    return static_cast<Hanger&>(*model.row(2).item);
  }
  std::string Failure() {
    try {
      RunAnalysis(TheModel(), SilentProgress());
    } catch (const std::string& message) {
      return message;
    }
    return "";
  }
  std::string path_;
};

TEST_F(HangerDesignTest, AHalfInchOfTravelGivesB268Size9) {
  const Hanger& hanger = Build(0.5f, {1, 8});
  const analysis_testing::RunResults run = analysis_testing::AnalyseAndRead(TheModel());
  EXPECT_TRUE(Within(hanger.hotLoad, 1000.0, 1.0e-3));
  EXPECT_TRUE(Within(hanger.travel, 0.5, 1.0e-3));
  EXPECT_EQ(hanger.series, "B-268");
  EXPECT_EQ(hanger.size, "9");
  EXPECT_EQ(hanger.rate, 200.0f);
  EXPECT_TRUE(Within(hanger.coldLoad, 1100.0, 1.0e-3));
  // The design records of the results file.
  ASSERT_EQ(run.contents.hangers.size(), 1u);
  EXPECT_EQ(run.contents.hangers[0].figure, "B-268");
  EXPECT_EQ(run.contents.hangers[0].size, "9");
  EXPECT_EQ(run.contents.hangers[0].springRate, 200.0f);
  EXPECT_TRUE(Within(run.contents.hangers[0].design[2], 1000.0, 1.0e-3));
  EXPECT_TRUE(Within(run.contents.hangers[0].design[3], 1100.0, 1.0e-3));
  // Without "Include hanger stiffness" the sustained load is minus the hot
  // load of one hanger.
  EXPECT_TRUE(Within(analysis_testing::SupportValues(run, run.cases[0], 2).at(0), -1000.0, 1.0e-3));
}

TEST_F(HangerDesignTest, AnInchAndAHalfMovesOnToSeries98) {
  const Hanger& hanger = Build(1.5f, {1});
  RecordingProgress progress;
  RunAnalysis(TheModel(), progress);
  EXPECT_EQ(progress.titles, (std::vector<std::string>{"Calculating hanger loads", "Calculating hanger travel",
                                                        "Designing hangers", "Calculating hanger loads",
                                                        "Sustained (W+P)"}));
  EXPECT_EQ(hanger.series, "98");
  EXPECT_EQ(hanger.size, "9");
  EXPECT_EQ(hanger.rate, 100.0f);
  EXPECT_TRUE(Within(hanger.coldLoad, 1150.0, 1.0e-3));
}

TEST_F(HangerDesignTest, WithTheHangerStiffnessTheSustainedLoadIsKDMinusTheColdLoad) {
  const Hanger& hanger = Build(0.5f, {1}, true);
  const analysis_testing::RunResults run = analysis_testing::AnalyseAndRead(TheModel());
  ASSERT_EQ(hanger.rate, 200.0f);
  // The sustained case: the cold load pushes up, the spring holds it back.
  const std::vector<double> loads = analysis_testing::SupportValues(run, run.cases[0], 2);
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, ResultsPathOf(path_)));
  const int node = TheModel().row(2).endNode;
  const double d = run.cases[0].nodes.at(static_cast<std::size_t>(node))[1];
  EXPECT_GT(d, 0.0);  // 1100 lb up against 1000 lb of weight: it rises
  EXPECT_TRUE(Within(loads.at(0), 200.0 * d - 1100.0, 1.0e-3));
}

TEST_F(HangerDesignTest, TooMuchTravelNamesTheNodeAndLeavesNoResults) {
  Build(12.0f, {1});
  const std::string message = Failure();
  EXPECT_EQ(message.rfind("Unable to design hanger at Node 20\n\nHanger travel = ", 0), 0u) << message;
  EXPECT_NE(message.find("> maximum travel in the hanger table\nIf possible use a constant support at this location"),
            std::string::npos)
      << message;
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
}

// 9 inch of travel: no size of a series that takes it holds both the hot
// load of 1000 lb and the cold load; the message says so.
TEST_F(HangerDesignTest, NoSizeForBothLoadsSaysWhy) {
  Build(9.0f, {1});
  EXPECT_EQ(Failure(), "Unable to design hanger at node 20\n\nHot load = 1000 (lb), Travel = 9 (inch)\n"
                       "No size of a series that takes this travel holds both the hot and the cold load.\n"
                       "If possible increase the number of hangers at this location\nor use a constant support.");
}

TEST_F(HangerDesignTest, ACatalogueWithoutALoadTableIsRefusedBeforeTheFirstStep) {
  Hanger& hanger = Build(0.5f, {1});
  hanger.kind = 18;
  EXPECT_EQ(Failure(), "Row 2: the load table of the hanger catalogue \"Lisega\" is not available");
  EXPECT_FALSE(std::filesystem::exists(ResultsPathOf(path_)));
}

// A user hanger of 200 lb/in given its cold load of 1000 lb: pushing up
// 1000 lb at mid-span balances the 2000 lb spread over both fixed spans
// (W L^3 / 384 EI = P L^3 / 192 EI, and the shear alike), so the travel step
// lifts it with the anchors by 0.5 inch and its hot load is 1000 - 0.5 x 200
// = 900 lb, in the design record the hanger report reads as in the
// operating case's support load.
TEST_F(HangerDesignTest, AUserHangerGivenItsColdLoadReportsItsHotLoad) {
  Hanger& hanger = Build(0.5f, {1, 8});
  hanger.kind = kUserHanger;
  hanger.springRate = 200.0f;
  hanger.load = 1000.0f;
  hanger.loadType = 1;
  const analysis_testing::RunResults run = analysis_testing::AnalyseAndRead(TheModel());
  ASSERT_EQ(run.contents.hangers.size(), 1u);
  EXPECT_TRUE(Within(run.contents.hangers[0].design[2], 900.0, 1.0e-4));
  EXPECT_TRUE(Within(run.contents.hangers[0].design[3], 1000.0, 1.0e-4));
  EXPECT_TRUE(Within(analysis_testing::SupportValues(run, run.cases[1], 2).at(0), -900.0, 1.0e-4));
}

TEST_F(HangerDesignTest, ARodHangerWhereTheLineRisesCarriesNothingWhenOperating) {
  Hanger& hanger = Build(0.5f, {1, 8});
  hanger.kind = kRodHanger;
  const analysis_testing::RunResults run = analysis_testing::AnalyseAndRead(TheModel());
  // Sustained: a rigid support at mid-span of two fixed spans carries w a.
  EXPECT_TRUE(Within(analysis_testing::SupportValues(run, run.cases[0], 2).at(0), -1000.0, 1.0e-3));
  // Operating: the anchors lift the line off the rod.
  EXPECT_EQ(analysis_testing::SupportValues(run, run.cases[1], 2).at(0), 0.0);
}

}  // namespace
