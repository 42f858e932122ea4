// The file road of reports: the 59-line text page with its header, page
// breaks and form feeds; CSV pages without later headers; placement by
// column (decimal point, right end, centre) clipped to the page; CSV cells
// with quoting; the table of contents with its numbering, the order the
// printer plays it in, and its work file; files that cannot be opened or
// written are named in an error and never announced as written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "printing/TextPrinter.h"
#include "services/AppTesting.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Settings.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

class ReportOutputTest : public AppFixture {
 protected:
  fs::path folder_;
  void SetUp() override {
    AppFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "report-output";
    fs::create_directories(folder_);
    TheModel().title = "Steam header";
    TheModel().path = "/plant/Unit 7.mod";
    g_ReportToFile = false;
    g_CollectContents = false;
  }
  void TearDown() override {
    g_CollectContents = false;
    g_ReportToFile = false;
    g_ReportFileOpen = false;
    fs::remove_all(folder_);
    AppFixture::TearDown();
  }
  static void Finish(const char* notice) {
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [notice](HWND dialog) {
      char shown[64] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      EXPECT_STREQ(shown, notice);
    });
    EXPECT_TRUE(ReportWrittenMessage(nullptr));
    platform::CheckModalScript();
  }
  // Fills the page body with numbered lines up to and including line 59.
  static void FillPage() {
    while (g_ReportLine < kReportPageLines) {
      ReportAppendLine("body " + std::to_string(g_ReportLine));
      ReportNewLine();
    }
    ReportAppendLine("last body line");
  }
};

TEST_F(ReportOutputTest, TextPagesHaveHeadersFiftyNineLinesAndFormFeeds) {
  const fs::path path = folder_ / "report.txt";
  ASSERT_TRUE(ReportOpenFile(nullptr, path.string()));
  EXPECT_TRUE(g_ReportFileOpen);
  EXPECT_FALSE(g_ReportToFile);
  EXPECT_EQ(g_ReportLine, kReportBodyLine);
  EXPECT_EQ(ReportLinesLeft(), 56);
  ReportRule();  // right below the header: nothing, and no advance
  EXPECT_EQ(g_ReportLine, kReportBodyLine);
  EXPECT_EQ(ReportPageLine(4).find('-'), std::string::npos);
  FillPage();
  EXPECT_EQ(g_ReportPage, 1);
  ReportNewLine();  // the 60th line starts page 2
  EXPECT_EQ(g_ReportPage, 2);
  EXPECT_EQ(g_ReportLine, kReportBodyLine);
  ReportAppendLine("45\xB0 elbow");
  Finish("txt written.");
  EXPECT_FALSE(g_ReportFileOpen);
  std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 2u * 59u + 1u);
  EXPECT_EQ(lines.back(), "\f");  // the last page ends with its form feed too
  EXPECT_EQ(lines[0].substr(0, 10), "   Quorvel");
  EXPECT_EQ(lines[0].substr(69), "Page 1");
  // The title "Unit 7" is centred between columns 16 and 69.
  EXPECT_EQ(lines[0].find("Unit 7"), static_cast<std::size_t>(15 + (69 - 16 - 6 + 1) / 2));
  EXPECT_EQ(lines[1].substr(0, 15), "   Version 9.00");
  EXPECT_NE(lines[1].find("Steam header"), std::string::npos);
  EXPECT_EQ(lines[2], "   " + std::string(83, '-'));
  EXPECT_EQ(lines[58], "last body line");
  EXPECT_EQ(lines[59].substr(0, 11), "\f   Quorvel");
  EXPECT_EQ(lines[59].substr(70), "Page 2");
  EXPECT_EQ(lines[62], "45\xC2\xB0 elbow");  // written in UTF-8
}

TEST_F(ReportOutputTest, CsvPagesCarryTheHeaderOnceAndEndWithoutEmptyRows) {
  const fs::path path = folder_ / "REPORT.CSV";
  ASSERT_TRUE(ReportOpenFile(nullptr, path.string()));
  EXPECT_TRUE(g_ReportToFile);  // the extension in capitals too
  EXPECT_GT(ReportLinesLeft(), 2000000000);
  FillPage();
  ReportNewLine();
  EXPECT_EQ(g_ReportLine, 1);  // no header on later pages
  g_LineText.clear();
  ReportPutField("0");
  ReportPutCell("0");
  ReportPutField("Pump, P-101");
  ReportPutCell("say \"hi\"");
  ReportPutField("");
  ReportPutText(g_LineText, 2);
  Finish("csv written.");
  EXPECT_FALSE(g_ReportToFile);  // switched off by the end of the report
  std::ifstream file(path, std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all.find('\f'), std::string::npos);
  EXPECT_EQ(all.rfind("Quorvel,Unit 7\r\n", 0), 0u);
  EXPECT_NE(all.find("\r\nVersion 9.00,Steam header,"), std::string::npos);
  const std::string last = " ,0,\"Pump, P-101\",\"say \"\"hi\"\"\",,,\r\n";
  ASSERT_GE(all.size(), last.size());
  EXPECT_EQ(all.substr(all.size() - last.size()), last);
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 60);
}

TEST_F(ReportOutputTest, TextIsPlacedByColumnAndClippedToThePage) {
  ASSERT_TRUE(ReportOpenFile(nullptr, (folder_ / "place.txt").string()));
  ReportPutDecimalAligned("12.5", 20);
  EXPECT_EQ(ReportPageLine(4)[19], '.');
  ReportNewLine();
  ReportPutDecimalAligned("125", 20);
  EXPECT_EQ(ReportPageLine(5).substr(16, 4), "125 ");
  ReportNewLine();
  ReportPutTextRight("end", 10);
  EXPECT_EQ(ReportPageLine(6).substr(7, 4), "end ");
  ReportNewLine();
  ReportPutCentred("middle", 10, 21);
  EXPECT_EQ(ReportPageLine(7).find("middle"), 12u);
  ReportPutCentredAtLine("far wider than its span", 8, 30, 35);  // starts at the first column
  EXPECT_EQ(ReportPageLine(8).find("far"), 29u);
  ReportPutCentredAtLine("left", 9, 40, 0);
  EXPECT_EQ(ReportPageLine(9).find("left"), 39u);
  ReportRuleBetween(5, 9);
  EXPECT_EQ(ReportPageLine(7).substr(4, 5), "-----");
  // Past column 151, before column 1 and off the page nothing is written.
  std::string wide(200, 'w');
  wide[51] = 'L';
  ReportPutTextAtLine(wide, 10, 100);
  EXPECT_EQ(ReportPageLine(10).size(), 151u);
  EXPECT_EQ(ReportPageLine(10)[150], 'L');
  ReportPutTextAtLine("abc", 11, -1);
  EXPECT_EQ(ReportPageLine(11).substr(0, 2), "c ");
  std::vector<std::string> before;
  for (int line = 1; line <= kReportPageLines; ++line) before.push_back(ReportPageLine(line));
  ReportPutTextAtLine("x", 0, 1);
  ReportPutTextAtLine("x", 60, 1);
  ReportPutCharAtLine('x', 12, 152);
  ReportPutCharAtLine('x', -4, 3);
  for (int line = 1; line <= kReportPageLines; ++line) EXPECT_EQ(ReportPageLine(line), before[line - 1]) << line;
  Finish("txt written.");
}

// A value wider than its column never runs into its neighbour: it keeps a
// blank before the next one, wherever the writer asked for it, and values
// that fit stay at their columns.
TEST_F(ReportOutputTest, AValueWiderThanItsColumnKeepsABlankBeforeTheNext) {
  ASSERT_TRUE(ReportOpenFile(nullptr, (folder_ / "columns.txt").string()));
  // Right-aligned in fields of 10 ending at 28, 38 and 48: the second value
  // is twelve characters, two more than its field.
  ReportPutText("0.004", 6);
  ReportPutTextRight("2.5e-05", 28);
  ReportPutTextRight("-1.0213e-006", 38);
  ReportPutTextRight("0.5", 48);
  const std::string row = ReportPageLine(4);
  EXPECT_EQ(row.substr(21, 7), "2.5e-05");  // the values that fit stay at their columns
  EXPECT_EQ(row.substr(45, 3), "0.5");
  EXPECT_EQ(row.substr(28, 14), " -1.0213e-006 ");
  ReportNewLine();
  // Left-aligned texts at 30 and 35: a series of five letters and its size.
  ReportPutText("B-268", 30);
  ReportPutText("5", 35);
  ReportPutText("0.073375", 49);
  ReportPutText("0.10235", 57);
  EXPECT_EQ(ReportPageLine(5).substr(29, 36), "B-268 5" + std::string(12, ' ') + "0.073375 0.10235 ");
  ReportNewLine();
  // A padded value: its blanks cover nothing of the value before it.
  ReportPutTextRight("      29.5E+6", 22);
  ReportPutTextRight("      6.07E-6", 34);
  EXPECT_EQ(ReportPageLine(6).substr(15, 19), "29.5E+6     6.07E-6");
  ReportNewLine();
  // Placed out of order: the value already there moves a column right.
  ReportPutText("later", 20);
  ReportPutTextRight("first", 19);
  EXPECT_EQ(ReportPageLine(7).substr(14, 11), "first later");
  // A line built apart from the page keeps the same blanks.
  std::string built;
  PutValueInLine(built, "10", 6);
  PutValueInLine(built, "123456789.5", 8);
  PutValueInLine(built, "CS", 13);
  EXPECT_EQ(built, "     10 123456789.5 CS");
  // Watched: every text as the writer placed it.
  std::vector<std::string> seen;
  WatchReportPlacements([&seen](const std::string& text, int line, int column) {
    seen.push_back(text + "@" + std::to_string(line) + ":" + std::to_string(column));
  });
  ReportPutTextAtLine("x", 9, 7);
  WatchReportPlacements(nullptr);
  ReportPutTextAtLine("y", 9, 9);
  EXPECT_EQ(seen, (std::vector<std::string>{"x@9:7"}));
  Finish("txt written.");
  // In CSV mode a text never covers the one before it either.
  ASSERT_TRUE(ReportOpenFile(nullptr, (folder_ / "columns.csv").string()));
  ReportPutText("1234567890", 2);
  ReportPutText("next", 6);
  EXPECT_EQ(ReportPageLine(4).substr(0, 18), " 1234567890,next, ");
  Finish("csv written.");
}

// A rule is as wide as the table it rules: a table wider than the standard
// rule (columns 4 to 86) has its rules run on to its last column; a narrow
// table keeps the standard rule.
TEST_F(ReportOutputTest, ARuleIsAsWideAsTheTableItRules) {
  ASSERT_TRUE(ReportOpenFile(nullptr, (folder_ / "rules.txt").string()));
  auto table = [](int lastColumn) {
    ReportPutCentred("A table", 6, 78);
    ReportNewLine();
    ReportRule();
    ReportPutText("Node", 6);
    ReportPutTextRight("Last", lastColumn);
    ReportNewLine();
    ReportRule();
    for (int row = 0; row < 3; ++row) {
      ReportPutText(std::to_string(10 * (row + 1)), 6);
      ReportPutTextRight("12.5", lastColumn);
      ReportNewLine();
    }
    ReportRule();
  };
  table(131);
  ReportNewLine();
  table(60);
  Finish("txt written.");
  const std::vector<std::string> lines = Lines(folder_ / "rules.txt");
  ASSERT_GE(lines.size(), 18u);
  for (int line : {4, 6, 10}) EXPECT_EQ(lines[static_cast<std::size_t>(line)], "   " + std::string(128, '-')) << line;
  for (int line : {5, 7, 9}) EXPECT_EQ(lines[static_cast<std::size_t>(line)].size(), 131u) << line;
  for (int line : {13, 15, 19}) EXPECT_EQ(lines[static_cast<std::size_t>(line)], "   " + std::string(83, '-')) << line;
  EXPECT_EQ(lines[2], "   " + std::string(83, '-'));  // the page header's rule stays as it is
}

TEST_F(ReportOutputTest, CsvCellsAndUnits) {
  g_LineText.clear();
  ReportPutField("0");
  ReportPutField("");
  ReportPutCell("0");
  ReportPutCell("line\nbreak");
  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  ReportPutUnits(kUnitLength);
  ReportPutUnits(0);
  ReportPutUnits(21);
  ReportPutCsvCell("");
  EXPECT_EQ(g_LineText, std::string(",,0,\"line\nbreak\",") + UnitLabel(kUnitLength) + ",,, ");
  g_EditFieldText.clear();
  AppendCsvValue("a\"b");
  AppendCsvValue("0");
  EXPECT_EQ(g_EditFieldText, "\"a\"\"b\",,");
  EXPECT_EQ(CsvQuoted("plain"), "plain");
  g_UnitsSettings = UnitsSettings{};
}

TEST_F(ReportOutputTest, TableOfContentsIsNumberedInRomanAndKeepsLongTitles) {
  ASSERT_TRUE(ReportOpenFile(nullptr, (folder_ / "contents.txt").string()));
  g_CollectContents = true;
  OpenContentsFile();
  ReportSetTitle("Layout");
  FillPage();
  ReportNewLine();
  const std::string longTitle = std::string(85, 'T') + "Z";  // longer than a contents line
  ReportSetTitle(longTitle);
  ReportSetTitle("Coordinates");
  ReportTableOfContents();
  EXPECT_FALSE(g_RomanPageNumbers);
  EXPECT_EQ(g_ContentsFirstPage, 2);
  for (const auto& entry : fs::directory_iterator(TempFolder()))
    EXPECT_EQ(entry.path().filename().string().rfind("quorvel-contents-", 0), std::string::npos);
  Finish("txt written.");
  std::vector<std::string> lines = Lines(folder_ / "contents.txt");
  ASSERT_EQ(lines.size(), 3u * 59u + 1u);
  const std::vector<std::string> page3(lines.begin() + 118, lines.end());
  EXPECT_EQ(page3[0].substr(70), "Page i");
  EXPECT_EQ(page3[3].find("Table of Contents"), static_cast<std::size_t>(5 + (78 - 6 - 17 + 1) / 2));
  EXPECT_EQ(page3[5], "     Layout: Page 1");
  EXPECT_EQ(page3[6].substr(5, 86), longTitle);  // nothing of the title lost but the newline
  EXPECT_EQ(page3[7], "     Coordinates: Page 2");
  EXPECT_EQ(RomanPageNumber(4), "iv");
  EXPECT_EQ(RomanPageNumber(12), "xii");
  EXPECT_EQ(RomanPageNumber(13), "13");
}

// A section titled near the foot of a page that then starts a new page
// for its table is listed on the page its first line is on.
TEST_F(ReportOutputTest, AContentsTitleNamesThePageItsSectionStartsOn) {
  ASSERT_TRUE(ReportOpenFile(nullptr, (folder_ / "late.txt").string()));
  g_CollectContents = true;
  OpenContentsFile();
  while (g_ReportLine < kReportPageLines - 2) {
    ReportAppendLine("body");
    ReportNewLine();
  }
  ReportSetTitle("Bends");
  if (ReportLinesLeft() < 5) ReportNewPage();
  ReportPutCentred("Bends", 6, 78);
  ReportNewLine();
  ReportTableOfContents();
  Finish("txt written.");
  const std::vector<std::string> lines = Lines(folder_ / "late.txt");
  ASSERT_EQ(lines.size(), 3u * 59u + 1u);
  EXPECT_NE(lines[59 + 3].find("Bends"), std::string::npos);  // the section's first line, on page 2
  EXPECT_EQ(lines[118 + 5], "     Bends: Page 2");
}

TEST_F(ReportOutputTest, PrinterPlaysTheContentsAfterTheFrontMatter) {
  PrinterSettings& printer = TextPrinter();
  printer.pageCount = 10;
  printer.firstPage = 3;
  printer.lastPage = 5;
  EXPECT_EQ(PrintedPageOrder(printer), (std::vector<int>{3, 4, 5}));
  printer.firstPage = 1;
  printer.lastPage = 10;
  g_CollectContents = true;
  g_ContentsFirstPage = 8;  // contents recorded on pages 9 and 10
  EXPECT_EQ(PrintedPageOrder(printer), (std::vector<int>{9, 10, 1, 2, 3, 4, 5, 6, 7, 8}));
  g_QaCoverPrinted = true;
  g_RevisionPagesPrinted = true;
  g_RevisionPageCount = 2;
  EXPECT_EQ(PrintedPageOrder(printer), (std::vector<int>{1, 2, 3, 9, 10, 4, 5, 6, 7, 8}));
  printer.lastPage = 8;  // the contents not printed: plain order
  EXPECT_EQ(PrintedPageOrder(printer), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  g_QaCoverPrinted = g_RevisionPagesPrinted = false;
  g_RevisionPageCount = 0;
  g_ContentsFirstPage = 0;
}

TEST_F(ReportOutputTest, FilesThatCannotBeWrittenAreNamedAndNeverAnnounced) {
  const fs::path blocked = folder_ / "blocked.txt";
  fs::create_directories(blocked);  // a folder where the file should be
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [blocked](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Unable to open print file:", blocked.string()}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(ReportOpenFile(nullptr, blocked.string()));
  EXPECT_FALSE(g_ReportFileOpen);
  platform::CheckModalScript();
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to fail a write";
  ASSERT_TRUE(ReportOpenFile(nullptr, "/dev/full"));
  ReportAppendLine("lost");
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Unable to write print file:", "/dev/full"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(ReportWrittenMessage(nullptr));  // and no "txt written." notice
  EXPECT_FALSE(g_ReportFileOpen);
}

TEST_F(ReportOutputTest, BatchReportNeverReplacesAnExistingFile) {
  const fs::path model = folder_ / "Plant.mod";
  std::ofstream(model) << "model";
  const std::string first = BatchReportFileName(model.string());
  EXPECT_EQ(first, (folder_ / "Plant_report.csv").string());
  std::ofstream(first) << "earlier report";
  const std::string second = BatchReportFileName(model.string());
  EXPECT_EQ(second, (folder_ / "Plant_report-2.csv").string());
  g_BatchRun = true;
  TheModel().path = model.string();
  ASSERT_TRUE(ReportPrintToFile(nullptr));  // no dialog in a batch run
  EXPECT_TRUE(g_ReportToFile);
  ReportAppendLine("batch");
  EXPECT_TRUE(ReportWrittenMessage(nullptr));  // no notice in a batch run
  g_BatchRun = false;
  std::ifstream earlier(first);
  std::string kept((std::istreambuf_iterator<char>(earlier)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, "earlier report");
  EXPECT_TRUE(fs::exists(second));
  std::ifstream original(model);
  std::string modelBytes((std::istreambuf_iterator<char>(original)), std::istreambuf_iterator<char>());
  EXPECT_EQ(modelBytes, "model");
}

}  // namespace
