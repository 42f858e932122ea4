// The loads' commands of the Layout and List windows; see the header.
#include "application/LoadCommands.h"

#include "analysis/AnalysisOptionsSheet.h"
#include "loads/ForceSpectraTable.h"
#include "loads/ForceSpectrumTools.h"
#include "loads/HarmonicDialogs.h"
#include "loads/LoadCaseDialog.h"
#include "loads/PipeLoadsTable.h"
#include "loads/PointTablesTable.h"
#include "loads/SpectraTable.h"
#include "loads/StaticSeismicDialog.h"
#include "loads/TimeFunctionsTable.h"
#include "loads/TimeHistoryDialog.h"
#include "loads/WindDialog.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/UndoFiles.h"
#include "services/TableWindowSupport.h"
#include "supports/DisplacementSets.h"

namespace {

// The relief valve tool makes a spectrum and a time function: a table of
// either shown takes them in.
void ReliefValveLoading(HWND window) {
  for (PointTablesTable* table : {&TheForceSpectraTable(), &TheTimeFunctionsTable()})
    if (table->Shown()) table->Grid().Commit();
  if (!ReliefValveLoadingDialog(window)) return;
  for (PointTablesTable* table : {&TheForceSpectraTable(), &TheTimeFunctionsTable()})
    if (table->Shown()) table->Refresh(table->currentRow);
}

int WindLoadOfCommand(int command) {
  switch (command) {
    case 233: return 1;
    case 40044: return 2;
    case 40045: return 3;
    case 40046: return 4;
    default: return 0;
  }
}

}  // namespace

bool LoadsLayoutCommand(HWND window, int command) {
  if (const int wind = WindLoadOfCommand(command); wind != 0) {
    RunEdit(window, [&] { return WindLoadDialog(window, wind, 0) == 1; });
    return true;
  }
  switch (command) {
    case 259: AnalysisOptionsCommand(window); return true;
    case 231: RunEdit(window, [&] { return LoadCaseNames(window, 0) == 1; }); return true;
    case 232: RunEdit(window, [&] { return StaticSeismicLoadDialog(window, 0) == 1; }); return true;
    case 234: RunEdit(window, [&] { return SpectrumLoadDialog(window, 0) == 1; }); return true;
    case 235: RunEdit(window, [&] { return HarmonicSettingsDialog(window, 0) == 1; }); return true;
    case 223: RunEdit(window, [&] { return TimeHistoryOptionsDialog(window, 0) == 1; }); return true;
    case 190: ShowListByOpener(OpenPipeLoadsTable); return true;
    case 251: ShowListByOpener(OpenSpectraTable); return true;
    case 252: ShowListByOpener(OpenTimeFunctionsTable); return true;
    case 376: ShowListByOpener(OpenForceSpectraTable); return true;
    case 397:
      if (!TableResultsShown()) ReliefValveLoading(window);
      return true;
    case 286: ListSpecifiedDisplacements(); return true;
    default: return false;
  }
}

bool LoadsListCommand(HWND window, int command) {
  switch (command) {
    case 190: ShowListByOpener(OpenPipeLoadsTable); return true;
    case 251: ShowListByOpener(OpenSpectraTable); return true;
    case 252: ShowListByOpener(OpenTimeFunctionsTable); return true;
    case 376: ShowListByOpener(OpenForceSpectraTable); return true;
    case 363: return CopyPipeLoad();
    case 364: return PastePipeLoad(window);
    default:
      return SpectraListCommand(window, command) || TimeFunctionsListCommand(window, command) ||
             ForceSpectraListCommand(window, command);
  }
}

void RegisterLoadLists() {
  RegisterListKind("&Loads", PipeLoadsOffered, OpenPipeLoadsTable);
  RegisterListKind("&Specified displ", SpecifiedDisplacementsOffered, OpenSpecifiedDisplacementsTable);
  RegisterListKind("&Spectrums", SpectraOffered, OpenSpectraTable);
  RegisterListKind("&Time Functions", TimeFunctionsOffered, OpenTimeFunctionsTable);
  RegisterListKind("&Force spectrums", ForceSpectraOffered, OpenForceSpectraTable);
}
