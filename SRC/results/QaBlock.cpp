// The Quality Assurance block's dialog and cover page (see QaBlock.h).
#include "results/QaBlock.h"

#include <ctime>
#include <string>

#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "resultsfile/ResultsFile.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

struct QaBox {
  std::string QualityAssuranceBlock::*field;
  int box;
  int longest;
};
constexpr QaBox kBoxes[] = {
    {&QualityAssuranceBlock::client, 1301, 40},     {&QualityAssuranceBlock::project, 1302, 40},
    {&QualityAssuranceBlock::fileNumber, 1303, 40}, {&QualityAssuranceBlock::reportNumber, 1304, 40},
    {&QualityAssuranceBlock::preparedBy, 1305, 24}, {&QualityAssuranceBlock::checkedBy, 1306, 24},
};

thread_local DialogHelper t_helper;

void QaBlockFill(HWND dialog) {
  t_helper = DialogHelper{};
  t_helper.DialogBind(dialog);
  const QualityAssuranceBlock& qa = TheModel().qa;
  const bool readOnly = TableResultsShown();
  for (const QaBox& box : kBoxes) {
    t_helper.DialogSetItemTextAndLimit(box.box, qa.*box.field, box.longest);
    if (readOnly) t_helper.DialogSetReadOnly(box.box);
  }
  CenterWindowOnParent(dialog, 0);
  t_helper.DialogSelectAndFocus(1301);
}

// Stores what differs; the model is modified only by a real change.
bool QaBlockStore() {
  Model& model = TheModel();
  for (const QaBox& box : kBoxes) {
    std::string text = t_helper.DialogReadItemText(box.box);
    TrimBlanks(text);
    if (text.size() > static_cast<std::size_t>(box.longest)) text.resize(static_cast<std::size_t>(box.longest));
    if (text == model.qa.*box.field) continue;
    model.qa.*box.field = text;
    model.modified = true;
  }
  return true;
}

// The model name of the cover: the file name without its folder and ".mod".
std::string CoverModelName() { return GetModelName(); }

std::string Analyzed() { return AnalyzedTimeText(TheResults().fileTime); }

struct CoverLine {
  const char* label;
  std::string value;
};

std::vector<CoverLine> CoverLines() {
  const Model& model = TheModel();
  return {{"Client", model.qa.client},          {"Project", model.qa.project},
          {"File Number", model.qa.fileNumber}, {"Report Number", model.qa.reportNumber},
          {"Model Name", CoverModelName()},     {"Title", model.title},
          {"Analyzed", Analyzed()}};
}

const std::string kSignatureLine(25, '_');

void CoverOnTextPage() {
  ReportSetTitle("Q.A.Block");
  ReportPutCentredAtLine("Quorvel", 16, 4, 88);
  ReportPutCentredAtLine(std::string("Version ") + kVersionText, 17, 4, 88);
  int line = 21;
  for (const CoverLine& cover : CoverLines()) {
    ReportPutTextAtLine(cover.label, line, 13);
    ReportPutTextAtLine(":", line, 27);
    ReportPutTextAtLine(cover.value, line, 30);
    line += 2;
  }
  const QualityAssuranceBlock& qa = TheModel().qa;
  const struct {
    const char* label;
    int line;
    const std::string& name;
  } signatures[] = {{"Prepared by", 38, qa.preparedBy}, {"Checked by", 43, qa.checkedBy}};
  for (const auto& signature : signatures) {
    ReportPutTextAtLine(signature.label, signature.line, 13);
    ReportPutTextAtLine(":", signature.line, 27);
    ReportPutTextAtLine(kSignatureLine, signature.line, 30);
    ReportPutTextAtLine("Date:", signature.line, 58);
    ReportPutTextAtLine(signature.name, signature.line + 1, 30);
  }
  ReportNewPage();
}

void CsvLine(const std::string& text) {
  ReportPutText(text, 1);
  ReportNewLine();
  ReportRule();
}

void CoverInCsv() {
  CsvLine("Q.A.Block");
  CsvLine("Quorvel");
  CsvLine(std::string("Version ") + kVersionText);
  for (const CoverLine& cover : CoverLines()) CsvLine(std::string(cover.label) + "," + CsvQuoted(cover.value));
  // The names stand in the field beside their labels, as the text and
  // printed covers print them under the signature lines.
  const QualityAssuranceBlock& qa = TheModel().qa;
  CsvLine("Prepared by," + CsvQuoted(qa.preparedBy) + ",Date,,");
  CsvLine("Checked by," + CsvQuoted(qa.checkedBy) + ",Date,,");
}

void CoverOnPrinterPage() {
  PrinterHeadingBar("Quality Assurance Block");
  PrinterPageGeometry& page = PrinterPage();
  const int lineHeight = page.lineHeight;
  page.y = page.bodyTop + page.barHeight + (page.bodyBottom - 32 * lineHeight - page.bodyTop) / 2;
  PrinterTextCentred(page.width / 2, "Quorvel");
  for (int i = 0; i < 2; ++i) PrinterNewLine();
  PrinterTextCentred(page.width / 2, std::string("Version ") + kVersionText);
  for (int i = 0; i < 5; ++i) PrinterNewLine();
  const int w = PrinterTextWidth("Report Number ");
  const int x0 = (page.width - 4 * w) / 2;
  const int x1 = x0 + w;
  const int x2 = x1 + PrinterTextWidth(":  ");
  const int x3 = x2 + PrinterTextWidth(kSignatureLine + "    ");
  for (const CoverLine& cover : CoverLines()) {
    PrinterTextAt(x0, cover.label);
    PrinterTextAt(x1, ":");
    PrinterTextAt(x2, cover.value);
    for (int i = 0; i < 2; ++i) PrinterNewLine();
  }
  for (int i = 0; i < 3; ++i) PrinterNewLine();
  const QualityAssuranceBlock& qa = TheModel().qa;
  const struct {
    const char* label;
    const std::string& name;
  } signatures[] = {{"Prepared by", qa.preparedBy}, {"Checked by", qa.checkedBy}};
  bool first = true;
  for (const auto& signature : signatures) {
    if (!first)
      for (int i = 0; i < 4; ++i) PrinterNewLine();
    first = false;
    PrinterTextAt(x0, signature.label);
    PrinterTextAt(x1, ":");
    PrinterTextAt(x2, kSignatureLine);
    PrinterTextAt(x3, "Date:");
    PrinterNewLine();
    PrinterTextAtXY(x2, page.y + 3 * page.gap / 2, signature.name);
  }
}

}  // namespace

std::string AnalyzedTimeText(std::int64_t secondsSinceEpoch) {
  if (secondsSinceEpoch <= 0) return "";
  const std::time_t time = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return "";
  char text[32] = {};
  std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y", &local);
  return text;
}

INT_PTR QaBlockDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: QaBlockFill(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (TableResultsShown()) {
            EndDialog(dialog, 0);
            return TRUE;
          }
          try {
            QaBlockStore();
          } catch (const std::string& text) {
            t_helper.DialogFocusInvalid(text);
            return TRUE;
          }
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int QaBlockDialog(HWND owner) {
  return static_cast<int>(DialogBoxParam(InstanceHandle, "QA_BLOCK_DIALOG", owner, QaBlockDialogProc, 0));
}

void PrintQaBlock() {
  if (!g_ReportFileOpen) return CoverOnPrinterPage();
  if (g_ReportToFile) return CoverInCsv();
  CoverOnTextPage();
}
