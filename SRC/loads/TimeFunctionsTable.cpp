// The time functions table, its commands and its report section; see
// TimeFunctionsTable.h.
#include "loads/TimeFunctionsTable.h"

#include <string>

#include "loads/PointTablesTable.h"
#include "loads/TimeFunctionFiles.h"
#include "loads/TimeVaryingLoad.h"
#include "model/Model.h"
#include "records/TimeFunction.h"

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
                                     {kExportCommand, "&Export...", nullptr}},
                                    kReadCommand,
                                    ReadTimeFunctionsFromTextFile,
                                    kExportCommand,
                                    ExportTimeFunctions};
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
  return TheTimeFunctionsTable().ListCommand(window, command);
}

void RenameTimeFunctionReferences(Model& model, const std::string& from, const std::string& to) {
  RenameTableInLoads(model, DataType::TimeVaryingLoad, from, to);
}

void PrintTimeFunctions() {
  static const PointTablesReportForm form{"Time functions", "Time (Sec)", 8, 23};
  PrintPointTables(kGridKind, TheModel().timeFunctions, form);
}
