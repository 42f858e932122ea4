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
// next column's value.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/Menu.h"
#include "properties/DialogTable.h"
#include "results/EveryKindModel.h"
#include "results/ResultsTesting.h"
#include "results/TimeHistoryTables.h"
#include "results/TimeHistoryTesting.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultPrint.h"

namespace {

constexpr int kNextCase = 228, kNextItem = 330, kAxes = 288;

class TableColumnsTest : public ResultsFixture {
 protected:
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

  int tables_ = 0;
  long texts_ = 0;
  std::set<std::string> faulty_;
  std::vector<std::string> faults_;
};

TEST_F(TableColumnsTest, EveryTextOfEveryResultTableFitsItsColumn) {
  Model& model = TheModel();
  every_kind::BuildEveryKind(model, ModelPath(), 1);
  const std::vector<int> cases{1, 8, 2, 19, 12, 30, 31, 37, 35, 36};
  AddTimeHistoryLoads(model, cases, true);
  // The dynamic loads at 170, free to move across the pipe (at 20 the
  // guide holds them).
  for (int row = 1; row <= model.rowCount; ++row) {
    const DataType type = model.row(row).dataType;
    if (type == DataType::TimeVaryingLoad || type == DataType::ForceSpectrumLoad || type == DataType::HarmonicLoad)
      model.row(row).node = 170;
  }
  MakeModel(model);
  analysis_testing::SetCases(model, cases);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  model.modified = false;
  Analyse();
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

}  // namespace
