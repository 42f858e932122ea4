// Where the nozzle and lug reports put their texts: on the screen (the
// report table painted into a recording, every row) and on the printer
// (the report recorded on the text printer's page), each text measured in
// the font it is drawn in, and on the text page of Print to File. No text
// of a line may reach into the next one: every label ends, with a blank to
// spare, before the value, the stress or the figure after it, and the
// stresses keep apart. The reports are analysed with long labels (the
// cylinder's clause lines, the lug's attachment loads) and wide values.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "evaluations/DrawnTexts.h"
#include "evaluations/FlangeTesting.h"
#include "evaluations/LugEvaluationModel.h"
#include "evaluations/LugEvaluationReport.h"
#include "evaluations/LugEvaluationTool.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationReport.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "evaluations/NozzleEvaluationWrc537.h"
#include "model/Drawing2D.h"
#include "platform/Metafile.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"
#include "services/ListFrameState.h"
#include "services/TableWindow.h"

namespace {

// Every text `print` writes on the text printer's page, measured in the
// page's font.
std::vector<DrawnText> PrintedTexts(void (*print)()) {
  TextPrinter().InitDefaults();
  HDC printer = TextPrinter().CreatePrinterDc();
  RECT frame{0, 0, 7 * 2540, 10 * 2540};
  g_PrinterDc = CreateEnhMetaFile(printer, nullptr, &frame, nullptr);
  PrinterPage().width = 7 * 600;
  PrinterPage().height = 10 * 600;
  g_PrinterPage = 0;
  g_Recording = true;
  PrinterPageHeading();
  print();
  HGDIOBJ font = GetCurrentObject(g_PrinterDc, OBJ_FONT);
  HENHMETAFILE picture = CloseEnhMetaFile(g_PrinterDc);
  g_PrinterDc = nullptr;
  g_Recording = false;
  HGDIOBJ kept = SelectObject(printer, font);
  std::vector<DrawnText> texts;
  int page = 0;
  for (const std::vector<DWORD>& entry : platform::MetafileRecords(picture)) {
    if (entry[0] == EMR_GDICOMMENT && entry[3] != 999999) page = static_cast<int>(entry[3]);
    if (entry[0] != EMR_EXTTEXTOUTA) continue;
    const std::string text = RecordText(entry);
    const int x = static_cast<int>(entry[2]);
    texts.push_back({page, static_cast<int>(entry[3]), x, x + Width(printer, text), text});
  }
  SelectObject(printer, kept);
  DeleteEnhMetaFile(picture);
  DeleteDC(printer);
  return texts;
}

// The words of a text, split at blanks.
std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;)
    if (word != "-") words.push_back(word);
  return words;
}

// The report's lines that have columns (as the screen holds them) looked for
// on the text page: each must be there with its label whole, a blank after
// it, and then its values and unit in order ("-", no text, left out).
// Returns the faults; `found` counts the lines found.
std::vector<std::string> TextPageFaults(const std::string& page, int& found) {
  std::vector<std::string> pageLines;
  std::istringstream stream(page);
  for (std::string line; std::getline(stream, line);) pageLines.push_back(line);
  std::vector<std::string> faults;
  found = 0;
  for (int index = 0; index < EvaluationReportLineCount(); ++index) {
    const EvaluationLine& line = EvaluationReportLineAt(index);
    if (line.kind != kEvaluationCheckRow && line.kind != kEvaluationInteractionRow && line.kind != kEvaluationStressRow)
      continue;
    const std::size_t bang = line.text.find('!');
    const std::string label = line.text.substr(0, bang);
    std::vector<std::string> values = Words(line.text.substr(bang + 1));
    // The stress table's heading names the figure column so on the page.
    if (!values.empty() && values[0] == "Fig.No") values[0] = "Fig_No";
    bool whole = false;
    for (const std::string& text : pageLines) {
      const std::size_t start = text.find_first_not_of(' ');
      if (start == std::string::npos || text.compare(start, label.size() + 1, label + " ") != 0) continue;
      if (Words(text.substr(start + label.size())) == values) whole = true;
    }
    found += whole ? 1 : 0;
    if (!whole) faults.push_back("\"" + line.text + "\" is not on the page whole");
  }
  return faults;
}

class EvaluationLinesLayoutTest : public FlangeToolFixture {
 protected:
  void TearDown() override {
    SetWrc537CurveTable(nullptr);
    CloseNozzleEvaluation();
    TheNozzleDocument() = NozzleDocument{};
    CloseLugWindow();
    TheLugDocument() = LugDocument{};
    FlangeToolFixture::TearDown();
  }
  static void NewFrom(int choice) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [choice](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(choice, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, choice)));
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 101, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static TableWindow& ShownTable() { return *TableOfWindow(ListTableWindow(0)); }
  // The report on the screen and on the printer, with what overprints.
  static void ExpectNoOverprint(const std::string& report, void (*print)(), int linesWithColumns) {
    TableWindow& table = ShownTable();
    const std::vector<DrawnText> screen = ScreenTexts(table);
    EXPECT_GE(LinesWithColumns(screen), linesWithColumns) << report;
    for (const std::string& fault : Overprints(screen, Width(table.Dc(), " ")))
      ADD_FAILURE() << report << " on the screen: " << fault;
    const std::vector<DrawnText> printed = PrintedTexts(print);
    EXPECT_GE(LinesWithColumns(printed), linesWithColumns) << report;
    for (const std::string& fault : Overprints(printed, PrinterPage().unit / 4))
      ADD_FAILURE() << report << " on the printer: " << fault;
  }
  // The report's text page, written by the tool's Print to File.
  std::string PrintedPage(const std::string& sheet) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, sheet,
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, 1002, 0); });
    const std::string path = Path("page" + std::to_string(++pages_) + ".txt");
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
    Tool(106);
    platform::CheckModalScript();
    return Bytes(path);
  }
  void ExpectWholeOnThePage(const std::string& report, const std::string& sheet, int linesWithColumns) {
    int found = 0;
    for (const std::string& fault : TextPageFaults(PrintedPage(sheet), found))
      ADD_FAILURE() << report << " on the text page: " << fault;
    EXPECT_GE(found, linesWithColumns) << report;
  }
  int pages_ = 0;
  static void AnalyseNozzle() {
    SetNozzleModified(false);
    Tool(40053);
    ASSERT_TRUE(TheNozzleDocument().analysed);
  }
  static void AnalyseLug() {
    SetLugModified(false);
    Tool(40082);
    ASSERT_TRUE(TheLugDocument().analysed);
  }
};

TEST_F(EvaluationLinesLayoutTest, TheNozzleReportsLabelsEndBeforeTheirValues) {
  NewFrom(1007);
  ASSERT_TRUE(NozzleToolHoldsListFrame());
  NozzleEvaluation& d = TheNozzleDocument().data;
  // EN 13445-3, a cylinder: the three allowable loads under their clause
  // numbers.
  d.spherical = false;
  d.R = 4000, d.e = 25.5f, d.de = 1200.25f, d.eb = 20.2f, d.d = 1180, d.ec = 25.5f, d.f = 2000000, d.fb = 2000000;
  AnalyseNozzle();
  ExpectNoOverprint("EN 13445-3 cylinder", PrintNozzleReport, 15);
  ExpectWholeOnThePage("EN 13445-3 cylinder", "Print Local loads on nozzle", 15);
  d.spherical = true;
  AnalyseNozzle();
  ExpectNoOverprint("EN 13445-3 sphere", PrintNozzleReport, 14);
  // WRC 537 on a sphere with constant curves: the stress table.
  std::vector<Wrc537Curve> curves;
  for (int family = 0; family < kWrc537FamilyCount; ++family) {
    Wrc537Curve curve{static_cast<Wrc537Family>(family), family <= kSmTangentialBending ? 5.0f : 100.0f, {}};
    curve.record.c[0] = 0.1f;
    curves.push_back(curve);
  }
  SetWrc537CurveTable(&curves);
  d.analysis = kNozzleWrc537;
  d.T = 0.5f, d.Rm = 50, d.ro = 5, d.eb = 0.5f, d.rm = 4.75f, d.r = 0.25f, d.P = 100000, d.V1 = 200000,
  d.M1 = 1000000;
  d.Pm = 50000, d.Pb = 20000, d.All = 300000;
  AnalyseNozzle();
  ExpectNoOverprint("WRC 537 sphere", PrintNozzleReport, 30);
  ExpectWholeOnThePage("WRC 537 sphere", "Print Local loads on nozzle", 30);
  // A cylinder: the attachment's own labels and the (PL+Q) intensity.
  d.spherical = false;
  AnalyseNozzle();
  ExpectNoOverprint("WRC 537 cylinder", PrintNozzleReport, 25);
  ExpectWholeOnThePage("WRC 537 cylinder", "Print Local loads on nozzle", 25);
}

TEST_F(EvaluationLinesLayoutTest, TheLugReportsLabelsEndBeforeTheirValues) {
  NewFrom(1008);
  ASSERT_TRUE(LugToolHoldsListFrame());
  LugInputs& d = TheLugDocument().data;
  d.OD = 100.75f, d.Thk = 10.5f, d.L1 = 10.5f, d.L2 = 10.0f;
  // Negative shears and moments, and loads with decimals: values of seven
  // to nine characters.
  for (auto& set : d.loads) set = {1000000, -500000, -300000, 2000000, -3000000, 4000000};
  d.loads[kLugAbsMax] = {1000000, 123456.7f, 300000, 2000000, 3000000, 4000000};
  d.s1 = 50000, d.s2 = 60000, d.s3 = 70000, d.s4 = 10000, d.s5 = 120000, d.sh = 200000, d.sa = 300000, d.sy = 350000;
  AnalyseLug();
  ExpectNoOverprint("lug, rectangular, ASME", PrintLugReport, 40);
  ExpectWholeOnThePage("lug, rectangular, ASME", "Print Lug Evaluation Module", 40);
  d.lugType = kLugHollowCircular;
  d.od = 40.5f, d.thk = 2.5f;
  AnalyseLug();
  ExpectNoOverprint("lug, hollow circular, ASME", PrintLugReport, 40);
  ExpectWholeOnThePage("lug, hollow circular, ASME", "Print Lug Evaluation Module", 40);
  d.code = kLugEn13480;
  d.fh = 200000, d.fa = 300000, d.ReHt = 350000, d.fcr = 150000;
  AnalyseLug();
  ExpectNoOverprint("lug, hollow circular, EN 13480", PrintLugReport, 35);
  ExpectWholeOnThePage("lug, hollow circular, EN 13480", "Print Lug Evaluation Module", 35);
}

}  // namespace
