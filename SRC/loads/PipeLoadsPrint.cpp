// The "Pipe loads" report section on the three roads. With fewer than four
// thermal loads the printer gets the list as a ruled grid and the text and
// comma-separated reports one line per load; with ten thermal loads every
// load is a block of lines: two temperature and pressure pairs a line, the
// design values and the specific gravity, additional weight and wind flag.
#include <algorithm>
#include <string>
#include <vector>

#include "loads/LoadsReport.h"
#include "loads/PipeLoadsTable.h"
#include "model/Model.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "records/PipeLoad.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

const Model& M() { return TheModel(); }
int ThermalCount() { return M().options.ThermalLoadCount; }

class PipeLoadsPrintTable : public PrintTable {
 public:
  PipeLoadsPrintTable() { headingLines = 2; }
  void DefineColumns() override {
    SetColumns(kPipeLoadColumns);
    PipeLoadColumnWidths(M(), [](const std::string& text) { return TextWidth(text); }, widths);
  }
  std::string HeadingText(int column, int line) override { return PipeLoadHeadingText(column, line); }
  std::string CellText(int row, int column, int /*line*/) override {
    return PipeLoadCellText(M().pipeLoads[row], column, ThermalCount());
  }
};

std::string Temperature(float value) { return WithUnit(FormatTemperature(value), UnitLabel(kUnitTemperature)); }
std::string Pressure(float value) { return WithUnit(FormatPressure(value), UnitLabel(kUnitPressure)); }

// The block lines of one load: five lines of two pairs, the design line and
// the specific gravity line.
std::vector<std::string> BlockLines(const PipeLoad& load) {
  std::vector<std::string> lines;
  for (int first = 0; first < 10; first += 2) {
    std::string line;
    for (int pair = first; pair < first + 2; ++pair) {
      const TemperaturePressure& tp = load.operating[static_cast<std::size_t>(pair)];
      const std::string k = std::to_string(pair + 1);
      if (pair != first) line += ", ";
      line += "T" + k + " = " + Temperature(tp.temperature) + ", P" + k + " = " + Pressure(tp.pressure);
    }
    lines.push_back(line);
  }
  lines.push_back("Design Temperature = " + Temperature(load.designTemperature) +
                  ", Design Pressure = " + Pressure(load.designPressure));
  std::string weight = FormatAdditionalWeight(load.additionalWeight);
  if (weight.empty()) weight = "0";
  lines.push_back(std::string("Specific Gravity = ") + FormatFixedWidth(load.specificGravity, 8, 3) +
                  ", Add. Wgt = " + WithUnit(weight, UnitLabel(kUnitAdditionalWeight)) +
                  ", Wind Load = " + (load.wind != 0 ? "Y" : "N"));
  return lines;
}

void PrinterBlocks() {
  for (int index = 1; index <= M().pipeLoads.count; ++index) {
    const PipeLoad& load = M().pipeLoads[index];
    if (PrinterLinesLeft() < 8) PrinterPageHeading();
    PrinterHeadingBar("Pipe load: " + load.name);
    for (const std::string& line : BlockLines(load)) {
      PrinterNewLine();
      PrinterTextLeft(line);
    }
    PrinterNewLine();
  }
}

void FileBlocks() {
  if (g_ReportToFile) {
    ReportCsvLine({"Pipe Loads"});
  } else {
    ReportPutCentred("Pipe Loads", 6, 78);
    ReportNewLine();
    ReportRule();
  }
  for (int index = 1; index <= M().pipeLoads.count; ++index) {
    const PipeLoad& load = M().pipeLoads[index];
    ReportTextOrCellLine("Load: " + load.name, 6);
    if (!g_ReportToFile) ReportRule();
    for (const std::string& line : BlockLines(load)) ReportTextOrCellLine(line, 6);
    if (!g_ReportToFile) ReportRule();
  }
}

void TextHeading() {
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportPutCentred("Pipe Loads", 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Load    T1    P1       T2    P2       T3    P3   DT    DP   Specific  Add.Wgt  Wind", 6);
  ReportNewLine();
  const std::string temperature = UnitLabel(kUnitTemperature);
  const std::string pressure = UnitLabel(kUnitPressure);
  ReportPutText("Name", 6);
  for (int column : {13, 28, 43, 55}) ReportPutText(temperature, column);
  for (int first : {17, 32, 47, 59}) ReportPutCentred(pressure, first, first + 7);
  ReportPutText("gravity", 66);
  ReportPutCentred(UnitLabel(kUnitAdditionalWeight), 76, 83);
  ReportPutText("Load", 85);
  ReportNewLine();
  ReportRule();
}

void PutLeftIfSet(const std::string& text, int column) {
  if (!text.empty()) ReportPutText(text, column);
}

void TextLines() {
  const int count = ThermalCount();
  for (int index = 1; index <= M().pipeLoads.count; ++index) {
    if (index == 1 || g_ReportLine == kReportBodyLine) TextHeading();
    const PipeLoad& load = M().pipeLoads[index];
    ReportPutText(load.name, 6);
    const int ends[3][2] = {{15, 21}, {30, 36}, {45, 51}};
    for (int pair = 0; pair < std::min(count, 3); ++pair) {
      const TemperaturePressure& tp = load.operating[static_cast<std::size_t>(pair)];
      ReportPutTextRight(FormatTemperature(tp.temperature), ends[pair][0]);
      ReportPutTextRight(FormatPressure(tp.pressure), ends[pair][1]);
    }
    PutLeftIfSet(FormatTemperature(load.designTemperature), 55);
    PutLeftIfSet(FormatPressure(load.designPressure), 61);
    if (load.specificGravity != 0.0f) ReportPutText(FormatFixedWidth(load.specificGravity, 8, 3), 66);
    PutLeftIfSet(FormatAdditionalWeight(load.additionalWeight), 76);
    if (load.wind != 0) ReportPutText("Y", 85);
    ReportNewLine();
  }
  ReportRule();
}

void CsvLines() {
  ReportCsvLine({"Pipe Loads"});
  ReportCsvLine({"Load", "T1", "P1", "T2", "P2", "T3", "P3", "Design Temp", "Design Pressure", "Specific", "Add.Wgt",
                 "Wind"});
  std::vector<std::string> units{"Name"};
  for (int i = 0; i < 4; ++i) {
    units.push_back(UnitLabel(kUnitTemperature));
    units.push_back(UnitLabel(kUnitPressure));
  }
  units.insert(units.end(), {"gravity", UnitLabel(kUnitAdditionalWeight), "Load"});
  ReportCsvLine(units);
  const int count = ThermalCount();
  for (int index = 1; index <= M().pipeLoads.count; ++index) {
    const PipeLoad& load = M().pipeLoads[index];
    std::vector<std::string> cells{load.name};
    for (int pair = 0; pair < 3; ++pair) {
      const TemperaturePressure& tp = load.operating[static_cast<std::size_t>(pair)];
      cells.push_back(pair < count ? FormatTemperature(tp.temperature) : "");
      cells.push_back(pair < count ? FormatPressure(tp.pressure) : "");
    }
    cells.push_back(FormatTemperature(load.designTemperature));
    cells.push_back(FormatPressure(load.designPressure));
    cells.push_back(FormatFixedWidth(load.specificGravity, 8, 3));
    cells.push_back(FormatAdditionalWeight(load.additionalWeight));
    if (load.wind != 0) cells.push_back("Y");
    ReportCsvLine(cells);
  }
}

}  // namespace

void PrintPipeLoads() {
  if (M().pipeLoads.count == 0) return;
  const bool blocks = ThermalCount() >= 4;
  if (!g_ReportFileOpen) {
    BeginReportSection("Pipe loads", 0);
    if (blocks) {
      PrinterBlocks();
      return;
    }
    PipeLoadsPrintTable table;
    TablePrint(table, "Pipe Loads", M().pipeLoads.count);
    return;
  }
  ReportSetTitle("Pipe Loads");
  if (blocks)
    FileBlocks();
  else if (g_ReportToFile)
    CsvLines();
  else
    TextLines();
}
