// The model report, printed from the Layout window while results are shown,
// as a user prints it: Print opens the "Print Results" sheet, whose pages
// offer what the model and its results hold; "To &File" writes the report
// to a text or CSV file, "&Print" to a PDF. The report opens with the QA
// cover and the revision record (not numbered), numbers its body from 1,
// follows the sections' order and ends with the table of contents; the
// current load case is the same after it. Without results the Layout
// window's "Print Model" sheet chooses the input sections.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "application/LayoutWindow.h"
#include "platform/CommonDialog.h"
#include "platform/PropertySheet.h"
#include "printing/ReportOutput.h"
#include "results/ModalTables.h"
#include "results/PrintSelection.h"
#include "results/QaBlock.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultsFile.h"
#include "services/General.h"
#include "services/NameTables.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

std::vector<std::string> PageLines(const std::string& page) {
  std::vector<std::string> lines = Split(page, '\n');
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

class ModelReportTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    saved_ = ThePrintChoices();
    ThePrintChoices() = PrintChoices{};
    ThePrintChoices().section.fill(1);
  }
  void TearDown() override {
    ThePrintChoices() = saved_;
    g_CollectContents = false;
    ResultsFixture::TearDown();
  }

  // The sample line with four load cases, results open on the second case.
  void ResultsOfFourCases() {
    Model& model = BuildLine({1, 8, 2, 124});
    model.qa.client = "Northern Utilities";
    model.qa.preparedBy = "R. Vance";
    model.revisions.rows.resize(3);
    model.revisions.rows[1] = RevisionRow{"A", "2026-11-02", "Issued for review"};
    model.revisions.rows[2] = RevisionRow{"B", "2026-12-01", "Bend radius corrected"};
    model.revisions.count = 2;
    Analyse();
    const std::vector<std::string> tables = OpenAndChoose(ChooserTemplate(), 6);
    ASSERT_EQ(tables.back(), "&Displacements");
    ASSERT_TRUE(InResultsMode());
    ASSERT_EQ(TheResultCases().count, 4);
    ResultsCommandNow(228);  // the next load case
    ASSERT_EQ(g_ResultCase, 2);
  }
  static std::string ChooserTemplate() { return "RESULTS6_DIALOG"; }

  static HWND PageOf(HWND sheet, int index) {
    SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  static void ClickBox(HWND page, int id) {
    HWND box = GetDlgItem(page, id);
    const bool checked = IsDlgButtonChecked(page, id) == BST_CHECKED;
    CheckDlgButton(page, id, checked ? BST_UNCHECKED : BST_CHECKED);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
  }
  static bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
  static bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
  static bool Shown(HWND page, int id) {
    HWND box = GetDlgItem(page, id);
    return box != nullptr && IsWindowVisible(box);
  }

  void PrintFromLayout() {
    SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  // The report written through "To &File" to `path`.
  void ReportToFile(const std::string& path, const std::string& notice) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                          [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [notice](HWND dialog) {
      char shown[64] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      EXPECT_EQ(std::string(shown), notice);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    PrintFromLayout();
  }

  PrintChoices saved_;
};

TEST_F(ModelReportTest, ThePageTemplatesFollowTheNumberOfCasesAndKinds) {
  EXPECT_EQ(LoadCasePageTemplate(1), "PRINT_RESULTS1A_DIALOG");
  EXPECT_EQ(LoadCasePageTemplate(3), "PRINT_RESULTS1A_DIALOG");
  EXPECT_EQ(LoadCasePageTemplate(4), "PRINT_RESULTS1B_DIALOG");
  EXPECT_EQ(LoadCasePageTemplate(12), "PRINT_RESULTS1D_DIALOG");
  EXPECT_EQ(LoadCasePageTemplate(13), "PRINT_RESULTS1E_DIALOG");
  EXPECT_EQ(LoadCasePageTemplate(88), "PRINT_RESULTS1J_DIALOG");
  EXPECT_EQ(LoadCasePageTemplate(89), "PRINT_RESULTS1K_DIALOG");
  EXPECT_EQ(ResultKindsPageTemplate(3), "PRINT_RESULTS2A_DIALOG");
  EXPECT_EQ(ResultKindsPageTemplate(6), "PRINT_RESULTS2C_DIALOG");
  EXPECT_EQ(ResultKindsPageTemplate(16), "PRINT_RESULTS16_DIALOG");
  EXPECT_EQ(ResultKindsPageTemplate(19), "PRINT_RESULTS20_DIALOG");
}

// Four cases: the load-case page is the five-box template with four shown;
// clearing the cases clears and disables the per-case kinds, and with
// nothing chosen the sheet says so and stays; Cancel keeps the old choice.
TEST_F(ModelReportTest, TheResultsSheetOffersWhatTheResultsHoldAndRefusesAnEmptyChoice) {
  ResultsOfFourCases();
  std::vector<std::string> caseTitles, kinds;
  bool refused = false;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results", [&](HWND sheet) {
    char text[64] = {};
    GetWindowText(GetDlgItem(sheet, IDOK), text, sizeof text);
    EXPECT_STREQ(text, "&Print");
    GetWindowText(GetDlgItem(sheet, 1002), text, sizeof text);
    EXPECT_STREQ(text, "To &File");
    ASSERT_NE(GetDlgItem(sheet, 1003), nullptr);
    ASSERT_NE(GetDlgItem(sheet, 1004), nullptr);
    HWND model = PageOf(sheet, 0);
    EXPECT_TRUE(Checked(model, 1101));    // Q.A.Block
    EXPECT_TRUE(Checked(model, 1112));    // Rev. Record
    EXPECT_FALSE(Shown(model, 1109));     // no spectra
    EXPECT_TRUE(Checked(model, 1108));    // the pipe load of T1
    HWND cases = PageOf(sheet, 1);
    for (int id = 1101; id <= 1105; ++id) {
      ASSERT_NE(GetDlgItem(cases, id), nullptr) << id;  // the five-box page
      if (Shown(cases, id)) caseTitles.push_back(TextOf(GetDlgItem(cases, id)));
    }
    EXPECT_EQ(GetDlgItem(cases, 1106), nullptr);
    HWND results = PageOf(sheet, 2);
    for (int id = 1101; id <= 1120; ++id)
      if (Shown(results, id)) kinds.push_back(TextOf(GetDlgItem(results, id)));
    // No case chosen: the per-case kinds are cleared and disabled.
    cases = PageOf(sheet, 1);
    for (int id = 1101; id <= 1104; ++id) ClickBox(cases, id);
    results = PageOf(sheet, 2);
    for (int id = 1101; id <= 1100 + static_cast<int>(kinds.size()); ++id) {
      const std::string kind = TextOf(GetDlgItem(results, id));
      const bool perCase = kind == "Support loads" || kind.rfind("Element forces", 0) == 0 || kind == "Displacements";
      EXPECT_EQ(Enabled(results, id), !perCase) << kind;
      if (perCase) {
        EXPECT_FALSE(Checked(results, id)) << kind;
      }
    }
    // None: nothing to print, the outputs disabled; OK says so and stays.
    SendMessage(sheet, WM_COMMAND, 1004, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDOK)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, 1001)));
    HWND misc = PageOf(sheet, 3);
    EXPECT_FALSE(Enabled(misc, 1103));  // contents of nothing
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&refused](HWND dialog) {
      refused = LinesOfDialog(dialog).at(0) == "There is nothing to print";
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    platform::CheckModalScript();
    EXPECT_TRUE(IsWindow(sheet));
    // Bill of materials alone enables the outputs and the contents box.
    ClickBox(misc, 1102);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, IDOK)));
    EXPECT_TRUE(Enabled(misc, 1103));
    SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  PrintFromLayout();
  EXPECT_TRUE(refused);
  ASSERT_EQ(caseTitles.size(), 4u);
  for (int i = 1; i <= 4; ++i)
    EXPECT_EQ(caseTitles[static_cast<std::size_t>(i - 1)],
              LoadCaseTitle(TheResultCases().cases[static_cast<std::size_t>(i)].type));
  EXPECT_EQ(kinds, (std::vector<std::string>{"Sorted stresses", "Code compliance", "Support load summary",
                                             "Support loads", "Element forces (local)", "Element forces (global)",
                                             "Displacements"}));
  // Cancel forgot the changes: everything is still chosen.
  EXPECT_TRUE(AnyPrintSelected(ThePrintChoices()));
  EXPECT_EQ(ThePrintChoices()[PrintSection::Displacements], 1);
  EXPECT_EQ(g_ResultCase, 2);
}

// Everything to a text file: the cover and the record pages without page
// numbers, the body from page 1, the sections in the report's order, every
// case's results, the contents last; the load case shown stays the second.
TEST_F(ModelReportTest, TheWholeReportToATextFileKeepsItsOrderAndPageNumbers) {
  ResultsOfFourCases();
  const std::string titleBefore = ResultsTitle();
  const std::string path = folder_ + "/report.txt";
  ReportToFile(path, "txt written.");
  const std::vector<std::string> pages = Split(Bytes(path), '\f');
  ASSERT_GE(pages.size(), 5u);
  // Page 1, the cover: the report's heading without a page number.
  const std::vector<std::string> cover = PageLines(pages[0]);
  ASSERT_GE(cover.size(), 39u);
  EXPECT_EQ(cover[0].find("Page"), std::string::npos) << cover[0];
  EXPECT_EQ(cover[20].substr(12), "Client        :  Northern Utilities");
  EXPECT_EQ(cover[38].substr(29), "R. Vance");
  // Page 2, the revision record, not numbered either.
  const std::vector<std::string> record = PageLines(pages[1]);
  EXPECT_EQ(record[0].find("Page"), std::string::npos) << record[0];
  EXPECT_NE(pages[1].find("Bend radius corrected"), std::string::npos);
  const std::string all = Bytes(path);
  // Page 3 is the body's page 1.
  EXPECT_NE(PageLines(pages[2])[0].find("Page 1"), std::string::npos) << PageLines(pages[2])[0];
  EXPECT_EQ(PageLines(pages[2])[0].find("Page 1", 0), PageLines(pages[2])[0].rfind("Page 1"));
  // The contents, last and numbered i, ii ..., list the sections in the
  // report's order with the body's page numbers.
  std::size_t last = pages.size() - 1;
  while (last > 0 && pages[last].find("Table of Contents") == std::string::npos) --last;
  const std::string contents = pages[last];
  EXPECT_NE(PageLines(contents)[0].find("Page i"), std::string::npos) << PageLines(contents)[0];
  EXPECT_EQ(contents.find("Q.A.Block"), std::string::npos);        // front pages are not listed
  EXPECT_EQ(contents.find("Revision Record"), std::string::npos);
  std::vector<std::string> order{"Layout: Page 1", "Coordinates: Page 1", "Pipe materials", "Pipe Loads",
                                 "Sorted stresses: Page 2", "Code compliance: Page 2", "Support load summary"};
  for (int i = 1; i <= 4; ++i) {
    const std::string title = LoadCaseTitle(TheResultCases().cases[static_cast<std::size_t>(i)].type);
    for (const char* section : {": Loads on anchors", ": Pipe element forces (local)", ": Element forces (global)",
                                ": Displacements"})
      order.push_back(title + section);
  }
  order.push_back("Weight & Center of gravity");
  order.push_back("Bill of materials");
  std::size_t at = 0;
  for (const std::string& text : order) {
    const std::size_t found = contents.find(text, at);
    ASSERT_NE(found, std::string::npos) << text << "\n" << contents;
    at = found;
  }
  // Each case's displacements are in the body.
  for (int i = 1; i <= 4; ++i)
    EXPECT_NE(all.find(std::string("Displacements: ") +
                       LoadCaseTitle(TheResultCases().cases[static_cast<std::size_t>(i)].type)),
              std::string::npos);
  // The current load case and its table are as they were.
  EXPECT_EQ(g_ResultCase, 2);
  EXPECT_EQ(ResultsTitle(), titleBefore);
}

// The CSV road: the cover's cells, the bill of materials, no contents.
TEST_F(ModelReportTest, TheReportToACsvFileHasTheCoverCellsAndNoContents) {
  ResultsOfFourCases();
  const std::string path = folder_ + "/report.csv";
  ReportToFile(path, "csv written.");
  const std::string text = Bytes(path);
  EXPECT_EQ(text.find("Quorvel,"), 0u);
  for (const std::string& expected :
       {std::string("\r\nQ.A.Block,\r\n"), std::string("\r\nClient,Northern Utilities,\r\n"),
        std::string("\r\nPrepared by,R. Vance,Date,,,\r\n"), std::string("\r\nRevision Record,\r\n"),
        std::string("\r\nB,2026-12-01,Bend radius corrected,\r\n"), std::string("\r\nBill of materials,")})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  EXPECT_EQ(text.find("Table of Contents"), std::string::npos);
  EXPECT_EQ(g_ResultCase, 2);
}

// The printed report: a PDF whose cover and record carry no page number.
TEST_F(ModelReportTest, ThePrintedReportNumbersItsBodyFromOne) {
  ResultsOfFourCases();
  ThePrintChoices()[PrintSection::TableOfContents] = 0;
  const std::string pdf = folder_ + "/report.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                        [](HWND sheet) { SendMessage(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  PrintFromLayout();
  ASSERT_EQ(Bytes(pdf).substr(0, 5), "%PDF-");
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  const std::vector<std::string> pages = Split(Bytes(pdf + ".txt"), '\f');
  ASSERT_GE(pages.size(), 4u);
  EXPECT_NE(pages[0].find("Quality Assurance Block"), std::string::npos);
  EXPECT_NE(pages[0].find("Northern Utilities"), std::string::npos);
  EXPECT_EQ(pages[0].find("Page "), std::string::npos);
  EXPECT_NE(pages[1].find("Bend radius corrected"), std::string::npos);
  EXPECT_EQ(pages[1].find("Page "), std::string::npos);
  EXPECT_NE(pages[2].find("Page 1"), std::string::npos) << pages[2];
  // The last sections: the weight block and the bill of materials' lists.
  const std::string all = Bytes(pdf + ".txt");
  const std::size_t weight = all.find("Weight & Center of Gravity");
  ASSERT_NE(weight, std::string::npos);
  const std::size_t pipes = all.find("Bill of Materials: Pipes", weight);
  ASSERT_NE(pipes, std::string::npos);
  EXPECT_NE(all.find("Bill of Materials: Bends", pipes), std::string::npos);
  EXPECT_NE(all.find("Total length", pipes), std::string::npos);
  EXPECT_EQ(g_ResultCase, 2);
}

// The printed contents list what the text contents list: each support's
// load summary under "Support load summary" and each case's displacements.
TEST_F(ModelReportTest, ThePrintedContentsListEachSupportSummaryAndEachCasesDisplacements) {
  ResultsOfFourCases();
  const std::string pdf = folder_ + "/contents.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                        [](HWND sheet) { SendMessage(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  PrintFromLayout();
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  const std::vector<std::string> pages = Split(Bytes(pdf + ".txt"), '\f');
  std::string contents;
  for (const std::string& page : pages)
    if (page.find("Table of Contents") != std::string::npos) contents += page;
  const std::size_t summary = contents.find("Support load summary");
  ASSERT_NE(summary, std::string::npos) << contents;
  for (const char* support : {"Anchor at Node 10", "Restraint at Node 20", "Anchor at Node 40"})
    EXPECT_NE(contents.find(support, summary), std::string::npos) << support << "\n" << contents;
  int displacements = 0;
  for (std::size_t found = contents.find("Displacements"); found != std::string::npos;
       found = contents.find("Displacements", found + 1))
    displacements += found >= 2 && contents.compare(found - 2, 2, "  ") == 0;  // an entry of its own
  EXPECT_EQ(displacements, 4) << contents;
}

// Without results: the "Print Model" sheet's model page; All, None and a
// box drive the outputs; nothing chosen is refused.
TEST_F(ModelReportTest, WithoutResultsTheModelPageChoosesTheInputSections) {
  Model& model = BuildLine({1});
  model.forceSpectra.push_back(NamedPoints{"Pulse", {{0.0f, 1.0f}, {1.0f, 2.0f}}});
  bool refused = false;
  std::string layoutText;
  const std::string path = folder_ + "/model.txt";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model", [&](HWND sheet) {
    HWND page = PageOf(sheet, 0);
    EXPECT_FALSE(Shown(page, 1108));  // no spectra: "Force spectrums" takes their place
    ASSERT_TRUE(Shown(page, 1109));
    RECT spectra{}, force{};
    GetWindowRect(GetDlgItem(page, 1108), &spectra);
    GetWindowRect(GetDlgItem(page, 1109), &force);
    EXPECT_EQ(spectra.left, force.left);
    EXPECT_EQ(spectra.top, force.top);
    EXPECT_FALSE(Shown(page, 1110));  // no time functions
    SendMessage(page, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);  // None
    for (int id = 1101; id <= 1110; ++id) EXPECT_FALSE(Checked(page, id)) << id;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDOK)));
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&refused](HWND dialog) {
      refused = LinesOfDialog(dialog).at(0) == "There is nothing to print";
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(sheet, WM_COMMAND, 1002, 0);  // Print to File, refused
    platform::CheckModalScript();
    ClickBox(page, 1102);  // Layout
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, IDOK)));
    layoutText = TextOf(GetDlgItem(page, 1102));
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    SendMessage(sheet, WM_COMMAND, 1002, 0);
  });
  PrintFromLayout();
  EXPECT_TRUE(refused);
  EXPECT_EQ(layoutText, "Layout");
  const std::string text = Bytes(path);
  EXPECT_NE(text.find("#  Node  Type"), std::string::npos);  // the layout table
  EXPECT_NE(text.find("Page 1"), std::string::npos);
  EXPECT_EQ(text.find("Coordinates"), std::string::npos);  // not chosen
  EXPECT_EQ(text.find("Q.A.Block"), std::string::npos);    // a results report's cover
  EXPECT_EQ(ThePrintChoices()[PrintSection::Coordinates], 0);
  EXPECT_EQ(ThePrintChoices()[PrintSection::Layout], 1);
}

// After a modal run the report offers and prints the frequencies and every
// mode's shape after the load cases, and the current mode is the same after.
TEST_F(ModelReportTest, AModalRunPrintsItsFrequenciesAndEveryModeShape) {
  Model& model = BuildLine({1, 30});
  model.options.ModeCount = 3;
  model.options.CutOffFrequency = 1000;
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenCancelled("RESULTS8_DIALOG");
  ASSERT_TRUE(InResultsMode());
  const std::vector<PrintSection>& kinds = PrintResultKinds();
  ASSERT_GE(kinds.size(), 2u);
  EXPECT_EQ(kinds[kinds.size() - 2], PrintSection::Frequencies);
  EXPECT_EQ(kinds.back(), PrintSection::ModeShapes);
  const int modes = ResultModeCount();
  ASSERT_GT(modes, 1);
  g_CurrentMode = 2;
  const std::string path = folder_ + "/modal-report.csv";
  ReportToFile(path, "csv written.");
  EXPECT_EQ(g_CurrentMode, 2);
  int shapes = 0;
  bool frequencies = false;
  std::size_t frequenciesAt = 0, loadCaseAt = 0, at = 0;
  for (const std::string& line : Split(Bytes(path), '\n')) {
    ++at;
    if (line.find(": Mode shape") != std::string::npos) ++shapes;
    if (line.rfind("Frequencies,", 0) == 0 && !frequencies) {
      frequencies = true;
      frequenciesAt = at;
    }
    if (line.find(": Displacements") != std::string::npos && loadCaseAt == 0) loadCaseAt = at;
  }
  EXPECT_TRUE(frequencies);
  EXPECT_EQ(shapes, modes);
  EXPECT_GT(frequenciesAt, loadCaseAt);  // after the load cases
}

}  // namespace

namespace {

// The dates of a report (today's, the results file's) stand as <date>,
// <now> and <analyzed> in the golden lines.
std::string WithoutDates(std::string text) {
  const std::pair<std::string, std::string> dates[] = {
      {AnalyzedTimeText(TheResults().fileTime), "<analyzed>"}, {FormatTodayDate(), "<date>"}};
  for (const auto& [date, mark] : dates)
    for (std::size_t at = text.find(date); !date.empty() && at != std::string::npos; at = text.find(date, at))
      text.replace(at, date.size(), mark);
  return text;
}

// Cover, record, coordinates and contents, line for line: the front pages
// without numbers, the coordinates on page 1, the contents on page i.
TEST_F(ModelReportTest, GoldenTextAndCsvOfTheCoverRecordAndCoordinates) {
  ResultsOfFourCases();
  PrintChoices& choices = ThePrintChoices();
  choices.section.fill(0);
  for (PrintSection s : {PrintSection::QaBlock, PrintSection::RevisionRecord, PrintSection::Coordinates,
                         PrintSection::TableOfContents})
    choices[s] = 1;
  const std::string text = folder_ + "/golden.txt", csv = folder_ + "/golden.csv";
  ReportToFile(text, "txt written.");
  ReportToFile(csv, "csv written.");
  // Every line that holds text, by page and line; every other line blank.
  struct Line {
    int page, line;
    const char* text;
  };
  const std::vector<Line> golden{
      {1, 1, "   Quorvel                              line"},
      {1, 2, "   Version 9.00                                                      <date>"},
      {1, 3, "   -----------------------------------------------------------------------------------"},
      {1, 16, "                                          Quorvel"},
      {1, 17, "                                       Version 9.00"},
      {1, 21, "            Client        :  Northern Utilities"},
      {1, 23, "            Project       :"},
      {1, 25, "            File Number   :"},
      {1, 27, "            Report Number :"},
      {1, 29, "            Model Name    :  line"},
      {1, 31, "            Title         :"},
      {1, 33, "            Analyzed      :  <analyzed>"},
      {1, 38, "            Prepared by   :  _________________________   Date:"},
      {1, 39, "                             R. Vance"},
      {1, 43, "            Checked by    :  _________________________   Date:"},
      {2, 1, "   Quorvel                              line"},
      {2, 2, "   Version 9.00                                                      <date>"},
      {2, 3, "   -----------------------------------------------------------------------------------"},
      {2, 4, "                                  Revision Record"},
      {2, 5, "   Rev.  Rev. Date             Remarks"},
      {2, 6, "   -----------------------------------------------------------------------------------"},
      {2, 7, "   A     2026-11-02            Issued for review"},
      {2, 8, "   B     2026-12-01            Bend radius corrected"},
      {2, 9, "   -----------------------------------------------------------------------------------"},
      {3, 1, "   Quorvel                              line                         Page 1"},
      {3, 2, "   Version 9.00                                                      <date>"},
      {3, 3, "   -----------------------------------------------------------------------------------"},
      {3, 4, "                                    Coordinates"},
      {3, 5, "     Node     X (mm)       Y (mm)       Z (mm)"},
      {3, 6, "   -----------------------------------------------------------------------------------"},
      {3, 7, "     10       0            0            0"},
      {3, 8, "     20       1524         0            0"},
      {3, 9, "     30A      2876.55      0            0"},
      {3, 10, "     30       3048         0            0"},
      {3, 11, "     30B      3048         0            171.45"},
      {3, 12, "     40       3048         0            1524"},
      {3, 13, "   -----------------------------------------------------------------------------------"},
      {4, 1, "   Quorvel                              line                         Page i"},
      {4, 2, "   Version 9.00                                                      <date>"},
      {4, 3, "   -----------------------------------------------------------------------------------"},
      {4, 4, "                                 Table of Contents"},
      {4, 5, "   -----------------------------------------------------------------------------------"},
      {4, 6, "     Coordinates: Page 1"},
      {4, 7, "   -----------------------------------------------------------------------------------"},
  };
  const std::vector<std::string> pages = Split(WithoutDates(Bytes(text)), '\f');
  ASSERT_EQ(pages.size(), 5u);  // four pages, the last one ended
  EXPECT_EQ(pages[4], "");
  std::vector<Line> found;
  std::vector<std::string> texts;
  for (std::size_t p = 0; p < 4; ++p) {
    const std::vector<std::string> lines = Split(pages[p], '\n');
    for (std::size_t l = 0; l < lines.size(); ++l)
      if (lines[l].find_first_not_of(' ') != std::string::npos) {
        found.push_back(Line{static_cast<int>(p + 1), static_cast<int>(l + 1), nullptr});
        texts.push_back(lines[l]);
      }
  }
  ASSERT_EQ(found.size(), golden.size());
  for (std::size_t i = 0; i < golden.size(); ++i) {
    EXPECT_EQ(found[i].page, golden[i].page) << golden[i].text;
    EXPECT_EQ(found[i].line, golden[i].line) << golden[i].text;
    EXPECT_EQ(texts[i], golden[i].text);
  }
  // The CSV file: the same sections as cells, no contents, no pages.
  const std::vector<std::string> rows = Split(WithoutDates(Bytes(csv)), '\n');
  const std::vector<std::string> goldenCsv{
      "Quorvel,line\r", "", "\r", "Q.A.Block,\r", "\r", "Quorvel,\r", "\r", "Version 9.00,\r", "\r",
      "Client,Northern Utilities,\r", "\r", "Project,,\r", "\r", "File Number,,\r", "\r", "Report Number,,\r",
      "\r", "Model Name,line,\r", "\r", "Title,,\r", "\r", "Analyzed,<analyzed>,\r", "\r",
      "Prepared by,R. Vance,Date,,,\r", "\r", "Checked by,,Date,,,\r", "\r", "Revision Record,\r",
      "Rev., Rev. Date, Remarks,\r", "A,2026-11-02,Issued for review,\r", "B,2026-12-01,Bend radius corrected,\r",
      "Coordinates,\r", "Node,X (mm),Y (mm),Z (mm),\r", "10,0,0,0,\r", "20,1524,0,0,\r", "30A,2876.55,0,0,\r",
      "30,3048,0,0,\r", "30B,3048,0,171.45,\r", "40,3048,0,1524,\r"};
  ASSERT_GE(rows.size(), goldenCsv.size());
  for (std::size_t i = 0; i < goldenCsv.size(); ++i) {
    if (i == 1) {
      // The program's version and the time of writing.
      EXPECT_EQ(rows[i].rfind("Version 9.00,,", 0), 0u) << rows[i];
      continue;
    }
    EXPECT_EQ(rows[i], goldenCsv[i]) << "CSV line " << i + 1;
  }
  for (std::size_t i = goldenCsv.size(); i < rows.size(); ++i) EXPECT_EQ(rows[i].find_first_not_of("\r"), std::string::npos);
}

}  // namespace
