// The weight summary: the model of a 6.625 in line with 2 in of insulation,
// water and a 200 lb valve, analysed and its results opened through the
// program, shows in the "Center of Gravity" dialog, over the Results
// window it is opened from, the empty, insulation, content and total
// weights and the centre of gravity worked by hand; a 90 degree bend split
// by two intermediate nodes weighs its arc once and places it at 2R/pi
// from its centre toward each arc end; a model without weight places
// nothing; the report block sits in the text page's body; the centre
// reads in every length unit as its label says, feet and inches included.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "editing/SplitRows.h"
#include "editing/WeightAndCg.h"
#include "elements/Bend.h"
#include "elements/Valve.h"
#include "model/AnalysisElements.h"
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "printing/ReportOutput.h"
#include "results/ResultsTesting.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The number after "= " in a dialog line.
double ValueOf(const std::string& line, const std::string& label) {
  const std::size_t at = line.find(label + " = ");
  EXPECT_NE(at, std::string::npos) << line;
  return at == std::string::npos ? 0.0 : std::strtod(line.c_str() + at + label.size() + 3, nullptr);
}

class WeightAndCgTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    savedUnits_ = g_UnitsSettings;
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  }
  void TearDown() override {
    g_UnitsSettings = savedUnits_;
    ResultsFixture::TearDown();
  }
  UnitsSettings savedUnits_;

  // The line: 6.625 x 0.280 in, 2 in of 11.5 lb/ft3 insulation,
  // steel of 0.283 lb/in3, water; 10 at the origin, pipe 20 of 120 in in X,
  // valve 30 of 24 in (200 lb, insulation x 1.75), pipe 40 of 120 in in Y.
  void BuildValveLine() {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 300.0, 0.283, ModelPath());
    model.unitChoices = ProgramUnitChoices();
    PipeSection& section = model.sections[1];
    section.outsideDiameter = 6.625f;
    section.thickness = 0.280f;
    section.insulationThickness = 2.0f;
    section.insulationDensity = static_cast<float>(11.5 / 1728.0);
    model.pipeLoads[1].specificGravity = 1.0f;
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 120.0f);
    PipeRow(model, 30, ElementType::Valve, 24.0f);
    auto& valve = dynamic_cast<Valve&>(*model.row(3).element);
    valve.weight = 200.0f;
    valve.insulationWeightMultiplier = 1.75f;
    PipeRow(model, 40, ElementType::Pipe, 0.0f, 120.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {1, 8, 2});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
  }
};

TEST_F(WeightAndCgTest, TheValveLineAfterAnalyzeShowsTheHandWorkedWeights) {
  BuildValveLine();
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  std::vector<std::string> lines;
  HWND owner = nullptr;
  platform::ExpectModal(platform::ModalKind::Dialog, "CG_DIALOG", [&lines, &owner](HWND dialog) {
    lines.clear();
    for (int item = 1501; item <= 1507; ++item) lines.push_back(TextOf(GetDlgItem(dialog, item)));
    owner = GetWindow(dialog, GW_OWNER);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ResultsCommandNow(378);
  platform::CheckModalScript();
  // Over the window it was opened from.
  EXPECT_EQ(owner, ResultsFrame().window);
  ASSERT_EQ(lines.size(), 7u);
  // Per inch: metal pi (3.3125^2 - 3.0325^2) 0.283 = 1.57946; insulation
  // pi/4 (10.625^2 - 6.625^2) 11.5/1728 = 0.36065; water pi 3.0325^2 x
  // 0.03609 = 1.04265. Empty 240 x 1.57946 + 200; insulation (240 + 1.75 x
  // 24) x 0.36065; content 264 x 1.04265.
  const double metal = kPi * (3.3125 * 3.3125 - 3.0325 * 3.0325) * 0.283;
  const double insulation = kPi / 4.0 * (10.625 * 10.625 - 6.625 * 6.625) * 11.5 / 1728.0;
  const double water = kPi * 3.0325 * 3.0325 * 0.03609;
  EXPECT_NEAR(ValueOf(lines[0], "Empty weight"), 579.09, 0.5791);
  EXPECT_NEAR(ValueOf(lines[1], "Insulation weight"), 101.70, 0.1017);
  EXPECT_NEAR(ValueOf(lines[2], "Content weight"), 275.26, 0.2753);
  EXPECT_NEAR(ValueOf(lines[3], "Lining weight"), 0.0, 1e-6);
  EXPECT_NEAR(ValueOf(lines[5], "Total weight"), 956.05, 0.9561);
  const WeightSummary& w = TheWeightSummary();
  EXPECT_NEAR(w.empty, 240.0 * metal + 200.0, 1e-3);
  EXPECT_NEAR(w.insulation, 282.0 * insulation, 1e-3);
  EXPECT_NEAR(w.content, 264.0 * water, 1e-3);
  EXPECT_NEAR(w.total, w.empty + w.insulation + w.content + w.lining + w.additional, 1e-6);
  EXPECT_EQ(lines[6].rfind("X = ", 0), 0u) << lines[6];
  EXPECT_NEAR(ValueOf(lines[6], "X"), 109.54, 0.1095);
  EXPECT_NEAR(ValueOf(lines[6], "Y"), 22.46, 0.0225);
  EXPECT_NEAR(ValueOf(lines[6], "Z"), 0.0, 1e-6);
}

TEST_F(WeightAndCgTest, ABendWithTwoIntermediateNodesWeighsItsArcOnceAtItsCentroid) {
  using namespace analysis_testing;
  Model& model = TheModel();
  StartModel(model, 300.0, 0.283, ModelPath());
  PipeRow(model, 10, ElementType::From, 0.0f);
  PipeRow(model, 20, ElementType::Bend, 120.0f);
  auto& bend = dynamic_cast<Bend&>(*model.row(2).element);
  bend.intermediateNode1 = 21;
  bend.intermediateNode2 = 22;
  bend.angle1 = static_cast<float>(kPi / 6.0);
  bend.angle2 = static_cast<float>(kPi / 3.0);
  PipeRow(model, 30, ElementType::Pipe, 0.0f, 120.0f);
  MakeModel(model);
  AnalysisElementList elements;
  GenerateAnalysisElements(model, elements);
  int arcs = 0;
  for (int i = 1; i <= elements.count; ++i) arcs += elements[i].kind == 4;
  EXPECT_EQ(arcs, 3);
  const double R = dynamic_cast<const Bend&>(*model.row(2).element).radius;
  ASSERT_GT(R, 1.0);
  const WeightSummary& w = ComputeWeightAndCg(model, elements);
  // Every element weighs the same per inch: the straight parts 120 - R
  // each, the arc pi R / 2 at (120 - R + 2R/pi, R - 2R/pi).
  const double ro = kOd / 2.0, ri = ro - kWall;
  const double perInch = kPi * (ro * ro - ri * ri) * 0.283;
  const double straight = 120.0 - R, arc = kPi * R / 2.0;
  EXPECT_NEAR(w.total, perInch * (2.0 * straight + arc), 1e-3);
  const double mx = straight * (straight / 2.0) + arc * (120.0 - R + 2.0 * R / kPi) + straight * 120.0;
  const double my = arc * (R - 2.0 * R / kPi) + straight * (R + straight / 2.0);
  const double length = 2.0 * straight + arc;
  EXPECT_NEAR(w.centre[0], mx / length, 1e-3);
  EXPECT_NEAR(w.centre[1], my / length, 1e-3);
  // Nothing weighs: the centre stays at the origin.
  model.materials[1].density = 0.0f;
  const WeightSummary& none = ComputeWeightAndCg(model, elements);
  EXPECT_EQ(none.total, 0.0);
  EXPECT_EQ(none.centre[0], 0.0);
}

TEST_F(WeightAndCgTest, AMultipleSplitKeepsTheWeightAndItsCentre) {
  BuildValveLine();
  Model& model = TheModel();
  AnalysisElementList elements;
  GenerateAnalysisElements(model, elements);
  const WeightSummary before = ComputeWeightAndCg(model, elements);
  // The 120 in pipe to 40 into four pieces of 30 in, nodes 31, 33, 35.
  SplitRowEqually(model, 4, 4, 31, 2);
  ASSERT_EQ(model.rowCount, 7);
  for (int r = 4; r <= 7; ++r) EXPECT_FLOAT_EQ(model.row(r).dy, 30.0f) << r;
  EXPECT_EQ(model.row(7).dataType, DataType::Anchor);  // the anchor stays at 40
  GenerateAnalysisElements(model, elements);
  const WeightSummary after = ComputeWeightAndCg(model, elements);
  EXPECT_NEAR(after.total, before.total, 1e-4 * before.total);
  for (int axis = 0; axis < 2; ++axis) EXPECT_NEAR(after.centre[axis], before.centre[axis], 1e-4 * 110.0) << axis;
}

// The centre's line in each length unit the units dialog offers, against
// hand-worked texts: X = 215.8452 in (17.9871 ft), Y = -30.25 in, Z =
// 53.8656 in. In feet and inches each coordinate is rounded to the nearest
// 64th: 215.8452 in = 17 ft 11.8452 in, 0.8452 x 64 = 54.09 -> 54/64 =
// 27/32; 30.25 in = 2 ft 6-1/4 in; 53.8656 in = 4 ft 5.8656 in, 0.8656 x
// 64 = 55.40 -> 55/64. Feet 215.8452 / 12 = 17.9871 (5 digits 17.987);
// metres x 0.0254: 5.48247, -0.76835, 1.36819; millimetres x 25.4:
// 5482.468, -768.35, 1368.186.
TEST_F(WeightAndCgTest, TheCentreReadsInTheUnitItsLabelNames) {
  WeightSummary& w = TheWeightSummary();
  w.total = 1000.0;
  w.centre[0] = 215.8452;
  w.centre[1] = -30.25;
  w.centre[2] = 53.8656;
  w.computed = true;
  const struct {
    int unit;
    const char* line;
  } cases[] = {
      {kLengthFeetInches, "X = 17'11-27/32\",   Y = -2'6-1/4\",   Z = 4'5-55/64\"   (ft'in\")"},
      {kLengthFeet, "X = 17.987,   Y = -2.5208,   Z = 4.4888   (feet)"},
      {kLengthInch, "X = 215.8452,   Y = -30.2500,   Z = 53.8656   (inch)"},
      {kLengthMetre, "X = 5.4825,   Y = -0.76835,   Z = 1.3682   (m)"},
      {kLengthMillimetre, "X = 5482.47,   Y = -768.35,   Z = 1368.19   (mm)"},
  };
  ASSERT_EQ(UnitCount(kUnitLength), 5);
  for (const auto& c : cases) {
    g_UnitsSettings.unit[kUnitLength] = c.unit;
    EXPECT_EQ(WeightLine(7), c.line) << UnitLabelAt(kUnitLength, c.unit);
  }
  // A centre on a whole 64th, and one at the origin.
  g_UnitsSettings.unit[kUnitLength] = kLengthFeetInches;
  w.centre[0] = 66.5;
  w.centre[1] = 0.0;
  w.centre[2] = 0.004;  // under half a 64th
  EXPECT_EQ(WeightLine(7), "X = 5'6-1/2\",   Y = 0,   Z = 0   (ft'in\")");
}

// The valve line's centre (X = 109.5364 in, Y = 22.4636 in by hand from the
// weights above) in the dialog in feet and inches and in millimetres:
// 109.5364 in = 9 ft 1.5364 in, x 64 = 98.33 -> 1-34/64 = 1-17/32; 22.4636
// in = 1 ft 10.4636 in, x 64 = 29.67 -> 30/64 = 15/32; 2782.22 mm and
// 570.58 mm (the single-precision centre in mm, 570.576). The two dialogs
// are written to the build folder (cg-dialog-*.png) to be looked at.
TEST_F(WeightAndCgTest, TheDialogShowsTheCentreInTheChosenUnit) {
  BuildValveLine();
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  std::string line;
  auto expectDialog = [&line](const std::string& picture) {
    platform::ExpectModal(platform::ModalKind::Dialog, "CG_DIALOG", [&line, picture](HWND dialog) {
      line = TextOf(GetDlgItem(dialog, 1507));
      RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      platform::WriteWindowPng(dialog, std::string(QUORVEL_BINARY_DIR) + "/" + picture);
      // The whole line fits its field.
      HWND field = GetDlgItem(dialog, 1507);
      HDC dc = GetDC(field);
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(field, WM_GETFONT, 0, 0)));
      SIZE size{0, 0};
      GetTextExtentPoint32(dc, line.data(), static_cast<int>(line.size()), &size);
      ReleaseDC(field, dc);
      RECT box{};
      GetClientRect(field, &box);
      EXPECT_LE(size.cx, box.right) << line;
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  };
  g_UnitsSettings.unit[kUnitLength] = kLengthFeetInches;
  expectDialog("cg-dialog-feet-inches.png");
  ResultsCommandNow(378);
  platform::CheckModalScript();
  EXPECT_EQ(line, "X = 9'1-17/32\",   Y = 1'10-15/32\",   Z = 0   (ft'in\")");
  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  expectDialog("cg-dialog-millimetres.png");
  ResultsCommandNow(378);
  platform::CheckModalScript();
  EXPECT_EQ(line.substr(0, 4), "X = ");
  EXPECT_NEAR(ValueOf(line, "X"), 109.53636 * 25.4, 0.01);
  EXPECT_NEAR(ValueOf(line, "Y"), 22.463643 * 25.4, 0.01);
  EXPECT_EQ(line.substr(line.size() - 4), "(mm)");
}

}  // namespace

namespace {

// The lines of a report file whose block starts with `title`: the title's
// line and the `count` lines after it.
std::vector<std::string> BlockLines(const std::string& path, const std::string& title, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  bool inBlock = false;
  for (std::string line; std::getline(in, line) && lines.size() < count + 1;) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find(title) != std::string::npos) inBlock = true;
    if (inBlock) lines.push_back(line);
  }
  return lines;
}

// The block stands in the text page's body as every other block does: its
// title and lines start at column 4, under the page's rules; the CSV
// lines start their rows at the first cell.
TEST_F(WeightAndCgTest, TheReportBlockIsIndentedInTextAndStartsRowsInCsv) {
  BuildValveLine();
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  std::vector<std::string> expected{"Weight & Center of gravity"};
  for (int line = 1; line <= 6; ++line) expected.push_back(WeightLine(line));
  expected.push_back("Center of Gravity for Total weight");
  expected.push_back(WeightLine(7));
  const std::string text = folder_ + "/weight.txt";
  ASSERT_TRUE(ReportOpenFile(nullptr, text));
  PrintWeightAndCg();
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> written = BlockLines(text, expected[0], 8);
  ASSERT_EQ(written.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(written[i], "   " + expected[i]) << i;
  const std::string csv = folder_ + "/weight.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, csv));
  PrintWeightAndCg();
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> cells = BlockLines(csv, expected[0], 8);
  ASSERT_EQ(cells.size(), expected.size());
  EXPECT_EQ(cells[0], expected[0] + ",");
  for (std::size_t i = 1; i < expected.size(); ++i) EXPECT_EQ(cells[i], CsvQuoted(expected[i]) + ",") << i;
}

}  // namespace
