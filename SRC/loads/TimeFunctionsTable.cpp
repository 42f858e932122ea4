// The time functions table, its commands and its report section; see
// TimeFunctionsTable.h.
#include "loads/TimeFunctionsTable.h"

#include <string>

#include "graphics/PrinterReport.h"
#include "graphics/ReportOutput.h"
#include "loads/LoadsReport.h"
#include "loads/PointTablesTable.h"
#include "loads/TimeFunction.h"
#include "loads/TimeFunctionFiles.h"
#include "loads/TimeVaryingLoad.h"
#include "model/Model.h"
#include "shell/TableWindowSupport.h"
#include "shell/UndoFiles.h"

namespace {

constexpr int kReadCommand = 222;
constexpr int kExportCommand = 351;

NamedPointsList& Functions(Model& model) { return model.timeFunctions; }

const PointsGridKind kGridKind{{{"Time (Sec)", ""}, {"Value", ""}}, 1, "Time", "Value", true,
                               "Time function = ", Functions};

const PointTablesKind& Kind() {
  static const PointTablesKind kind{"Time functions",
                                    "Time function",
                                    "Time function name",
                                    "Time function values are required",
                                    "TimeFunctions.csv",
                                    IsTimeFunctionInUse,
                                    RenameTimeFunctionReferences,
                                    {{kReadCommand, "&Read Time Function...", nullptr},
                                     {kExportCommand, "&Export...", nullptr}}};
  return kind;
}

// The text report's form of one function: its title in a box, the heading
// and the points, a rule under them.
void TextFunction(const TimeFunction& function) {
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportRuleBetween(6, 83);
  ReportNewLine();
  ReportPutChar('|', 6);
  ReportPutCentred("Time function = " + function.name, 7, 82);
  ReportPutChar('|', 83);
  ReportNewLine();
  ReportRuleBetween(6, 83);
  ReportNewLine();
  ReportPutText("Time (Sec)      Value", 6);
  ReportNewLine();
  for (const FloatPair& point : function.points) {
    ReportPutText(PointValueText(point.x), 8);
    ReportPutText(PointValueText(point.y), 23);
    ReportNewLine();
  }
  ReportRule();
}

void CsvFunction(const TimeFunction& function) {
  ReportCsvLine({"Time function = " + function.name});
  ReportCsvLine({"Time (Sec)", "Value"});
  for (const FloatPair& point : function.points) ReportCsvLine({PointValueText(point.x), PointValueText(point.y)});
}

}  // namespace

PointsGrid& TheTimeFunctionsGrid() {
  static PointsGrid grid(kGridKind);
  return grid;
}

PointTablesTable& TheTimeFunctionsTable() {
  static PointTablesTable table(Kind(), TheTimeFunctionsGrid(), OpenTimeFunctionsTable);
  return table;
}

void OpenTimeFunctionsTable() { TheTimeFunctionsTable().Open(); }

bool TimeFunctionsOffered(const Model& model) { return HasTimeFunctions(model.timeFunctions); }

bool TimeFunctionsListCommand(HWND window, int command) {
  PointTablesTable& table = TheTimeFunctionsTable();
  if (!table.Shown()) return false;
  switch (command) {
    case kReadCommand: {
      if (TableResultsShown()) return true;
      table.Grid().Commit();
      const SnapshotToken token = TakeUndoSnapshot(window);
      if (!ReadTimeFunctionsFromTextFile(window, table.CurrentEntry())) {
        PopTempFile(token);
        return true;
      }
      table.Refresh(table.currentRow);
      return true;
    }
    case kExportCommand:
      table.Grid().Commit();
      ExportTimeFunctions(window);
      return true;
    default: return false;
  }
}

void RenameTimeFunctionReferences(Model& model, const std::string& from, const std::string& to) {
  for (int row = 1; row <= model.rowCount; ++row) {
    LayoutRow& layout = model.row(row);
    if (layout.dataType != DataType::TimeVaryingLoad || !layout.item) continue;
    auto& load = static_cast<TimeVaryingLoad&>(*layout.item);
    if (load.TimeFunctionName == from) load.TimeFunctionName = to;
  }
}

void PrintTimeFunctions() {
  const TimeFunctionList& list = TheModel().timeFunctions;
  if (!HasTimeFunctions(list)) return;
  if (!g_ReportFileOpen) BeginReportSection("Time functions", 0);
  else ReportSetTitle("Time functions");
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    const TimeFunction& function = list[index];
    if (!g_ReportFileOpen)
      PrintPointsGrid(kGridKind, function);
    else if (g_ReportToFile)
      CsvFunction(function);
    else
      TextFunction(function);
  }
}
