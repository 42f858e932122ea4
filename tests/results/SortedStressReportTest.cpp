// The sorted-stress reports as text and as comma-separated lines, against
// golden lines laid out by hand from the report's column rules: B31.3 (the
// plain layout: three sections 25 columns apart from column 5, each with its
// node at the section's column, its stress right-aligned 8 columns before the
// next section and its ratio 2 before it) and ASME Class 2 with settlement
// and occasional cases (four sections 19 apart, occasional the fourth,
// settlement in a table of its own). The node tables hold round values set
// by the test, so the golden lines show exactly the order and each rule.
// A long line repeats its text headings at the top of the next page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include "codes/SortedStresses.h"
#include "model/AnalysisElements.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "printing/PrintSheet.h"
#include "printing/ReportOutput.h"
#include "results/CodeResultsTesting.h"
#include "results/SortedStressReport.h"

namespace {

using namespace code_testing;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A text line built column by column (1-based); trailing blanks dropped.
class Line {
 public:
  Line& At(int column, const std::string& text) {
    if (line_.size() < static_cast<std::size_t>(column - 1) + text.size())
      line_.resize(static_cast<std::size_t>(column - 1) + text.size(), ' ');
    line_.replace(static_cast<std::size_t>(column - 1), text.size(), text);
    return *this;
  }
  Line& Right(int column, const std::string& text) { return At(column + 1 - static_cast<int>(text.size()), text); }
  Line& Centre(int first, int last, const std::string& text) {
    const int start = std::max(first, first + (last - first - static_cast<int>(text.size()) + 1) / 2);
    return At(start, text);
  }
  operator std::string() const {
    const std::size_t end = line_.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : line_.substr(0, end + 1);
  }

 private:
  std::string line_;
};

std::string Rule() { return Line().At(4, std::string(83, '-')); }

// One section's stress, allowable and ratio at a node.
struct Entry {
  int node;  // node index
  double stress, allowable;
};

class SortedStressReportTest : public CodeResultsFixture {
 protected:
  // A line of `nodes` nodes 10, 20, ... made (not analysed), its stress
  // results begun for the case types given.
  void Prepare(int code, int nodes, const std::vector<int>& caseTypes) {
    Model& model = StartLine(code, 0.0, 150.0);
    analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
    for (int n = 2; n <= nodes; ++n) analysis_testing::PipeRow(model, 10 * n, ElementType::Pipe, 12.0f);
    MakeModel(model);
    GenerateAnalysisElements(model, elements_);
    CodeStressResults& r = TheCodeStresses();
    std::vector<AnalysisElement> list(elements_.elements.begin(), elements_.elements.begin() + elements_.count + 1);
    std::vector<int> stress;
    for (int e = 1; e <= elements_.count; ++e) stress.push_back(e);
    BeginCodeStresses(r, model, list, elements_.count, stress, caseTypes);
    AllocateSortedStresses(r.sorted, r.presence, code, false, false, model.nodes.count);
    r.computed = true;
  }

 public:
  // Sets a section's entries and sorts it; the row count is the least of
  // the sections'.
  static void Fill(int section, const std::vector<Entry>& entries) {
    SortedStresses& sorted = TheCodeStresses().sorted;
    SortedStressSection& s = sorted.sections[static_cast<std::size_t>(section)];
    ASSERT_FALSE(s.entries.empty()) << section;
    for (const Entry& e : entries) StressRatio(s.entries[static_cast<std::size_t>(e.node)], e.stress, e.allowable);
    const int count = SortStressSection(s);
    if (sorted.rowCount == 0 || count < sorted.rowCount) sorted.rowCount = count;
  }

 protected:
  std::vector<std::string> Report(const std::string& name) {
    const std::string path = folder_ + "/" + name;
    EXPECT_TRUE(ReportOpenFile(ResultsFrame().window, path));
    PrintSortedStresses();
    EXPECT_TRUE(ReportCloseFile());
    return FileLines(path);
  }
  // The text report's body: the lines under the first page heading.
  std::vector<std::string> TextBody(const std::string& name) {
    std::vector<std::string> lines = Report(name);
    EXPECT_GE(lines.size(), 3u);
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(3, lines.size()));
    while (!lines.empty() && (lines.back().empty() || lines.back() == "\f")) lines.pop_back();
    return lines;
  }
  // The CSV lines under the two lines of the file's heading (each line
  // ends with a comma, as every report's comma-separated lines do).
  std::vector<std::string> CsvBody(const std::string& name) {
    std::vector<std::string> lines = Report(name);
    EXPECT_GE(lines.size(), 3u);
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(3, lines.size()));
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
  }

  AnalysisElementList elements_;
};

// Sustained, expansion and occasional of the three nodes 10, 20, 30.
void FillB313() {
  SortedStressReportTest::Fill(0, {{1, 1000, 20000}, {2, 3000, 20000}, {3, 2000, 20000}});   // 0.05 0.15 0.10
  SortedStressReportTest::Fill(1, {{1, 6000, 30000}, {2, 3000, 30000}, {3, 33000, 30000}});  // 0.20 0.10 1.10
  SortedStressReportTest::Fill(3, {{1, 5320, 26600}, {2, 1000, 26600}, {3, 2000, 26600}});   // 0.20 0.04 0.08
}

std::vector<std::string> B313TextHeadings() {
  const std::string title = "B31.3 (2016) Code Compliance (Sorted Stresses)";
  return {
      Line().Centre(6, 78, title),
      Rule(),
      Line().At(5, "------ Sustained ------  ------ Expansion ------  ------ Occasional -----"),
      // "SL+SO/" fills its six columns: it stands one blank after "SL+SO".
      Line().Right(22, "SL").Right(28, "SL/").Right(47, "SE").Right(53, "SE/").Right(72, "SL+SO").At(74, "SL+SO/"),
      Line().At(5, "Node").Right(22, "(psi)").Right(28, "SH").At(30, "Node").Right(47, "(psi)").Right(53, "SA")
          .At(55, "Node").Right(72, "(psi)").Right(78, "SHO"),
      Rule(),
  };
}

TEST_F(SortedStressReportTest, B313TextAndCsvWorstFirstInEachSection) {
  Prepare(3, 3, {1, 2, 13});
  FillB313();
  std::vector<std::string> text = B313TextHeadings();
  const std::vector<std::string> rows = {
      Line().At(5, "20").Right(22, "3000").Right(28, "0.15").At(30, "30").Right(47, "33000").Right(53, "1.10")
          .At(55, "10").Right(72, "5320").Right(78, "0.20"),
      Line().At(5, "30").Right(22, "2000").Right(28, "0.10").At(30, "10").Right(47, "6000").Right(53, "0.20")
          .At(55, "30").Right(72, "2000").Right(78, "0.08"),
      Line().At(5, "10").Right(22, "1000").Right(28, "0.05").At(30, "20").Right(47, "3000").Right(53, "0.10")
          .At(55, "20").Right(72, "1000").Right(78, "0.04"),
      Rule(),
  };
  text.insert(text.end(), rows.begin(), rows.end());
  EXPECT_EQ(TextBody("b313.txt"), text);
  const std::vector<std::string> csv = {
      "B31.3 (2016) Code Compliance (Sorted Stresses),",
      ",Sustained,,,,Expansion,,,,Occasional,,,,",
      ",SL,SH,SL/,,SE,SA,SE/,,SL+SO,SHO,SL+SO/,",
      "Node,(psi),(psi),SH,Node,(psi),(psi),SA,Node,(psi),(psi),SHO,",
      "20,3000,20000,0.15,30,33000,30000,1.10,10,5320,26600,0.20,",
      "30,2000,20000,0.10,10,6000,30000,0.20,30,2000,26600,0.08,",
      "10,1000,20000,0.05,20,3000,30000,0.10,20,1000,26600,0.04,",
  };
  EXPECT_EQ(CsvBody("b313.csv"), csv);
}

// Sustained, expansion, the combined check, settlement and occasional: the
// fourth section is occasional and settlement follows in its own table.
TEST_F(SortedStressReportTest, Class2WithSettlementAndOccasionalCases) {
  Prepare(9, 3, {1, 2, 11, 13});
  const CategoryPresence& p = TheCodeStresses().presence;
  ASSERT_TRUE(p.sustained && p.expansion && p.combined && p.settlement && p.occasional && !p.creep);
  Fill(0, {{1, 1000, 30000}, {2, 4500, 30000}, {3, 3000, 30000}});  // 0.03 0.15 0.10
  Fill(1, {{1, 3000, 30000}, {2, 6000, 30000}, {3, 1500, 30000}});  // 0.10 0.20 0.05
  Fill(2, {{1, 4000, 50000}, {2, 2000, 50000}, {3, 6500, 50000}});  // 0.08 0.04 0.13
  Fill(3, {{1, 5000, 36000}, {2, 7000, 36000}, {3, 47000, 36000}});  // 0.14 0.19 1.31
  Fill(4, {{1, 1200, 60000}, {2, 1300, 60000}, {3, 2200, 60000}});  // 0.02 0.02 0.04
  const std::string title = "ASME Class 2 (1986) Code Compliance (Sorted Stresses)";
  const std::vector<std::string> text = {
      Line().Centre(6, 78, title),
      Rule(),
      Line().At(5, "--Sustained(8)---  --Expansion(10)--  --Expansion(11)---").At(62, "--Occasional(9)---"),
      Line().Right(16, "SL").Right(22, "SL/").Right(35, "SE").Right(41, "SE/").Right(54, "SL+SE").At(56, "SL+SE/")
          .Right(73, "SL+SO").At(75, "SL+SO/"),
      Line().At(5, "Node").Right(16, "(psi)").Right(22, "1.5SH").At(24, "Node").Right(35, "(psi)").Right(41, "SA")
          .At(43, "Node").Right(54, "(psi)").Right(60, "SH+SA").At(62, "Node").Right(73, "(psi)").Right(79, "1.8SH"),
      Rule(),
      Line().At(5, "20").Right(16, "4500").Right(22, "0.15").At(24, "20").Right(35, "6000").Right(41, "0.20")
          .At(43, "30").Right(54, "6500").Right(60, "0.13").At(62, "30").Right(73, "47000").Right(79, "1.31"),
      Line().At(5, "30").Right(16, "3000").Right(22, "0.10").At(24, "10").Right(35, "3000").Right(41, "0.10")
          .At(43, "10").Right(54, "4000").Right(60, "0.08").At(62, "20").Right(73, "7000").Right(79, "0.19"),
      Line().At(5, "10").Right(16, "1000").Right(22, "0.03").At(24, "30").Right(35, "1500").Right(41, "0.05")
          .At(43, "20").Right(54, "2000").Right(60, "0.04").At(62, "10").Right(73, "5000").Right(79, "0.14"),
      Rule(),
      // The settlement table.
      Line().Centre(6, 78, title),
      Rule(),
      Line().At(5, "Settlement(10a)"),
      Line().Right(16, "SS").Right(22, "SS/"),
      Line().At(5, "Node").Right(16, "(psi)").Right(22, "3.0SC"),
      Rule(),
      Line().At(5, "30").Right(16, "2200").Right(22, "0.04"),
      Line().At(5, "20").Right(16, "1300").Right(22, "0.02"),
      Line().At(5, "10").Right(16, "1200").Right(22, "0.02"),
      Rule(),
  };
  EXPECT_EQ(TextBody("class2.txt"), text);
  const std::vector<std::string> csv = {
      title + ",",
      ",Sustained(8),,,,Expansion(10),,,,Expansion(11),,,,Occasional(9),,,,",
      ",SL,1.5SH,SL/,,SE,SA,SE/,,SL+SE,SH+SA,SL+SE/,,SL+SO,1.8SH,SL+SO/,",
      "Node,(psi),(psi),1.5SH,Node,(psi),(psi),SA,Node,(psi),(psi),SH+SA,Node,(psi),(psi),1.8SH,",
      "20,4500,30000,0.15,20,6000,30000,0.20,30,6500,50000,0.13,30,47000,36000,1.31,",
      "30,3000,30000,0.10,10,3000,30000,0.10,10,4000,50000,0.08,20,7000,36000,0.19,",
      "10,1000,30000,0.03,30,1500,30000,0.05,20,2000,50000,0.04,10,5000,36000,0.14,",
      "",
      title + ",",
      ",Settlement(10a),,,,",
      ",SS,3.0SC,SS/,",
      "Node,(psi),(psi),3.0SC,",
      "30,2200,60000,0.04,",
      "20,1300,60000,0.02,",
      "10,1200,60000,0.02,",
  };
  EXPECT_EQ(CsvBody("class2.csv"), csv);
}

// Seventy nodes run past the first page: the second page starts with the
// page heading and then the text headings again, before its first row.
TEST_F(SortedStressReportTest, TheTextHeadingsRepeatOnTheNextPage) {
  constexpr int kNodes = 70;
  Prepare(3, kNodes, {1, 2, 13});
  for (int section : {0, 1, 3}) {
    std::vector<Entry> entries;
    for (int n = 1; n <= kNodes; ++n) entries.push_back({n, 100.0 * n, 20000.0});
    Fill(section, entries);
  }
  ASSERT_EQ(TheCodeStresses().sorted.rowCount, kNodes);
  const std::vector<std::string> lines = Report("long.txt");
  std::vector<std::string> heading = B313TextHeadings();
  heading[4] = Line().At(5, "Node").Right(22, "(psi)").Right(28, "SH").At(30, "Node").Right(47, "(psi)").Right(53, "SA")
                   .At(55, "Node").Right(72, "(psi)").Right(78, "SHO");
  // Page 1: heading lines 4 - 9, rows from line 10; page 2 after its page feed.
  ASSERT_GT(lines.size(), 70u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 9), heading);
  const auto feed = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty() && l[0] == '\f'; });
  ASSERT_NE(feed, lines.end());
  const auto page2 = feed - lines.begin();
  // The page feed starts page 2's first line; its heading is three lines.
  ASSERT_GT(lines.size(), static_cast<std::size_t>(page2 + 10));
  EXPECT_NE(lines[static_cast<std::size_t>(page2)].find("Page 2"), std::string::npos) << lines[static_cast<std::size_t>(page2)];
  EXPECT_EQ(std::vector<std::string>(lines.begin() + page2 + 3, lines.begin() + page2 + 9), heading);
  // Worst first: node 700 on the first row, and every node once.
  EXPECT_EQ(lines[9].substr(4, 3), "700");
  int rowsPrinted = 0;
  for (const std::string& l : lines)
    if (l.size() > 10 && l[4] != ' ' && l[4] != '-' && l.compare(4, 4, "Node") != 0 && std::isdigit(static_cast<unsigned char>(l[4])))
      ++rowsPrinted;
  EXPECT_EQ(rowsPrinted, kNodes);
}

// From the Results window: the analysed frame's sorted stresses table
// printed to a CSV file through the frame's Print to File writes the
// sorted-stress report, its rows as the table shows them.
TEST_F(SortedStressReportTest, TheSortedStressesTablePrintsToFileAsTheReport) {
  BuildFrame(3);
  OpenChoosing("&Sorted stresses");
  ASSERT_TRUE(InResultsMode());
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 3);
  const std::string path = folder_ + "/frame.csv";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  SendMessage(ResultsFrame().window, kPrintToFileMessage, 0, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  const std::vector<std::string> lines = FileLines(path);
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[3], "B31.3 (2016) Code Compliance (Sorted Stresses),");
  EXPECT_EQ(lines[4], ",Sustained,,,,Expansion,,,,Occasional,,,,");
  std::string first;
  for (int column = 1; column <= 4; ++column) first += table.CellText(1, column, 0) + ",";
  EXPECT_EQ(lines[7].substr(0, first.size()), first);
}

}  // namespace
