// Every value of every text report stands apart from the next one: the
// whole results report of a model holding every element and support kind
// (EveryKindModel.h), written to a text file under the piping codes whose
// tables differ, is read back line by line against what its writers placed
// on each line. A line's blank-separated words must be the words of the
// texts placed on it: two values that touch read as one word, and a value
// that covers another loses words, and either fails the line. The rules are checked too: none is shorter than the table
// it rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "platform/CommonDialog.h"
#include "printing/ReportOutput.h"
#include "results/EveryKindModel.h"
#include "results/PrintSelection.h"
#include "results/ResultsTesting.h"
#include "services/ReportMode.h"

namespace {


std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;)
    if (word.find_first_not_of('-') != std::string::npos) words.push_back(word);  // rules are no values
  return words;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

class ReportColumnsTest : public ResultsFixture, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    saved_ = ThePrintChoices();
  }
  void TearDown() override {
    WatchReportPlacements(nullptr);
    ThePrintChoices() = saved_;
    ResultsFixture::TearDown();
  }
  // The report of every section the "Print Results" sheet offers, through
  // "To &File", with every placement of its writers kept by page and line.
  std::string WriteWholeReport() {
    const std::string path = folder_ + "/report.txt";
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                          [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    WatchReportPlacements([this](const std::string& text, int line, int /*column*/) {
      if (!g_ReportToFile && line >= kReportBodyLine && line <= kReportPageLines)
        placed_[{g_ReportPage, line}].push_back(text);
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    WatchReportPlacements(nullptr);
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }

  PrintChoices saved_;
  std::map<std::pair<int, int>, std::vector<std::string>> placed_;  // the texts, by page and line
};

TEST_P(ReportColumnsTest, EveryValueOfTheWholeReportKeepsABlankBeforeTheNext) {
  Model& model = TheModel();
  const int code = GetParam();
  every_kind::BuildEveryKind(model, ModelPath(), code);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  model.modified = false;
  Analyse();
  OpenCancelled(code == 0 ? "RESULTS12_DIALOG" : code == 9 ? "RESULTS16_DIALOG" : "RESULTS14_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ThePrintChoices() = PrintChoices{};
  SelectEverythingAvailable(ThePrintChoices());
  const std::vector<std::string> pages = Split(WriteWholeReport(), '\f');
  ASSERT_GT(pages.size(), 20u);
  ASSERT_GT(placed_.size(), 1000u);
  int checked = 0, wider = 0;
  for (auto& [where, texts] : placed_) {
    const auto [page, line] = where;
    ASSERT_LE(static_cast<std::size_t>(page), pages.size());
    const std::vector<std::string> lines = Split(pages[static_cast<std::size_t>(page) - 1], '\n');
    ASSERT_LT(static_cast<std::size_t>(line), lines.size() + 1);
    std::vector<std::string> expected;
    for (const std::string& text : texts)
      for (const std::string& word : Words(text)) expected.push_back(word);
    const std::string& written = lines[static_cast<std::size_t>(line) - 1];
    std::vector<std::string> words = Words(written);
    std::sort(expected.begin(), expected.end());
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, expected) << "page " << page << ", line " << line << ":\n" << written;
    ++checked;
    if (written.size() > 86) ++wider;
  }
  EXPECT_GT(checked, 1000);
  EXPECT_GT(wider, 0);  // the report has tables wider than the standard rule
  // A rule next to a table's line is at least as long as that line.
  for (const std::string& page : pages) {
    const std::vector<std::string> lines = Split(page, '\n');
    for (std::size_t i = kReportBodyLine - 1; i < lines.size(); ++i) {
      const std::string& rule = lines[i];
      if (rule.size() < 4 || rule.find_first_not_of(' ') != 3 || rule.find_first_not_of('-', 3) != std::string::npos)
        continue;
      for (std::size_t other : {i - 1, i + 1}) {
        if (other < kReportBodyLine - 1 || other >= lines.size()) continue;
        if (lines[other].find_first_not_of("- ") == std::string::npos) continue;
        EXPECT_GE(rule.size(), lines[other].size()) << "a rule shorter than its table's line:\n" << lines[other];
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PipingCodes, ReportColumnsTest, ::testing::Values(0, 1, 3, 9, 12),
                         [](const ::testing::TestParamInfo<int>& info) { return "Code" + std::to_string(info.param); });

}  // namespace
