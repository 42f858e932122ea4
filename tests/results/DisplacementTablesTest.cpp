// The displacement tables: every result node's six components of the
// current case in the user's units, read back from the file independently;
// the deformed-state columns; the minimum and maximum rows (the lower node
// on a tie); the text report and the comma-separated lines; the on-demand
// loading and its caches; the distance between two nodes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <functional>

#include "printing/ReportOutput.h"
#include "results/DisplacementTables.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultPrint.h"
#include "services/NumberText.h"
#include "services/Units.h"

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

class DisplacementTablesTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    g_UnitsSettings.unit[kUnitDisplacement] = 1;  // mm
  }
  void TearDown() override {
    g_ShowDeformedCoordinates = false;
    ResultsFixture::TearDown();
  }
  void OpenLine() {
    BuildLine({1, 8, 2});
    Analyse();
    OpenCancelled("RESULTS6_DIALOG");
    ASSERT_TRUE(InResultsMode());
  }
  // The block of the case of `type`, read by its place in the file.
  analysis_testing::CaseBlock FileBlock(int type) {
    int k = 1;
    while (TheResults().cases[static_cast<std::size_t>(k)].type != type) ++k;
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPath()));
    return analysis_testing::ReadCaseBlock(file, TheModel(), TheResults(), k);
  }
};

TEST_F(DisplacementTablesTest, EveryResultNodeShowsItsSixComponentsInTheUsersUnits) {
  OpenLine();
  g_ResultCase = ResultCaseOfType(8);
  OpenDisplacementsTable();
  ResultTableWindow& table = Shown();
  const std::vector<int>& nodes = TheResults().resultNodes;
  ASSERT_EQ(table.rowCount, static_cast<int>(nodes.size()));
  EXPECT_EQ(table.HeadingText(2, 1), "X (mm)");
  EXPECT_EQ(table.HeadingText(5, 1), "XX (deg)");
  const analysis_testing::CaseBlock block = FileBlock(8);
  double largest = 0.0;
  for (int row = 1; row <= table.rowCount; ++row) {
    const int node = nodes[static_cast<std::size_t>(row) - 1];
    EXPECT_EQ(table.CellText(row, 1, 0), NodeNumberText(TheModel().nodes[node].id));
    for (int c = 0; c < 6; ++c) {
      const double stored = block.nodes[static_cast<std::size_t>(node)][static_cast<std::size_t>(c)];
      const double shown = std::stod(table.CellText(row, c + 2, 0));
      const double expected = c < 3 ? stored * 25.4 : stored * 57.29578;
      EXPECT_NEAR(shown, expected, 0.0006 + 1e-4 * std::fabs(expected)) << row << "," << c;
      largest = std::max(largest, std::fabs(expected));
    }
  }
  EXPECT_GT(largest, 0.01);  // the operating case moves the line
  // The deformed-state columns: coordinate plus translation.
  ResultsCommandNow(217);
  ResultTableWindow& deformed = Shown();
  const int node = nodes.back();
  EXPECT_TRUE(Within(std::stod(deformed.CellText(static_cast<int>(nodes.size()), 10, 0)),
                     (TheModel().nodes[node].z + block.nodes[static_cast<std::size_t>(node)][2]) * 25.4, 1e-4, 0.02));
  EXPECT_GT(deformed.widths[8], 0);
  const std::vector<int> shown = deformed.widths;
  ResultsCommandNow(217);
  EXPECT_EQ(Shown().widths[8], 0);
  ResultsCommandNow(217);
  EXPECT_EQ(Shown().widths, shown);
}

// The layout measured the plain way: every heading and every cell of every
// column, the six value columns made as wide as the widest of them, the
// coordinate columns hidden unless shown.
std::vector<int> EveryCellWidths(TableWindow& table) {
  const TextWidthFunction width = ScreenTextWidth(table);
  std::vector<int> widths(static_cast<std::size_t>(table.columnCount) + 1, 0);
  for (int column = 1; column <= table.columnCount; ++column) {
    int& w = widths[static_cast<std::size_t>(column)];
    for (int line = 0; line < table.headingLines; ++line) {
      const std::string text = table.HeadingText(column, line);
      if (!text.empty()) w = std::max(w, width(text));
    }
    for (int row = 1; row <= table.rowCount; ++row) {
      const std::string text = table.CellText(row, column, 0);
      if (!text.empty()) w = std::max(w, width(text));
    }
  }
  const int last = g_ShowDeformedCoordinates ? 10 : 7;
  const int widest = *std::max_element(widths.begin() + 2, widths.begin() + last + 1);
  for (int column = 2; column <= last; ++column) widths[static_cast<std::size_t>(column)] = widest;
  if (!g_ShowDeformedCoordinates) widths[8] = widths[9] = widths[10] = 0;
  return widths;
}

// The columns are laid out from a few cells where the values allow it;
// the widths are those of measuring every cell, for values of every sign
// and size, texts that round up to one more digit, values shown as zero
// or as "-0.000", absent values ("None"), values too large for the fixed
// form, both decimal counts of each unit and the coordinate columns shown
// or hidden.
TEST_F(DisplacementTablesTest, TheColumnsAreAsWideAsTheirWidestCellForAnyValues) {
  OpenLine();
  g_ResultCase = ResultCaseOfType(8);
  OpenDisplacementsTable();
  ResultTableWindow& table = Shown();
  // The table font's digits share one advance: the layout's quick path is
  // the one compared here.
  ASSERT_TRUE(DigitsShareWidth(ScreenTextWidth(table)));
  const std::vector<int>& nodes = TheResults().resultNodes;
  ASSERT_GE(nodes.size(), 4u);
  const std::vector<std::array<float, 6>> read = g_CaseDisplacements;
  auto values = [&](std::size_t i) -> std::array<float, 6>& {
    return g_CaseDisplacements.at(static_cast<std::size_t>(nodes[i]));
  };
  const float inch = 1.0f / 25.4f;  // one millimetre in the stored inches
  using Fill = std::function<void()>;
  const std::vector<std::pair<const char*, Fill>> fills{
      {"as read", [] {}},
      {"every size and sign",
       [&] {
         for (std::size_t i = 0; i < nodes.size(); ++i)
           for (std::size_t c = 0; c < 6; ++c)
             values(i)[c] = (i % 2 == c % 2 ? 1.0f : -1.0f) * 1.2345f * std::pow(10.0f, static_cast<float>(i) - 2.0f);
       }},
      {"rounding up to another digit",
       [&] {
         for (std::size_t c = 0; c < 6; ++c) {
           values(0)[c] = 9.9996f * inch;
           values(1)[c] = -99.99996f * inch;
           values(2)[c] = 9.9994f * inch;
         }
         values(1)[0] = 5.0f * inch;  // the first column has no negative value
         values(0)[3] = -0.00009f;     // nor the fourth a positive one
         values(2)[3] = -0.0001f;
       }},
      {"zeros and minus zeros",
       [&] {
         for (std::size_t i = 0; i < nodes.size(); ++i)
           for (std::size_t c = 0; c < 6; ++c) values(i)[c] = (i % 2 ? -0.0003f : 0.00004f) * inch;
       }},
      // The widest cells lie between "None" and the other extreme.
      {"an absent value",
       [&] {
         for (std::size_t i = 0; i < nodes.size(); ++i) values(i)[2] = values(i)[4] = 0.001f;
         values(1)[2] = kAbsentValue;
         values(0)[2] = 12345.0f;
         values(2)[4] = -kAbsentValue;
         values(3)[4] = -174.53f;
       }},
      {"too large for the fixed form",
       [&] {
         values(0)[1] = 4.0e9f;
         values(3)[1] = -3.0f;
         values(1)[5] = -2.0e8f;
       }},
      // The widest cell lies between an exponent form and the other
      // extreme.
      {"between an exponent form and a small value",
       [&] {
         for (std::size_t i = 0; i < nodes.size(); ++i)
           for (std::size_t c = 0; c < 6; ++c) values(i)[c] = 0.001f;
         values(0)[4] = 1.0e9f;
         values(1)[4] = 1745.3f;
       }},
  };
  for (const auto& [name, fill] : fills) {
    for (int lengthUnit : {kLengthInch, kLengthMillimetre}) {
      for (int angleUnit : {0, 1}) {
        for (bool deformed : {false, true}) {
          g_CaseDisplacements = read;
          fill();
          g_UnitsSettings.unit[kUnitLength] = lengthUnit;
          g_UnitsSettings.unit[kUnitAngle] = angleUnit;
          g_ShowDeformedCoordinates = deformed;
          table.DefineColumns();
          EXPECT_EQ(table.widths, EveryCellWidths(table))
              << name << ", length unit " << lengthUnit << ", angle unit " << angleUnit
              << (deformed ? ", deformed" : "");
        }
      }
    }
  }
}

TEST_F(DisplacementTablesTest, TheMinimumAndMaximumRowsNameTheirNodes) {
  OpenLine();
  g_ResultCase = ResultCaseOfType(8);
  OpenMinMaxDisplacementsTable();
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 12);
  const analysis_testing::CaseBlock block = FileBlock(8);
  for (int c = 0; c < 6; ++c) {
    int low = 0, high = 0;
    for (int node : TheResults().resultNodes) {
      const float v = block.nodes[static_cast<std::size_t>(node)][static_cast<std::size_t>(c)];
      if (low == 0 || v < block.nodes[static_cast<std::size_t>(low)][static_cast<std::size_t>(c)]) low = node;
      if (high == 0 || v > block.nodes[static_cast<std::size_t>(high)][static_cast<std::size_t>(c)]) high = node;
    }
    EXPECT_EQ(table.CellText(2 * c + 1, 4, 0), NodeNumberText(TheModel().nodes[low].id)) << c;
    EXPECT_EQ(table.CellText(2 * c + 2, 4, 0), NodeNumberText(TheModel().nodes[high].id)) << c;
  }
  EXPECT_EQ(Row(table, 1)[0], "X");
  EXPECT_EQ(Row(table, 2)[0], "(mm)");
  EXPECT_EQ(Row(table, 2)[1], "Maximum");
  // Ties keep the lower node; all zeros name the first result node.
  for (auto& record : g_CaseDisplacements) record = {};
  ComputeMinMaxDisplacements();
  EXPECT_EQ(g_DisplacementExtremes[0].minimumNode, TheResults().resultNodes.front());
  EXPECT_EQ(g_DisplacementExtremes[0].maximumNode, TheResults().resultNodes.front());
  g_CaseDisplacements[static_cast<std::size_t>(TheResults().resultNodes[2])][0] = 1.0f;
  g_CaseDisplacements[static_cast<std::size_t>(TheResults().resultNodes[1])][0] = 1.0f;
  ComputeMinMaxDisplacements();
  EXPECT_EQ(g_DisplacementExtremes[0].maximumNode, TheResults().resultNodes[1]);
}

// Rotations read as the translations do, in fixed decimals of the unit
// (four for degrees, five for radians), in the table, its extremes and the
// comma-separated lines: never in an exponent form.
TEST_F(DisplacementTablesTest, RotationsAreWrittenInFixedDecimals) {
  OpenLine();
  g_ResultCase = ResultCaseOfType(1);
  OpenDisplacementsTable();
  ResultTableWindow& table = Shown();
  constexpr double kDegreesPerRadian = 57.29577951308232;
  const int node = TheResults().resultNodes.at(1);
  std::array<float, 6>& values = g_CaseDisplacements.at(static_cast<std::size_t>(node));
  values[3] = static_cast<float>(-9.0094e-5 / kDegreesPerRadian);
  values[4] = static_cast<float>(12.345678 / kDegreesPerRadian);
  values[5] = static_cast<float>(3.0e-6 / kDegreesPerRadian);
  const std::vector<std::string> row = Row(table, 2);
  EXPECT_EQ(std::vector<std::string>(row.begin() + 4, row.begin() + 7),
            (std::vector<std::string>{"-0.0001", "12.3457", "0.0000"}));
  // In radians five decimals; what is below 5e-6 of the unit is 0.
  g_UnitsSettings.unit[kUnitAngle] = 1;
  EXPECT_EQ(table.CellText(2, 5, 0), "0.00000");
  EXPECT_EQ(table.CellText(2, 6, 0), "0.21547");
  g_UnitsSettings.unit[kUnitAngle] = 0;
  OpenMinMaxDisplacementsTable();  // the case read again from the file
  ResultTableWindow& extremes = Shown();
  for (int row = 7; row <= 12; ++row) {
    const DisplacementExtreme& extreme = g_DisplacementExtremes[static_cast<std::size_t>((row - 1) / 2)];
    const double value = (row % 2 == 0 ? extreme.maximum : extreme.minimum) * kDegreesPerRadian;
    const std::string text = extremes.CellText(row, 3, 0);
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << row << ": " << text;
    EXPECT_NEAR(std::stod(text), std::fabs(value) < 5.0e-6 ? 0.0 : value, 0.00005) << row << ": " << text;
  }
  OpenDisplacementsTable();  // the case read again from the file
  std::array<float, 6>& again = g_CaseDisplacements.at(static_cast<std::size_t>(node));
  again[3] = static_cast<float>(-9.0094e-5 / kDegreesPerRadian);
  const std::string csv = folder_ + "/rotations.csv";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, csv));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = FileLines(csv);
  const auto line = std::find_if(rows.begin(), rows.end(), [&](const std::string& l) {
    return l.rfind(std::string(NodeNumberText(TheModel().nodes[node].id)) + ",", 0) == 0;
  });
  ASSERT_NE(line, rows.end());
  EXPECT_NE(line->find(",-0.0001,"), std::string::npos) << *line;
  EXPECT_EQ(line->find_first_of("eE"), std::string::npos) << *line;
}

TEST_F(DisplacementTablesTest, TheReportWritesTheTableInColumnsAndAsCommaSeparatedLines) {
  OpenLine();
  g_ResultCase = ResultCaseOfType(1);
  OpenDisplacementsTable();
  ResultTableWindow& table = Shown();
  const std::string text = folder_ + "/displacements.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, text));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> lines = FileLines(text);
  const auto heading = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.find("Displacements: Sustained (W+P)") != std::string::npos; });
  ASSERT_NE(heading, lines.end());
  EXPECT_NE((heading + 2)->find("X (mm)"), std::string::npos);
  EXPECT_EQ((heading + 2)->substr(5, 4), "Node");
  const std::string first = *(heading + 4);
  const std::string y = table.CellText(1, 3, 0);
  EXPECT_EQ(first.substr(32 - y.size(), y.size()), y);  // Y ends at column 32
  EXPECT_EQ(first.substr(5, table.CellText(1, 1, 0).size()), table.CellText(1, 1, 0));
  const std::string csv = folder_ + "/displacements.csv";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, csv));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = FileLines(csv);
  const auto title = std::find(rows.begin(), rows.end(), "Sustained (W+P): Displacements,");
  ASSERT_NE(title, rows.end());
  EXPECT_EQ(*(title + 1), ",,,Displacements (global),,,");
  EXPECT_EQ(*(title + 2), ",X,Y,Z,XX,YY,ZZ,");
  EXPECT_EQ(*(title + 3), "Node,(mm),(mm),(mm),(deg),(deg),(deg),");
  EXPECT_EQ(rows.end() - (title + 4), table.rowCount);
  EXPECT_EQ((title + 4)->rfind(table.CellText(1, 1, 0) + "," + table.CellText(1, 2, 0) + ",", 0), 0u);
}

TEST_F(DisplacementTablesTest, BlocksAreReadWhenAskedAndTheForcesOncePerCase) {
  OpenLine();
  ResultReadCounts& counts = TheResultReadCounts();
  const ResultReadCounts before = counts;
  g_ResultCase = 1;
  LoadCaseElementForces();
  LoadCaseElementForces();
  EXPECT_EQ(counts.forces, before.forces + 1);
  EXPECT_EQ(g_ForceCaseType, TheResultCases().cases[1].type);
  NextLoadCase();
  LoadCaseElementForces();
  EXPECT_EQ(counts.forces, before.forces + 2);
  EXPECT_EQ(g_ForceCaseType, TheResultCases().cases[2].type);
  // Displacements and support loads are read on every request.
  LoadCaseDisplacements(TheModel());
  LoadCaseDisplacements(TheModel());
  EXPECT_EQ(counts.displacements, before.displacements + 2);
  // No modal block: asking for a mode shape reads nothing.
  LoadModeShape(TheModel());
  EXPECT_EQ(counts.modeShapes, before.modeShapes);
  // The forces read are the file's own.
  const analysis_testing::CaseBlock block = FileBlock(g_ForceCaseType);
  for (int e = 1; e <= TheResults().elementCount; ++e)
    EXPECT_EQ(g_CaseElementForces[static_cast<std::size_t>(e)], block.forces[static_cast<std::size_t>(e)]) << e;
}

TEST_F(DisplacementTablesTest, TheDistanceBetweenTwoNodesAndItsInputErrors) {
  OpenLine();
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  std::vector<std::string> outputs, errors;
  auto read = [&outputs](HWND dialog) {
    outputs.clear();
    for (int item = 1501; item <= 1506; ++item) outputs.push_back(TextOf(GetDlgItem(dialog, item)));
  };
  platform::ExpectModal(platform::ModalKind::Dialog, "DISTANCE_DIALOG", [&](HWND dialog) {
    SetDlgItemText(dialog, 1301, "10");
    SetDlgItemText(dialog, 1302, "40");
    SendMessage(dialog, WM_COMMAND, 999, 0);
    read(dialog);
    const std::vector<std::string> apart = outputs;
    errors.push_back(apart[5]);
    EXPECT_TRUE(Within(std::stod(apart[0]), TheModel().nodes[FindNodeIndex(TheModel().nodes, 40)].x, 1e-5));
    EXPECT_TRUE(Within(std::stod(apart[2]), 60.0, 1e-5));
    // Angles in degrees, the unit chosen.
    EXPECT_TRUE(Within(std::stod(apart[3]), std::atan2(std::hypot(0.0, 60.0), std::stod(apart[0])) * 57.29578, 1e-4));
    EXPECT_TRUE(Within(std::stod(apart[4]), std::atan2(60.0, std::stod(apart[0])) * 57.29578, 1e-4));
    SetDlgItemText(dialog, 1302, "10");
    SendMessage(dialog, WM_COMMAND, 999, 0);
    read(dialog);
    for (int i : {0, 1, 2, 5}) EXPECT_EQ(std::stod(outputs[static_cast<std::size_t>(i)]), 0.0);
    EXPECT_EQ(std::stod(outputs[4]), 0.0);
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&](HWND message) {
      errors.push_back(LinesOfDialog(message).at(0));
      SendMessage(message, WM_COMMAND, IDOK, 0);
    });
    SetDlgItemText(dialog, 1301, "77");
    SendMessage(dialog, WM_COMMAND, 999, 0);
    read(dialog);
    EXPECT_EQ(outputs, std::vector<std::string>(6, ""));
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&](HWND message) {
      errors.push_back(LinesOfDialog(message).at(0));
      SendMessage(message, WM_COMMAND, IDOK, 0);
    });
    SetDlgItemText(dialog, 1301, "");
    SendMessage(dialog, WM_COMMAND, 999, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ResultsCommandNow(315);
  platform::CheckModalScript();
  ASSERT_EQ(errors.size(), 3u);
  const NodeRecord &a = TheModel().nodes[FindNodeIndex(TheModel().nodes, 10)],
                   &b = TheModel().nodes[FindNodeIndex(TheModel().nodes, 40)];
  EXPECT_TRUE(Within(std::stod(errors[0]), std::hypot(b.x - a.x, b.y - a.y, b.z - a.z), 1e-5));
  EXPECT_EQ(errors[1].find("Node"), 0u);
  EXPECT_NE(errors[1].find("is not defined"), std::string::npos);
  EXPECT_EQ(errors[2], "From node is required");
}

}  // namespace
