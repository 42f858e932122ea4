// Every value of every result table window stands inside its own column:
// the results of a model holding every element and support kind
// (EveryKindModel.h) with static, modal, response spectrum, force spectrum,
// time-history and harmonic cases are opened, and every table the Results
// window offers is shown through its chooser entry, on every load case,
// for every item its navigation steps to (support kinds, force kinds,
// displacement kinds, supports), in both axes where it has them, and for
// the time histories every support, element end and node. Each
// heading and cell text, measured on the table's own device context, must
// fit the width of its column: a wider text runs over the rule into the
// next column's value. The sweep runs over the results the analysis gave,
// and again over results whose every stored value (displacements,
// accelerations, element forces and support loads of every case, mode
// shapes and every saved time-history step) is one of the values whose
// texts are the widest the result formatters give: so every column meets
// the widest text its values can have, not only those of one model.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Menu.h"
#include "properties/DialogTable.h"
#include "results/DynamicStresses.h"
#include "results/EveryKindModel.h"
#include "results/ResultsTesting.h"
#include "results/TimeHistoryTables.h"
#include "results/TimeHistoryTesting.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/Units.h"

namespace {

constexpr int kNextCase = 228, kNextItem = 330, kAxes = 288;

// Values whose texts are the widest the result formatters give: a fixed
// text of ten or eleven characters (forces, moments, angles, displacements,
// stresses) is widest where its digits fill it, at one of the magnitudes
// 10^3 .. 10^9 (the digit 8 as wide as any other), or with a minus sign
// and one digit fewer; a "%.5g" text, or a fixed one past its width, is
// widest in its exponent form with a minus sign (TheWideValuesGive...
// shows that no other value gives a wider text). Thirteen of them: value j
// of a block (one case's displacements, accelerations, element forces or
// support loads, the mode shapes, one saved time-history step) numbered b
// is value (j + b) mod 13, so that the same component of the next node,
// element end or support, of the next case and of the next step is the
// next value (records of six and of twelve values step through all
// thirteen), and every column meets each.
constexpr std::array<float, 13> kWideValues = {8.88888e3f,  8.88888e4f,  8.88888e5f,  8.88888e6f,   8.88888e7f,
                                               8.88888e8f,  8.88888e9f,  8.88888e10f, -8.88888e9f,  -8.88888e8f,
                                               -8.88888e5f, -8.88888e-8f, 8.88888e-8f};

// Writes the wide values over `count` f32 values at `offset` of `file`, as
// block number `block` (little-endian, as every results file is).
void FillWide(std::fstream& file, std::int64_t offset, std::int64_t count, std::int64_t block) {
  std::vector<char> bytes(static_cast<std::size_t>(count) * 4);
  for (std::int64_t j = 0; j < count; ++j) {
    const std::int64_t index = (j + block) % static_cast<std::int64_t>(kWideValues.size());
    const auto bits = std::bit_cast<std::uint32_t>(kWideValues[static_cast<std::size_t>(index)]);
    for (int k = 0; k < 4; ++k)
      bytes[static_cast<std::size_t>(j * 4 + k)] = static_cast<char>((bits >> (8 * k)) & 0xFF);
  }
  file.seekp(offset);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class TableColumnsTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    units_ = g_UnitsSettings;
  }
  void TearDown() override {
    ResultsFixture::TearDown();
    g_UnitsSettings = units_;
  }
  // The units in which a stored value is shown as it is (inch, radian, lb,
  // in-lb, psi), so that the wide values are the shown ones.
  static void ShowValuesAsStored() {
    g_UnitsSettings.unit[kUnitDisplacement] = 0;
    g_UnitsSettings.unit[kUnitAngle] = 1;
    g_UnitsSettings.unit[kUnitForce] = 0;
    g_UnitsSettings.unit[kUnitMoment] = 1;
    g_UnitsSettings.unit[kUnitStress] = 0;
    for (int kind : {kUnitDisplacement, kUnitAngle, kUnitForce, kUnitMoment, kUnitStress})
      ASSERT_EQ(UnitFactor(kind), 1.0f) << UnitLabel(kind);
  }
  // The texts of the shown table wider than their columns, by title.
  void CheckShown() {
    ResultTableWindow* table = ShownResultTable();
    if (table == nullptr) return;
    ++tables_;
    // The table's name: its title without the program, the case and the
    // file; one fault of each column of each table is named.
    std::string title = ResultsTitle();
    title = title.substr(0, title.find(" -  ["));
    if (title.rfind("Quorvel : ", 0) == 0) title = title.substr(10);
    if (const std::size_t at = title.rfind(": "); at != std::string::npos) title.resize(at);
    const TextWidthFunction width = ScreenTextWidth(*table);
    auto check = [&](const std::string& text, int column, const std::string& where) {
      const int column_width = table->widths[static_cast<std::size_t>(column)];
      if (text.empty() || column_width == 0) return;
      ++texts_;
      const int text_width = width(text);
      const std::string key = title + ", column " + std::to_string(column);
      if (text_width > column_width && faulty_.insert(key).second)
        faults_.push_back(key + ", " + where + ": \"" + text + "\" is " + std::to_string(text_width) +
                          " px in a column of " + std::to_string(column_width));
    };
    for (int column = 1; column <= table->columnCount; ++column) {
      for (int line = 0; line < table->headingLines; ++line)
        check(table->HeadingText(column, line), column, "heading line " + std::to_string(line));
      for (int row = 1; row <= table->rowCount; ++row) {
        if (table->wideRows && table->IsWideRow(row)) continue;
        for (int line = 0; line < table->linesPerRow; ++line)
          check(table->CellText(row, column, line), column, "row " + std::to_string(row) + " line " + std::to_string(line));
      }
    }
  }
  // The shown table on every load case it steps through, in both axes
  // where it has two.
  void CheckCases() {
    const int cases = std::max(TheResultCases().count, 1);
    for (int k = 0; k < cases; ++k) {
      CheckShown();
      if (ResultsMenuHas(kAxes)) {
        ResultsCommandNow(kAxes);
        CheckShown();
        ResultsCommandNow(kAxes);
      }
      if (!ResultsMenuHas(kNextCase)) break;
      ResultsCommandNow(kNextCase);
    }
  }
  // The table of a chooser entry and every item its navigation reaches.
  void CheckEntry(int index) {
    OpenResultByIndex(index);
    platform::RunUntilIdle();
    std::set<std::string> seen;
    for (int item = 0; item < 40; ++item) {
      if (!seen.insert(ResultsTitle()).second) break;
      CheckCases();
      if (!ResultsMenuHas(kNextItem)) break;
      ResultsCommandNow(kNextItem);
    }
  }
  // The time history of kind 1 (supports), 2 (element ends) or 3 (nodes),
  // item `row` of its chooser; the chooser's row count.
  int SelectHistory(int kind, int row) {
    int rows = 0;
    platform::ExpectModal(platform::ModalKind::Dialog, "TIME_HISTORY_RESULTS_DIALOG", [&rows, kind, row](HWND dialog) {
      platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [&rows, row](HWND pick) {
        auto* table = dynamic_cast<DialogTableWindow*>(TableOfWindow(GetFocus()));
        ASSERT_NE(table, nullptr);
        rows = table->rowCount;
        TableGoTo(*table, row);
        SendMessage(pick, WM_COMMAND, IDOK, 0);
      });
      Click(dialog, 1400 + kind);
    });
    SelectTimeHistoryResults();
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return rows;
  }
  void CheckHistories() {
    for (int kind = 1; kind <= 3; ++kind) {
      const int rows = SelectHistory(kind, 1);
      ASSERT_GT(rows, 0) << "kind " << kind;
      // Every support, element end and node.
      for (int row = 1; row <= rows; ++row) {
        if (row != 1) SelectHistory(kind, row);
        CheckShown();
        if (ResultsMenuHas(kAxes)) {
          ResultsCommandNow(kAxes);
          CheckShown();
          ResultsCommandNow(kAxes);
        }
      }
    }
  }

  // The model of every kind with the dynamic loads, analysed.
  void BuildAndAnalyse() {
    Model& model = TheModel();
    every_kind::BuildEveryKind(model, ModelPath(), 1);
    const std::vector<int> cases{1, 8, 2, 19, 12, 30, 31, 37, 35, 36};
    AddTimeHistoryLoads(model, cases, true);
    // The dynamic loads at 170, free to move across the pipe (at 20 the
    // guide holds them).
    MoveDynamicLoads(model, 170);
    MakeModel(model);
    analysis_testing::SetCases(model, cases);
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    Analyse();
  }
  // Opens the results once to learn where their blocks lie, leaves them,
  // and writes the wide values over every value they store.
  void FillResultsWithWideValues() {
    OpenCancelled("RESULTS16_DIALOG");
    ASSERT_TRUE(InResultsMode());
    const ResultsFileContents results = TheResults();
    const std::int64_t nodes = ResultNodeCount(TheModel());
    LeaveResultsMode();
    ASSERT_TRUE(results.timeHistoryOpen);
    ASSERT_TRUE(results.modal.present);
    std::fstream file(ResultsPath(), std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(file.is_open());
    for (std::size_t k = 1; k < results.cases.size(); ++k) {
      const ResultCaseOffsets& offsets = results.cases[k];
      if (offsets.type == 0 || offsets.type == 30) continue;  // no case, or the modal one: its shapes below
      ASSERT_TRUE(offsets.displacements != 0 && offsets.forces != 0 && offsets.supportLoads != 0) << "case " << k;
      const auto block = static_cast<std::int64_t>(k);
      FillWide(file, offsets.displacements, 6 * nodes, block);
      if (offsets.accelerations != 0) FillWide(file, offsets.accelerations, 6 * nodes, block);
      FillWide(file, offsets.forces, 12 * std::int64_t{results.elementCount}, block);
      FillWide(file, offsets.supportLoads, results.supportBlockBytes / 4, block);
    }
    const auto modes = static_cast<std::int64_t>(results.modal.frequencies.size());
    FillWide(file, results.modal.shapes, 6 * nodes * modes, 0);
    ASSERT_TRUE(file.good());
    file.close();
    std::fstream history(results.timeHistoryPath, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(history.is_open());
    ASSERT_GT(results.timeSteps, static_cast<int>(kWideValues.size()));
    for (std::int64_t step = 0; step < results.timeSteps; ++step)
      FillWide(history, 24 + step * results.timeHistoryStepBytes, results.timeHistoryStepBytes / 4, step);
    ASSERT_TRUE(history.good());
  }
  // Every table through every chooser entry, every text against its column.
  void SweepEveryTable() {
    const int entries = static_cast<int>(OpenCancelled("RESULTS16_DIALOG").size());
    ASSERT_TRUE(InResultsMode());
    ASSERT_GE(entries, 14);
    bool histories = false;
    for (int index = 1; index <= entries; ++index) {
      const std::string name = ResultChooserList()[static_cast<std::size_t>(index) - 1].name;
      if (name == "&Time history") {
        histories = true;
        CheckHistories();
        continue;
      }
      CheckEntry(index);
    }
    EXPECT_TRUE(histories);
    EXPECT_GT(tables_, 60);
    EXPECT_GT(texts_, 20000);
    for (const std::string& fault : faults_) ADD_FAILURE() << fault;
  }

  int tables_ = 0;
  long texts_ = 0;
  std::set<std::string> faulty_;
  std::vector<std::string> faults_;
  UnitsSettings units_{};
};

TEST_F(TableColumnsTest, EveryTextOfEveryResultTableFitsItsColumn) {
  BuildAndAnalyse();
  SweepEveryTable();
}

// The wide values are the widest a result formatter can be given: over
// every magnitude from 10^-12 to 10^12, both signs and mantissas from 1 to
// 9.99999, no text of a formatter of stored results is wider than the
// widest of its texts of the wide values (in the units that show them as
// stored).
TEST_F(TableColumnsTest, TheWideValuesGiveEveryResultFormatterItsWidestText) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  OpenResultByIndex(1);
  platform::RunUntilIdle();
  ResultTableWindow* table = ShownResultTable();
  ASSERT_NE(table, nullptr);
  ShowValuesAsStored();
  const TextWidthFunction width = ScreenTextWidth(*table);
  const std::vector<std::pair<const char*, std::function<std::string(float)>>> formatters = {
      {"force", FormatForce},
      {"moment", FormatMoment},
      {"displacement", FormatDisplacement},
      {"displacement or none", FormatDisplacementOrNone},
      {"angle", FormatAngle},
      {"fixed angle or none", FormatAngleFixedOrNone},
      {"stress", FormatStress},
      {"scientific", [](float value) { return FormatScientific(value); }}};
  for (const auto& [name, format] : formatters) {
    int widest = 0;
    for (float value : kWideValues) widest = std::max(widest, width(format(value)));
    for (int exponent = -12; exponent <= 12; ++exponent)
      for (float mantissa : {1.0f, 1.23456f, 4.99999f, 5.0f, 8.88888f, 9.49999f, 9.5f, 9.99949f, 9.99999f})
        for (float sign : {1.0f, -1.0f}) {
          const float value = sign * mantissa * std::pow(10.0f, static_cast<float>(exponent));
          const std::string text = format(value);
          EXPECT_LE(width(text), widest) << name << ": \"" << text << "\" of " << value;
        }
  }
}

// Every column of every table filled with the widest values.
TEST_F(TableColumnsTest, EveryColumnOfEveryResultTableHoldsTheWidestValues) {
  ShowValuesAsStored();
  BuildAndAnalyse();
  FillResultsWithWideValues();
  if (HasFatalFailure()) return;
  SweepEveryTable();
}

}  // namespace
