// The lug evaluation dialog (see LugEvaluationDialog.h).
#include "evaluations/LugEvaluationDialog.h"

#include <vector>

#include "evaluations/EvaluationInputLimits.h"
#include "evaluations/LugEvaluationChecks.h"
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

constexpr int kCodeCombo = 1201, kLevelCombo = 1202, kWeldCombo = 1203;
constexpr int kRectangularRadio = 1401, kCircularRadio = 1402;
constexpr int kFirstLoad = 1315;

// A dimension of the geometry: its field, member, name in messages and
// least value.
struct DimensionField {
  int item;
  float LugInputs::*member;
  const char* name;
  float least;
};

std::vector<DimensionField> Dimensions(const LugInputs& d) {
  std::vector<DimensionField> fields = {{1301, &LugInputs::OD, "Outside Diameter of Run Pipe", 0.001f},
                                      {1302, &LugInputs::Thk, "Nominal Wall Thickness of Run Pipe", 0.0001f}};
  if (d.lugType == kLugRectangular) {
    fields.push_back({1303, &LugInputs::L1, "Half Length (L1)", 0.001f});
    fields.push_back({1304, &LugInputs::L2, "Half Length (L2)", 0.001f});
  } else {
    fields.push_back({1303, &LugInputs::od, "Outside Diameter of Attachment", 0.001f});
    fields.push_back({1304, &LugInputs::thk, "Nominal Wall Thickness of Attachment", 0.001f});
  }
  return fields;
}

struct StressField {
  int item;
  float LugInputs::*member;
  const char* label;
};

std::vector<StressField> Stresses(const LugInputs& d) {
  if (LugIsAsme(d))
    return {{1305, &LugInputs::s1, "Sustained Stress at Run Pipe (Eq.8)"},
            {1306, &LugInputs::s2, "Expansion Stress at Run Pipe (Eq.10)"},
            {1307, &LugInputs::s3, "Sustained + Occasional Stress at Run Pipe (Eq.9)"},
            {1308, &LugInputs::s4, "Settlement Stress at Run Pipe (10a)"},
            {1309, &LugInputs::s5, "Thermal + Sustained Stress at Run Pipe (Eq. 11)"},
            {1310, &LugInputs::sh, "Allowable Stress at Maximum Temperature (sh)"},
            {1311, &LugInputs::sa, "Allowable Stress Range (sa)"},
            {1312, &LugInputs::sy, "Yield Strength (sy)"}};
  // EN: the thermal + sustained stress (s5) before the creep stress (s4).
  return {{1305, &LugInputs::s1, "Sustained Stress at Run Pipe (S1)"},
          {1306, &LugInputs::s2, "Expansion Stress at Run Pipe (S3)"},
          {1307, &LugInputs::s3, "Sustained + Occasional Stress at Run Pipe (S2)"},
          {1308, &LugInputs::s5, "Thermal + Sustained Stress at Run Pipe (S4)"},
          {1309, &LugInputs::s4, "Creep Stress at Run Pipe (S5)"},
          {1310, &LugInputs::fh, "Allowable Stress at Maximum Temperature (fh)"},
          {1311, &LugInputs::fa, "Allowable Stress Range (fa)"},
          {1312, &LugInputs::ReHt, "Yield Strength (ReHt)"},
          {1313, &LugInputs::fcr, "Creep Stress (fcr)"}};
}

const char* const kSetNames[kLugLoadSetCount] = {"Sustained", "Occasional", "Thermal", "", ""};
const char* const kLoadNames[kLugLoadCount] = {"Thrust Load (W",      "Circumferential Shear Load (Q1",
                                               "Longitudinal Shear Load (Q2", "Tosional Moment (MT",
                                               "Circumferential Moment (MN", "Longitudinal Moment (ML"};

std::string LoadName(int set, int load) {
  const std::string name = std::string(kLoadNames[load]) + (set == kLugAbsMax ? "**)" : ")");
  if (set == kLugSettlement || set == kLugAbsMax) return name;
  return std::string(kSetNames[set]) + " - " + name;
}

std::string Trimmed(const char* text) {
  std::string value = text;
  TrimBlanks(value);
  return value;
}

// A run pipe whose wall reaches its outside radius has no bore: no pipe,
// though the beta limits of a rectangular attachment may pass (the hollow
// attachment's R/T limit keeps it out already).
constexpr const char* kWallPastRadius = "Thickness is greater than radius";
bool WallPastRadius(const LugInputs& d) { return d.Thk >= d.OD * 0.5f; }

// The geometry limits of the formulas, after the values.
std::string GeometryRefusal(const LugInputs& d) {
  if (d.lugType == kLugHollowCircular) {
    const double rt = d.OD * 0.5 / d.Thk, tT = static_cast<double>(d.thk) / d.Thk;
    const double dD = static_cast<double>(d.od) / d.OD;
    if (rt < 4.0 || rt > 50.0) return "Run Pipe - Radius/Thickness should be between 4 and 50";
    if (tT < 0.2 || tT > 1.0) return "t/T should be between 0.2 and 1.0";
    if (dD < 0.3 || dD > 1.0) return "do/Do should be between 0.3 and 1.0";
    return {};
  }
  if (WallPastRadius(d)) return kWallPastRadius;
  const double Ro = (static_cast<double>(d.OD) - d.Thk) * 0.5;
  const double beta1 = d.L1 / Ro, beta2 = d.L2 / Ro;
  if (!(Ro > 0.0) || beta1 > 0.5) return "L1/Ro should be <= 0.5. Ro = Mean Pipe Radius = (Pipe OD - Thk / 2.0)";
  if (beta2 > 0.5) return "L2/Ro should be <= 0.5. Ro = Mean Pipe Radius = (Pipe OD - Thk / 2.0)";
  if (beta1 * beta2 > 0.075) return "B1.B2 should be <= 0.075";
  return LugFitRefusal(d);
}

// Whether what the report shows of the checks is finite.
bool ResultsFiniteOf(const LugInputs& d) {
  const LugCheckResult r = CheckLug(d);
  if (!r.refusal.empty()) return true;  // refused before any result
  for (const std::vector<LugResultRow>* rows : {&r.rows, &r.weldRows})
    for (const LugResultRow& row : *rows)
      if (!ResultsFinite({row.calculated, row.allowed})) return false;
  for (int i = 0; i < 4; ++i)
    if (!ResultsFinite({r.K[i], r.B[i]})) return false;
  for (double P : r.P)
    if (!ResultsFinite({P})) return false;
  return ResultsFinite({r.tau1, r.tau2, r.tauT});
}

// The values the dialog reads against the limit of a typed number, then
// the results they give.
InputLimitRefusal LimitRefusal(const LugInputs& d) {
  std::vector<NamedInput> inputs;
  for (const DimensionField& s : Dimensions(d))
    inputs.push_back({s.name, Trimmed(FormatDimension(d.*s.member)), d.*s.member, s.item});
  for (const StressField& s : Stresses(d))
    inputs.push_back({s.label, Trimmed(FormatStress(d.*s.member)), d.*s.member, s.item});
  for (int set = 0; set < kLugLoadSetCount; ++set) {
    if (set == kLugSettlement && !LugIsAsme(d)) continue;
    for (int load = 0; load < kLugLoadCount; ++load) {
      const float value = d.loads[static_cast<std::size_t>(set)][static_cast<std::size_t>(load)];
      inputs.push_back({LoadName(set, load), Trimmed(load <= kLugQ2 ? FormatForceTrim(value) : FormatMomentTrim(value)),
                        value, kFirstLoad + 6 * set + load});
    }
  }
  return CheckInputLimits(inputs, [&d] { return ResultsFiniteOf(d); });
}

// What the dialog does not read counts as 0.
void ClearUnread(LugInputs& d) {
  if (LugIsAsme(d)) {
    d.fh = d.fa = d.ReHt = d.fcr = 0;
  } else {
    d.sh = d.sa = d.sy = 0;
    d.loads[kLugSettlement] = {};
  }
  if (d.lugType == kLugRectangular)
    d.od = d.thk = 0;
  else
    d.L1 = d.L2 = 0;
}

// --- the dialog ----------------------------------------------------------------------------

struct DialogState {
  DialogHelper helper;
  LugInputs shown;  // the document with the code chosen in the dialog
  bool readOnly = false;
  bool stored = false;
};

DialogState& State() {
  static DialogState state;
  return state;
}

void SetIfNotZero(int item, float value, const char* text) {
  if (value != 0.0f) State().helper.DialogSetItemText(item, Trimmed(text));
}

// Switching the attachment puts the other kind's two dimensions in their
// fields, or empties them: the text of one kind never passes for the other.
void FillWeldTypes(bool rectangular, bool switched) {
  DialogHelper& h = State().helper;
  const LugInputs& d = State().shown;
  h.DialogComboReset(kWeldCombo);
  if (rectangular)
    for (const char* name : kLugRectangularWelds) h.DialogComboAddString(name);
  else
    for (const char* name : kLugCircularWelds) h.DialogComboAddString(name);
  const int count = rectangular ? 3 : 2;
  h.DialogComboSetSel(kWeldCombo, d.weldType >= 0 && d.weldType < count ? d.weldType : 0);
  h.DialogSetItemText(1503, rectangular ? "Half Length of Attachment in Circumferential Direction (L1)"
                                        : "Outside Diameter of Hollow Circular Attachment (od)");
  h.DialogSetItemText(1504, rectangular ? "Half Length of Attachment in Longitudinal Direction (L2)"
                                        : "Nominal Wall Thickness of Hollow Circular Attachment (thk)");
  if (switched) {
    h.DialogSetItemText(1303, "");
    h.DialogSetItemText(1304, "");
  }
  SetIfNotZero(1303, rectangular ? d.L1 : d.od, FormatDimension(rectangular ? d.L1 : d.od));
  SetIfNotZero(1304, rectangular ? d.L2 : d.thk, FormatDimension(rectangular ? d.L2 : d.thk));
}

void Fill() {
  DialogHelper& h = State().helper;
  const LugInputs& d = State().shown;
  for (int item = 1601; item <= 1604; ++item) h.DialogSetUnitLabel(item, kUnitDimension);
  for (int item = 1605; item <= 1613; ++item) h.DialogSetUnitLabel(item, kUnitStress);
  for (int item = 1151; item <= 1153; ++item) h.DialogSetUnitLabel(item, kUnitForce);
  for (int item = 1154; item <= 1156; ++item) h.DialogSetUnitLabel(item, kUnitMoment);
  SetIfNotZero(1301, d.OD, FormatDimension(d.OD));
  SetIfNotZero(1302, d.Thk, FormatDimension(d.Thk));
  const bool rectangular = d.lugType == kLugRectangular;
  h.DialogCheckRadio(kRectangularRadio, kCircularRadio, rectangular ? kRectangularRadio : kCircularRadio);
  FillWeldTypes(rectangular, false);
  const bool asme = LugIsAsme(d);
  for (int item : {1162, kLevelCombo}) {
    if (asme)
      h.DialogShowItem(item);
    else
      h.DialogHideItem(item);
  }
  if (asme) {
    h.DialogComboReset(kLevelCombo);
    for (const char* name : kLugLevelNames) h.DialogComboAddString(name);
    h.DialogComboSetSel(kLevelCombo, d.level);
  }
  h.DialogSetItemText(1513, asme ? "" : "Creep Stress (fcr)");
  h.DialogEnableItem(1313, !asme);
  for (const StressField& s : Stresses(d)) {
    h.DialogSetItemText(s.item - 1301 + 1501, s.label);
    SetIfNotZero(s.item, d.*s.member, FormatStress(d.*s.member));
  }
  for (int load = 0; load < kLugLoadCount; ++load)
    h.DialogEnableItem(kFirstLoad + 6 * kLugSettlement + load, asme);
  for (int set = 0; set < kLugLoadSetCount; ++set)
    for (int load = 0; load < kLugLoadCount; ++load) {
      const float value = d.loads[static_cast<std::size_t>(set)][static_cast<std::size_t>(load)];
      SetIfNotZero(kFirstLoad + 6 * set + load, value, load <= kLugQ2 ? FormatForceTrim(value) : FormatMomentTrim(value));
    }
}

void Init(HWND dialog) {
  DialogState& state = State();
  DialogHelper& h = state.helper;
  h.DialogBind(dialog);
  state.stored = false;
  state.shown = TheLugDocument().data;
  h.DialogComboReset(kCodeCombo);
  for (const char* name : kLugCodeNames) h.DialogComboAddString(name);
  h.DialogComboSetSel(kCodeCombo, state.shown.code);
  Fill();
  state.readOnly = ProgramCommands().inResultsMode();
  if (state.readOnly) {
    for (int item : {kCodeCombo, kLevelCombo, kWeldCombo, kRectangularRadio, kCircularRadio}) h.DialogDisableItem(item);
    for (int item = 1301; item <= 1344; ++item) h.DialogSetReadOnly(item);
    h.DialogFocusItem(IDOK);
  }
  CenterDialogOnFrame(dialog, IDOK);
}

float ReadValue(int item, int (*parse)(float&), bool required, const std::string& requiredName,
                const std::string& invalidName, float least) {
  DialogHelper& h = State().helper;
  h.DialogGetItemText(item);
  if (g_EditFieldText.empty()) {
    if (required) ThrowRequiredField(requiredName);
    return 0.0f;
  }
  float value = 0.0f;
  if (parse(value) != 0) ThrowInvalidField(invalidName);
  if (IsExplicitZero(value)) value = 0.0f;
  if (least >= 0.0f && value < least) ThrowInvalidField(invalidName);
  return value;
}

void Read(LugInputs& d) {
  DialogHelper& h = State().helper;
  const int code = h.DialogComboGetSel(kCodeCombo);
  d.code = code >= 0 && code <= 2 ? code : kLugAsmeNc;
  d.lugType = h.DialogIsChecked(kCircularRadio) ? kLugHollowCircular : kLugRectangular;
  for (const DimensionField& s : Dimensions(d))
    d.*s.member = ReadValue(s.item, ParseFieldNonNegativeDimension, true, s.name, s.name, s.least);
  for (const StressField& s : Stresses(d)) d.*s.member = ReadValue(s.item, ParseFieldStress, false, s.label, s.label, 0.0f);
  if (LugIsAsme(d)) {
    const int level = h.DialogComboGetSel(kLevelCombo);
    d.level = level >= 0 && level <= 3 ? level : 0;
  }
  const int weld = h.DialogComboGetSel(kWeldCombo);
  d.weldType = weld >= 0 && weld < (d.lugType == kLugRectangular ? 3 : 2) ? weld : 0;
  for (int set = 0; set < kLugLoadSetCount; ++set) {
    if (set == kLugSettlement && !LugIsAsme(d)) continue;
    for (int load = 0; load < kLugLoadCount; ++load) {
      const std::string name = LoadName(set, load);
      const float least = set == kLugAbsMax ? 0.0f : -1.0f;
      d.loads[static_cast<std::size_t>(set)][static_cast<std::size_t>(load)] =
          ReadValue(kFirstLoad + 6 * set + load, load <= kLugQ2 ? ParseFieldForce : ParseFieldMoment, false, name,
                    name, least);
    }
  }
  if (d.lugType == kLugRectangular && WallPastRadius(d)) h.DialogThrowItemError(1302, kWallPastRadius);
  const std::string geometry = GeometryRefusal(d);
  if (!geometry.empty()) throw geometry;
  ClearUnread(d);
  // Each value passed; together they may still give results past a float.
  const InputLimitRefusal refusal = LimitRefusal(d);
  if (!refusal.text.empty()) h.DialogThrowItemError(refusal.item, refusal.text);
}

bool Store() {
  LugDocument& document = TheLugDocument();
  LugInputs edited = document.data;
  try {
    Read(edited);
  } catch (const std::string& message) {
    State().helper.DialogFocusInvalid(message);
    return false;
  }
  if (edited != document.data) {
    document.data = edited;
    document.analysed = false;
    SetLugModified(true);
    State().stored = true;
  }
  return true;
}

}  // namespace

std::string LugInputRefusal(const LugInputs& d) {
  for (const DimensionField& s : Dimensions(d))
    if (!(d.*s.member >= s.least))
      return FormatFieldError(s.name, Trimmed(FormatDimension(d.*s.member)), "is invalid");
  for (const StressField& s : Stresses(d))
    if (d.*s.member < 0.0f) return FormatFieldError(s.label, Trimmed(FormatStress(d.*s.member)), "is invalid");
  for (int load = 0; load < kLugLoadCount; ++load)
    if (d.loads[kLugAbsMax][static_cast<std::size_t>(load)] < 0.0f)
      return FormatFieldError(LoadName(kLugAbsMax, load), "-", "is invalid");
  const std::string geometry = GeometryRefusal(d);
  if (!geometry.empty()) return geometry;
  return LimitRefusal(d).text;
}

INT_PTR LugDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: Init(dialog); return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == IDOK) {
        if (State().readOnly) {
          EndDialog(dialog, 0);
        } else if (Store()) {
          EndDialog(dialog, 1);
        }
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      if (id == kCodeCombo && (code == CBN_SELENDOK || code == CBN_CLOSEUP)) {
        const int chosen = State().helper.DialogComboGetSel(kCodeCombo);
        if (chosen >= 0 && chosen <= 2) State().shown.code = chosen;
        Fill();
      }
      if ((id == kRectangularRadio || id == kCircularRadio) && code == BN_CLICKED) FillWeldTypes(id == kRectangularRadio, true);
      return TRUE;
    }
    default: return FALSE;
  }
}

bool EditLugEvaluation(HWND owner) {
  DialogBox(InstanceHandle, "LUG_EVAL", owner, LugDialogProc);
  const bool stored = State().stored;
  State().stored = false;
  return stored;
}
