// The analysis options sheet, its working copy and its commit (see
// AnalysisOptionsSheet.h).
#include "analysis/AnalysisOptionsSheet.h"

#include <array>

#include "editing/RotateRows.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/ModelLoadCases.h"
#include "platform/Messages.h"
#include "platform/PropertySheet.h"
#include "platform/Window.h"
#include "records/GraphicsSettings.h"
#include "records/LoadCaseList.h"
#include "records/PipeLoad.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kZoomAllCommand = 131;

WNDPROC& SheetProcedure() {
  static WNDPROC procedure = nullptr;
  return procedure;
}

// The sheet centres itself on its owner when it asks to be placed.
LRESULT SheetSubclass(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != DM_REPOSITION) return CallWindowProc(SheetProcedure(), sheet, message, wParam, lParam);
  CenterWindowOnParent(sheet, IDOK);
  return 0;
}

int SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED)
    SheetProcedure() =
        reinterpret_cast<WNDPROC>(SetWindowLongPtr(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetSubclass)));
  return 0;
}

// Copies one field when it differs; true when it did.
template <typename Field>
bool Take(Field& stored, const Field& working) {
  if (stored == working) return false;
  stored = working;
  return true;
}

// Temperatures and pressures left at 0 in any of the ten pairs take their
// not-given values, so that the pairs a larger count brings in are sound.
void FillNotGivenPairs(Model& model) {
  for (int index = 1; index <= model.pipeLoads.count; ++index)
    for (TemperaturePressure& pair : model.pipeLoads[index].operating) {
      if (pair.temperature == 0.0f) pair.temperature = model.options.ReferenceTemperature;
      if (pair.pressure == 0.0f) pair.pressure = kExplicitZero;
    }
}

void NewVerticalAxis(Model& model, HWND owner) {
  if (model.rowCount > 2) ChangeVerticalAxis(owner, model);
  model.graphics.viewDirection = {1.0f, 1.0f, 1.0f};
  FitViewToModel(model.graphics);
  if (GraphicsFrame().window != nullptr) PostMessage(GraphicsFrame().window, WM_COMMAND, kZoomAllCommand, 0);
}

}  // namespace

OptionsWorkCopy& TheOptionsWorkCopy() {
  static OptionsWorkCopy copy;
  return copy;
}

int& OptionsStartPage() {
  static int page = 0;
  return page;
}

bool ConfirmAnalysisOptions(Model& model, const AnalysisOptions& given, HWND owner) {
  AnalysisOptions work = given;
  AnalysisOptions& record = model.options;
  // With no code one thermal load and a peak pressure factor of 1.0, and
  // what the other codes force.
  ApplyCodeRules(work);
  bool changed = false;
  if (Take(record.PipingCode, work.PipingCode)) {
    ClearCodeDependentData(model);
    changed = true;
  }
  changed |= Take(record.ServiceLevel, work.ServiceLevel);
  changed |= Take(record.DesignFactorIndex, work.DesignFactorIndex);
  changed |= Take(record.Z183LocationFactorIndex, work.Z183LocationFactorIndex);
  changed |= Take(record.OccasionalLoadFactor, work.OccasionalLoadFactor);
  changed |= Take(record.Z184ClassLocation, work.Z184ClassLocation);
  changed |= Take(record.Z184SourService, work.Z184SourService);
  changed |= Take(record.LiberalAllowable, work.LiberalAllowable);
  changed |= Take(record.UseB31J, work.UseB31J);
  changed |= Take(record.IncludeAxialForce, work.IncludeAxialForce);
  changed |= Take(record.ReferenceTemperature, work.ReferenceTemperature);
  changed |= Take(record.ThermalCycles, work.ThermalCycles);
  if (record.ThermalLoadCount != work.ThermalLoadCount) {
    FillNotGivenPairs(model);
    record.ThermalLoadCount = work.ThermalLoadCount;
    ClearCasesBeyondThermalCount(model.loadCases, work.ThermalLoadCount);
    changed = true;
  }
  changed |= Take(record.SolveThermalCase, work.SolveThermalCase);
  changed |= Take(record.UseColdModulus, work.UseColdModulus);
  changed |= Take(record.PressureStressOption, work.PressureStressOption);
  changed |= Take(record.PeakPressureFactor, work.PeakPressureFactor);
  changed |= Take(record.YieldDisplacementFactor, work.YieldDisplacementFactor);
  changed |= Take(record.BourdonEffect, work.BourdonEffect);
  changed |= Take(record.PressureCorrection, work.PressureCorrection);
  changed |= Take(record.CutOffFrequency, work.CutOffFrequency);
  changed |= Take(record.ModeCount, work.ModeCount);
  changed |= Take(record.IncludeMissingMass, work.IncludeMissingMass);
  changed |= Take(record.FrictionInDynamics, work.FrictionInDynamics);
  changed |= Take(record.IncludeHangerStiffness, work.IncludeHangerStiffness);
  if (Take(record.ZVertical, work.ZVertical)) {
    NewVerticalAxis(model, owner);
    changed = true;
  }
  if (changed) model.modified = true;
  // The lists shown follow the new code, counts and units.
  RefreshListWindow();
  return changed;
}

bool AnalysisOptionsSheet(HWND parent, SnapshotToken snapshot) {
  Model& model = TheModel();
  OptionsWorkCopy& copy = TheOptionsWorkCopy();
  copy.options = model.options;
  copy.lastHandledCode = -1;
  copy.rememberedModulus = model.options.UseColdModulus;
  struct PageSource {
    const char* name;
    DLGPROC procedure;
  };
  static constexpr PageSource kPages[5] = {{"OPTIONS_CODE_DIALOG", CodePageProc},
                                           {"OPTIONS_TEMPERATURE_DIALOG", TemperaturePageProc},
                                           {"OPTIONS_PRESSURE_DIALOG", PressurePageProc},
                                           {"OPTIONS_DYNAMICS_DIALOG", DynamicsPageProc},
                                           {"OPTIONS_MISC_DIALOG", MiscPageProc}};
  PROPSHEETPAGE pages[5];
  for (std::size_t page = 0; page < 5; ++page)
    pages[page] = {sizeof(PROPSHEETPAGE), PSP_DEFAULT, InstanceHandle, kPages[page].name, nullptr, nullptr,
                   kPages[page].procedure, 0, nullptr, nullptr};

  PROPSHEETHEADER header{sizeof(PROPSHEETHEADER),
                         PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK,
                         parent,
                         InstanceHandle,
                         nullptr,
                         "Analysis Options",
                         5,
                         static_cast<UINT>(OptionsStartPage()),
                         pages,
                         SheetCallback};
  const INT_PTR result = PropertySheet(&header);
  if (result < 0) ShowErrorMessage(parent, "Failed to create property sheet");
  const bool confirmed = result == 1 && !TableResultsShown();
  const bool changed = confirmed && ConfirmAnalysisOptions(model, copy.options, parent);
  // The options in force become the program's, the next new model's and,
  // at the end of the run, the user's defaults.
  if (changed) ProgramAnalysisOptions() = ProgramChoiceOf(model.options, ProgramAnalysisOptions());
  if (model.options.UseB31J != 0)
    ShowInfoMessage(parent,
                    "To compute Flexibility Factors at Branch Connections in accordance with ASME B31J, refine "
                    "branches \n through 'Edit > Refine Branches for B31J'");
  if (!changed) PopTempFile(snapshot);
  return confirmed;
}

void AnalysisOptionsCommand(HWND parent) {
  const SnapshotToken snapshot = TableResultsShown() ? 0 : TakeUndoSnapshot(parent);
  AnalysisOptionsSheet(parent, snapshot);
  BuildLoadCases(TheModel());
  SettleEdit(parent, snapshot);
}
