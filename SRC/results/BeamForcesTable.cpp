// The beam forces table; see BeamForcesTable.h.
#include "results/BeamForcesTable.h"

#include <array>
#include <string>

#include "printing/ReportOutput.h"
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

constexpr int kColumns = 7;

int BeamCount() { return static_cast<int>(TheResults().beamElements.size()); }

class BeamForcesTableWindow : public ElementForcesTableWindow {
 public:
  const std::vector<int>& RowElements() const override { return TheResults().beamElements; }
  TableShape Shape() const override { return {kColumns, 2, 2}; }
  void Load() override {
    LoadCaseElementForces();
    ShowResultsTitle("Beam forces in " + ForceAxesName() + " coordinates");
  }
  std::string PrintName() override { return "Beam forces"; }
  // The wider of the local and the global measure, so that switching the
  // mode keeps the columns.
  void DefineColumns() override { widths = BothAxesWidths(ScreenTextWidth(*this), 2, 7); }
  std::string HeadingText(int column, int line) override {
    if (column == 1) return line == 0 ? "" : "Node";
    return ForceValueHeading(column - 2, line, g_ShowGlobalForces);
  }
  std::string CellText(int row, int column, int line) override {
    const int e = ElementOfRow(row);
    if (e == 0 || e >= static_cast<int>(g_CaseElementForces.size())) return {};
    if (column == 1) return NodeCell(e, line);
    const std::array<float, 12>& record = g_CaseElementForces[static_cast<std::size_t>(e)];
    if (!g_ShowGlobalForces) return FormatLocalForce(record, column, line, 2);
    return GlobalCell(e, record, column, line, 0);
  }
  void WriteText() override { PrintBeamForces(); }
};

BeamForcesTableWindow& TheTable() {
  static BeamForcesTableWindow table;
  return table;
}

// The six values of one end in the text report's columns.
void PutValues(BeamForcesTableWindow& t, int row, int line, int first, int step) {
  for (int c = 2; c <= kColumns; ++c) ReportPutTextRight(t.CellText(row, c, line), first + step * (c - 2) + (c >= 5 ? 2 : 0));
}

void WriteTextReport(BeamForcesTableWindow& t, int rows) {
  const std::string caseTitle = CurrentCaseTitle();
  const bool global = g_ShowGlobalForces;
  const std::string title = "Beam forces in " + ForceAxesName() + " coordinates: " + caseTitle;
  const int nodeColumn = global ? 4 : 6;
  auto heading = [&] {
    ReportPutCentred(title, global ? 4 : 6, 78);
    ReportNewLine();
    ReportRule();
    if (!global) {
      ReportPutText("fx      fy      fz       mx       my       mz", 16);
      ReportNewLine();
      ReportPutText("Node", 6);
      for (const auto& [a, b] : {std::pair{15, 18}, {23, 26}, {31, 34}}) ReportPutCentred(UnitLabel(kUnitForce), a, b);
      for (const auto& [a, b] : {std::pair{39, 45}, {48, 54}, {57, 63}}) ReportPutCentred(UnitLabel(kUnitMoment), a, b);
    } else {
      ReportPutText("Node", 5);
      const int spans[6][2] = {{13, 19}, {23, 29}, {33, 39}, {44, 52}, {56, 64}, {68, 76}};
      for (int i = 0; i < 6; ++i)
        ReportPutCentred(ForceValueHeading(i, 0, true) + " " + UnitLabel(i < 3 ? kUnitForce : kUnitMoment), spans[i][0],
                         spans[i][1]);
    }
    ReportNewLine();
    ReportRule();
  };
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(caseTitle + (global ? ": Beam forces in global coordinates" : ": Beam forces (local)"));
  heading();
  for (int row = 1; row <= rows; ++row) {
    if (ReportLinesLeft() < 3) ReportNewPage();
    if (g_ReportLine == kReportBodyLine) heading();
    for (int line = 0; line < 2; ++line) {
      ReportPutText(t.CellText(row, 1, line), nodeColumn);
      PutValues(t, row, line, global ? 19 : 18, global ? 11 : 8);
      ReportNewLine();
    }
    ReportNewLine();
  }
}

void WriteCsvReport(BeamForcesTableWindow& t, int rows) {
  const std::string caseTitle = CurrentCaseTitle();
  const bool global = g_ShowGlobalForces;
  ReportAppendLine(CsvQuoted(caseTitle + (global ? ": Beam forces in global coordinates" : ": Beam forces (local)")));
  ReportNewLine();
  ReportAppendLine(global ? "Node,FX,FY,FZ,MX,MY,MZ" : ",fx,fy,fz,mx,my,mz");
  ReportNewLine();
  WriteForceUnitsCsv({"Node"});
  for (int row = 1; row <= rows; ++row) WriteForceRowCsv(t, row, kColumns);
}

}  // namespace

void OpenBeamForcesTable() { OpenElementForcesTable(TheTable(), OpenBeamForcesTable); }

ResultTableWindow& BeamForcesTable() { return TheTable(); }
void RegisterBeamForcesTable() { RegisterResultTableView(TheTable()); }

void PrintBeamForces() {
  const int rows = BeamCount();
  if (rows == 0) return;
  LoadCaseElementForces();
  BeamForcesTableWindow& table = TheTable();
  if (!g_ReportFileOpen) {
    PrintForcesGrid(table, rows, "Beam forces", [](std::vector<int>& w) { SpreadMaxWidth(w, 2, 7); });
    return;
  }
  if (g_ReportToFile) WriteCsvReport(table, rows);
  else WriteTextReport(table, rows);
}
