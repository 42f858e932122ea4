// Printing from the windows' own commands, as a user does it: File > Print
// opens the print sheet; "&Print" goes through the Print dialog to a PDF
// whose text poppler reads back; "Pre&view" opens the preview page by page;
// "Print to &File" writes a text or CSV file that a spreadsheet reads with
// every column in place. The Layout window prints the Layout and
// Coordinates sections; the List window prints its current list.
#include "model/ListTesting.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "editing/NodeList.h"
#include "model/ListWindow.h"
#include "platform/CommonDialog.h"
#include "platform/Menu.h"
#include "printing/PrinterSettings.h"
#include "services/ListFrameState.h"
#include "services/ReportMode.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Splits a CSV text (CR LF lines, quoted fields with doubled quotes).
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') rows.back().back() += text[++i];
      else if (c == '"') quoted = false;
      else rows.back().back() += c;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.emplace_back(1);
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  if (rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
  return rows;
}

class PrintCommandsTest : public ListFixture {
 protected:
  fs::path folder_;
  void SetUp() override {
    ListFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "print-commands";
    fs::create_directories(folder_);
    TheModel().title = "Cooling water";
    TheModel().path = (folder_ / "Plant, unit 1.mod").string();
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  }
  void TearDown() override {
    fs::remove_all(folder_);
    g_UnitsSettings = UnitsSettings{};
    ListFixture::TearDown();
  }
  // Answers the print sheet with one of its buttons (IDOK, 1001, 1002).
  static void AnswerSheet(const std::string& caption, int button) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, caption, [button](HWND sheet) {
      char text[64] = {};
      GetWindowText(GetDlgItem(sheet, IDOK), text, sizeof text);
      EXPECT_STREQ(text, "&Print");
      ASSERT_NE(GetDlgItem(sheet, 1001), nullptr);
      ASSERT_NE(GetDlgItem(sheet, 1002), nullptr);
      Click(GetDlgItem(sheet, button));
    });
  }
  static void AnswerFile(const std::string& title, const fs::path& path) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, title, [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static void ExpectNotice(const std::string& text) {
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [text](HWND dialog) {
      char shown[64] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      EXPECT_EQ(shown, text);
    });
  }
  void AddPipes(int count) {
    Model& model = TheModel();
    for (int i = 0; i < count; ++i) AddRow(model, 100 + 10 * i, ElementType::Pipe, 0.0f, 0.0f, 24.0f);
    MakeModel(model);
  }
};

TEST_F(PrintCommandsTest, LayoutPrintsToAPdfThatReadsBack) {
  const fs::path pdf = folder_ / "layout.pdf";
  AnswerSheet("Print Model", IDOK);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(TextPrinter().document, nullptr);  // the recording ends with the job
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  const std::string command = "pdftotext -layout '" + pdf.string() + "' '" + pdf.string() + ".txt'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string text = ReadFile(pdf.string() + ".txt");
  for (const char* expected : {"Quorvel", "Cooling water", "Page 1", "Layout", "Coordinates", "Pump room", "Valve",
                               "Anchor", "Version 9.00", "Plant, unit 1"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  // Node 40's line of the coordinates shows it at X = 36 inches.
  const std::string x40 = FormatLength(36.0f);
  std::istringstream lines(text);
  bool found = false;
  for (std::string line; std::getline(lines, line);)
    if (line.find("40") != std::string::npos && line.find(x40) != std::string::npos) found = true;
  EXPECT_TRUE(found) << x40 << "\n" << text;
}

TEST_F(PrintCommandsTest, PreviewStepsPageByPageAndGivesTheFramesBack) {
  AddPipes(150);
  ShowModelWindows();
  platform::RunUntilIdle();
  ASSERT_TRUE(IsWindowVisible(LayoutFrame().window));
  AnswerSheet("Print Model", 1001);
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  PrinterSettings& printer = TextPrinter();
  ASSERT_NE(printer.previewFrame, nullptr);
  EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));
  const int pages = printer.pageCount;
  ASSERT_GE(pages, 3);
  auto caption = [&] {
    char text[128] = {};
    GetWindowText(printer.previewFrame, text, sizeof text);
    return std::string(text);
  };
  EXPECT_EQ(caption(), "Quorvel : Print Preview, Page 1 (of " + std::to_string(pages) + ")");
  HWND next = GetDlgItem(printer.previewBar, 369), previous = GetDlgItem(printer.previewBar, 370);
  EXPECT_TRUE(IsWindowEnabled(next));
  EXPECT_FALSE(IsWindowEnabled(previous));
  Click(next);
  platform::RunUntilIdle();
  EXPECT_EQ(printer.currentPage, 2);
  EXPECT_EQ(caption(), "Quorvel : Print Preview, Page 2 (of " + std::to_string(pages) + ")");
  EXPECT_TRUE(IsWindowEnabled(previous));
  SendMessage(printer.previewFrame, WM_COMMAND, 372, 0);  // View > Last Page
  EXPECT_EQ(printer.currentPage, pages);
  EXPECT_FALSE(IsWindowEnabled(next));
  Click(previous);
  platform::RunUntilIdle();
  EXPECT_EQ(printer.currentPage, pages - 1);
  // The View menu greys what does not apply on the first page.
  SendMessage(printer.previewFrame, WM_COMMAND, 371, 0);
  HMENU view = GetSubMenu(GetMenu(printer.previewFrame), 1);
  SendMessage(printer.previewFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 1);
  EXPECT_TRUE(GetMenuState(view, 370, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(view, 369, MF_BYCOMMAND) & MF_GRAYED);
  // The page keeps the paper's shape and grows with the window (zoom by size).
  MoveWindow(printer.previewFrame, 0, 0, 500, 600, TRUE);
  platform::RunUntilIdle();
  RECT page{};
  GetClientRect(printer.previewClient, &page);
  EXPECT_NEAR(static_cast<double>(page.right) / page.bottom, 8.5 / 11.0, 0.01);
  MoveWindow(printer.previewFrame, 0, 0, 900, 1000, TRUE);
  platform::RunUntilIdle();
  RECT larger{};
  GetClientRect(printer.previewClient, &larger);
  EXPECT_GT(larger.bottom, page.bottom + 300);
  // The page window shows text: some of its pixels are dark.
  int dark = 0;
  for (int y = 0; y < larger.bottom; y += 2)
    for (int x = 0; x < larger.right; x += 2) dark += GetRValue(platform::GetWindowPixel(printer.previewClient, x, y)) < 128;
  EXPECT_GT(dark, 200);
  Click(GetDlgItem(printer.previewBar, 103));  // Close
  platform::RunUntilIdle();
  EXPECT_EQ(printer.previewFrame, nullptr);
  EXPECT_EQ(printer.document, nullptr);
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
}

TEST_F(PrintCommandsTest, LayoutPrintsToTextAndCsvFiles) {
  const fs::path text = folder_ / "layout.txt";
  AnswerSheet("Print Model", 1002);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [text](HWND dialog) {
    // The model's name under the report's extension: a quick OK never
    // offers to overwrite the model.
    char proposed[300] = {};
    GetDlgItemText(dialog, edt1, proposed, sizeof proposed);
    EXPECT_NE(std::string(proposed).find("Plant, unit 1.txt"), std::string::npos) << proposed;
    char button[32] = {};
    GetWindowText(GetDlgItem(dialog, IDOK), button, sizeof button);
    EXPECT_STREQ(button, "&Print");
    SetDlgItemText(dialog, edt1, text.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ExpectNotice("txt written.");
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  const std::string report = ReadFile(text);
  ASSERT_FALSE(report.empty());
  std::vector<std::string> lines;
  std::istringstream stream(report);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 59u);
  EXPECT_EQ(lines[0].rfind("   Quorvel", 0), 0u);
  EXPECT_NE(lines[0].find("Plant, unit 1"), std::string::npos);
  EXPECT_EQ(lines[0].substr(69), "Page 1");
  EXPECT_EQ(lines[1].rfind("   Version 9.00", 0), 0u);
  EXPECT_NE(lines[1].find("Cooling water"), std::string::npos);
  EXPECT_EQ(lines[2], "   " + std::string(83, '-'));
  // Row 4, the valve to node 40: number ends at column 5, node at 11, type at 13.
  auto row = std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("    4", 0) == 0; });
  ASSERT_NE(row, lines.end());
  EXPECT_EQ(row->substr(9, 2), "40");
  EXPECT_EQ(row->substr(12, 5), "Valve");
  EXPECT_EQ(row->substr(21, std::strlen(FormatLength(12.0f))), FormatLength(12.0f));
  EXPECT_NE(report.find("\n    5 Pump room\n"), std::string::npos);
  EXPECT_NE(report.find("Coordinates"), std::string::npos);
  EXPECT_EQ(lines[59][0], '\f');  // the page ends with a form feed

  const fs::path csv = folder_ / "layout.csv";
  AnswerSheet("Print Model", 1002);
  AnswerFile("Print to File", csv);
  ExpectNotice("csv written.");
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_FALSE(g_ReportToFile);
  auto rows = ParseCsv(ReadFile(csv));
  ASSERT_GE(rows.size(), 12u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Quorvel", "Plant, unit 1"}));
  auto heading = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return !r.empty() && r[0] == "#"; });
  ASSERT_NE(heading, rows.end());
  EXPECT_EQ(heading->at(1), "Node");
  EXPECT_EQ(heading->at(9), "Data");
  const std::size_t columns = heading->size();
  auto valve = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.size() > 2 && r[2] == "Valve"; });
  ASSERT_NE(valve, rows.end());
  EXPECT_EQ(valve->size(), columns);
  EXPECT_EQ(std::atoi(valve->at(0).c_str()), 4);
  EXPECT_EQ(valve->at(1), "40");
  EXPECT_EQ(valve->at(3), FormatLength(12.0f));
  EXPECT_EQ(valve->at(4), FormatLength(0.0f));  // zero offsets are written in the CSV
  EXPECT_EQ(valve->size(), columns);
  auto from = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.size() > 2 && r[2] == "From"; });
  ASSERT_NE(from, rows.end());
  EXPECT_EQ(from->at(9), "Anchor");
  // Each CSV row ends with a comma, as every placed text does: one empty
  // last column, the same on every row.
  EXPECT_EQ(heading->back(), "");
  auto node40 = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.size() == 5 && r[0] == "40"; });
  ASSERT_NE(node40, rows.end());
  EXPECT_NEAR(std::atof(node40->at(1).c_str()), 36.0, 1e-3);
}

TEST_F(PrintCommandsTest, ListWindowPrintsItsListAndRefusesWithoutOne) {
  ShowListByOpener(OpenNodeList);
  platform::RunUntilIdle();
  const fs::path csv = folder_ / "nodes.csv";
  AnswerSheet("Print Coordinates", 1002);
  AnswerFile("Print to File", csv);
  ExpectNotice("csv written.");
  SendMessage(ListFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  auto rows = ParseCsv(ReadFile(csv));
  auto heading = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return !r.empty() && r[0] == "Node"; });
  ASSERT_NE(heading, rows.end());
  ASSERT_EQ(heading->size(), 5u);
  EXPECT_EQ(heading->at(1).rfind("X ", 0), 0u);
  EXPECT_EQ(rows.end() - heading - 1, 4);  // nodes 10 to 40, no trailing empty rows
  EXPECT_EQ((*(heading + 4))[0], "40");
  // Without a table the List window cannot print.
  TableWindowClose(ListTableWindow(0));
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), "Unable to print");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
}

}  // namespace
