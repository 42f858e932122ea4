// The code compliance report as text and as comma-separated lines, against
// golden lines laid out by hand from the report's column rules, for B31.1
// and B31.3 (the plain layout: stress, allowable and ratio of Sustained,
// Expansion and Occasional, right-aligned at 24/31/37, 44/51/57 and
// 64/71/77, node at 6 and pressure at 17) and for ASME Class 2 (1986) (the
// clause layout: stress and allowable of four groups at 22/29, 38/45,
// 54/61 and 70/77, node at 5, pressure at 15, then the settlement
// supplement). The records hold round values set by the test, so the
// golden lines show exactly what each rule writes: an end whose allowable
// is 2.0 or less writes nothing of its group (or, with a stress, that stress
// and "*****" for the check it could not make), the sustained ratio is the
// stress over its allowable, the other ratios are those kept.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "model/AnalysisElements.h"
#include "printing/ReportOutput.h"
#include "results/CodeComplianceReport.h"
#include "results/CodeComplianceTable.h"
#include "results/CodeResultsTesting.h"

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

// A text line built column by column (1-based), as the report page lays it
// out: a later text writes over an earlier one; trailing blanks dropped.
class Line {
 public:
  Line& At(int column, const std::string& text) {
    if (line_.size() < static_cast<std::size_t>(column - 1) + text.size())
      line_.resize(static_cast<std::size_t>(column - 1) + text.size(), ' ');
    line_.replace(static_cast<std::size_t>(column - 1), text.size(), text);
    return *this;
  }
  Line& Right(int column, const std::string& text) { return At(column + 1 - static_cast<int>(text.size()), text); }
  // Centred over first .. last: the start is first + (last - first - len + 1) / 2.
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

const std::string kRule(83, '-');
std::string Rule() { return Line().At(4, kRule); }

class CodeComplianceReportTest : public CodeResultsFixture {
 protected:
  // The frame 10 - 20 - 30 made (not analysed), its two stress records set
  // by hand for the case types given.
  void Prepare(int code, const std::vector<int>& caseTypes) {
    Model& model = StartLine(code, 0.0, 150.0);
    analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
    analysis_testing::PipeRow(model, 20, ElementType::Pipe, 120.0f);
    analysis_testing::PipeRow(model, 30, ElementType::Pipe, 0.0f, 0.0f, 80.0f);
    MakeModel(model);
    GenerateAnalysisElements(model, elements_);
    CodeStressResults& r = TheCodeStresses();
    std::vector<AnalysisElement> list(elements_.elements.begin(), elements_.elements.begin() + elements_.count + 1);
    BeginCodeStresses(r, model, list, elements_.count, {1, 2}, caseTypes);
    r.computed = true;
    r.allowablePressure = {0.0, 1234.0, 0.0};
  }
  static CodeStressRecord& Record(int row) { return TheCodeStresses().records[static_cast<std::size_t>(row)]; }
  static void Set(StressCheck& check, float stress, float allowable, float ratio) { check = {stress, allowable, ratio}; }

  // The plain layout's records: the second element's sustained stress and
  // its second end's expansion over their allowables.
  void FillPlain() {
    CodeStressRecord& a = Record(1);
    a.SL = {1000.0f, 2000.0f};
    a.SH = {20000.0f, 20000.0f};
    Set(a.expansion[0], 3000.0f, 30000.0f, 0.1f);
    Set(a.expansion[1], 4500.0f, 30000.0f, 0.15f);
    Set(a.occasional[0], 5320.0f, 26600.0f, 0.2f);
    Set(a.occasional[1], 2000.0f, 26600.0f, 0.0752f);
    CodeStressRecord& b = Record(2);
    b.SL = {2600.0f, 30000.0f};
    b.SH = {20000.0f, 20000.0f};
    Set(b.expansion[0], 6000.0f, 30000.0f, 0.2f);
    Set(b.expansion[1], 33000.0f, 30000.0f, 1.1f);
    Set(b.occasional[1], 27930.0f, 26600.0f, 1.05f);
  }

  std::vector<std::string> Report(const std::string& name) {
    const std::string path = folder_ + "/" + name;
    EXPECT_TRUE(ReportOpenFile(ResultsFrame().window, path));
    PrintCodeCompliance();
    EXPECT_TRUE(ReportCloseFile());
    return FileLines(path);
  }
  // The text report's body: the lines under the page heading.
  std::vector<std::string> TextBody(const std::string& name) {
    std::vector<std::string> lines = Report(name);
    EXPECT_GE(lines.size(), 3u);
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(3, lines.size()));
    while (!lines.empty() && (lines.back().empty() || lines.back() == "\f")) lines.pop_back();
    return lines;
  }
  // The CSV lines from "Code compliance," on.
  std::vector<std::string> CsvBody(const std::string& name) {
    std::vector<std::string> lines = Report(name);
    const auto start = std::find(lines.begin(), lines.end(), "Code compliance,");
    EXPECT_NE(start, lines.end());
    std::vector<std::string> body(start, lines.end());
    while (!body.empty() && body.back().empty()) body.pop_back();
    return body;
  }

  AnalysisElementList elements_;
};

std::vector<std::string> PlainTextGolden(const std::string& title, const std::string& occasionalSymbol,
                                         int symbolColumn, const std::string& denominator, int denominatorColumn) {
  return {
      Line().Centre(6, 78, title),
      Line().At(13, "Press  --- Sustained ----  --- Expansion ----  --- Occasional ----"),
      Line().At(13, "Allow").At(21, "SL     SH     SL/   SE     SA     SE/  SL+SO        SL+SO/").At(symbolColumn, occasionalSymbol),
      Line().At(6, "Node").Centre(12, 19, "(psi)").Centre(19, 26, "(psi)").Centre(26, 33, "(psi)").At(35, "SH")
          .Centre(39, 46, "(psi)").Centre(47, 54, "(psi)").At(55, "SA").Centre(58, 66, "(psi)").Centre(65, 73, "(psi)")
          .At(denominatorColumn, denominator),
      Rule(),
      Line().At(6, "10").Right(17, "150").Right(24, "1000").Right(31, "20000").Right(37, "0.05").Right(44, "3000")
          .Right(51, "30000").Right(57, "0.10").Right(64, "5320").Right(71, "26600").Right(77, "0.20"),
      Line().At(6, "20").Right(17, "1234").Right(24, "2000").Right(31, "20000").Right(37, "0.10").Right(44, "4500")
          .Right(51, "30000").Right(57, "0.15").Right(64, "2000").Right(71, "26600").Right(77, "0.08"),
      "",
      // The second element: no occasional allowable at its first end.
      Line().At(6, "20").Right(17, "150").Right(24, "2600").Right(31, "20000").Right(37, "0.13").Right(44, "6000")
          .Right(51, "30000").Right(57, "0.20"),
      Line().At(6, "30").Right(24, "30000").Right(31, "20000").Right(37, "1.50").Right(44, "33000").Right(51, "30000")
          .Right(57, "1.10").Right(64, "27930").Right(71, "26600").Right(77, "1.05"),
      Rule(),
  };
}

std::vector<std::string> PlainCsvGolden(const std::string& title, const std::string& occasional) {
  return {
      "Code compliance,",
      "",
      title + ",",
      "",
      ",Press,,Sustained,,,Expansion,,,Occasional,,,",
      ",Allow,SL,SH,SL/,SE,SA,SE/,SL+SO," + occasional + ",SL+SO/,",
      "Node,(psi),(psi),(psi),SH,(psi),(psi),SA,(psi),(psi)," + occasional + ",",
      "10,150,1000,20000,0.05,3000,30000,0.10,5320,26600,0.20,",
      "20,1234,2000,20000,0.10,4500,30000,0.15,2000,26600,0.08,",
      "20,150,2600,20000,0.13,6000,30000,0.20,,,,",
      "30,,30000,20000,1.50,33000,30000,1.10,27930,26600,1.05,",
  };
}

TEST_F(CodeComplianceReportTest, B313PlainLayoutTextAndCsv) {
  Prepare(3, {1, 2, 13});
  FillPlain();
  EXPECT_EQ(TextBody("b313.txt"), PlainTextGolden("B31.3 (2016) Code Compliance", "SHO", 67, "SHO", 74));
  EXPECT_EQ(CsvBody("b313.csv"), PlainCsvGolden("B31.3 (2016) Code Compliance", "SHO"));
}

TEST_F(CodeComplianceReportTest, B311PlainLayoutTextAndCsv) {
  Prepare(1, {1, 2, 13});
  FillPlain();
  EXPECT_EQ(TextBody("b311.txt"), PlainTextGolden("B31.1 (2016) Code Compliance", "1.20SH", 66, "1.20SH", 73));
  EXPECT_EQ(CsvBody("b311.csv"), PlainCsvGolden("B31.1 (2016) Code Compliance", "1.20SH"));
}

// Sustained, expansion, combined, settlement and occasional: the fourth
// group is the occasional one, and the settlement stresses follow in their
// own table.
TEST_F(CodeComplianceReportTest, Class2ClauseLayoutAndItsSettlementTable) {
  Prepare(9, {1, 2, 11, 13});
  const CategoryPresence& p = TheCodeStresses().presence;
  ASSERT_TRUE(p.sustained && p.expansion && p.combined && p.settlement && p.occasional);
  CodeStressRecord& a = Record(1);
  a.SL = {900.0f, 1900.0f};
  a.SI = {1000.0f, 2000.0f};  // the stress-index stresses are the ones written
  a.SH = {30000.0f, 30000.0f};
  Set(a.expansion[0], 3000.0f, 30000.0f, 0.1f);
  Set(a.expansion[1], 4500.0f, 30000.0f, 0.15f);
  Set(a.combined[0], 4000.0f, 50000.0f, 0.08f);
  Set(a.combined[1], 6500.0f, 50000.0f, 0.13f);
  Set(a.occasional[0], 5000.0f, 36000.0f, 0.1389f);
  Set(a.occasional[1], 7000.0f, 36000.0f, 0.1944f);
  Set(a.settlement[0], 1200.0f, 60000.0f, 0.02f);
  Set(a.settlement[1], 1300.0f, 60000.0f, 0.0217f);
  CodeStressRecord& b = Record(2);
  b.SI = {2500.0f, 45000.0f};
  b.SH = {30000.0f, 30000.0f};
  Set(b.expansion[0], 6000.0f, 30000.0f, 0.2f);
  Set(b.expansion[1], 33000.0f, 30000.0f, 1.1f);
  Set(b.combined[1], 78000.0f, 50000.0f, 1.56f);
  Set(b.occasional[1], 47000.0f, 36000.0f, 1.3056f);
  Set(b.settlement[0], 2200.0f, 60000.0f, 0.0367f);
  Set(b.settlement[1], 2.0f, 2.0f, 1.0f);  // not computed: nothing written
  const std::string title = "ASME Class 2 (1986) Code Compliance";
  const std::vector<std::string> text = {
      Line().Centre(6, 78, title),
      Line().At(11, "Press  Sustained(8)    Expansion(10)  Expansion(11)").At(65, "Occasional(9)"),
      Line().At(11, "Allow").At(19, "SL").At(35, "SE     SA").At(57, "SH+SA").At(66, "SL+SO").At(25, "1.5SH").At(51, "STE")
          .At(72, "1.8SH"),
      Line().At(5, "Node").Centre(10, 17, "(psi)").Centre(20, 29, "(psi)").Centre(33, 45, "(psi)").Centre(49, 61, "(psi)")
          .Centre(65, 77, "(psi)"),
      Rule(),
      Line().At(5, "10").Right(15, "150").Right(22, "1000").Right(29, "30000").Right(38, "3000").Right(45, "30000")
          .Right(54, "4000").Right(61, "50000").Right(70, "5000").Right(77, "36000"),
      Line().At(5, "20").Right(15, "1234").Right(22, "2000").Right(29, "30000").Right(38, "4500").Right(45, "30000")
          .Right(54, "6500").Right(61, "50000").Right(70, "7000").Right(77, "36000"),
      "",
      Line().At(5, "20").Right(15, "150").Right(22, "2500").Right(29, "30000").Right(38, "6000").Right(45, "30000"),
      Line().At(5, "30").Right(22, "45000").Right(29, "30000").Right(38, "33000").Right(45, "30000").Right(54, "78000")
          .Right(61, "50000").Right(70, "47000").Right(77, "36000"),
      Rule(),
      // The settlement table.
      Line().Centre(6, 78, title),
      Line().At(10, "Settlement(10a)"),
      Line().At(12, "SS    3.0SC"),
      Line().At(5, "Node").Centre(10, 16, "(psi)").Centre(17, 23, "(psi)"),
      Rule(),
      Line().At(5, "10").Right(15, "1200").Right(22, "60000"),
      Line().At(5, "20").Right(15, "1300").Right(22, "60000"),
      "",
      Line().At(5, "20").Right(15, "2200").Right(22, "60000"),
      Line().At(5, "30"),
      Rule(),
  };
  EXPECT_EQ(TextBody("class2.txt"), text);
  const std::vector<std::string> csv = {
      "Code compliance,",
      "",
      title + ",",
      "",
      ",Press,Sustained(8),,Expansion(10),,Expansion(11),,Occasional(9),,,",
      ",Allow.,SL,1.5SH,SE,SA,STE,SH+SA,SL+SO,1.8SH,",
      "Node,(psi),(psi),(psi),(psi),(psi),(psi),(psi),",
      "10,150,1000,30000,3000,30000,4000,50000,5000,36000,",
      "20,1234,2000,30000,4500,30000,6500,50000,7000,36000,",
      "20,150,2500,30000,6000,30000,,,,,",
      "30,,45000,30000,33000,30000,78000,50000,47000,36000,",
      "",
      title + ",",
      "",
      ",Settlement(10a),,,",
      ",SS,3.0SC,",
      "Node,(psi),(psi),",
      "10,1200,60000,",
      "20,1300,60000,",
      "20,2200,60000,",
      "30,,,",
  };
  EXPECT_EQ(CsvBody("class2.csv"), csv);
}

// A check with a stress and no allowable (2.0 or less: none was found)
// shows "*****" for its allowable and ratio, on screen and on paper alike,
// never a blank that reads as a pass; the stress stays.
TEST_F(CodeComplianceReportTest, ACheckWithoutItsAllowableIsMarkedOnScreenAndOnPaper) {
  Prepare(3, {1, 2});
  CodeStressRecord& a = Record(1);
  a.SL = {1000.0f, 2000.0f};
  a.SH = {1.0f, 1.0f};
  Set(a.expansion[0], 3000.0f, 1.0f, 3000.0f);
  bool highlight = false;
  std::vector<std::string> screen;
  for (int column = 3; column <= 8; ++column) screen.push_back(ComplianceCellText(1, column, 0, highlight));
  EXPECT_EQ(screen, (std::vector<std::string>{"1000", "*****", "*****", "3000", "*****", "*****"}));
  const std::vector<std::string> body = TextBody("missing.txt");
  ASSERT_GE(body.size(), 6u);
  EXPECT_EQ(body[5], std::string(Line().At(6, "10").Right(17, "150").Right(24, "1000").Right(31, "*****").Right(37, "*****")
                                      .Right(44, "3000").Right(51, "*****").Right(57, "*****")));
}

// Analysed with a material whose table holds no allowable: the first
// compliance view says which check could not be made.
TEST_F(CodeComplianceReportTest, AMissingAllowableIsSaidWhenTheComplianceOpens) {
  Model& model = StartLine(3, analysis_testing::kDensity, 150.0);
  for (int t = 1; t <= 2; ++t) model.materials[1].temps[static_cast<std::size_t>(t)].values[kMatAllowable] = 0.0f;
  analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  analysis_testing::PipeRow(model, 20, ElementType::Pipe, 120.0f);
  Finish(model, {1, 8, 2});
  OpenResults();
  ASSERT_TRUE(InResultsMode());
  platform::ExpectModal(platform::ModalKind::Dialog, ResultChooserTemplateName(static_cast<int>(ResultChooserList().size())),
                        [](HWND dialog) {
                          const std::vector<std::string> names = ShownRadios(dialog);
                          const auto at = std::find(names.begin(), names.end(), "&Code compliance") - names.begin();
                          Click(dialog, 1401 + static_cast<int>(at));
                        });
  std::vector<std::string> lines;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&lines](HWND box) {
    lines = LinesOfDialog(box);
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(lines, (std::vector<std::string>{"Material CS has no allowable SH at 300 F: the check could not be made.",
                                             "Its allowable and ratio show \"*****\"."}));
}

// The pipeline codes' printed headings stand over the columns the screen
// table gives them: stress, allowable, then the ratio as the stress over the
// allowable on the units line, each ending where its values end (24/31/37,
// 44/51/57, 64/71/77; a ratio's one further), with a blank before it; a
// heading wider than that starts after the blank.
TEST_F(CodeComplianceReportTest, PipelineHeadingsStandOverTheirColumns) {
  struct Case {
    int code;
    std::vector<std::string> stress, allowable;
  };
  const std::vector<Case> cases = {{4, {"SL", "SE", "Seq"}, {"0.75SY", "SA", "0.9SY"}},
                                   {6, {"SL", "SE", "Seq"}, {"0.75ST", "SA", "0.9ST"}},
                                   {22, {"SL", "SE", "Sh-SL+SB"}, {"SFLT", "0.72ST", "ST"}}};
  for (const Case& c : cases) {
    Prepare(c.code, {1, 2});
    TheCodeStresses().presence.combined = true;  // the restrained group of a buried line
    Line symbols, units;
    symbols.At(13, "Allow");
    units.At(6, "Node").Centre(12, 19, "(psi)");
    for (int g = 0; g < 3; ++g) {
      const int end = 24 + 20 * g;
      const std::string& s = c.stress[static_cast<std::size_t>(g)];
      const std::string& a = c.allowable[static_cast<std::size_t>(g)];
      if (s.size() <= 6) symbols.Right(end, s);
      else symbols.At(end - 4, s);
      symbols.Right(end + 7, a);
      if (s.size() < 6) symbols.Right(end + 14, s + "/");
      else symbols.At(end + 9, s + "/");
      units.Right(end, "(psi)").Right(end + 7, "(psi)").Right(end + 14, a);
    }
    const std::vector<std::string> body = TextBody("pipeline" + std::to_string(c.code) + ".txt");
    ASSERT_GE(body.size(), 3u);
    EXPECT_EQ(body[2], std::string(symbols)) << "code " << c.code;
    EXPECT_EQ(body[3], std::string(units)) << "code " << c.code;
  }
}

TEST_F(CodeComplianceReportTest, NothingIsWrittenWithoutStressElements) {
  Prepare(3, {1, 2});
  TheCodeStresses().records.resize(1);
  EXPECT_TRUE(TextBody("empty.txt").empty());
}

}  // namespace
