// The wind loads of the model report. Wind load 1 is reported whenever a
// wind load is defined; wind loads 2 to 4 when they hold data and the model
// has a piping code. Each shows its shape factor, its direction and its
// profile of the kind in force in the profile units of the wind dialog. In
// verification mode the text and comma-separated reports give wind load 1
// as the fixed velocity of 100 mph instead.
#include <string>
#include <vector>

#include "loads/LoadsReport.h"
#include "loads/WindDialog.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/StartupSwitches.h"
#include "services/Units.h"

namespace {

const WindData& Wind() { return TheModel().wind; }

class WindProfilePrintTable : public PrintTable {
 public:
  WindProfilePrintTable() { headingLines = 2; }
  void DefineColumns() override {
    SetColumns(2);
    widths[1] = widths[2] = TextWidth("123456789");
  }
  std::string HeadingText(int column, int line) override { return TheWindProfileTable().HeadingText(column, line); }
  std::string CellText(int row, int column, int line) override {
    return TheWindProfileTable().CellText(row, column, line);
  }
};

std::string ShapeLine(const WindLoad& load) {
  return std::string("Shape factor  = ") + FormatFixedWidth(load.shapeFactor, 10, 2);
}

std::string DirectionLine(const WindLoad& load, const char* lead) {
  std::string line = lead;
  const char* names[3] = {"X", "Y", "Z"};
  for (int axis = 0; axis < 3; ++axis) {
    line += axis == 0 ? " " : ", ";
    line += std::string(names[axis]) + " comp = " + FormatFixedWidth(load.direction[static_cast<std::size_t>(axis)], 10, 3);
  }
  return line;
}

std::string Title(int k, bool capital) {
  return std::string(capital ? "Wind Load " : "Wind load ") + std::to_string(k);
}

std::vector<std::string> PointCells(int row) {
  WindProfileTable& table = TheWindProfileTable();
  return {table.CellText(row, 1, 0), table.CellText(row, 2, 0)};
}

void PrinterLoad(int k, const WindLoad& load) {
  if (PrinterLinesLeft() < 7) PrinterPageHeading();
  BeginReportSection(Title(k, false), 0);
  PrinterHeadingBar(Title(k, false));
  PrinterNewLine();
  PrinterTextLeft(ShapeLine(load));
  PrinterNewLine();
  PrinterTextLeft(DirectionLine(load, "Wind direction:"));
  PrinterHalfLine();
  WindProfilePrintTable table;
  TablePrint(table, "", static_cast<int>(WindProfileEdit().size()));
}

void TextLoad(int k, const WindLoad& load) {
  WindProfileTable& table = TheWindProfileTable();
  ReportPutCentred(Title(k, true), 6, 78);
  ReportNewLine();
  ReportRule();
  ReportTextOrCellLine(ShapeLine(load), 6);
  ReportTextOrCellLine(DirectionLine(load, "Wind direction:"), 6);
  ReportNewLine();
  ReportPutText(table.HeadingText(1, 0), 6);
  ReportPutText(table.HeadingText(2, 0), 17);
  ReportNewLine();
  ReportPutText(table.HeadingText(1, 1), 7);
  ReportPutText(table.HeadingText(2, 1), 18);
  ReportNewLine();
  for (int row = 1; row <= static_cast<int>(WindProfileEdit().size()); ++row) {
    const std::vector<std::string> cells = PointCells(row);
    ReportPutText(cells[0], 8);
    ReportPutText(cells[1], 19);
    ReportNewLine();
  }
  ReportRule();
}

void CsvLoad(int k, const WindLoad& load) {
  WindProfileTable& table = TheWindProfileTable();
  ReportCsvLine({Title(k, true)});
  ReportCsvLine({ShapeLine(load)});
  ReportAppendLine(DirectionLine(load, "Wind direction,"));
  ReportNewLine();
  ReportCsvLine({table.HeadingText(1, 0), table.HeadingText(2, 0)});
  ReportCsvLine({table.HeadingText(1, 1), table.HeadingText(2, 1)});
  for (int row = 1; row <= static_cast<int>(WindProfileEdit().size()); ++row) ReportCsvLine(PointCells(row));
}

void VerificationLines(const WindLoad& load) {
  const std::string velocity = std::string("Wind velocity = ") + FormatVelocity(100.0f) + " " + UnitLabel(kUnitVelocity);
  if (g_ReportToFile) {
    ReportCsvLine({velocity});
    ReportCsvLine({ShapeLine(load)});
    ReportAppendLine(DirectionLine(load, "Wind direction,"));
    ReportNewLine();
    return;
  }
  ReportTextOrCellLine(velocity, 6);
  ReportTextOrCellLine(ShapeLine(load), 6);
  ReportTextOrCellLine(DirectionLine(load, "Wind direction:"), 6);
}

}  // namespace

void PrintWindLoads() {
  const WindData& wind = Wind();
  bool defined = false;
  for (int k = 0; k < kWindLoadCount; ++k) defined = defined || IsWindDefined(wind, k);
  if (!defined) return;
  if (g_ReportFileOpen && VerificationMode != 0) {
    VerificationLines(wind.loads[0]);
    return;
  }
  const bool code = TheModel().options.PipingCode != 0;
  for (int k = 1; k <= kWindLoadCount; ++k) {
    if (k > 1 && !(code && WindLoadHasData(wind, k - 1))) continue;
    const WindLoad& load = wind.loads[static_cast<std::size_t>(k - 1)];
    WindProfileEdit() = WindProfileInForce(wind, k - 1);
    if (!g_ReportFileOpen)
      PrinterLoad(k, load);
    else if (g_ReportToFile)
      CsvLoad(k, load);
    else
      TextLoad(k, load);
  }
}
