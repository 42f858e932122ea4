// The modal result tables through the Results window: the chooser offers
// "&Frequencies" and "&Mode shapes" when the results hold modes (and only
// them for a modal case alone); the Frequencies cells are the file's
// frequencies, periods, participation factors and mass ratios with their
// Total row; a row makes its mode current; the Mode shapes table shows the
// file's shape of the current mode under "Mode  %d:  %.2f Hz" and steps
// the mode with the arrows and commands 228 and 229, wrapping at both ends;
// printing every mode leaves the mode that was current; the still shape
// (216) and the Magnification dialog (300), with its refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "printing/ReportOutput.h"
#include "records/Spectrum.h"
#include "results/AccelerationsTable.h"
#include "results/ModalTables.h"
#include "results/ResultsTesting.h"
#include "results/ShapeDisplay.h"
#include "results/ShapeOverlay.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "services/Units.h"
#include "supports/SupportLoadSummary.h"

namespace {

class ModalTablesTest : public ResultsFixture {
 protected:
  void TearDown() override {
    HideShapeDisplays();
    ResultsFixture::TearDown();
  }
  // The line with only a modal case (or with it after the static cases).
  void OpenModes(const std::vector<int>& cases, const std::string& chooser) {
    Model& model = BuildLine(cases);
    model.options.ModeCount = 4;
    model.options.CutOffFrequency = 1000;
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    names_ = OpenCancelled(chooser);
    ASSERT_TRUE(InResultsMode());
  }
  // The shape value of mode m at node index n, direction d, from the file.
  float FileShape(int m, int node, int d) {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
    BinaryFileSeek(file, TheResults().modal.shapes +
                             kNodeRecordBytes * ((m - 1) * static_cast<std::int64_t>(ResultNodeCount(TheModel())) + node - 1) +
                             4 * d);
    float value = 0.0f;
    BinaryFileReadFloat(file, value);
    return value;
  }
  std::vector<std::string> names_;
};

TEST_F(ModalTablesTest, AModalCaseAloneOffersFrequenciesAndModeShapesOnly) {
  OpenModes({30}, "RESULTS3_DIALOG");
  EXPECT_EQ(names_, (std::vector<std::string>{"&Frequencies", "&Mode shapes"}));
}

TEST_F(ModalTablesTest, FrequenciesShowTheFileValuesWithTheirTotals) {
  OpenModes({1, 30}, "RESULTS8_DIALOG");
  ASSERT_NE(std::find(names_.begin(), names_.end(), "&Frequencies"), names_.end());
  OpenFrequenciesTable();
  ResultTableWindow& table = Shown();
  const ModalSummary& modal = TheResults().modal;
  const int modes = static_cast<int>(modal.frequencies.size());
  ASSERT_EQ(modes, 4);
  ASSERT_EQ(table.rowCount, modes + 1);
  EXPECT_NE(ResultsTitle().find(": Frequencies -"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(table.HeadingText(1, 0), "Frequency");
  EXPECT_EQ(table.HeadingText(2, 1), "(second)");
  EXPECT_EQ(table.HeadingText(6, 1), "X");
  double sums[3] = {0, 0, 0};
  for (int m = 1; m <= modes; ++m) {
    const double f = modal.frequencies[static_cast<std::size_t>(m - 1)];
    EXPECT_NEAR(std::stod(table.CellText(m, 1, 0)), f, 0.0005);
    EXPECT_NEAR(std::stod(table.CellText(m, 2, 0)), 1.0 / f, 0.00005);
    for (int d = 0; d < 3; ++d) {
      const double gamma = modal.participation[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(d)];
      EXPECT_NEAR(std::stod(table.CellText(m, 3 + d, 0)), gamma, 0.00005 + 1e-6 * std::fabs(gamma));
      const double ratio = gamma * gamma / modal.totalMass;
      EXPECT_NEAR(std::stod(table.CellText(m, 6 + d, 0)), ratio, 0.00005);
      sums[d] += ratio;
    }
  }
  EXPECT_EQ(table.CellText(modes + 1, 1, 0), "");
  EXPECT_EQ(table.CellText(modes + 1, 5, 0), "Total");
  for (int d = 0; d < 3; ++d) EXPECT_NEAR(std::stod(table.CellText(modes + 1, 6 + d, 0)), sums[d], 0.0001);
  // A row makes its mode current; the Total row leaves it.
  table.KeyDown(VK_DOWN);
  table.KeyDown(VK_DOWN);
  EXPECT_EQ(table.currentRow, 3);
  EXPECT_EQ(g_CurrentMode, 3);
  table.KeyDown(VK_END);
  table.KeyDown(VK_DOWN);
  EXPECT_EQ(table.currentRow, modes + 1);
  EXPECT_EQ(g_CurrentMode, 3);
}

TEST_F(ModalTablesTest, ModeShapesShowTheCurrentModeAndStepAroundBothEnds) {
  OpenModes({30}, "RESULTS3_DIALOG");
  OpenModeShapeTable();
  ResultTableWindow& table = Shown();
  const int modes = ResultModeCount();
  ASSERT_EQ(modes, 4);
  const std::vector<int>& nodes = TheResults().resultNodes;
  ASSERT_EQ(table.rowCount, static_cast<int>(nodes.size()));
  auto title = [](int m) {
    char text[64];
    std::snprintf(text, sizeof text, "Mode  %d:  %.2f Hz", m, TheResults().modal.frequencies[static_cast<std::size_t>(m - 1)]);
    return std::string(text);
  };
  auto checkCells = [&](int m) {
    SCOPED_TRACE(m);
    EXPECT_NE(ResultsTitle().find(": " + title(m) + " -"), std::string::npos) << ResultsTitle();
    for (int row = 1; row <= table.rowCount; ++row) {
      const int node = nodes[static_cast<std::size_t>(row) - 1];
      for (int d = 0; d < 3; ++d) {
        const double expected = FileShape(m, node, d);  // inch: the fixture's displacement unit
        EXPECT_NEAR(std::stod(table.CellText(row, 2 + d, 0)), expected, 0.0005 + 1e-4 * std::fabs(expected));
      }
    }
  };
  checkCells(1);
  table.KeyDown(VK_LEFT);  // from the first to the last
  EXPECT_EQ(g_CurrentMode, modes);
  checkCells(modes);
  ResultsCommandNow(228);  // Next mode: from the last to the first
  EXPECT_EQ(g_CurrentMode, 1);
  ResultsCommandNow(228);
  EXPECT_EQ(g_CurrentMode, 2);
  checkCells(2);
  ResultsCommandNow(229);
  EXPECT_EQ(g_CurrentMode, 1);
  // The Frequencies table opens on the current mode's row.
  g_CurrentMode = 3;
  OpenFrequenciesTable();
  EXPECT_EQ(Shown().currentRow, 3);
}

TEST_F(ModalTablesTest, ReportsOfEveryModeLeaveTheCurrentMode) {
  OpenModes({30}, "RESULTS3_DIALOG");
  OpenModeShapeTable();
  g_CurrentMode = 2;
  LoadModeShape(TheModel());
  const std::string path = folder_ + "/modes.csv";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, path));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  EXPECT_EQ(g_CurrentMode, 2);
  std::ifstream in(path);
  int titles = 0;
  for (std::string line; std::getline(in, line);)
    if (line.find(": Mode shape") != std::string::npos) ++titles;
  EXPECT_EQ(titles, ResultModeCount());
  // The Frequencies lines: title, two heads, a line per mode and the totals
  // (the report ends every comma-separated line with a comma).
  OpenFrequenciesTable();
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, path));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream again(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(again, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  const auto first = std::find(lines.begin(), lines.end(), "Frequencies,");
  ASSERT_NE(first, lines.end());
  ASSERT_GE(lines.end() - first, 8);
  EXPECT_EQ(first[1], ",Frequency,Period,Participation factors,,,Modal mass/Total mass,,,");
  EXPECT_EQ(first[2], "Mode,(Hz),(sec),X,Y,Z,X,Y,Z,");
  EXPECT_EQ(first[3].substr(0, 2), "1,");
  EXPECT_EQ(first[7].substr(0, 11), ",,,,,Total,");
}

// The Frequencies in a text report: under the last mode, a rule over the
// mass ratios (columns 48 to 78), and on the line below it "Total" at
// column 49 and the three sums of the ratios ending at 62, 70 and 78: the
// totals are read whole, not written over the rule.
TEST_F(ModalTablesTest, TheFrequenciesTextPutsTheTotalsUnderTheirRule) {
  OpenModes({30}, "RESULTS3_DIALOG");
  OpenFrequenciesTable();
  const std::string path = folder_ + "/frequencies.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, path));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const auto total = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& line) { return line.find("Total") == 48; });
  ASSERT_NE(total, lines.end());
  ASSERT_NE(total, lines.begin());
  EXPECT_EQ(total[-1], std::string(47, ' ') + std::string(31, '-'));
  // The sums of the ratios the table shows for every mode.
  const int modes = ResultModeCount();
  ASSERT_GT(modes, 1);
  for (int d = 0; d < 3; ++d) {
    double sum = 0.0;
    for (int m = 1; m <= modes; ++m) sum += std::stod(Shown().CellText(m, 6 + d, 0));
    const int end = 62 + 8 * d;
    const std::size_t start = total->find_last_of(' ', static_cast<std::size_t>(end - 1)) + 1;
    ASSERT_LT(start, static_cast<std::size_t>(end));
    EXPECT_NEAR(std::stod(total->substr(start, static_cast<std::size_t>(end) - start)), sum, 0.0001 * modes) << *total;
  }
}

TEST_F(ModalTablesTest, TheShapeCommandShowsAndHidesTheModeShape) {
  OpenModes({30}, "RESULTS3_DIALOG");
  OpenFrequenciesTable();
  ResultsCommandNow(216);
  EXPECT_TRUE(ModeShapeShown());
  EXPECT_TRUE(ShapeOverlayShown());
  EXPECT_EQ(ShapeItemText(), "&Hide Mode Shape");
  ResultsCommandNow(216);
  EXPECT_FALSE(ModeShapeShown());
  EXPECT_FALSE(ShapeOverlayShown());
  EXPECT_EQ(ShapeItemText(), "&Show Mode Shape");
  // Animated: a thread steps the scale; stopping ends it and the overlay.
  ResultsCommandNow(221);
  EXPECT_TRUE(AnimationRunning());
  EXPECT_EQ(AnimationItemText(), "&Hide animated mode shape\t Ctrl+Shift+A");
  ResultsCommandNow(221);
  EXPECT_FALSE(AnimationRunning());
  EXPECT_FALSE(ShapeOverlayShown());
}

TEST_F(ModalTablesTest, TheMagnificationDialogTakesZeroOrMoreAndRefusesTheRest) {
  OpenModes({30}, "RESULTS3_DIALOG");
  OpenFrequenciesTable();
  ResultsCommandNow(216);
  g_MaxMagnification = 500.0f;
  g_Magnification = 20.0f;
  // A refused value keeps the dialog open and the magnification as it was.
  platform::ExpectModal(platform::ModalKind::Dialog, "MAGNIFICATION_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1301)), "20");
    SetWindowText(GetDlgItem(dialog, 1301), "-1");
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), "Magnification =  -1  is invalid");
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(g_Magnification, 20.0f);
    SetWindowText(GetDlgItem(dialog, 1301), "125");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ResultsCommandNow(300);
  EXPECT_EQ(g_Magnification, 125.0f);
  EXPECT_EQ(ShapeOverlayScale(), 125.0f);
  float value = 0.0f;
  EXPECT_EQ(CheckMagnification("0", 500.0f, value), "");
  EXPECT_EQ(value, 0.0f);
  EXPECT_EQ(CheckMagnification("900", 500.0f, value), "");
  EXPECT_EQ(value, 500.0f);
  EXPECT_EQ(CheckMagnification("x", 500.0f, value), "Magnification =  x  is invalid");
}

// The support load summary takes the seismic and spectrum cases as
// occasional loads: each adds its rows to the operating case, plus and minus.
TEST_F(ModalTablesTest, TheSummaryShowsTheSeismicAndResponseRows) {
  Model& model = BuildLine({1, 8, 12, 30, 31});
  model.seismic.g = {0.2f, 0.0f, 0.1f};
  ResponseSpectrum flat;
  flat.name = "FLAT";
  flat.ordinateUnit = kOrdinateG;
  flat.points = {{0.1f, 386.4f}, {1000.0f, 386.4f}};
  SetLastSpectrum(model.spectra, flat);
  SetDirectionSpectrum(model.spectrumLoad, 0, "FLAT", 0.5f);
  EXPECT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenCancelled("RESULTS10_DIALOG");
  ASSERT_TRUE(InResultsMode());
  OpenSupportLoadSummary();
  ResultTableWindow& summary = Shown();
  std::vector<std::string> labels;
  for (int row = 1; row <= summary.rowCount; ++row) labels.push_back(summary.CellText(row, 1, 0));
  auto has = [&labels](const std::string& text) { return std::find(labels.begin(), labels.end(), text) != labels.end(); };
  EXPECT_TRUE(has("Operating1+Seismic") && has("Operating1-Seismic") && has("Sustained+Seismic")) << ::testing::PrintToString(labels);
  EXPECT_TRUE(has("Operating1+Response") && has("Operating1-Response")) << ::testing::PrintToString(labels);
}

TEST_F(ModalTablesTest, TheAccelerationsOfAResponseSpectrumCaseShowInG) {
  Model& model = BuildLine({30, 31});
  ResponseSpectrum flat;
  flat.name = "FLAT";
  flat.ordinateUnit = kOrdinateG;
  flat.points = {{0.1f, 386.4f}, {1000.0f, 386.4f}};
  SetLastSpectrum(model.spectra, flat);
  SetDirectionSpectrum(model.spectrumLoad, 1, "FLAT", 1.0f);
  EXPECT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  names_ = OpenCancelled("RESULTS8_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ASSERT_FALSE(names_.empty());
  EXPECT_EQ(names_.back(), "&Accelerations");
  OpenResponseAccelerationsTable();
  ResultTableWindow& table = Shown();
  EXPECT_NE(ResultsTitle().find("Accelerations: Response spectrum"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(table.HeadingText(2, 0), "X(g's)");
  const std::vector<int>& nodes = TheResults().resultNodes;
  ASSERT_EQ(table.rowCount, static_cast<int>(nodes.size()));
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
  const std::int64_t at = TheResults().cases.at(static_cast<std::size_t>(ResultCaseOfType(31))).accelerations;
  bool moving = false;
  for (int row = 1; row <= table.rowCount; ++row) {
    float values[6];
    BinaryFileSeek(file, at + kNodeRecordBytes * (nodes[static_cast<std::size_t>(row) - 1] - 1));
    BinaryFileReadFloats(file, values, 6);
    for (int d = 0; d < 3; ++d) EXPECT_NEAR(std::stod(table.CellText(row, 2 + d, 0)), values[d] / 386.4, 0.0005);
    moving = moving || values[1] > 10.0f;
  }
  EXPECT_TRUE(moving);
}

}  // namespace
