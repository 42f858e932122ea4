// The force spectra table, its commands and its report section; see
// ForceSpectraTable.h.
#include "loads/ForceSpectraTable.h"

#include "loads/ForceSpectrumFiles.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/ForceSpectrumTools.h"
#include "loads/PointTablesTable.h"
#include "model/Model.h"
#include "records/ForceSpectrum.h"
#include "records/TimeFunction.h"
#include "services/TableWindowSupport.h"

namespace {

constexpr int kReadCommand = 250;
constexpr int kConvertCommand = 377;
constexpr int kExportCommand = 351;

NamedPointsList& Spectra(Model& model) { return model.forceSpectra; }

bool TimeFunctionsExist(const Model& model) { return HasTimeFunctions(model.timeFunctions); }

const PointsGridKind kGridKind{{{"Frequency", "(Hz)"}, {"Spectrum", "value"}}, 2, "Frequency", "Spectrum value",
                               false, "Force spectrum = ", Spectra};

const PointTablesKind& Kind() {
  static const PointTablesKind kind{"Force Spectrums",
                                    "Force spectrum",
                                    "Force spectrum name",
                                    "Force spectrum values are required",
                                    "ForceSpectrums.csv",
                                    IsForceSpectrumInUse,
                                    RenameForceSpectrumReferences,
                                    {{kReadCommand, "&Read Force spectrum...", nullptr},
                                     {kConvertCommand, "&Convert time function...", TimeFunctionsExist},
                                     {kExportCommand, "&Export...", nullptr}},
                                    kReadCommand,
                                    ReadForceSpectrumFromTextFile,
                                    kExportCommand,
                                    ExportForceSpectra};
  return kind;
}

}  // namespace

PointsGrid& TheForceSpectraGrid() {
  static PointsGrid grid(kGridKind);
  return grid;
}

PointTablesTable& TheForceSpectraTable() {
  static PointTablesTable table(Kind(), TheForceSpectraGrid(), OpenForceSpectraTable);
  return table;
}

void OpenForceSpectraTable() { TheForceSpectraTable().Open(); }

bool ForceSpectraOffered(const Model& model) { return HasForceSpectra(model.forceSpectra); }

bool ForceSpectraListCommand(HWND window, int command) {
  PointTablesTable& table = TheForceSpectraTable();
  if (command != kConvertCommand || !table.Shown()) return table.ListCommand(window, command);
  if (TableResultsShown() || !HasTimeFunctions(TheModel().timeFunctions)) return true;
  table.Grid().Commit();
  if (ConvertTimeFunctionDialog(window, table.CurrentEntry())) table.Refresh(table.currentRow);
  return true;
}

void RenameForceSpectrumReferences(Model& model, const std::string& from, const std::string& to) {
  RenameTableInLoads(model, DataType::ForceSpectrumLoad, from, to);
}

void PrintForceSpectra() {
  static const PointTablesReportForm form{"Force spectrums", "Frequencey (Hz)", 10, 27};
  PrintPointTables(kGridKind, TheModel().forceSpectra, form);
}
