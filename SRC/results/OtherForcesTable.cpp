// The other forces table; see OtherForcesTable.h.
#include "results/OtherForcesTable.h"

#include <array>
#include <string>

#include "model/LayoutKeywords.h"
#include "printing/ReportOutput.h"
#include "results/ElementForceRows.h"
#include "results/ElementForceValues.h"
#include "results/ElementForcesTable.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 8;

int OtherCount() { return static_cast<int>(TheResults().otherElements.size()); }

class OtherForcesTableWindow : public ElementForcesTableWindow {
 public:
  const std::vector<int>& RowElements() const override { return TheResults().otherElements; }
  TableShape Shape() const override { return {kColumns, 2, 2}; }
  void Load() override {
    LoadCaseElementForces();
    ForgetGlobalForces();
    ShowResultsTitle("Other forces in " + ForceAxesName() + " coordinates");
  }
  std::string PrintName() override { return "Other forces"; }
  // Measured in both axes; the value columns take the wider measure, all
  // six alike, so switching the axes keeps them.
  void DefineColumns() override { widths = BothAxesWidths(ScreenTextWidth(*this), 3, 8); }
  std::string HeadingText(int column, int line) override {
    if (column == 1) return line == 1 ? "Node" : "";
    if (column == 2) return line == 1 ? "Type" : "";
    return ForceValueHeading(column - 3, line, g_ShowGlobalForces);
  }
  std::string CellText(int row, int column, int line) override {
    const int e = ElementOfRow(row);
    if (e == 0 || e >= static_cast<int>(g_CaseElementForces.size()) || line < 0 || line > 1) return {};
    if (column == 1) return NodeCell(e, line);
    if (column == 2) return line == 0 ? ElementTypeMessageName(static_cast<ElementType>(Element(e).kind)) : "";
    const std::array<float, 12>& record = g_CaseElementForces[static_cast<std::size_t>(e)];
    if (!g_ShowGlobalForces) return FormatLocalForce(record, column, line, 3);
    return GlobalCell(e, record, column, line, 1);
  }
  void WriteText() override { PrintOtherForces(); }
};

OtherForcesTableWindow& TheTable() {
  static OtherForcesTableWindow table;
  return table;
}

std::string PageTitle() { return CurrentCaseTitle() + ": Other forces (" + ForceAxesName() + " coordinates)"; }

void TextHeading() {
  ReportPutCentred("Other forces in " + ForceAxesName() + " coordinates: " + CurrentCaseTitle(), 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText(g_ShowGlobalForces ? "FX      FY      FZ        MX       MY        MZ"
                                   : "fx      fy      fz        mx       my        mz",
                25);
  ReportNewLine();
  ReportPutText("Node", 6);
  ReportPutText("Type", 16);
  for (const auto& [a, b] : {std::pair{24, 27}, {32, 35}, {40, 43}}) ReportPutCentred(UnitLabel(kUnitForce), a, b);
  for (const auto& [a, b] : {std::pair{49, 55}, {58, 64}, {68, 74}}) ReportPutCentred(UnitLabel(kUnitMoment), a, b);
  ReportNewLine();
  ReportRule();
}

void CsvHeading() {
  ReportAppendLine(CsvQuoted(PageTitle()));
  ReportNewLine();
  ReportAppendLine(g_ShowGlobalForces ? "Node,Type,FX,FY,FZ,MX,MY,MZ" : "Node,Type,fx,fy,fz,mx,my,mz");
  ReportNewLine();
  WriteForceUnitsCsv({"", ""});
}

void LocalTextRow(OtherForcesTableWindow& t, int row) {
  static constexpr int kEnds[6] = {27, 35, 43, 53, 63, 73};
  for (int line = 0; line < 2; ++line) {
    ReportPutText(t.CellText(row, 1, line), 6);
    if (line == 0) ReportPutText(t.CellText(row, 2, 0), 16);
    for (int c = 3; c <= kColumns; ++c) ReportPutTextRight(t.CellText(row, c, line), kEnds[c - 3]);
    ReportNewLine();
  }
  ReportNewLine();
}

}  // namespace

void OpenOtherForcesElementTable() { OpenElementForcesTable(TheTable(), OpenOtherForcesElementTable); }

ResultTableWindow& OtherForcesTable() { return TheTable(); }
void RegisterOtherForcesTable() { RegisterResultTableView(TheTable()); }

void PrintOtherForces() {
  const int rows = OtherCount();
  if (rows == 0) return;
  LoadCaseElementForces();
  OtherForcesTableWindow& t = TheTable();
  if (!g_ReportFileOpen) {
    PrintForcesGrid(t, rows, "Other forces", [](std::vector<int>& w) { SpreadMaxWidth(w, 3, 8); });
    return;
  }
  const bool global = g_ShowGlobalForces;
  if (g_ReportToFile) {
    CsvHeading();
    for (int row = 1; row <= rows; ++row) {
      if (global) WriteGlobalForceCsvRow(t.ElementOfRow(row), true);
      else WriteForceRowCsv(t, row, kColumns);
    }
    return;
  }
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(PageTitle());
  for (int row = 1; row <= rows; ++row) {
    if (row == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    if (global) WriteGlobalForceTextRow(t.ElementOfRow(row), true);
    else LocalTextRow(t, row);
    if (row < rows && ReportLinesLeft() < 3) ReportNewPage();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}
