// The flange qualification sheet, its load page and the commit of its edit
// copy (see FlangeSheet.h).
#include "evaluations/FlangeSheet.h"

#include <cmath>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/PropertySheet.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

DialogHelper& LoadHelper() {
  static DialogHelper helper;
  return helper;
}

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

// --- Load Data -------------------------------------------------------------------------------

void FillLoadPage(DialogHelper& h) {
  const FlangeQualificationData& d = FlangeEditCopy();
  h.DialogSetItemText(1301, FlangeFieldText(FormatPressure(d.designPressure)));
  h.DialogSetItemText(1302, FlangeFieldText(FormatTemperature(d.designTemperature)));
  h.DialogSetItemText(1303, FlangeFieldText(FormatForce(d.axialForce)));
  h.DialogSetItemText(1304, FlangeFieldText(FormatMoment(d.bendingMoment)));
  h.DialogSetItemText(1305, FlangeFieldText(FormatPressure(d.allowablePressure)));
  h.DialogSetUnitLabel(1601, kUnitPressure);
  h.DialogSetUnitLabel(1602, kUnitTemperature);
  h.DialogSetUnitLabel(1603, kUnitForce);
  h.DialogSetUnitLabel(1604, kUnitMoment);
  h.DialogSetUnitLabel(1605, kUnitPressure);
}

void ReadLoad(DialogHelper& h, int item, float& stored, int (*parse)(float&), bool positive, const char* label) {
  h.DialogGetItemText(item);
  float value = 0.0f;
  if (parse(value) != 0) ThrowInvalidField(label);
  // A typed zero may come back as the explicit zero: zero is not positive.
  const bool valid = positive ? value > 0.0f && !IsExplicitZero(value) : value >= 0.0f;
  if (!valid) ThrowInvalidField(label);
  stored = value;
}

void ReadLoadPage(DialogHelper& h) {
  FlangeQualificationData& d = FlangeEditCopy();
  ReadLoad(h, 1301, d.designPressure, ParseFieldPressure, false, "Design Pressure");
  ReadLoad(h, 1302, d.designTemperature, ParseFieldTemperature, false, "Design Temperature");
  ReadLoad(h, 1303, d.axialForce, ParseFieldForce, false, "Axial Force");
  ReadLoad(h, 1304, d.bendingMoment, ParseFieldMoment, false, "Bending Moment");
  ReadLoad(h, 1305, d.allowablePressure, ParseFieldPressure, true, "Allowable Pressure");
}

template <typename Field>
bool TakeInteger(Field& stored, Field edited) {
  if (stored == edited) return false;
  stored = edited;
  return true;
}

bool TakeFloat(float& stored, float edited) {
  if (!(std::fabs(stored - edited) > 1.0e-5f)) return false;
  stored = edited;
  return true;
}

}  // namespace

FlangeQualificationData& FlangeEditCopy() {
  static FlangeQualificationData copy;
  return copy;
}

INT_PTR LoadDataPageProc(HWND page, UINT message, WPARAM /*wParam*/, LPARAM lParam) {
  DialogHelper& h = LoadHelper();
  switch (message) {
    case WM_INITDIALOG:
      h.DialogBind(page);
      FillLoadPage(h);
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code != PSN_KILLACTIVE) return FALSE;
      h.DialogBind(page);
      try {
        ReadLoadPage(h);
        return FlangePageAnswer(page, false);
      } catch (const std::string& text) {
        h.DialogFocusInvalid(text);
        return FlangePageAnswer(page, true);
      }
    }
    default: return FALSE;
  }
}

bool StoreFlangeEdits(const FlangeQualificationData& e) {
  FlangeDocument& document = TheFlangeDocument();
  FlangeQualificationData& d = document.data;
  bool changed = false;
  changed |= TakeInteger(d.type, e.type);
  for (auto field : {&FlangeQualificationData::outsideDiameter, &FlangeQualificationData::insideDiameter,
                     &FlangeQualificationData::reverseInsideDiameter, &FlangeQualificationData::thickness,
                     &FlangeQualificationData::hubSmallEnd, &FlangeQualificationData::hubLargeEnd,
                     &FlangeQualificationData::hubLength, &FlangeQualificationData::flangeAllowableDesign,
                     &FlangeQualificationData::flangeAllowableReference, &FlangeQualificationData::modulusDesign,
                     &FlangeQualificationData::modulusReference, &FlangeQualificationData::boltCircle})
    changed |= TakeFloat(d.*field, e.*field);
  changed |= TakeInteger(d.boltCount, e.boltCount);
  changed |= TakeInteger(d.boltSize, e.boltSize);
  for (auto field : {&FlangeQualificationData::boltDiameter, &FlangeQualificationData::boltAllowableDesign,
                     &FlangeQualificationData::boltAllowableReference, &FlangeQualificationData::gasketOutside,
                     &FlangeQualificationData::gasketInside, &FlangeQualificationData::gasketFactor,
                     &FlangeQualificationData::seatingStress})
    changed |= TakeFloat(d.*field, e.*field);
  changed |= TakeInteger(d.facingSketch, e.facingSketch);
  changed |= TakeInteger(d.facingColumn, e.facingColumn);
  for (auto field : {&FlangeQualificationData::designPressure, &FlangeQualificationData::designTemperature,
                     &FlangeQualificationData::axialForce, &FlangeQualificationData::bendingMoment,
                     &FlangeQualificationData::allowablePressure})
    changed |= TakeFloat(d.*field, e.*field);
  if (changed) {
    SetFlangeModified(true);
    document.analysed = false;
  }
  return changed;
}

bool FlangeQualificationSheet(HWND owner) {
  FlangeEditCopy() = TheFlangeData();
  PROPSHEETPAGE pages[3];
  InitPropertyPages(pages, 3);
  SetPropertyPage(pages, 0, "FLANGE_DATA_DIALOG", FlangeDataPageProc, 0);
  SetPropertyPage(pages, 1, "BOLT_GASK_DATA_DIALOG", BoltGasketPageProc, 0);
  SetPropertyPage(pages, 2, "LOAD_DATA_DIALOG", LoadDataPageProc, 0);
  PROPSHEETHEADER header{};
  InitPropertySheetHeader(header, pages, owner, "Flange Qualification", 3, 0, SheetCallback);
  const INT_PTR result = PropertySheet(&header);
  if (result < 0) {
    ShowErrorMessage(owner, "Failed to create property sheet");
    return false;
  }
  return result == 1 && StoreFlangeEdits(FlangeEditCopy());
}
