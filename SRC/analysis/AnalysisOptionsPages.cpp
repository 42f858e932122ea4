// The five pages of the analysis options sheet (see AnalysisOptionsSheet.h).
// Each page fills itself from the working copy, lays itself out for the
// code chosen on the Code page when it becomes active, and on leaving reads
// its fields back into the copy, refusing to be left on a bad field.
#include <algorithm>
#include <array>
#include <cstdio>

#include "analysis/AnalysisOptionsSheet.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/PropertySheet.h"
#include "platform/Window.h"
#include "records/FieldRules.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"

namespace {

AnalysisOptions& Work() { return TheOptionsWorkCopy().options; }
std::int32_t Code() { return Work().PipingCode; }
bool Results() { return TableResultsShown(); }

// Each page works on its controls through its own helper.
enum PageIndex { kCodePage, kTemperaturePage, kPressurePage, kDynamicsPage, kMiscPage, kPageCount };
DialogHelper& PageHelper(PageIndex page) {
  static std::array<DialogHelper, kPageCount> helpers;
  return helpers[static_cast<std::size_t>(page)];
}

bool FixedModulusCode(std::int32_t code) {
  return code == kCodeB31_3 || code == kCodeB31_4 || code == kCodeB31_5 || code == kCodeB31_8 || code == kCodeEn13480;
}

// The notification answer: the page refuses to be left with TRUE.
INT_PTR Answer(HWND page, bool refuse) {
  SetWindowLongPtr(page, DWLP_MSGRESULT, refuse ? TRUE : FALSE);
  return TRUE;
}

// Runs a page's leaving; a thrown field message is shown and keeps the
// page.
template <typename Leave>
INT_PTR Leaving(HWND page, DialogHelper& h, Leave leave) {
  h.DialogBind(page);
  try {
    leave(h);
    return Answer(page, false);
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return Answer(page, true);
  }
}

void DisableAll(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    EnableWindow(child, FALSE);
}

void Show(DialogHelper& h, int item, bool shown) {
  if (shown)
    h.DialogShowItem(item);
  else
    h.DialogHideItem(item);
}

std::string Fixed(float value, int width, int decimals) { return FormatFixedWidth(value, width, decimals); }

// --- Code -----------------------------------------------------------------------------------
namespace code {

constexpr int kCodeCombo = 1201, kDesignCombo = 1202, kServiceCombo = 1203;
constexpr int kDesignLabel = 1502, kServiceLabel = 1503, kZ183Label = 1504;
constexpr int kZ183One = 1401, kZ183PointEight = 1402;
constexpr int kFirstClass = 1403, kNonsour = 1407, kSour = 1408;
constexpr int kOccasionalLabel = 1515, kOccasionalField = 1119;
constexpr int kAxial = 1101, kLiberal = 1102, kB31J = 1103;

int FactorLabel() { return (Work().Z184SourService != 0 ? 1510 : 1506) + Work().Z184ClassLocation; }

void HideCodeControls(DialogHelper& h) {
  for (int item : {kDesignCombo, kServiceCombo, kOccasionalField}) h.DialogHideItem(item);
  for (int item = 1502; item <= 1515; ++item) h.DialogHideItem(item);
  for (int item = 1401; item <= 1408; ++item) h.DialogHideItem(item);
}

void ShowForCode(DialogHelper& h, std::int32_t id) {
  if (id == kCodeB31_8) {
    h.DialogShowItem(kDesignLabel);
    h.DialogShowItem(kDesignCombo);
  }
  if (id == 19) {
    for (int item : {kZ183Label, kZ183One, kZ183PointEight}) h.DialogShowItem(item);
  }
  if (id == 20 || id == 22) {
    for (int item = 1505; item <= 1514; ++item) h.DialogShowItem(item);
    for (int item = 1403; item <= 1408; ++item) h.DialogShowItem(item);
  }
  if (id == kCodeEn13480) {
    if (Work().OccasionalLoadFactor == 0.0f) Work().OccasionalLoadFactor = 1.2f;
    h.DialogShowItem(kOccasionalLabel);
    h.DialogShowItem(kOccasionalField);
    h.DialogSetItemText(kOccasionalField, Fixed(Work().OccasionalLoadFactor, 4, 2));
  }
  if (CodeUsesServiceLevel(id)) {
    h.DialogSetItemText(kServiceLabel, ServiceLevelLabel(id));
    h.DialogShowItem(kServiceLabel);
    h.DialogShowItem(kServiceCombo);
  }
}

// The code chosen in the combo box: the page lays itself out for it.
void CodeChanged(DialogHelper& h) {
  OptionsWorkCopy& copy = TheOptionsWorkCopy();
  const std::int32_t id = CodeAtListPosition(h.DialogComboGetSel(kCodeCombo));
  if (id == copy.lastHandledCode) return;
  if (!FixedModulusCode(id)) copy.rememberedModulus = TheModel().options.UseColdModulus;
  Work().PipingCode = id;
  copy.lastHandledCode = id;
  HideCodeControls(h);
  if (id == kCodeNone) {
    h.DialogHideItem(kAxial);
    h.DialogHideItem(kLiberal);
    Work().UseB31J = 0;
    h.DialogSetCheck(kB31J, false);
    h.DialogHideItem(kB31J);
    return;
  }
  h.DialogShowItem(kAxial);
  if (CodeAllowsLiberal(id)) {
    h.DialogEnableItem(kLiberal, true);
    h.DialogSetCheck(kLiberal, false);
    h.DialogShowItem(kLiberal);
  } else {
    h.DialogHideItem(kLiberal);
  }
  if (CodeAllowsB31J(id)) {
    h.DialogEnableItem(kB31J, true);
    h.DialogSetCheck(kB31J, Work().UseB31J != 0);
    h.DialogShowItem(kB31J);
  } else {
    Work().UseB31J = 0;
    h.DialogSetCheck(kB31J, false);
    h.DialogHideItem(kB31J);
  }
  const bool axialForced = id == kCodeB31_8 || id == kCodeB31_3 || id == kCodeB31_4;
  if (id == kCodeB31_8) {
    h.DialogSetCheck(kLiberal, true);
    h.DialogDisableItem(kLiberal);
  }
  h.DialogSetCheck(kAxial, axialForced);
  h.DialogEnableItem(kAxial, !axialForced);
  ShowForCode(h, id);
}

void Fill(HWND page) {
  DialogHelper& h = PageHelper(kCodePage);
  h.DialogBind(page);
  AnalysisOptions& work = Work();
  h.DialogComboReset(kDesignCombo);
  for (const char* factor : {"0.80", "0.72", "0.60", "0.50", "0.40"}) h.DialogComboAddString(factor);
  h.DialogComboSetSel(kDesignCombo, work.DesignFactorIndex);
  h.DialogComboReset(kServiceCombo);
  for (const char* level : {"B (Upset)", "C (Emergency)", "D (Faulted)"}) h.DialogComboAddString(level);
  h.DialogComboSetSel(kServiceCombo, work.ServiceLevel);
  h.DialogCheckRadio(kZ183One, kZ183PointEight, kZ183One + work.Z183LocationFactorIndex);
  h.DialogCheckRadio(kFirstClass, kFirstClass + 3, 1402 + work.Z184ClassLocation);
  h.DialogCheckRadio(kNonsour, kSour, work.Z184SourService != 0 ? kSour : kNonsour);
  for (int classLocation = 1; classLocation <= 4; ++classLocation) {
    h.DialogSetItemText(1506 + classLocation, Fixed(Z184LocationFactor(classLocation, false), 5, 3));
    h.DialogSetItemText(1510 + classLocation, Fixed(Z184LocationFactor(classLocation, true), 5, 3));
  }
  for (int label = 1507; label <= 1514; ++label) h.DialogDisableItem(label);
  h.DialogEnableItem(FactorLabel(), true);
  h.DialogComboReset(kCodeCombo);
  for (int position = 0; position < kPipingCodeCount; ++position) h.DialogComboAddString(PipingCodeLongName(position));
  h.DialogComboSetSel(kCodeCombo, std::max(CodeListPosition(work.PipingCode), 0));
  TheOptionsWorkCopy().lastHandledCode = -1;
  CodeChanged(h);
  work.OccasionalLoadFactor = TheModel().options.OccasionalLoadFactor;
  if (work.PipingCode == kCodeEn13480) h.DialogSetItemText(kOccasionalField, Fixed(work.OccasionalLoadFactor, 4, 2));
  ApplyCodeForcedOptions(work);
  h.DialogSetCheck(kAxial, work.IncludeAxialForce != 0);
  h.DialogSetCheck(kLiberal, work.LiberalAllowable != 0);
  h.DialogSetCheck(kB31J, work.UseB31J != 0);
  if (Results()) DisableAll(page);
}

void OnClassOrService(DialogHelper& h, int id) {
  h.DialogDisableItem(FactorLabel());
  if (id >= kFirstClass && id <= kFirstClass + 3) Work().Z184ClassLocation = id - kFirstClass + 1;
  if (id == kNonsour || id == kSour) Work().Z184SourService = h.DialogIsChecked(kSour) ? 1 : 0;
  h.DialogEnableItem(FactorLabel(), true);
}

void Leave(DialogHelper& h) {
  AnalysisOptions& work = Work();
  const std::int32_t id = work.PipingCode;
  if (id == kCodeB31_8) work.DesignFactorIndex = std::max(h.DialogComboGetSel(kDesignCombo), 0);
  if (CodeUsesServiceLevel(id)) work.ServiceLevel = std::max(h.DialogComboGetSel(kServiceCombo), 0);
  if (id == 19) work.Z183LocationFactorIndex = h.DialogIsChecked(kZ183PointEight) ? 1 : 0;
  if (id == kCodeEn13480) {
    h.DialogGetItemText(kOccasionalField);
    if (!g_EditFieldText.empty()) {
      float factor = 0.0f;
      if (ParseFieldReal(factor) != 0 || factor < 1.0f)
        h.DialogThrowItemError(kOccasionalField, "Seismic coefficient should be >= 1.0");
      work.OccasionalLoadFactor = factor;
    }
  }
  work.IncludeAxialForce = id == kCodeNone || h.DialogIsChecked(kAxial) ? 1 : 0;
  if (CodeAllowsLiberal(id)) work.LiberalAllowable = h.DialogIsChecked(kLiberal) ? 1 : 0;
  if (CodeAllowsB31J(id)) work.UseB31J = h.DialogIsChecked(kB31J) ? 1 : 0;
}

}  // namespace code

// --- Temperature ---------------------------------------------------------------------------
namespace temperature {

constexpr int kLabel = 1501, kField = 1301, kUnit = 1601;
constexpr int kCyclesLabel = 1502, kCyclesField = 1302, kLoadsLabel = 1503, kLoadsFrame = 1504;
constexpr int kModulusGroup = 1505;
constexpr int kOneLoad = 1401, kTenLoads = 1404, kSubtract = 1405, kSolve = 1406;
constexpr int kTemperatureModulus = 1407, kColdModulus = 1408;

void Fill(HWND page) {
  DialogHelper& h = PageHelper(kTemperaturePage);
  h.DialogBind(page);
  h.DialogSetItemText(kField, FormatTemperature(Work().ReferenceTemperature));
  h.DialogSetUnitLabel(kUnit, kUnitTemperature);
  if (Code() == kCodeNone)
    h.DialogCheckRadio(kTemperatureModulus, kColdModulus, Work().UseColdModulus != 0 ? kColdModulus : kTemperatureModulus);
  if (Results()) DisableAll(page);
}

void Activate(HWND page) {
  DialogHelper& h = PageHelper(kTemperaturePage);
  h.DialogBind(page);
  const std::int32_t id = Code();
  AnalysisOptions& work = Work();
  const bool none = id == kCodeNone;
  h.DialogPlaceItem(kLabel, 10, none ? 32 : 8);
  h.DialogPlaceItem(kField, 92, none ? 29 : 5);
  h.DialogPlaceItem(kUnit, 128, none ? 31 : 7);
  for (int item : {kCyclesLabel, kCyclesField, kLoadsLabel, kLoadsFrame}) Show(h, item, !none);
  for (int item = kOneLoad; item <= kSolve; ++item) Show(h, item, !none);
  h.DialogPlaceItem(kModulusGroup, 10, none ? 60 : 89);
  h.DialogPlaceItem(kTemperatureModulus, 23, none ? 71 : 100);
  h.DialogPlaceItem(kColdModulus, 23, none ? 83 : 112);
  if (none) return;
  h.DialogSetItemText(kCyclesField, IntegerToText(work.ThermalCycles));
  const int count = work.ThermalLoadCount;
  h.DialogCheckRadio(kOneLoad, kTenLoads, count >= 4 ? kTenLoads : kOneLoad + count - 1);
  h.DialogCheckRadio(kSubtract, kSolve, work.SolveThermalCase != 0 ? kSolve : kSubtract);
  const bool fixed = FixedModulusCode(id);
  ApplyTemperatureCodeRules(work);
  const std::uint8_t shown = fixed ? work.UseColdModulus : TheOptionsWorkCopy().rememberedModulus;
  h.DialogCheckRadio(kTemperatureModulus, kColdModulus, shown != 0 ? kColdModulus : kTemperatureModulus);
  h.DialogEnableItem(kTemperatureModulus, !fixed && !Results());
  h.DialogEnableItem(kColdModulus, !fixed && !Results());
}

void Leave(DialogHelper& h) {
  AnalysisOptions& work = Work();
  h.DialogGetItemText(kField);
  float reference = 0.0f;
  if (g_EditFieldText.empty() || ParseFieldTemperature(reference) != 0) ThrowInvalidField("Temperature");
  // New loads start at the reference temperature, so it keeps their rule.
  if (const FieldRefusal refusal = LoadTemperatureRefusal(reference)) ThrowFieldRefusal(refusal, "Temperature");
  work.ReferenceTemperature = reference;
  if (Code() != kCodeNone) {
    h.DialogGetItemText(kCyclesField);
    std::int32_t cycles = 0;
    if (ParseFieldInteger(cycles) != 0 || cycles < 0) ThrowInvalidField("Number of thermal cycles");
    work.ThermalCycles = cycles;
    work.ThermalLoadCount = 1;
    if (h.DialogIsChecked(kOneLoad + 1)) work.ThermalLoadCount = 2;
    if (h.DialogIsChecked(kOneLoad + 2)) work.ThermalLoadCount = 3;
    if (h.DialogIsChecked(kTenLoads)) work.ThermalLoadCount = 10;
    work.SolveThermalCase = h.DialogIsChecked(kSolve) ? 1 : 0;
  }
  work.UseColdModulus = h.DialogIsChecked(kColdModulus) ? 1 : 0;
  // The choice of a code that leaves the modulus free is remembered.
  if (!FixedModulusCode(Code())) TheOptionsWorkCopy().rememberedModulus = work.UseColdModulus;
}

}  // namespace temperature

// --- Pressure -----------------------------------------------------------------------------
namespace pressure {

constexpr int kFourT = 1401, kThickWall = 1402, kPeakLabel = 1501, kPeakField = 1301;
constexpr int kBourdon = 1101, kCorrection = 1102;

void Fill(HWND page) {
  DialogHelper& h = PageHelper(kPressurePage);
  h.DialogBind(page);
  h.DialogCheckRadio(kFourT, kThickWall, Work().PressureStressOption != 0 ? kThickWall : kFourT);
  h.DialogSetCheck(kBourdon, Work().BourdonEffect != 0);
  h.DialogSetCheck(kCorrection, Work().PressureCorrection != 0);
  if (Results()) DisableAll(page);
}

void Activate(HWND page) {
  DialogHelper& h = PageHelper(kPressurePage);
  h.DialogBind(page);
  const std::int32_t id = Code();
  h.DialogSetItemText(kThickWall, id == kCodeEn13480 ? "[Pd^2 / ( D^2 - d^2 )] + [P/2]" : "Pd^2 / ( D^2 - d^2 )");
  Show(h, kPeakLabel, id != kCodeNone);
  Show(h, kPeakField, id != kCodeNone);
  if (id != kCodeNone) h.DialogSetItemTextAndLimit(kPeakField, Fixed(Work().PeakPressureFactor, 5, 2), 5);
  if (id == kCodeB31_8) {
    ApplyPressureCodeRules(Work());
    h.DialogCheckRadio(kFourT, kThickWall, kFourT);
    h.DialogDisableItem(kThickWall);
  } else {
    h.DialogEnableItem(kThickWall, !Results());
  }
}

void Leave(DialogHelper& h) {
  AnalysisOptions& work = Work();
  work.PressureStressOption = h.DialogIsChecked(kThickWall) ? 1 : 0;
  if (Code() == kCodeNone) {
    work.PeakPressureFactor = 1.0f;
  } else {
    h.DialogGetItemText(kPeakField);
    if (g_EditFieldText.empty()) g_EditFieldText = "1.0";
    float factor = 0.0f;
    if (ParseFieldReal(factor) != 0) ThrowInvalidField("Peak pressure factor");
    if (factor < 0.0f) ThrowFieldError("Peak pressure factor", "should not be negative");
    if (factor < 1.0f) ThrowFieldError("Peak pressure factor", "should not be less than 1.0");
    if (Code() == kCodeB31_4 && factor > 1.1f) ShowWarningMessage(GetForegroundWindow(), "Peak pressure factor > 1.10");
    work.PeakPressureFactor = factor;
  }
  work.BourdonEffect = h.DialogIsChecked(kBourdon) ? 1 : 0;
  work.PressureCorrection = h.DialogIsChecked(kCorrection) ? 1 : 0;
}

}  // namespace pressure

// --- Dynamics -----------------------------------------------------------------------------
namespace dynamics {

constexpr int kFrequencyField = 1301, kModesField = 1302, kMissingMass = 1101, kFriction = 1102;

void Fill(HWND page) {
  DialogHelper& h = PageHelper(kDynamicsPage);
  h.DialogBind(page);
  h.DialogSetItemTextAndLimit(kFrequencyField, IntegerToText(Work().CutOffFrequency), 4);
  h.DialogSetItemTextAndLimit(kModesField, IntegerToText(Work().ModeCount), 3);
  h.DialogSetCheck(kMissingMass, Work().IncludeMissingMass != 0);
  h.DialogSetCheck(kFriction, Work().FrictionInDynamics != 0);
  if (Results()) DisableAll(page);
}

std::int32_t ReadCount(DialogHelper& h, int item, const char* empty, const char* label) {
  h.DialogGetItemText(item);
  if (g_EditFieldText.empty()) g_EditFieldText = empty;
  std::int32_t value = 0;
  if (ParseFieldInteger(value) != 0 || value < 1) ThrowInvalidField(label);
  return value;
}

void Leave(DialogHelper& h) {
  AnalysisOptions& work = Work();
  work.CutOffFrequency = ReadCount(h, kFrequencyField, "33", "Frequency");
  work.ModeCount = ReadCount(h, kModesField, "20", "Number of modes");
  work.IncludeMissingMass = h.DialogIsChecked(kMissingMass) ? 1 : 0;
  work.FrictionInDynamics = h.DialogIsChecked(kFriction) ? 1 : 0;
}

}  // namespace dynamics

// --- Misc ----------------------------------------------------------------------------------
namespace misc {

constexpr int kHangerStiffness = 1101, kYAxis = 1401, kZAxis = 1402, kYieldField = 1100, kChangeButton = 1099;

void ShowYield(DialogHelper& h) {
  h.DialogSetItemTextAndLimit(kYieldField, Fixed(Work().YieldDisplacementFactor, 5, 2), 5);
}

void Fill(HWND page) {
  DialogHelper& h = PageHelper(kMiscPage);
  h.DialogBind(page);
  h.DialogSetCheck(kHangerStiffness, Work().IncludeHangerStiffness != 0);
  h.DialogCheckRadio(kYAxis, kZAxis, Work().ZVertical != 0 ? kZAxis : kYAxis);
  ShowYield(h);
  h.DialogDisableItem(kYieldField);
  if (Results()) DisableAll(page);
}

void OnChange(HWND page) {
  if (Results()) return;
  DialogHelper& h = PageHelper(kMiscPage);
  h.DialogBind(page);
  const bool yes = MessageBoxDialog(page,
                                    "Changing this will affect the convergence.\nRefer the Chapter Buried Piping from "
                                    "QUORVEL Manual for more details.\nReally want to change?",
                                    IDNO);
  h.DialogEnableItem(kYieldField, yes);
}

// Never refuses: a factor out of range is brought into it with a message.
void Leave(DialogHelper& h) {
  AnalysisOptions& work = Work();
  work.IncludeHangerStiffness = h.DialogIsChecked(kHangerStiffness) ? 1 : 0;
  work.ZVertical = h.DialogIsChecked(kZAxis) ? 1 : 0;
  h.DialogGetItemText(kYieldField);
  float factor = work.YieldDisplacementFactor;
  if (!g_EditFieldText.empty() && ParseFieldReal(factor) != 0) {
    ShowErrorOnForeground("Invalid Yield displacement factor");
    factor = work.YieldDisplacementFactor;
  }
  if (factor < 0.03999f) {
    ShowErrorOnForeground("Yield displacement factor cannot be < 0.04. \ni.e., Yield displacement cannot be < OD/25");
    factor = 0.04f;
  } else if (factor > 1.00001f) {
    ShowErrorOnForeground("Yield displacement factor cannot be > 1.0. \ni.e., Yield displacement cannot be > OD");
    factor = 1.0f;
  }
  work.YieldDisplacementFactor = factor;
  ShowYield(h);
}

}  // namespace misc

// The notifications every page answers alike.
template <typename Activate, typename Leave>
INT_PTR OnNotify(HWND page, LPARAM lParam, PageIndex index, Activate activate, Leave leave) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  switch (header->code) {
    case PSN_SETACTIVE:
      OptionsStartPage() = index;
      activate(page);
      return Answer(page, false);
    case PSN_KILLACTIVE: return Leaving(page, PageHelper(index), leave);
    default: return FALSE;
  }
}

void Nothing(HWND) {}

}  // namespace

INT_PTR CodePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogHelper& h = PageHelper(kCodePage);
  switch (message) {
    case WM_INITDIALOG: code::Fill(page); return TRUE;
    case WM_NOTIFY: return OnNotify(page, lParam, kCodePage, Nothing, code::Leave);
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int notification = HIWORD(wParam);
      h.DialogBind(page);
      if (id == code::kCodeCombo && (notification == CBN_SELENDOK || notification == CBN_CLOSEUP)) code::CodeChanged(h);
      if (notification == BN_CLICKED && id >= code::kFirstClass && id <= code::kSour) code::OnClassOrService(h, id);
      return TRUE;
    }
    default: return FALSE;
  }
}

INT_PTR TemperaturePageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: temperature::Fill(page); return TRUE;
    case WM_NOTIFY:
      return OnNotify(page, lParam, kTemperaturePage, temperature::Activate, temperature::Leave);
    default: return FALSE;
  }
}

INT_PTR PressurePageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: pressure::Fill(page); return TRUE;
    case WM_NOTIFY: return OnNotify(page, lParam, kPressurePage, pressure::Activate, pressure::Leave);
    default: return FALSE;
  }
}

INT_PTR DynamicsPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: dynamics::Fill(page); return TRUE;
    case WM_NOTIFY: return OnNotify(page, lParam, kDynamicsPage, Nothing, dynamics::Leave);
    default: return FALSE;
  }
}

INT_PTR MiscPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: misc::Fill(page); return TRUE;
    case WM_NOTIFY: return OnNotify(page, lParam, kMiscPage, Nothing, misc::Leave);
    case WM_COMMAND:
      if (LOWORD(wParam) == misc::kChangeButton && HIWORD(wParam) == BN_CLICKED) misc::OnChange(page);
      return TRUE;
    default: return FALSE;
  }
}
