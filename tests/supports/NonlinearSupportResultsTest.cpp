// The result views of guides, limit stops, skewed restraints, snubbers and
// generic supports, through Analyze and the Results window: the "Other
// Supports" chooser offering every kind of the model in its order, each
// kind's loads table against the results file (the guides in local axes
// and, after the global/local command, in global ones), the support loads
// section (snubbers only in the seismic and dynamic cases), the summaries
// stepped through with the arrow keys, and the global loads of a dynamic
// case taken by magnitude.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "model/RowOperations.h"
#include "platform/Menu.h"
#include "printing/ReportOutput.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "services/Units.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/NonlinearSupportPlant.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"
#include "supports/SupportResultTables.h"

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

bool HasLine(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

class NonlinearSupportResultsTest : public ResultsFixture {
 protected:
  static constexpr int kGuideRow = nonlinear_plant::kGuideRow, kStopRow = nonlinear_plant::kStopRow,
                       kSkewedRow = nonlinear_plant::kSkewedRow, kSnubberRow = nonlinear_plant::kSnubberRow,
                       kGenericRow = nonlinear_plant::kGenericRow;

  // The plant of NonlinearSupportPlant.h analysed, its results open.
  void OpenPlant() {
    nonlinear_plant::Build(TheModel(), ModelPath());
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    OpenCancelled("RESULTS6_DIALOG");
    ASSERT_TRUE(InResultsMode());
  }
  // The values of a support row in result case `shown`, from the file.
  std::vector<double> FileValues(int shown, int row) {
    const int type = TheResultCases().cases[static_cast<std::size_t>(shown)].type;
    int k = 1;
    while (TheResults().cases[static_cast<std::size_t>(k)].type != type) ++k;
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
    const analysis_testing::CaseBlock block = analysis_testing::ReadCaseBlock(file, TheModel(), TheResults(), k);
    analysis_testing::RunResults run;
    run.contents = TheResults();
    return analysis_testing::SupportValues(run, block, row);
  }
  static double Number(const std::string& text) { return text.empty() ? 0.0 : std::stod(text); }
  // A shown value against the file's, to the last digit shown.
  static ::testing::AssertionResult Shows(const std::string& text, double expected) {
    const std::size_t point = text.find('.');
    const double step = point == std::string::npos ? 1.0 : std::pow(10.0, -static_cast<double>(text.size() - point - 1));
    if (std::fabs(Number(text) - expected) <= 0.5 * step + 1e-6 * std::fabs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" does not show " << expected;
  }
  // F6 on the loads table: the chooser's names, answered with `choice`.
  std::vector<std::string> ChooseOther(const std::string& templateName, int choice) {
    std::vector<std::string> names;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&names, choice](HWND dialog) {
      names = ShownRadios(dialog);
      Click(dialog, 1400 + choice);
    });
    ResultsCommandNow(287);
    platform::CheckModalScript();
    return names;
  }
  std::vector<std::string> Report(const std::string& name, void (*write)()) {
    const std::string path = folder_ + "/" + name;
    EXPECT_TRUE(ReportOpenFile(ResultsFrame().window, path));
    write();
    EXPECT_TRUE(ReportCloseFile());
    return FileLines(path);
  }
  static std::string MenuText(int id) {
    char text[64] = {};
    GetMenuString(ResultsFrame().menu, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
    return text;
  }
};

TEST_F(NonlinearSupportResultsTest, TheChooserOffersEveryKindAndEachTableShowsItsLoads) {
  OpenPlant();
  g_ResultCase = ResultCaseOfType(1);  // sustained
  OpenSupportLoadsTable();
  // Seven kinds: the nine-radio chooser, in the kinds' fixed order.
  EXPECT_EQ(ChooseOther("OTHER9_DIALOG", 2),
            (std::vector<std::string>{"&Anchors", "&Guides", "&Limit stops", "&Restraints", "&Skewed restraints",
                                      "&Snubbers", "&Generic supports"}));
  EXPECT_NE(ResultsTitle().find("Loads on Guides in Local Coordinates"), std::string::npos) << ResultsTitle();
  ResultTableWindow& guides = Shown();
  const int sustained = g_ResultCase;
  const std::vector<double> guide = FileValues(sustained, kGuideRow);
  ASSERT_EQ(guide.size(), 3u);
  EXPECT_EQ(guides.HeadingText(3, 0), "fx (lb)");
  EXPECT_EQ(guides.CellText(1, 1, 0), "20");
  EXPECT_TRUE(Shows(guides.CellText(1, 3, 0), guide[0]));
  EXPECT_TRUE(Shows(guides.CellText(1, 4, 0), guide[1]));
  EXPECT_LT(guide[1], -1.0);  // the weight on the guide
  EXPECT_EQ(Row(guides, 1)[5], "1.000");  // the pipe along X
  EXPECT_EQ(Row(guides, 1)[6], "");

  // Right Arrow keeps the kind and shows the next case.
  ResultsCommandNow(330);
  EXPECT_NE(ResultsTitle().find("Loads on Limit stops"), std::string::npos) << ResultsTitle();
  ResultTableWindow& stops = Shown();
  const std::vector<double> stop = FileValues(sustained, kStopRow);
  EXPECT_LT(stop[0], -1.0);  // the pipe rests on its lower limit
  EXPECT_EQ(Row(stops, 1)[2], "Reached");
  EXPECT_EQ(Row(stops, 1)[3], "None");
  EXPECT_TRUE(Shows(Row(stops, 1)[4], stop[0]));
  EXPECT_EQ(Row(stops, 1)[5], "");  // no friction coefficient
  EXPECT_EQ(Row(stops, 1)[7], "1.000");

  ResultsCommandNow(330);  // restraints
  ResultsCommandNow(330);
  EXPECT_NE(ResultsTitle().find("Loads on Skewed restraints"), std::string::npos) << ResultsTitle();
  ResultTableWindow& skewed = Shown();
  EXPECT_EQ(Row(skewed, 1)[2], "Translational");
  EXPECT_TRUE(Shows(Row(skewed, 1)[3], FileValues(sustained, kSkewedRow)[0]));
  EXPECT_EQ(Row(skewed, 1)[7], "1.000");

  // The snubber does not act in a static case: its load is 0.
  ResultsCommandNow(330);
  EXPECT_NE(ResultsTitle().find("Loads on Snubbers"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(FileValues(sustained, kSnubberRow), std::vector<double>{0.0});
  EXPECT_EQ(Number(Shown().CellText(1, 3, 0)), 0.0);

  ResultsCommandNow(330);
  EXPECT_NE(ResultsTitle().find("Loads on Generic supports"), std::string::npos) << ResultsTitle();
  const std::vector<double> generic = FileValues(sustained, kGenericRow);
  ASSERT_EQ(generic.size(), 6u);
  for (int c = 0; c < 6; ++c) {
    const double value = generic[static_cast<std::size_t>(c)];
    EXPECT_EQ(Shown().CellText(1, 3 + c, 0), c < 3 ? FormatForce(static_cast<float>(value))
                                                   : FormatMoment(static_cast<float>(value)));
  }
  ResultsCommandNow(330);  // wraps to the anchors
  EXPECT_NE(ResultsTitle().find("Loads on Anchors"), std::string::npos) << ResultsTitle();
}

TEST_F(NonlinearSupportResultsTest, TheGlobalLocalCommandSwitchesTheGuidesAxes) {
  OpenPlant();
  g_ResultCase = ResultCaseOfType(8);  // operating: friction against the growth
  OpenSupportLoadsTable();
  ChooseOther("OTHER9_DIALOG", 2);
  ASSERT_EQ(g_SupportLoadsGlobal, 0);
  EXPECT_EQ(MenuText(288), "Global &loads\tF7");
  const std::vector<double> local = FileValues(g_ResultCase, kGuideRow);
  EXPECT_GT(std::fabs(local[0]), 1.0);  // friction along the pipe
  ResultsCommandNow(288);
  EXPECT_EQ(g_SupportLoadsGlobal, 1);
  EXPECT_NE(ResultsTitle().find("Loads on Guides in Global Coordinates"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(MenuText(288), "Local &loads\tF7");
  ResultTableWindow& guides = Shown();
  EXPECT_EQ(guides.HeadingText(3, 0), "FX (lb)");
  EXPECT_EQ(guides.HeadingText(6, 0), "");
  // The pipe runs along X: FX is the axial load, FY and FZ the laterals in
  // the guide's own axes.
  auto& guide = static_cast<Guide&>(*TheModel().row(kGuideRow).item);
  ASSERT_TRUE(GuideLocalAxes(guide, TheModel().row(kGuideRow).endNode));
  for (std::size_t i = 0; i < 3; ++i) {
    const double expected = local[0] * guide.axis[i] + local[1] * guide.lateral1[i] + local[2] * guide.lateral2[i];
    EXPECT_TRUE(Shows(guides.CellText(1, 3 + static_cast<int>(i), 0), expected)) << i;
  }
  EXPECT_TRUE(Shows(guides.CellText(1, 3, 0), local[0]));
  // F7 again: local; on another kind's table it does nothing.
  ResultsCommandNow(288);
  EXPECT_EQ(g_SupportLoadsGlobal, 0);
  EXPECT_NE(ResultsTitle().find("in Local Coordinates"), std::string::npos);
  ResultsCommandNow(330);
  EXPECT_EQ(MenuText(288), "");
  ResultsCommandNow(288);
  EXPECT_EQ(g_SupportLoadsGlobal, 0);
  EXPECT_NE(ResultsTitle().find("Loads on Limit stops"), std::string::npos);
}

TEST_F(NonlinearSupportResultsTest, TheSupportLoadsSectionPrintsSnubbersOnlyInDynamicCases) {
  OpenPlant();
  g_ResultCase = ResultCaseOfType(1);
  const std::vector<std::string> text = Report("loads.txt", PrintSupportLoadsSection);
  for (const char* title : {"Loads on Anchors: Sustained", "Loads on Restraints: Sustained",
                            "Loads on Skewed Restraints: Sustained", "Loads on Guides in Local Coordinates: Sustained",
                            "Loads on Guides in Global Coordinates: Sustained", "Loads on Limit Stops: Sustained",
                            "Loads on generic supports: Sustained"})
    EXPECT_TRUE(HasLine(text, title)) << title;
  EXPECT_FALSE(HasLine(text, "Snubbers"));
  // In a seismic case (the kind's own test of the case) they are printed.
  EXPECT_FALSE(SnubberResultKind().shownInCase());
  TheResultCases().cases[static_cast<std::size_t>(g_ResultCase)].type = 12;
  EXPECT_TRUE(SnubberResultKind().shownInCase());
  EXPECT_TRUE(HasLine(Report("seismic.txt", PrintSupportLoadsSection), "Loads on Snubbers"));
}

TEST_F(NonlinearSupportResultsTest, TheSummariesOfTheKindsAreSteppedThrough) {
  OpenPlant();
  ASSERT_TRUE(SupportLoadSummaryAvailable());
  SummaryCurrentSupport() = 2;  // after the anchor: the guide
  OpenSupportLoadSummary();
  EXPECT_NE(ResultsTitle().find("Support load summary for guide at node 20"), std::string::npos) << ResultsTitle();
  ResultTableWindow& summary = Shown();
  ASSERT_EQ(summary.rowCount, 5);  // Sustained, Operating1, Maximum, Minimum, Allowables
  const double sustained = FileValues(ResultCaseOfType(1), kGuideRow)[1];
  const double operating = FileValues(ResultCaseOfType(8), kGuideRow)[1];
  EXPECT_TRUE(Shows(summary.CellText(1, 3, 0), sustained));
  EXPECT_TRUE(Shows(summary.CellText(2, 3, 0), operating));
  EXPECT_TRUE(Shows(summary.CellText(3, 3, 0), std::max(sustained, operating)));
  EXPECT_TRUE(Shows(summary.CellText(4, 3, 0), std::min(sustained, operating)));
  // A guide has no allowable loads: the line is empty.
  EXPECT_EQ(Row(summary, 5), std::vector<std::string>(static_cast<std::size_t>(summary.columnCount)));
  SetFocus(ResultsTableWindow());
  // The supports by kind, in the chooser's order, wrapping.
  const char* const following[] = {"limit stop at node 30", "restraint at node 50", "skewed restraint at node 40",
                                   "snubber at node 50", "generic support at node 60", "anchor at node 10"};
  for (const char* next : following) {
    Key(VK_RIGHT);
    EXPECT_NE(ResultsTitle().find(next), std::string::npos) << ResultsTitle();
    if (std::string(next) != "limit stop at node 30") continue;
    // No allowable loads: an empty last line, left out of the reports.
    EXPECT_EQ(Row(Shown(), 5), std::vector<std::string>(static_cast<std::size_t>(Shown().columnCount)));
    const auto print = [] { TableWindowPrint(ResultsTableWindow()); };
    const std::vector<std::string> text = Report("stop.txt", print);
    EXPECT_TRUE(HasLine(text, "Support load summary for limit stop at node 30"));
    EXPECT_TRUE(HasLine(text, "Maximum"));
    EXPECT_FALSE(HasLine(text, "Allowables"));
    EXPECT_FALSE(HasLine(Report("stop.csv", print), "Allowables"));
  }
  // The anchor's summary keeps its allowables.
  EXPECT_TRUE(HasLine(Report("anchor.txt", [] { TableWindowPrint(ResultsTableWindow()); }), "Allowables"));
}

// A guide without friction carries no load along the pipe and a limit
// stop without friction none across it: their summaries leave those
// columns blank in every row, in the window and in the text report (not a
// 0 as if a load had been found), and show the others.
TEST_F(NonlinearSupportResultsTest, TheSummariesLeaveBlankWhatASupportWithoutFrictionCannotCarry) {
  nonlinear_plant::Build(TheModel(), ModelPath());
  static_cast<Guide&>(*TheModel().row(kGuideRow).item).frictionCoefficient = 0.0f;
  ASSERT_EQ(static_cast<LimitStop&>(*TheModel().row(kStopRow).item).frictionCoefficient, 0.0f);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  OpenSupportSummaryWindow(GuideResultKind(), kGuideRow);
  platform::RunUntilIdle();
  ResultTableWindow& guide = Shown();
  ASSERT_EQ(guide.rowCount, 5);
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(guide.CellText(row, 2, 0), "") << row;   // fx
    EXPECT_NE(guide.CellText(row, 3, 0), "") << row;   // fy, the weight it carries
    EXPECT_NE(guide.CellText(row, 5, 0), "") << row;   // X
  }
  const auto print = [] { TableWindowPrint(ResultsTableWindow()); };
  const std::vector<std::string> text = Report("guide.txt", print);
  const auto heading = std::find_if(text.begin(), text.end(),
                                    [](const std::string& line) { return line.find("Load combination") != std::string::npos; });
  ASSERT_NE(heading, text.end());
  const std::string force = UnitLabel(kUnitForce);
  // "fx", "fy", "fz" with the unit, ending at columns 38, 46 and 54.
  EXPECT_EQ(heading->substr(3), "Load combination" + std::string(38 - 19 - 3 - force.size(), ' ') + "fx " + force + " fy " +
                                    force + " fz " + force)
      << *heading;
  // Each row: the label and fy ending at 46, nothing up to fy's column.
  const auto sustained = std::find_if(heading, text.end(), [](const std::string& l) { return l.rfind("   Sustained", 0) == 0; });
  ASSERT_NE(sustained, text.end());
  EXPECT_EQ(sustained->find_first_not_of(' ', 12), sustained->find_last_of(' ', 45) + 1) << *sustained;
  OpenSupportSummaryWindow(LimitStopResultKind(), kStopRow);
  platform::RunUntilIdle();
  ResultTableWindow& stop = Shown();
  bool loaded = false;
  for (int row = 1; row <= 4; ++row) {
    loaded = loaded || stop.CellText(row, 2, 0) != "";
    EXPECT_EQ(stop.CellText(row, 3, 0), "") << row;  // Friction
  }
  EXPECT_TRUE(loaded);
}

// The limit stop's summary in a text report: "Load" and "Friction" with the
// force unit, each centred over its columns (30 to 40 and 40 to 55), a
// blank between them.
TEST_F(NonlinearSupportResultsTest, TheLimitStopSummaryHeadingsStandApartOverTheirColumns) {
  OpenPlant();
  OpenSupportSummaryWindow(LimitStopResultKind(), kStopRow);
  platform::RunUntilIdle();
  const std::vector<std::string> text = Report("stop.txt", [] { TableWindowPrint(ResultsTableWindow()); });
  const auto heading = std::find_if(text.begin(), text.end(),
                                    [](const std::string& line) { return line.find("Load combination") != std::string::npos; });
  ASSERT_NE(heading, text.end());
  const std::string force = UnitLabel(kUnitForce);
  const std::string load = "Load " + force, friction = "Friction " + force;
  const auto centred = [](const std::string& s, int first, int last) {
    return first + (last - first - static_cast<int>(s.size()) + 1) / 2;
  };
  std::string expected(static_cast<std::size_t>(centred(friction, 40, 55) - 1 + static_cast<int>(friction.size())), ' ');
  expected.replace(3, 16, "Load combination");
  expected.replace(static_cast<std::size_t>(centred(load, 30, 40) - 1), load.size(), load);
  expected.replace(static_cast<std::size_t>(centred(friction, 40, 55) - 1), friction.size(), friction);
  EXPECT_EQ(*heading, expected);
  EXPECT_EQ(heading->find("LoadFriction"), std::string::npos);
}

TEST(GuideGlobalLoads, ADynamicCaseAddsTheMagnitudesOfTheParts) {
  // A guide on a pipe along (1, 1, 0), with an axial and a lateral load
  // whose parts along one global axis cancel in a signed sum.
  Model& model = TheModel();
  InitEmptyModel(model, AnalysisOptions());
  AddRow(model, 10, ElementType::From, 0.0f, 0.0f, 0.0f);
  const int row = AddRow(model, 20, ElementType::Pipe, 10.0f, 10.0f, 0.0f);
  PutItem(model, row, DataType::Guide);
  MakeModel(model);
  auto& guide = static_cast<Guide&>(*model.row(row).item);
  const int node = model.row(row).endNode;
  ASSERT_TRUE(GuideLocalAxes(guide, node));
  std::size_t across = 0;
  while (across < 3 && (std::fabs(guide.axis[across]) < 0.1 || std::fabs(guide.lateral1[across]) < 0.1)) ++across;
  ASSERT_LT(across, 3u);
  guide.caseLoads = {100.0f, static_cast<float>(-100.0 * guide.axis[across] / guide.lateral1[across]), 0.0f};
  const std::array<float, 3> signedLoads = GuideGlobalLoads(guide, node, false);
  const std::array<float, 3> dynamic = GuideGlobalLoads(guide, node, true);
  for (std::size_t i = 0; i < 3; ++i) {
    const double a = guide.caseLoads[0] * guide.axis[i], b = guide.caseLoads[1] * guide.lateral1[i];
    EXPECT_NEAR(signedLoads[i], a + b, 1e-3) << i;
    EXPECT_NEAR(dynamic[i], std::fabs(a) + std::fabs(b), 1e-3) << i;
  }
  EXPECT_NEAR(signedLoads[across], 0.0, 1e-3);
  EXPECT_GT(dynamic[across], 100.0 * std::fabs(guide.axis[across]));
  InitEmptyModel(model, AnalysisOptions());
}

}  // namespace
