// The Quality Assurance block through command 316 of the Layout and
// Results windows: a change is stored and marks the model modified, OK
// alone does not, results make it read-only; the cover page at its lines
// and columns on the text page and as CSV lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics/GraphicsTesting.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "printing/ReportOutput.h"
#include "records/DrawingGeometry.h"
#include "results/QaBlock.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/TempFiles.h"
#include "services/ViewRequests.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

class QaBlockTest : public GraphicsFixture {
 protected:
  void TearDown() override {
    SetTableResultsShown(false);
    g_ReportToFile = false;
    g_ReportFileOpen = false;
    GraphicsFixture::TearDown();
  }
  static void Command(int id) {
    PostMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static void FillQa() {
    QualityAssuranceBlock& qa = TheModel().qa;
    qa.client = "Northfield Refining";
    qa.project = "Crude unit revamp";
    qa.fileNumber = "F-1021";
    qa.reportNumber = "R-7";
    qa.preparedBy = "J. Marsh";
    qa.checkedBy = "P. Okafor";
    TheModel().title = "Steam header";
  }
};

TEST_F(QaBlockTest, AChangeIsStoredAndMarksTheModelOkAloneDoesNot) {
  ShowPlant(40);
  FillQa();
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "QA_BLOCK_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Quality Assurance Block");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1301)), "Northfield Refining");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1306)), "P. Okafor");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(316);
  platform::CheckModalScript();
  EXPECT_FALSE(TheModel().modified);
  platform::ExpectModal(platform::ModalKind::Dialog, "QA_BLOCK_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "  Crude unit revamp, phase 2  ");
    SetDlgItemText(dialog, 1305, "");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(316);
  platform::CheckModalScript();
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheModel().qa.project, "Crude unit revamp, phase 2");
  EXPECT_EQ(TheModel().qa.preparedBy, "");
  // Cancel keeps what is stored.
  platform::ExpectModal(platform::ModalKind::Dialog, "QA_BLOCK_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "Other");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command(316);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().qa.client, "Northfield Refining");
}

TEST_F(QaBlockTest, WithResultsShownEveryBoxIsReadOnlyAndOkChangesNothing) {
  ShowPlant(40);
  FillQa();
  TheModel().modified = false;
  SetTableResultsShown(true);
  platform::ExpectModal(platform::ModalKind::Dialog, "QA_BLOCK_DIALOG", [](HWND dialog) {
    for (int id = 1301; id <= 1306; ++id)
      EXPECT_NE(GetWindowLongPtr(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY, 0) << id;
    SetDlgItemText(dialog, 1301, "Changed anyway");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(QaBlockDialog(LayoutFrame().window), 0);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().qa.client, "Northfield Refining");
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(QaBlockTest, TheCoverStandsAtItsLinesAndColumns) {
  FillQa();
  TheModel().path = "/plant/Unit 7.mod";
  const fs::path folder = fs::path(TempFolder()) / "qa-cover";
  fs::create_directories(folder);
  const fs::path text = folder / "cover.txt";
  ASSERT_TRUE(ReportOpenFile(nullptr, text.string()));
  PrintQaBlock();
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> lines = Lines(text);
  ASSERT_GE(lines.size(), 59u);
  auto at = [&lines](int line, int column, const std::string& text) {
    const std::string& whole = lines[static_cast<std::size_t>(line - 1)];
    EXPECT_EQ(whole.substr(static_cast<std::size_t>(column - 1), text.size()), text) << line << ": " << whole;
  };
  // "Quorvel" centred between columns 4 and 88.
  at(16, 4 + (88 - 4 - 7 + 1) / 2, "Quorvel");
  at(17, 4 + (88 - 4 - 12 + 1) / 2, "Version 9.00");
  at(21, 13, "Client        :  Northfield Refining");
  at(23, 13, "Project       :  Crude unit revamp");
  at(25, 13, "File Number   :  F-1021");
  at(27, 13, "Report Number :  R-7");
  at(29, 13, "Model Name    :  Unit 7");
  at(31, 13, "Title         :  Steam header");
  at(33, 13, "Analyzed      :");
  at(38, 13, "Prepared by   :  " + std::string(25, '_'));
  at(38, 58, "Date:");
  at(39, 30, "J. Marsh");
  at(43, 13, "Checked by    :  " + std::string(25, '_'));
  at(44, 30, "P. Okafor");
  // The cover is a page of its own.
  ASSERT_GE(lines.size(), 60u);
  EXPECT_EQ(lines[59].substr(0, 11), "\f   Quorvel");
  const fs::path csv = folder / "cover.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, csv.string()));
  PrintQaBlock();
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream file(csv, std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // Each line placed at column 1 (the CSV road ends it with a comma) and
  // followed by an empty line.
  EXPECT_NE(all.find("Q.A.Block,\r\n\r\nQuorvel,\r\n\r\nVersion 9.00,\r\n\r\nClient,Northfield Refining,\r\n\r\n"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find("Model Name,Unit 7,\r\n\r\nTitle,Steam header,\r\n\r\nAnalyzed,,\r\n"), std::string::npos);
  // The names beside their labels, as the text cover prints them.
  EXPECT_NE(all.find("Prepared by,J. Marsh,Date,,,\r\n\r\nChecked by,P. Okafor,Date,,,\r\n"), std::string::npos) << all;
  fs::remove_all(folder);
}

TEST_F(QaBlockTest, AnalyzedIsTheResultsFileTimeAsLocalTimeText) {
  EXPECT_EQ(AnalyzedTimeText(0), "");
  const std::string text = AnalyzedTimeText(1800000000);  // 2027-01-15 08:00 UTC
  EXPECT_EQ(text.size(), 24u);
  EXPECT_EQ(text.substr(20), "2027");
}

}  // namespace
