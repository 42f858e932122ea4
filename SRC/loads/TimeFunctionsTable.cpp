// The time functions table, its commands and its report section; see
// TimeFunctionsTable.h.
#include "loads/TimeFunctionsTable.h"

#include <string>

#include "loads/LoadsReport.h"
#include "loads/PointTablesTable.h"
#include "loads/TimeFunctionFiles.h"
#include "loads/TimeVaryingLoad.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "records/TimeFunction.h"
#include "services/TableWindowSupport.h"

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
  static const PointTablesReportForm form{"Time functions", "Time (Sec)", 8, 23};
  PrintPointTables(kGridKind, TheModel().timeFunctions, form);
}
