// The beam section dialog; see BeamSectionDialog.h.
#include "properties/BeamSectionDialog.h"

#include <cstdio>

#include "model/MakeModel.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/AiscShapeDialogs.h"
#include "properties/BeamLibrary.h"
#include "properties/BeamRecordEdits.h"
#include "properties/NamedRecordDialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

enum Item : int {
  kName = 1301, kDescription = 1302, kArea = 1303, kMajor = 1304, kMinor = 1305, kTorsion = 1306,
  kMajorShear = 1307, kMinorShear = 1308, kDepth = 1309, kWidth = 1310, kLibrary = 1001
};
constexpr int kFirstUnit = 1603;
constexpr int kDescriptionLength = 15;

using BeamSectionDialogState = NamedRecordDialogState;

BeamSectionDialogState& StateOf(HWND dialog) { return NamedRecordDialogStateOf<BeamSectionDialogState>(dialog); }

// The eight value fields with their records' members and formats.
struct ValueField {
  int item;
  float BeamSection::*member;
  const char* (*format)(float);
  UnitKind unit;
};
constexpr ValueField kValues[8] = {
    {kArea, &BeamSection::A, FormatArea, kUnitArea},
    {kMajor, &BeamSection::Imaj, FormatMomentOfInertia, kUnitMomentOfInertia},
    {kMinor, &BeamSection::Imin, FormatMomentOfInertia, kUnitMomentOfInertia},
    {kTorsion, &BeamSection::J, FormatMomentOfInertia, kUnitMomentOfInertia},
    {kMajorShear, &BeamSection::Asmaj, FormatArea, kUnitArea},
    {kMinorShear, &BeamSection::Asmin, FormatArea, kUnitArea},
    {kDepth, &BeamSection::depth, FormatDimension, kUnitDimension},
    {kWidth, &BeamSection::width, FormatDimension, kUnitDimension},
};

void ShowValues(DialogHelper& helper, const BeamSection& s) {
  helper.DialogSetItemTextAndLimit(kDescription, s.description, kDescriptionLength);
  for (const ValueField& field : kValues) {
    const float value = s.*field.member;
    if (value != 0.0f) helper.DialogSetItemText(field.item, field.format(value));
    else helper.DialogSetItemEmpty(field.item);
  }
}

void OnInit(HWND dialog, BeamSectionDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const BeamSection& s = TheModel().beamSections[state.record];
  char title[40];
  std::snprintf(title, sizeof title, "Beam Section # %d", state.record);
  SetWindowText(dialog, title);
  for (int i = 0; i < 8; ++i) helper.DialogSetUnitLabel(kFirstUnit + i, kValues[i].unit);
  ShowValues(helper, s);
  const bool library = BeamLibraryMode();
  if (library) {
    helper.DialogSetItemEmpty(kName);
    helper.DialogDisableItem(kName);
  } else {
    helper.DialogSetItemTextAndLimit(kName, s.name, 5);
  }
  if (TableResultsShown()) {
    for (int item = kName; item <= kWidth; ++item) helper.DialogSetReadOnly(item);
    helper.DialogDisableItem(kLibrary);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(library ? kDescription : kName);
  }
  CenterWindowOnParent(dialog, IDOK);
}

// A value by the rule of its field `which` in `edited`: empty is
// "<label> is required" when `required`, else 0; a bad text is invalid.
float ReadValue(DialogHelper& helper, int item, const BeamSection& edited, BeamSectionRuled which,
                int (*parse)(float&), bool required = false) {
  const FieldRule<BeamSection>& rule = kBeamSectionRules[which];
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) {
    if (required) ThrowRequiredField(rule.label);
    return 0.0f;
  }
  float value = 0.0f;
  if (parse(value) != 0) ThrowInvalidField(rule.label);
  CheckFieldRule(rule, value, edited);
  return value;
}

BeamSection ReadFields(DialogHelper& helper, int record) {
  const Model& model = TheModel();
  BeamSection edited = model.beamSections[record];
  if (!BeamLibraryMode()) {
    helper.DialogReadFieldTrimmed(kName);
    edited.name = g_EditFieldText;
    CheckBeamSectionName(model, edited.name, record);
  }
  helper.DialogReadLongFieldTrimmed(kDescription);
  edited.description = g_EditFieldText.substr(0, kDescriptionLength);
  if (BeamLibraryMode() && edited.description.empty()) ThrowRequiredField("Description");
  // A typed 0 would leave the beam without stiffness: the rules of the
  // area and the moments of inertia refuse it.
  edited.A = ReadValue(helper, kArea, edited, kBeamSectionAreaRule, ParseFieldArea, true);
  edited.Imaj = ReadValue(helper, kMajor, edited, kBeamSectionMajorRule, ParseFieldMomentOfInertia, true);
  edited.Imin = ReadValue(helper, kMinor, edited, kBeamSectionMinorRule, ParseFieldMomentOfInertia, true);
  edited.J = ReadValue(helper, kTorsion, edited, kBeamSectionTorsionRule, ParseFieldMomentOfInertia);
  edited.Asmaj = ReadValue(helper, kMajorShear, edited, kBeamSectionMajorShearRule, ParseFieldArea);
  edited.Asmin = ReadValue(helper, kMinorShear, edited, kBeamSectionMinorShearRule, ParseFieldArea);
  edited.depth = ReadValue(helper, kDepth, edited, kBeamSectionDepthRule, ParseFieldNonNegativeDimension);
  edited.width = ReadValue(helper, kWidth, edited, kBeamSectionWidthRule, ParseFieldNonNegativeDimension);
  return edited;
}

bool Same(const BeamSection& a, const BeamSection& b) {
  return a.name == b.name && a.description == b.description && a.A == b.A && a.Imaj == b.Imaj && a.Imin == b.Imin &&
         a.J == b.J && a.Asmaj == b.Asmaj && a.Asmin == b.Asmin && a.depth == b.depth && a.width == b.width;
}

void OnOk(HWND dialog, BeamSectionDialogState& state) {
  Model& model = TheModel();
  BeamSection& stored = model.beamSections[state.record];
  const float depth = stored.depth, width = stored.width;
  // The library's sections are named in no row.
  const RecordNameChange name{"Beam section name", kName, BeamLibraryMode() ? nullptr : RenameBeamSectionInRows};
  if (!StoreNamedRecord(dialog, state, stored, ReadFields, Same, name)) return;
  if ((stored.depth != depth || stored.width != width) && !BeamLibraryMode() && model.rowCount > 0) {
    try {
      RefreshAfterModelEdit(model);
    } catch (const std::string& message) {
      ShowErrorMessage(dialog, message);
    }
  }
  EndDialog(dialog, 1);
}

void OnLibrary(HWND dialog, BeamSectionDialogState& state) {
  if (!AiscShapeFamilyDialog(dialog)) return;
  DialogHelper& helper = state.helper;
  ShowValues(helper, AiscWorkRecord());
  const std::string& name = TheModel().beamSections[state.record].name;
  if (!BeamLibraryMode() && !name.empty()) {
    helper.DialogSetItemTextAndLimit(kName, name, 5);
    helper.DialogFocusItem(IDOK);
  } else if (!BeamLibraryMode()) {
    helper.DialogSelectAndFocus(kName);
  } else {
    helper.DialogFocusItem(IDOK);
  }
  helper.PlaceCursorOnItem(IDOK);
}

}  // namespace

INT_PTR BeamSectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<BeamSectionDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, StateOf(dialog)); return TRUE;
        case IDCANCEL: CancelNamedRecordDialog(dialog, StateOf(dialog).token); return TRUE;
        case kLibrary:
          if (!TableResultsShown()) OnLibrary(dialog, StateOf(dialog));
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int BeamSectionDialog(HWND owner, int record, SnapshotToken token) {
  BeamSectionDialogState state;
  return RunNamedRecordDialog(owner, "BEAM_SECTION_DIALOG", BeamSectionDialogProc, state, record, TheModel().beamSections.count, token);
}
