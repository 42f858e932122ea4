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

SnapshotToken Snapshot(HWND window) { return TableResultsShown() ? 0 : TakeUndoSnapshot(window); }

// A loads dialog given the snapshot of its edit, which it discards when it
// is cancelled or changes nothing; what it kept is settled as one edit.
template <typename Dialog>
void DialogEdit(HWND window, Dialog dialog) {
  const SnapshotToken token = Snapshot(window);
  dialog(token);
  SettleEdit(window, token);
}

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
    DialogEdit(window, [&](SnapshotToken token) { WindLoadDialog(window, wind, token); });
    return true;
  }
  switch (command) {
    case 259: AnalysisOptionsCommand(window); return true;
    case 231: DialogEdit(window, [&](SnapshotToken token) { LoadCaseNames(window, token); }); return true;
    case 232: DialogEdit(window, [&](SnapshotToken token) { StaticSeismicLoadDialog(window, token); }); return true;
    case 234: DialogEdit(window, [&](SnapshotToken token) { SpectrumLoadDialog(window, token); }); return true;
    case 235: DialogEdit(window, [&](SnapshotToken token) { HarmonicSettingsDialog(window, token); }); return true;
    case 223: DialogEdit(window, [&](SnapshotToken token) { TimeHistoryOptionsDialog(window, token); }); return true;
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
