// The results report of a model that holds every element kind and every
// support kind (EveryKindModel.h), printed whole through the "Print
// Results" sheet on the printer (a PDF), to a text file and to a
// comma-separated file, under each piping code whose tables differ: none
// (von Mises), B31.1 (plain), B31.3 (flexibility factors), an ASME Class 2
// code (stress indices, branch connections) and BS 806. Every table of
// every case is in each output, and listed once in the contents; run under
// AddressSanitizer, no table is measured or laid out beyond its columns.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "model/Nodes.h"
#include "platform/CommonDialog.h"
#include "results/EveryKindModel.h"
#include "results/PrintSelection.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "services/NameTables.h"
#include "supports/SupportLoadSummary.h"
#include "supports/SupportResultTables.h"

namespace {

struct ReportCase {
  int code;
  const char* chooser;  // the result chooser's template for the code's results
};
void PrintTo(const ReportCase& c, std::ostream* out) { *out << "code " << c.code; }

class ResultsReportPrintTest : public ResultsFixture, public ::testing::WithParamInterface<ReportCase> {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    saved_ = ThePrintChoices();
  }
  void TearDown() override {
    ThePrintChoices() = saved_;
    ResultsFixture::TearDown();
  }
  void OpenEveryKind();
  // The report through the sheet's "&Print" to a PDF (its path), or
  // through "To &File" to a text or CSV file (its bytes).
  std::string PrintToPdf();
  std::string PrintToFile(const std::string& name);

  PrintChoices saved_;
};

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The model analysed under the case's piping code, its results open on no
// table, and every section the "Print Results" sheet offers chosen.
void ResultsReportPrintTest::OpenEveryKind() {
  const ReportCase c = GetParam();
  Model& model = TheModel();
  every_kind::BuildEveryKind(model, ModelPath(), c.code);
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  model.modified = false;
  Analyse();
  OpenCancelled(c.chooser);
  ASSERT_TRUE(InResultsMode());
  ThePrintChoices() = PrintChoices{};
  SelectEverythingAvailable(ThePrintChoices());
}

std::string ResultsReportPrintTest::PrintToPdf() {
  const std::string pdf = folder_ + "/report.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                        [](HWND sheet) { SendMessage(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  return pdf;
}

std::string ResultsReportPrintTest::PrintToFile(const std::string& name) {
  const std::string path = folder_ + "/" + name;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  return Bytes(path);
}

// On the printer every table of every case is printed whole, the tables of
// the kinds never opened on screen among them (they were printed in a
// layout of no columns, past the end of their widths); then the text and
// the comma-separated files of the same report.
TEST_P(ResultsReportPrintTest, EveryTableOfEveryCasePrintsOnThePrinterAndToFiles) {
  OpenEveryKind();
  const int cases = TheResultCases().count;
  ASSERT_EQ(cases, GetParam().code == 0 ? 4 : 6);
  const std::string pdf = PrintToPdf();
  ASSERT_EQ(Bytes(pdf).substr(0, 5), "%PDF-");
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  const std::string printed = Bytes(pdf + ".txt");
  // The contents list the guides' section once a case.
  EXPECT_EQ(Count(printed, "Loads on guides"), cases);
  for (const char* title : {"Flange report", "Soil restraints"}) EXPECT_EQ(Count(printed, title), 1) << title;
  EXPECT_EQ(Count(printed, "Hanger Report"), 2);  // its table, and its line in the contents
  // One branch connection table per case that has branch stresses.
  EXPECT_EQ(Count(printed, "Branch Connection Stresses: ") > 0, GetParam().code == 9);
  for (int k = 1; k <= cases; ++k) {
    const std::string title = LoadCaseTitle(TheResultCases().cases[static_cast<std::size_t>(k)].type);
    for (const char* table : {"Pipe forces in local", "Pipe forces in global", "Beam forces in local",
                              "Beam forces in global", "Other forces in local", "Other forces in global",
                              "FRP forces in local", "FRP forces in global"})
      EXPECT_GE(Count(printed, std::string(table) + " coordinates: " + title), 1) << table << ": " << title;
    for (const char* table : {"FRP stresses: ", "Sorted FRP stresses: ", "Flex joint displacements: ",
                              "Ball joint displacements: ", "Loads on Nozzles: "})
      EXPECT_GE(Count(printed, table + title), 1) << table << title;
  }
  const std::string text = PrintToFile("report.txt");
  const std::string csv = PrintToFile("report.csv");
  // The contents list each case's guides once (their local and global
  // blocks are one section), and each support's summary once however many
  // pages it takes.
  EXPECT_EQ(Count(text, ": Loads on guides: Page "), cases);
  for (int k = 1; k <= cases; ++k) {
    const std::string title = LoadCaseTitle(TheResultCases().cases[static_cast<std::size_t>(k)].type);
    EXPECT_EQ(Count(text, title + ": Loads on guides: Page "), 1) << title;
  }
  // (Without a piping code the static case has no summary rows.)
  const int summaries = SupportLoadSummaryAvailable() ? 1 : 0;
  EXPECT_EQ(summaries, GetParam().code == 0 ? 0 : 1);
  for (int row : TheResults().supportList) {
    const SupportResultKind* kind = FindSupportResultKind(TheModel().row(row).dataType);
    ASSERT_NE(kind, nullptr);
    const std::string entry =
        std::string("    ") + kind->singular + " at Node " + NodeNumberText(TheModel().row(row).node) + ": Page ";
    EXPECT_EQ(Count(text, entry), summaries) << entry;
  }
  for (int k = 1; k <= cases; ++k) {
    const std::string title = LoadCaseTitle(TheResultCases().cases[static_cast<std::size_t>(k)].type);
    for (const std::string& heading :
         {"Other forces in local coordinates: " + title, "Beam forces in local coordinates: " + title,
          "FRP forces in local coordinates: " + title, title + ": Flex joint displacements (local)"})
      EXPECT_GE(Count(text, heading), 1) << heading;
    for (const std::string& heading : {title + ": Other forces (local coordinates)", title + ": Beam forces (local)",
                                       title + ": Ball joint displacements (local)"})
      EXPECT_GE(Count(csv, heading), 1) << heading;
  }
}

INSTANTIATE_TEST_SUITE_P(PipingCodes, ResultsReportPrintTest,
                         ::testing::Values(ReportCase{0, "RESULTS12_DIALOG"}, ReportCase{1, "RESULTS14_DIALOG"},
                                           ReportCase{3, "RESULTS14_DIALOG"}, ReportCase{9, "RESULTS16_DIALOG"},
                                           ReportCase{12, "RESULTS14_DIALOG"}),
                         [](const ::testing::TestParamInfo<ReportCase>& info) {
                           return "Code" + std::to_string(info.param.code);
                         });

}  // namespace
