// The support result views: the loads tables of anchors and restraints in
// the user's units (a free direction blank on screen and in the text report,
// written in the comma-separated lines), the support load summary rows and
// their order, Maximum, Minimum and Allowables with an exceeded allowable
// flagged, stepping through the supports, and the support chooser.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/Dialog.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "printing/ReportOutput.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "supports/Anchor.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"

namespace {

using analysis_testing::Within;

constexpr double kNewtonsPerPound = 4.44822;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<bool> Present(const std::vector<int>& types) {
  std::vector<bool> present(kLoadCaseTypeCount, false);
  for (int type : types) present[static_cast<std::size_t>(type)] = true;
  return present;
}

class SupportResultsTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    g_UnitsSettings.unit[kUnitForce] = 1;   // N
    g_UnitsSettings.unit[kUnitMoment] = 2;  // Nm
  }
  // The line with the far anchor free to turn about Z, analysed for
  // sustained, operating and expansion, its results open.
  void OpenLine() {
    Model& model = BuildLine({1, 8, 2});
    static_cast<Anchor&>(*model.row(4).item).stiffness[5] = 0.0f;
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    OpenCancelled("RESULTS6_DIALOG");
    ASSERT_TRUE(InResultsMode());
  }
  // The values of a support row in result case k (display order), read
  // from the file by the case's place there.
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
  // The report of the table shown, written to `name` in the folder.
  std::vector<std::string> Report(const std::string& name) {
    const std::string path = folder_ + "/" + name;
    EXPECT_TRUE(ReportOpenFile(ResultsFrame().window, path));
    TableWindowPrint(ResultsTableWindow());
    EXPECT_TRUE(ReportCloseFile());
    return FileLines(path);
  }
  static double Number(const std::string& text) { return std::stod(text); }
  // A shown load against its value: within the last digit the format shows.
  static ::testing::AssertionResult Shows(const std::string& text, double expected) {
    if (text.empty()) return ::testing::AssertionFailure() << "blank, expected " << expected;
    const std::size_t point = text.find('.');
    const double step = point == std::string::npos ? 1.0 : std::pow(10.0, -static_cast<double>(text.size() - point - 1));
    if (std::fabs(std::stod(text) - expected) <= 0.5 * step + 1e-9) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text << " does not show " << expected;
  }
};

TEST_F(SupportResultsTest, LoadsTablesShowTheHeldDirectionsInTheUsersUnits) {
  OpenLine();
  const int sustained = ResultCaseOfType(1);
  g_ResultCase = sustained;
  OpenSupportLoadsTable();
  ResultTableWindow& anchors = Shown();
  ASSERT_EQ(anchors.rowCount, 2);
  EXPECT_EQ(anchors.HeadingText(4, 0), "FY (N)");
  EXPECT_EQ(anchors.HeadingText(8, 0), "MZ (Nm)");
  const std::vector<double> near = FileValues(sustained, 1), far = FileValues(sustained, 4);
  EXPECT_EQ(Row(anchors, 1)[0], "10");
  EXPECT_EQ(Row(anchors, 2)[0], "40");
  EXPECT_TRUE(Shows(anchors.CellText(1, 4, 0), near[1] * kNewtonsPerPound));
  EXPECT_TRUE(Shows(anchors.CellText(1, 8, 0), near[5] * 0.112985));
  EXPECT_LT(near[1], -1.0);  // the pipe's weight on the anchor
  // The far anchor is free about Z: blank.
  EXPECT_EQ(anchors.CellText(2, 8, 0), "");
  EXPECT_TRUE(Shows(anchors.CellText(2, 4, 0), far[1] * kNewtonsPerPound));
  // The restraint holds Y only.
  ResultsCommandNow(330);
  ResultTableWindow& restraints = Shown();
  ASSERT_EQ(restraints.rowCount, 1);
  EXPECT_EQ(Row(restraints, 1), (std::vector<std::string>{"20", "", "", restraints.CellText(1, 4, 0), ""}));
  EXPECT_TRUE(Shows(restraints.CellText(1, 4, 0), FileValues(sustained, 2)[1] * kNewtonsPerPound));
  // Right Arrow: the next case, read again.
  SetFocus(ResultsTableWindow());
  Key(VK_RIGHT);
  EXPECT_EQ(g_ResultCase, sustained % 3 + 1);
  EXPECT_TRUE(Shows(restraints.CellText(1, 4, 0), FileValues(g_ResultCase, 2)[1] * kNewtonsPerPound));
}

TEST_F(SupportResultsTest, TheLoadsReportLeavesFreeDirectionsOutOfTheTextButNotOutOfTheCsv) {
  OpenLine();
  g_ResultCase = ResultCaseOfType(1);
  OpenSupportLoadsTable();
  const std::vector<std::string> text = Report("anchors.txt");
  const std::string title = "Loads on Anchors: Sustained (W+P)";
  auto at = std::find_if(text.begin(), text.end(), [&](const std::string& l) { return l.find(title) != std::string::npos; });
  ASSERT_NE(at, text.end());
  // Centred between columns 6 and 78.
  EXPECT_EQ(at->find(title), static_cast<std::size_t>(5 + (73 - title.size()) / 2));
  auto heading = std::find_if(at, text.end(), [](const std::string& l) { return l.rfind("     Node", 0) == 0; });
  ASSERT_NE(heading, text.end());
  EXPECT_NE(heading->find("FX (N)"), std::string::npos);
  EXPECT_NE(heading->find("MZ(Nm)"), std::string::npos);
  const std::string near = *(heading + 2), far = *(heading + 3);
  EXPECT_EQ(near.substr(5, 2), "10");
  EXPECT_EQ(far.substr(5, 2), "40");
  // FY ends at column 29; MZ at 74, left out for the free anchor.
  const std::string fy = Shown().CellText(1, 4, 0);
  EXPECT_EQ(near.substr(29 - fy.size(), fy.size()), fy);
  EXPECT_GE(near.size(), 74u);
  EXPECT_LT(far.size(), 70u);
  const std::vector<std::string> csv = Report("anchors.csv");
  const auto line = std::find(csv.begin(), csv.end(), "Sustained (W+P): Loads on anchors,");
  ASSERT_NE(line, csv.end());
  EXPECT_EQ(*(line + 1), "Node,Tag,FX (N),FY (N),FZ (N),MX (Nm),MY (Nm),MZ (Nm),");
  std::stringstream cells(*(line + 3));
  std::vector<std::string> values;
  for (std::string cell; std::getline(cells, cell, ',');) values.push_back(cell);
  ASSERT_EQ(values.size(), 8u);
  EXPECT_EQ(values[0], "40");
  EXPECT_FALSE(values[7].empty());  // the free MZ is written
}

TEST_F(SupportResultsTest, TheSummaryRowsComeInTheirOrderWithTheirLabels) {
  EXPECT_EQ(BuildSummaryRowLabels(Present({1, 8})),
            (std::vector<std::string>{"Sustained", "Operating1", "Maximum", "Minimum", "Allowables"}));
  // A cold-spring case replaces its base; seismic gives + and - per base;
  // the empty weight is first, the hydrotest stands alone.
  EXPECT_EQ(BuildSummaryRowLabels(Present({124, 1, 9, 16, 12, 19, 13, 11})),
            (std::vector<std::string>{"Empty Weight", "Sustained", "Cold spring2", "Sustained+Settlement",
                                      "Cold spring2+Settlement", "Hydrotest", "Sustained+Wind", "Cold spring2+Wind",
                                      "Sustained+Seismic", "Sustained-Seismic", "Cold spring2+Seismic",
                                      "Cold spring2-Seismic", "Maximum", "Minimum", "Allowables"}));
  EXPECT_EQ(BuildSummaryRowLabels(Present({104, 36, 35})),
            (std::vector<std::string>{"Operating8", "Operating8+Time history", "Operating8+Harmonic",
                                      "Operating8-Harmonic", "Maximum", "Minimum", "Allowables"}));
  // Without combination rows Maximum and Minimum stay absent.
  std::vector<SummaryRecord> rows(4);
  g_SummaryInput.allowables = {1, 2, 3, 4, 5, 6};
  SummaryRecordExtremes(rows, 3);
  EXPECT_EQ(rows[1][0], -1.0e30f);
  EXPECT_EQ(rows[2][8], 1.0e30f);
  EXPECT_EQ(rows[3], (SummaryRecord{1, 2, 3, 0, 0, 0, 0, 0, 0}));
  g_SummaryInput = SummaryInput{};
}

TEST_F(SupportResultsTest, TheSummaryHoldsEveryCaseAndFlagsAnExceededAllowable) {
  Model& model = BuildLine({1, 8, 2});
  // An allowable FY at the first anchor far below its load.
  Allowable allowable;
  allowable.node = 10;
  allowable.values = {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  AppendAllowable(model.allowables, allowable);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(SupportLoadSummaryAvailable());
  ASSERT_EQ(SummaryRowCount(), 5);
  EXPECT_EQ(SummaryFirstExtremeRow(), 3);
  OpenSupportLoadSummary();
  ResultTableWindow& summary = Shown();
  EXPECT_NE(ResultsTitle().find("Support load summary for anchor at node 10"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(summary.rowCount, 5);
  EXPECT_EQ(summary.currentRow, 3);  // opens on Maximum
  const double sustained = FileValues(ResultCaseOfType(1), 1)[1], operating = FileValues(ResultCaseOfType(8), 1)[1];
  EXPECT_EQ(summary.CellText(1, 1, 0), "Sustained");
  EXPECT_TRUE(Shows(summary.CellText(1, 3, 0), sustained * kNewtonsPerPound));
  EXPECT_TRUE(Shows(summary.CellText(2, 3, 0), operating * kNewtonsPerPound));
  EXPECT_TRUE(Shows(summary.CellText(3, 3, 0), std::max(sustained, operating) * kNewtonsPerPound));
  EXPECT_TRUE(Shows(summary.CellText(4, 3, 0), std::min(sustained, operating) * kNewtonsPerPound));
  EXPECT_TRUE(Shows(summary.CellText(5, 3, 0), kNewtonsPerPound));
  // The node's translations of each case, in the displacement columns.
  EXPECT_EQ(summary.HeadingText(8, 1), std::string("X ") + UnitLabel(kUnitDisplacement));
  // Maximum and Minimum beyond the nonzero FY allowable are flagged; FX
  // (allowable 0) and the Allowables row never are.
  int x = 0, y = 0;
  for (const auto& [row, column, flagged] : {std::tuple{3, 3, true}, std::tuple{4, 3, true}, std::tuple{5, 3, false},
                                             std::tuple{3, 2, false}, std::tuple{1, 3, false}}) {
    summary.textColourChanged = false;
    summary.DrawCellCustom(row, column, 0, x, y, "");
    EXPECT_EQ(summary.textColourChanged, flagged) << row << "," << column;
  }
  summary.textColourChanged = false;
  SetTextColor(summary.Dc(), RGB(0, 0, 0));
  // Right Arrow steps through the supports (anchors, then the restraint),
  // wrapping; the window keeps its row.
  SetFocus(ResultsTableWindow());
  Key(VK_DOWN);
  Key(VK_RIGHT);
  EXPECT_NE(ResultsTitle().find("anchor at node 40"), std::string::npos);
  EXPECT_EQ(Shown().currentRow, 4);
  Key(VK_RIGHT);
  EXPECT_NE(ResultsTitle().find("restraint at node 20"), std::string::npos);
  EXPECT_EQ(Shown().CellText(1, 2, 0), "");  // the restraint's free X
  Key(VK_RIGHT);
  EXPECT_NE(ResultsTitle().find("anchor at node 10"), std::string::npos);
  Key(VK_LEFT);
  EXPECT_NE(ResultsTitle().find("restraint at node 20"), std::string::npos);
}

TEST_F(SupportResultsTest, TheSummaryReportLeavesZeroLoadsBlankInTextAndWritesThemInCsv) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  SummaryCurrentSupport() = 3;  // the restraint, after the two anchors
  OpenSupportLoadSummary();
  const std::vector<std::string> text = Report("summary.txt");
  const auto title = std::find_if(text.begin(), text.end(), [](const std::string& l) {
    return l.find("Support load summary for restraint at node 20") != std::string::npos;
  });
  ASSERT_NE(title, text.end());
  const auto heading = std::find_if(title, text.end(), [](const std::string& l) { return l.rfind("   Load combination", 0) == 0; });
  ASSERT_NE(heading, text.end());
  EXPECT_EQ(heading->substr(33, 5), "FY(N)");  // ends at column 38
  const std::string sustained = *(heading + 2);
  EXPECT_EQ(sustained.substr(3, 9), "Sustained");
  // Only FY is held: FX and FZ (ending at 30 and 46) are blank.
  EXPECT_EQ(sustained.substr(20, 10), std::string(10, ' '));
  EXPECT_LE(sustained.size(), 38u);
  const std::vector<std::string> csv = Report("summary.csv");
  const auto line = std::find(csv.begin(), csv.end(), "Support load summary for restraint at node 20,");
  ASSERT_NE(line, csv.end());
  EXPECT_EQ((line + 1)->rfind("Load combination,FX (N),FY (N),FZ (N),X ", 0), 0u) << *(line + 1);
  EXPECT_EQ((line + 2)->rfind("Sustained,", 0), 0u);
  EXPECT_EQ(std::count((line + 2)->begin(), (line + 2)->end(), ','), 7);
}

// The chooser lists every support by node and kind under the caller's
// caption, opens on the current one and ends with the one chosen, 0 after
// Cancel; the summary's own chooser opens the summary of the support chosen.
TEST_F(SupportResultsTest, TheSupportChooserOpensOnTheCurrentSupportAndEndsWithTheOneChosen) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Support Loads Time History");
    auto* table = reinterpret_cast<TableWindow*>(GetWindowLongPtr(dialog, DWLP_USER));
    EXPECT_EQ(table->rowCount, 3);
    EXPECT_EQ(table->currentRow, 3);
    EXPECT_EQ(table->HeadingText(2, 0), "Support");
    EXPECT_EQ(table->CellText(1, 1, 0), "10");
    EXPECT_EQ(table->CellText(3, 1, 0), "20");
    TableGoTo(*table, 2);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ChooseSupportPosition(ResultsFrame().window, "Support Loads Time History", 3), 2);
  platform::CheckModalScript();
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(ChooseSupportPosition(ResultsFrame().window, "Support Loads Time History", 1), 0);
  platform::CheckModalScript();

  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Support load summary");
    auto* table = reinterpret_cast<TableWindow*>(GetWindowLongPtr(dialog, DWLP_USER));
    TableGoTo(*table, 3);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ChooseSupportForSummary(ResultsFrame().window);
  platform::CheckModalScript();
  EXPECT_EQ(SummaryCurrentSupport(), 3);
  EXPECT_NE(ResultsTitle().find("Support load summary for restraint at node 20"), std::string::npos) << ResultsTitle();
}

}  // namespace
