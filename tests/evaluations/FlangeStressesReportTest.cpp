// The flange stresses report through the tool's Print command: the text
// file (the document's name proposed, titles centred and ruled, the
// results on a page of their own, stress rows at their columns), the
// comma-separated file, the inputs alone for a document not analysed, the
// preview's pages; and the table that shows it (its width and the columns
// of its stress rows).
#include <gtest/gtest.h>

#include <sstream>

#include "evaluations/FlangeFile.h"
#include "evaluations/FlangeStressesReport.h"
#include "evaluations/FlangeTesting.h"
#include "files/FileCommands.h"
#include "platform/PropertySheet.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "services/ListFrameState.h"

namespace {

class FlangeStressesReportTest : public FlangeToolFixture {
 protected:
  // The saved defaults opened, analysed when `analyse`.
  void OpenDefaults(bool analyse) {
    const std::string path = Path("default.flg");
    WriteFlangeFileFrom(path, FlangeQualificationData{}, UnitsSettings{});
    ASSERT_TRUE(OpenFileByExtension(nullptr, path));
    if (!analyse) return;
    ExpectNotice("Flange Analyzed");
    Tool(40040);
    platform::CheckModalScript();
  }
  static void AnswerSheet(int button) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Flange Stresses Report", [button](HWND sheet) {
      SendMessage(sheet, WM_COMMAND, static_cast<WPARAM>(button), 0);
      if (button == IDOK) SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
  }
  // Prints to `file` through the print sheet's Print to File; the name the
  // dialog proposed.
  std::string PrintToFile(const std::string& file) {
    std::string proposed;
    AnswerSheet(1002);
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [&proposed, file](HWND dialog) {
      char name[300] = {};
      GetDlgItemText(dialog, edt1, name, sizeof name);
      proposed = name;
      SetDlgItemText(dialog, edt1, file.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
    Tool(106);
    platform::CheckModalScript();
    return proposed;
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
  }
  static std::size_t Find(const std::vector<std::string>& lines, const std::string& text, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
      if (lines[i].find(text) != std::string::npos) return i;
    ADD_FAILURE() << "no line with " << text;
    return lines.size() - 1;
  }
};

TEST_F(FlangeStressesReportTest, TheTextFileHoldsTheInputsThenTheResultsOnAPageOfTheirOwn) {
  OpenDefaults(true);
  const std::string path = Path("joint.txt");
  const std::string proposed = PrintToFile(path);
  EXPECT_EQ(proposed, "default.txt");
  const std::string text = Bytes(path);
  const std::vector<std::string> lines = Lines(text);
  // The page header names the document, not the model the tool closed.
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines[0].find("default"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[0].find("Untitled"), std::string::npos) << lines[0];
  const std::string title = "Flange Stress Calculation as per ASME Section VIII. Div. 1 - Appendix 2";
  const std::size_t heading = Find(lines, title);
  // Centred between columns 4 and 88, then a rule.
  EXPECT_EQ(lines[heading].find(title), static_cast<std::size_t>(3 + (88 - 4 - static_cast<int>(title.size()) + 1) / 2));
  EXPECT_EQ(lines[heading + 1], "   " + std::string(83, '-'));
  EXPECT_EQ(lines[Find(lines, "Flange Type")], "   Flange Type : Integral Flanges");
  EXPECT_EQ(lines[Find(lines, "Leak Pressure")], "   Leak Pressure Ratio [m] = 3.00");
  // The results start a page: a form feed comes before their heading.
  const std::size_t results = Find(lines, "Flange Equivalent Pressure as per NC3658.1 of ASME Section III Class 2");
  bool formFeed = false;
  for (std::size_t i = heading; i < results; ++i) formFeed |= lines[i].find('\f') != std::string::npos;
  EXPECT_TRUE(formFeed);
  EXPECT_EQ(lines[Find(lines, "Equivalent Pressure / Allowable")], "   Equivalent Pressure / Allowable Pressure = 0.62  OK");
  // The heading row at column 28, the rows at their columns.
  const std::size_t headings = Find(lines, "Calculated   Allowed   Ratio   Status", results);
  EXPECT_EQ(lines[headings].find("Calculated"), 27u);
  const std::string& row = lines[Find(lines, "Longitudinal Hub (SH)", headings)];
  EXPECT_EQ(row.substr(0, 24), "   Longitudinal Hub (SH)");
  EXPECT_EQ(row.substr(31, 5), "24152");  // ends at column 36
  EXPECT_EQ(row.substr(42, 5), "29400");  // 47
  EXPECT_EQ(row.substr(51, 5), "0.821");  // 56
  EXPECT_EQ(row.substr(62), "OK");        // from 63
  EXPECT_NE(text.find("ASME Rigidity Factor 'J', Seating Case   = 0.594627"), std::string::npos);
  // Once the tool is closed, the reports name the model again.
  CloseFlangeWindow();
  TheModel().path = Path("line.mod");
  PrepareReportTitle();
  EXPECT_EQ(g_ReportTitle, "line");
}

TEST_F(FlangeStressesReportTest, ADocumentNotAnalysedPrintsItsInputsOnly) {
  OpenDefaults(false);
  const std::string path = Path("inputs.txt");
  PrintToFile(path);
  const std::string text = Bytes(path);
  EXPECT_NE(text.find("Allowable Pressure = 665 (psi)"), std::string::npos);
  EXPECT_EQ(text.find("Equivalent Pressure"), std::string::npos);
  EXPECT_EQ(text.find("Calculated"), std::string::npos);
}

TEST_F(FlangeStressesReportTest, TheCommaSeparatedFileHasOneRowPerLineAndCellsForTheStresses) {
  OpenDefaults(true);
  const std::string path = Path("joint.csv");
  PrintToFile(path);
  const std::string text = Bytes(path);
  EXPECT_NE(text.find("Longitudinal Hub (SH),24152,29400,0.821,OK"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nFlange Type : Integral Flanges,\r\n"), std::string::npos) << text;
  // A line holding a comma is one quoted cell.
  EXPECT_NE(text.find("\"ASME Rigidity Factor 'J', Operating Case = 1.017185\""), std::string::npos) << text;
}

TEST_F(FlangeStressesReportTest, ThePreviewHasTheResultsOnASecondPage) {
  OpenDefaults(false);
  AnswerSheet(1001);
  Tool(106);
  PrinterSettings& printer = TextPrinter();
  ASSERT_NE(printer.previewFrame, nullptr);
  EXPECT_EQ(printer.pageCount, 1);
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  ExpectNotice("Flange Analyzed");
  Tool(40040);
  AnswerSheet(1001);
  Tool(106);
  ASSERT_NE(printer.previewFrame, nullptr);
  EXPECT_EQ(printer.pageCount, 2);
  SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
}

TEST_F(FlangeStressesReportTest, PrintWritesThePrintersDocument) {
  OpenDefaults(true);
  const std::string pdf = Path("joint.pdf");
  AnswerSheet(IDOK);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Tool(106);
  platform::CheckModalScript();
  EXPECT_EQ(Bytes(pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(TextPrinter().document, nullptr);
}

TEST_F(FlangeStressesReportTest, TheTableIsAsWideAsItsWidestLineAndAlignsTheStressColumns) {
  OpenDefaults(true);
  TableWindow* table = TableOfWindow(ListTableWindow(0));
  ASSERT_EQ(table, &FlangeStressesTable());
  EXPECT_EQ(table->columnCount, 1);
  EXPECT_EQ(table->headingLines, 0);
  auto width = [table](const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32(table->Dc(), text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  const int widest = width("Stress Safety Factor: (If greater than one, then joint failure is predicted)");
  EXPECT_GE(table->widths[1], widest);
  // A stress row has no cell text (it is drawn in columns); a plain line has its own.
  int row = 0;
  for (int r = 1; r <= table->rowCount; ++r)
    if (EvaluationReportLineAt(r - 1).kind == kEvaluationCheckRow) row = r;
  ASSERT_GT(row, 0);
  EXPECT_EQ(table->CellText(row, 1, 0), "");
  EXPECT_EQ(table->CellText(1, 1, 0), "Flange Stress Calculation as per ASME Section VIII. Div. 1 - Appendix 2");
  EXPECT_STREQ(FlangeStatusText(1.0), "OK");
  EXPECT_STREQ(FlangeStatusText(1.0001), "----");
}

}  // namespace
