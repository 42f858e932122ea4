// The nozzle evaluation dialog (see NozzleEvaluationDialog.h).
#include "evaluations/NozzleEvaluationDialog.h"

#include <vector>

#include "evaluations/EvaluationInputLimits.h"
#include "evaluations/NozzleEvaluationLoads.h"
#include "evaluations/NozzleEvaluationWrc537.h"

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kAnalysisCombo = 1201;
constexpr int kLoadCaseCombo = 1202;
constexpr int kSphereRadio = 1401, kCylinderRadio = 1402;
constexpr int kLoadCaseLabel = 1163;

// How a value is read and held.
enum class Kind { Dimension, Stress, Force, Moment, Factor };

// One row of a layout: the field, its record member, its label(s), the
// names in its messages, the least value (a negative bound: any value),
// and whether an empty field is refused.
struct DialogField {
  int item;
  float NozzleEvaluation::*member;
  Kind kind;
  const char* sphereLabel;
  const char* cylinderLabel;
  const char* requiredName;
  const char* invalidName;
  float least;
  bool required;
  const char* belowLeast;  // the whole message when below the least value; null: the invalid one
};

const std::vector<DialogField>& EnFields() {
  static const std::vector<DialogField> fields = {
      {1301, &NozzleEvaluation::R, Kind::Dimension, "Mean Shell Radius [R]", "Mean Shell Diameter [D]",
       "Shell Radius/Shell Dia", "Shell Radius/Shell Dia", 0.001f, true, nullptr},
      {1302, &NozzleEvaluation::e, Kind::Dimension, "Nominal Shell Thk (e)", nullptr, "Shell Thickness",
       "Shell Thickness", 0.0001f, true, nullptr},
      {1303, &NozzleEvaluation::de, Kind::Dimension, "Nozzle OD (de)", nullptr, "Nozze OD", "Nozzle OD", 0.001f, true,
       nullptr},
      {1304, &NozzleEvaluation::eb, Kind::Dimension, "Nozzle Thickness (eb)", nullptr, "Nozzle Thickness",
       "Nozzle Thickness", 0.0001f, true, nullptr},
      {1305, &NozzleEvaluation::d, Kind::Dimension, "Mean Nozzle Dia (d)", nullptr, "Nozzle Mean Dia",
       "Nozzle Mean Dia", 0.0001f, true, nullptr},
      {1306, &NozzleEvaluation::e2, Kind::Dimension, "Rein. Pad Thk (e2)", nullptr, "Rein. Pad Thk", "Rein. Pad Thk",
       0.0f, false, nullptr},
      {1307, &NozzleEvaluation::d2, Kind::Dimension, "Rein. Pad OD (d2)", nullptr, "Rein. Pad OD", "Rein. Pad OD",
       0.0f, false, nullptr},
      {1308, &NozzleEvaluation::ec, Kind::Dimension, "Shell + Rein. Pad Thk (ec)", nullptr,
       "Combined Shell + Pad Thk", "Combined Shell + Pad Thk", 0.0001f, true,
       "Combined Shell + Pad Thk should be > 0"},
      {1309, &NozzleEvaluation::f, Kind::Stress, "Shell Design Stress (f)", nullptr, "Shell Design Stress",
       "Shell Design Stress", 0.0001f, true, nullptr},
      {1310, &NozzleEvaluation::fb, Kind::Stress, "Nozzle Design Stress (fb)", nullptr, "Nozzle Design Stress",
       "Nozzle Design Stress", 0.0001f, true, nullptr},
      {1311, &NozzleEvaluation::f2, Kind::Stress, "Rein. Pad Design Stress (f2)", nullptr, "Pad Desing Stress",
       "Pad Desing Stress", 0.0f, false, nullptr},
      {1312, &NozzleEvaluation::c, Kind::Dimension, "Corrosion Allowance (c)", nullptr, "Corrosion Allowance",
       "Corrosion Allowance", 0.0f, false, nullptr},
  };
  return fields;
}

constexpr float kAny = -1.0f;

const std::vector<DialogField>& WrcFields() {
  static const std::vector<DialogField> fields = {
      {1301, &NozzleEvaluation::P, Kind::Force, "Radial Load (P)", nullptr, "Radial Load (P)", "Radial Load (P)",
       kAny, false, nullptr},
      {1302, &NozzleEvaluation::V1, Kind::Force, "Shear Load (V1)", "Shear Load (VC)", nullptr, nullptr, kAny, false,
       nullptr},
      {1303, &NozzleEvaluation::V2, Kind::Force, "Shear Load (V2)", "Shear Load (VL)", nullptr, nullptr, kAny, false,
       nullptr},
      {1304, &NozzleEvaluation::M1, Kind::Moment, "Overturning Moment (M1)", "Circumferential Moment (MC)", nullptr,
       nullptr, kAny, false, nullptr},
      {1305, &NozzleEvaluation::M2, Kind::Moment, "Overturning Moment (M2)", "Longitudinal Moment (ML)", nullptr,
       nullptr, kAny, false, nullptr},
      {1306, &NozzleEvaluation::MT, Kind::Moment, "Torsional Moment (MT)", nullptr, "Torsional Moment (MT)",
       "Torsional Moment (MT)", kAny, false, nullptr},
      {1307, &NozzleEvaluation::T, Kind::Dimension, "Vessel Thickness (T)", nullptr, "Vessel Thickness",
       "Vessel Thickness", 0.0001f, true, nullptr},
      {1308, &NozzleEvaluation::Rm, Kind::Dimension, "Vessel Mean Radius (Rm)", "Vessel Radius (Rm)",
       "Vessel Mean Radius", "Vessel Mean Radius", 0.0001f, true, nullptr},
      {1309, &NozzleEvaluation::ro, Kind::Dimension, "Nozzle Outside Radius (ro)", "Attachment Radius (ro)",
       "Nozzle Outside Radius", "Nozzle Outside Radius", 0.0001f, true, nullptr},
      {1310, &NozzleEvaluation::eb, Kind::Dimension, "Nozzle Thickness (t)", nullptr, "Nozzle_Thk",
       "Nozzle Thickness", 0.0001f, true, nullptr},
      {1311, &NozzleEvaluation::rm, Kind::Dimension, "Nozzle Mean Radius (rm)", nullptr, "Nozzle Mean Radius",
       "Nozzle Mean Radius", 0.0001f, true, nullptr},
      {1312, &NozzleEvaluation::r, Kind::Dimension, "Fillet Radius (r)", nullptr, "Fillet Radius", "Fillet Radius",
       0.0001f, true, nullptr},
      {1313, &NozzleEvaluation::Pm, Kind::Stress, "Pressure Stress at Shell (Pm)", nullptr, "Pressure Stress",
       "Pressure Stress", 0.0f, false, nullptr},
      {1314, &NozzleEvaluation::Pb, Kind::Stress, "Bending Stress at Shell (Pb)", nullptr, "Bending Stress at Shell",
       "Bending Stress at Shell", 0.0f, false, nullptr},
      {1315, &NozzleEvaluation::All, Kind::Stress, "Operating Allowable [All]", nullptr, "Allowable Stress",
       "Allowable Stress", 0.0f, false, nullptr},
      {1316, &NozzleEvaluation::Kn, Kind::Factor, "Stress Conc. Factor - Tension (Kn)", nullptr, "Kn", "Kn", 0.0f,
       false, nullptr},
      {1317, &NozzleEvaluation::Kb, Kind::Factor, "Stress Conc. Factor - Bending (Kb)", nullptr, "Kb", "Kb", 0.0f,
       false, nullptr},
  };
  return fields;
}

const char* Label(const DialogField& f, bool spherical) {
  return !spherical && f.cylinderLabel != nullptr ? f.cylinderLabel : f.sphereLabel;
}
std::string InvalidName(const DialogField& f, bool spherical) {
  return f.invalidName != nullptr ? f.invalidName : Label(f, spherical);
}
std::string RequiredName(const DialogField& f, bool spherical) {
  return f.requiredName != nullptr ? f.requiredName : Label(f, spherical);
}

int Parse(Kind kind, const std::string& text, float& value) {
  switch (kind) {
    case Kind::Dimension: return ParseNonNegativeDimension(text, value);
    case Kind::Stress: return ParseStress(text, value);
    case Kind::Force: return ParseForce(text, value);
    case Kind::Moment: return ParseMoment(text, value);
    case Kind::Factor: return ParseReal(text, value);
  }
  return 1;
}

std::string Format(Kind kind, float value) {
  std::string text;
  switch (kind) {
    case Kind::Dimension: text = FormatDimension(value); break;
    case Kind::Stress: text = FormatStress(value); break;
    case Kind::Force: text = FormatForceTrim(value); break;
    case Kind::Moment: text = FormatMomentTrim(value); break;
    case Kind::Factor: text = FormatFixedWidth(value, 7, 2); break;
  }
  TrimBlanks(text);
  return text;
}

int UnitOf(Kind kind) {
  switch (kind) {
    case Kind::Dimension: return kUnitDimension;
    case Kind::Stress: return kUnitStress;
    case Kind::Force: return kUnitForce;
    case Kind::Moment: return kUnitMoment;
    case Kind::Factor: return 0;
  }
  return 0;
}

// The value's own limit, with the message the dialog gives (the field's
// text being `text`); empty when it passes.
std::string Refusal(const DialogField& f, bool spherical, float value, const std::string& text) {
  if (f.kind == Kind::Factor) {
    if (value < 0.0f || (value != 0.0f && value < 1.0f))
      return FormatFieldError(InvalidName(f, spherical), text, "Should be >= 1.00");
    return {};
  }
  if (f.least == kAny || value >= f.least) return {};
  if (f.belowLeast != nullptr) return f.belowLeast;
  return FormatFieldError(InvalidName(f, spherical), text, "is invalid");
}

bool Applies(const DialogField& f, const NozzleEvaluation& d) {
  if (d.analysis == kNozzleWrc537 && !d.spherical && (f.item == 1310 || f.item == 1311)) return false;
  return true;
}

const std::vector<DialogField>& FieldsOf(const NozzleEvaluation& d) {
  return d.analysis == kNozzleWrc537 ? WrcFields() : EnFields();
}

// A wall that reaches the outside radius of its shell or nozzle leaves no
// bore: the field of the first such thickness, or 0. A shell given by its
// mean radius (or mean diameter) reaches it at twice the mean radius.
constexpr const char* kWallPastRadius = "Thickness is greater than radius";
int WallPastRadiusItem(const NozzleEvaluation& d) {
  if (d.analysis == kNozzleWrc537) {
    if (d.T >= 2.0f * d.Rm) return 1307;
    return d.spherical && d.eb >= d.ro ? 1310 : 0;
  }
  if (d.e >= (d.spherical ? 2.0f * d.R : d.R)) return 1302;
  return d.eb >= 0.5f * d.de ? 1304 : 0;
}

// Whether what the report shows of the analysis is finite.
bool ResultsFiniteOf(const NozzleEvaluation& d) {
  if (d.analysis == kNozzleWrc537) {
    const Wrc537Result r = Wrc537StressesOf(d);
    for (const Wrc537Line& line : r.lines)
      for (float stress : line.row.s)
        if (!ResultsFinite({stress})) return false;
    for (float stress : r.intensity)
      if (!ResultsFinite({stress})) return false;
    return ResultsFinite({r.Kn, r.Kb, r.Smax, r.calculated, r.ratio});
  }
  const En13445NozzleResult r = En13445NozzleLoadsOf(d);
  // Without condition a) the report ends at its ratio: there are no loads.
  if (!r.applicable) return true;
  return ResultsFinite({r.ec, r.loadDistance, r.thicknessLength, r.lambda, r.C1, r.C2, r.C3, r.Fz, r.Mb, r.My});
}

// The values of the analysis against the limit of a typed number, then
// the results they give.
InputLimitRefusal LimitRefusal(const NozzleEvaluation& d) {
  std::vector<NamedInput> inputs;
  for (const DialogField& f : FieldsOf(d))
    if (Applies(f, d)) inputs.push_back({InvalidName(f, d.spherical), Format(f.kind, d.*f.member), d.*f.member, f.item});
  return CheckInputLimits(inputs, [&d] { return ResultsFiniteOf(d); });
}

// --- the dialog ----------------------------------------------------------------------------

struct DialogState {
  DialogHelper helper;
  bool readOnly = false;
  bool stored = false;
};

DialogState& State() {
  static DialogState state;
  return state;
}

int ChosenAnalysis() {
  const int chosen = State().helper.DialogComboGetSel(kAnalysisCombo);
  return chosen == kNozzleWrc537 ? kNozzleWrc537 : kNozzleEn13445;
}
bool ChosenSphere() { return State().helper.DialogIsChecked(kSphereRadio); }

void AllowableLabel() {
  DialogHelper& h = State().helper;
  const int loadCase = h.DialogComboGetSel(kLoadCaseCombo);
  h.DialogSetItemText(1515, std::string(kNozzleLoadCaseNames[loadCase >= 0 && loadCase <= 2 ? loadCase : 2]) +
                                " Allowable [All]");
}

// A field is enabled and disabled with its label and its unit, so that a
// row never reads as unavailable while its field is open and required.
void EnableFieldRow(int field, bool enabled) {
  DialogHelper& h = State().helper;
  for (int item : {field - 1301 + 1501, field, field - 1301 + 1601}) h.DialogEnableItem(item, enabled);
}

void Relabel() {
  DialogHelper& h = State().helper;
  const bool wrc = ChosenAnalysis() == kNozzleWrc537, sphere = ChosenSphere();
  for (const DialogField& f : wrc ? WrcFields() : EnFields()) h.DialogSetItemText(f.item - 1301 + 1501, Label(f, sphere));
  if (wrc) AllowableLabel();
  // The nozzle's own thickness and radius serve WRC 537 for a sphere only.
  for (int field : {1310, 1311}) EnableFieldRow(field, !wrc || sphere);
}

void Layout() {
  DialogHelper& h = State().helper;
  const NozzleEvaluation& d = TheNozzleDocument().data;
  const bool wrc = ChosenAnalysis() == kNozzleWrc537;
  const std::vector<DialogField>& fields = wrc ? WrcFields() : EnFields();
  for (int row = 0; row < 17; ++row) {
    const bool shown = row < static_cast<int>(fields.size());
    for (int item : {1501 + row, 1301 + row, 1601 + row}) {
      if (item == 1617) continue;
      if (shown)
        h.DialogShowItem(item);
      else
        h.DialogHideItem(item);
    }
  }
  for (const DialogField& f : fields) {
    h.DialogSetItemText(f.item, Format(f.kind, d.*f.member));
    const int unit = UnitOf(f.kind);
    if (f.item < 1317) h.DialogSetItemText(f.item - 1301 + 1601, unit == 0 ? "" : UnitLabel(unit));
  }
  for (int item : {kLoadCaseLabel, kLoadCaseCombo}) {
    if (wrc)
      h.DialogShowItem(item);
    else
      h.DialogHideItem(item);
  }
  h.DialogSizeForClient(258, wrc ? 361 : 282);
  h.DialogPlaceItem(IDOK, 7, wrc ? 340 : 261);
  h.DialogPlaceItem(IDCANCEL, 201, wrc ? 340 : 261);
  Relabel();
}

void Init(HWND dialog) {
  DialogState& state = State();
  DialogHelper& h = state.helper;
  h.DialogBind(dialog);
  state.stored = false;
  const NozzleEvaluation& d = TheNozzleDocument().data;
  h.DialogComboReset(kAnalysisCombo);
  for (const char* name : kNozzleAnalysisNames) h.DialogComboAddString(name);
  h.DialogComboSetSel(kAnalysisCombo, d.analysis);
  h.DialogComboReset(kLoadCaseCombo);
  for (const char* name : kNozzleLoadCaseNames) h.DialogComboAddString(name);
  h.DialogComboSetSel(kLoadCaseCombo, d.loadCase);
  h.DialogCheckRadio(kSphereRadio, kCylinderRadio, d.spherical ? kSphereRadio : kCylinderRadio);
  Layout();
  state.readOnly = ProgramCommands().inResultsMode();
  if (state.readOnly) {
    h.DialogDisableItem(kAnalysisCombo);
    h.DialogDisableItem(kSphereRadio);
    h.DialogDisableItem(kCylinderRadio);
    for (int item = 1301; item <= 1317; ++item) h.DialogSetReadOnly(item);
    h.DialogFocusItem(IDOK);
  }
  CenterDialogOnFrame(dialog, IDOK);
}

// Reads the fields into `d`; throws the first refusal.
void Read(NozzleEvaluation& d) {
  DialogHelper& h = State().helper;
  d.analysis = ChosenAnalysis();
  d.spherical = ChosenSphere();
  if (d.analysis == kNozzleWrc537) {
    const int loadCase = h.DialogComboGetSel(kLoadCaseCombo);
    if (loadCase >= 0 && loadCase <= 2) d.loadCase = loadCase;
  }
  for (const DialogField& f : FieldsOf(d)) {
    if (!Applies(f, d)) continue;
    h.DialogGetItemText(f.item);
    const std::string text = g_EditFieldText;
    float value = 0.0f;
    if (text.empty()) {
      if (f.required) ThrowRequiredField(RequiredName(f, d.spherical));
    } else if (Parse(f.kind, text, value) != 0) {
      ThrowInvalidField(InvalidName(f, d.spherical));
    }
    if (IsExplicitZero(value)) value = 0.0f;
    const std::string refusal = Refusal(f, d.spherical, value, text);
    if (!refusal.empty()) throw refusal;
    d.*f.member = value;
  }
  if (const int item = WallPastRadiusItem(d); item != 0) h.DialogThrowItemError(item, kWallPastRadius);
  // Each value passed; together they may still give results past a float.
  const InputLimitRefusal refusal = LimitRefusal(d);
  if (!refusal.text.empty()) h.DialogThrowItemError(refusal.item, refusal.text);
}

bool Store(HWND dialog) {
  NozzleDocument& document = TheNozzleDocument();
  NozzleEvaluation edited = document.data;
  try {
    Read(edited);
  } catch (const std::string& message) {
    State().helper.DialogFocusInvalid(message);
    return false;
  }
  (void)dialog;
  if (edited != document.data) {
    document.data = edited;
    document.analysed = false;
    SetNozzleModified(true);
    State().stored = true;
  }
  return true;
}

}  // namespace

std::string NozzleInputRefusal(const NozzleEvaluation& d) {
  for (const DialogField& f : FieldsOf(d)) {
    if (!Applies(f, d)) continue;
    const float value = d.*f.member;
    const std::string text = Format(f.kind, value);
    const std::string refusal = Refusal(f, d.spherical, value, text);
    if (!refusal.empty()) return refusal;
    if (f.kind == Kind::Dimension && value < 0.0f) return FormatFieldError(InvalidName(f, d.spherical), text, "is invalid");
  }
  if (WallPastRadiusItem(d) != 0) return kWallPastRadius;
  return LimitRefusal(d).text;
}

INT_PTR NozzleQualDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: Init(dialog); return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == IDOK) {
        if (State().readOnly || Store(dialog)) EndDialog(dialog, 1);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      if (id == kAnalysisCombo && (code == CBN_SELENDOK || code == CBN_CLOSEUP)) Layout();
      if (id == kLoadCaseCombo && (code == CBN_SELENDOK || code == CBN_CLOSEUP)) AllowableLabel();
      if ((id == kSphereRadio || id == kCylinderRadio) && code == BN_CLICKED) Relabel();
      return TRUE;
    }
    default: return FALSE;
  }
}

bool EditNozzleEvaluation(HWND owner) {
  DialogBox(InstanceHandle, "NOZZLE_QUAL", owner, NozzleQualDialogProc);
  const bool stored = State().stored;
  State().stored = false;
  return stored;
}
