// The flange and the bolt and gasket pages of the flange qualification
// sheet (see FlangeSheet.h). The flange page enables the reverse flange's
// inside diameter only while "Reverse Flanges" is chosen, and tests it only
// then. Every value is read with its unit's parser and refused under the
// page's short label.
#include <array>

#include "evaluations/FlangeSheet.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/PropertySheet.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kTypeCombo = 1201;
constexpr int kBoltCombo = 1201;

DialogHelper& FlangeHelper() {
  static DialogHelper helper;
  return helper;
}

DialogHelper& BoltHelper() {
  static DialogHelper helper;
  return helper;
}

// The reading of one field into the edit copy: parsed with `parse` on the
// field's text, then held to `valid`; else the field's message.
template <typename Value, typename Parse, typename Valid>
void ReadField(DialogHelper& h, int item, Value& stored, Parse parse, Valid valid, const char* label) {
  h.DialogGetItemText(item);
  Value value{};
  if (parse(value) != 0 || !valid(value)) ThrowInvalidField(label);
  stored = value;
}

// A typed zero may come back as the explicit zero; it is zero here.
bool Positive(float value) { return value > 0.0f && !IsExplicitZero(value); }
bool NotNegative(float value) { return value >= 0.0f; }

// --- Flange Details ------------------------------------------------------------------------

struct DimensionField {
  int item;
  float FlangeQualificationData::*field;
  const char* label;
};

void EnableReverseDiameter(DialogHelper& h) {
  h.DialogEnableItem(1303, h.DialogComboGetSel(kTypeCombo) == kReverseFlange);
}

void FillFlangePage(DialogHelper& h) {
  const FlangeQualificationData& d = FlangeEditCopy();
  h.DialogComboReset(kTypeCombo);
  for (const char* name : kFlangeTypeListNames) h.DialogComboAddString(name);
  h.DialogComboSetSel(kTypeCombo, d.type);
  const std::array<std::pair<int, float>, 7> dimensions{{{1301, d.outsideDiameter},
                                                         {1302, d.insideDiameter},
                                                         {1303, d.reverseInsideDiameter},
                                                         {1304, d.thickness},
                                                         {1305, d.hubSmallEnd},
                                                         {1306, d.hubLargeEnd},
                                                         {1307, d.hubLength}}};
  for (const auto& [item, value] : dimensions) h.DialogSetItemText(item, FlangeFieldText(FormatDimension(value)));
  h.DialogSetItemText(1308, FlangeFieldText(FormatStress(d.flangeAllowableDesign)));
  h.DialogSetItemText(1309, FlangeFieldText(FormatStress(d.flangeAllowableReference)));
  h.DialogSetItemText(1310, FlangeFieldText(FormatModulus(d.modulusDesign)));
  h.DialogSetItemText(1311, FlangeFieldText(FormatModulus(d.modulusReference)));
  for (int label = 1601; label <= 1607; ++label) h.DialogSetUnitLabel(label, kUnitDimension);
  h.DialogSetUnitLabel(1608, kUnitStress);
  h.DialogSetUnitLabel(1609, kUnitStress);
  h.DialogSetUnitLabel(1610, kUnitModulus);
  h.DialogSetUnitLabel(1611, kUnitModulus);
  EnableReverseDiameter(h);
}

void ReadFlangePage(DialogHelper& h) {
  FlangeQualificationData& d = FlangeEditCopy();
  const int type = h.DialogComboGetSel(kTypeCombo);
  if (type >= 0 && type < kFlangeTypeListCount) d.type = type;
  auto dimension = [](float& value) { return ParseFieldDimension(value); };
  auto stress = [](float& value) { return ParseFieldStress(value); };
  auto modulus = [](float& value) { return ParseFieldModulus(value); };
  ReadField(h, 1301, d.outsideDiameter, dimension, Positive, "Flange Outside Dia.");
  ReadField(h, 1302, d.insideDiameter, dimension, Positive, "Flange Inside Dia.");
  if (d.type == kReverseFlange)
    ReadField(h, 1303, d.reverseInsideDiameter, dimension, Positive, "Reverse Flange Inside Dia");
  ReadField(h, 1304, d.thickness, dimension, Positive, "Flange Thickness");
  ReadField(h, 1305, d.hubSmallEnd, dimension, Positive, "Small End Hub Thk.");
  ReadField(h, 1306, d.hubLargeEnd, dimension, Positive, "Large End Hub Thk.");
  ReadField(h, 1307, d.hubLength, [](float& value) { return ParseFieldNonNegativeDimension(value); }, NotNegative,
            "Hub Length");
  ReadField(h, 1308, d.flangeAllowableDesign, stress, Positive, "Flange All. Design Temp.");
  ReadField(h, 1309, d.flangeAllowableReference, stress, Positive, "Flange All. Ref. Temp.");
  ReadField(h, 1310, d.modulusDesign, modulus, Positive, "Flange Modulus @ Design Temp.");
  ReadField(h, 1311, d.modulusReference, modulus, Positive, "Flange Modulus @ Ref. Temp.");
}

// --- Bolt and Gasket Details ----------------------------------------------------------------

void FillBoltPage(DialogHelper& h) {
  const FlangeQualificationData& d = FlangeEditCopy();
  h.DialogSetItemText(1301, FlangeFieldText(FormatDimension(d.boltCircle)));
  h.DialogSetItemText(1302, IntegerToText(d.boltCount));
  h.DialogComboReset(kBoltCombo);
  for (const BoltSize& size : g_BoltSizes) h.DialogComboAddString(size.name);
  h.DialogComboSetSel(kBoltCombo, d.boltSize);
  h.DialogSetItemText(1304, FlangeFieldText(FormatStress(d.boltAllowableDesign)));
  h.DialogSetItemText(1305, FlangeFieldText(FormatStress(d.boltAllowableReference)));
  h.DialogSetItemText(1306, FlangeFieldText(FormatDimension(d.gasketOutside)));
  h.DialogSetItemText(1307, FlangeFieldText(FormatDimension(d.gasketInside)));
  h.DialogSetItemText(1308, FlangeFieldText(FormatFixedWidth(d.gasketFactor, 5, 2)));
  h.DialogSetItemText(1309, FlangeFieldText(FormatStress(d.seatingStress)));
  h.DialogSetItemText(1310, IntegerToText(d.facingSketch));
  h.DialogSetItemText(1311, IntegerToText(d.facingColumn));
  for (int label : {1601, 1605, 1606}) h.DialogSetUnitLabel(label, kUnitDimension);
  for (int label : {1603, 1604, 1607}) h.DialogSetUnitLabel(label, kUnitStress);
}

// A facing number read as an integer from 1 to `last`, else `message`.
void ReadFacing(DialogHelper& h, int item, std::int32_t& stored, int last, const char* message) {
  h.DialogGetItemText(item);
  std::int32_t value = 0;
  if (ParseFieldInteger(value) != 0 || value < 1 || value > last) throw std::string(message);
  stored = value;
}

void ReadBoltPage(DialogHelper& h) {
  FlangeQualificationData& d = FlangeEditCopy();
  auto dimension = [](float& value) { return ParseFieldDimension(value); };
  auto stress = [](float& value) { return ParseFieldStress(value); };
  ReadField(h, 1301, d.boltCircle, dimension, Positive, "Bolt Circle Diameter");
  ReadField(h, 1302, d.boltCount, [](std::int32_t& value) { return ParseFieldInteger(value); },
            [](std::int32_t value) { return value >= 1; }, "Number of Bolts");
  const int size = h.DialogComboGetSel(kBoltCombo);
  if (size >= 0 && size < kBoltSizeCount) {
    d.boltSize = size;
    d.boltDiameter = g_BoltSizes[static_cast<std::size_t>(size)].diameter;
  }
  ReadField(h, 1304, d.boltAllowableDesign, stress, Positive, "Bolt All. Design Temp.");
  ReadField(h, 1305, d.boltAllowableReference, stress, Positive, "Bolt All. Ref. Temp.");
  ReadField(h, 1306, d.gasketOutside, dimension, Positive, "Gasket Outer Diameter");
  ReadField(h, 1307, d.gasketInside, dimension, Positive, "Gasket Inner Diameter");
  ReadField(h, 1308, d.gasketFactor, [](float& value) { return ParseFieldReal(value); }, NotNegative,
            "Leak Pressure Ratio");
  ReadField(h, 1309, d.seatingStress, stress, NotNegative, "Gasket Seating Stress");
  // Sketch 1 to 5 and column 1 or 2, as the messages say: column 0 would
  // give no seating width.
  ReadFacing(h, 1310, d.facingSketch, 5, "Facing Sketch should be > 0 and < 6");
  ReadFacing(h, 1311, d.facingColumn, 2, "Facing Column should be > 0 and <= 2");
}

// A page's notifications: leaving reads it back, refusing on a bad field.
template <typename Read>
INT_PTR OnNotify(HWND page, DialogHelper& h, LPARAM lParam, Read read) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code != PSN_KILLACTIVE) return FALSE;
  h.DialogBind(page);
  try {
    read(h);
    return FlangePageAnswer(page, false);
  } catch (const std::string& message) {
    h.DialogFocusInvalid(message);
    return FlangePageAnswer(page, true);
  }
}

}  // namespace

INT_PTR FlangePageAnswer(HWND page, bool refuse) {
  SetWindowLongPtr(page, DWLP_MSGRESULT, refuse ? TRUE : FALSE);
  return TRUE;
}

std::string FlangeFieldText(const char* formatted) {
  std::string text = formatted;
  TrimBlanks(text);
  return text;
}

INT_PTR FlangeDataPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogHelper& h = FlangeHelper();
  switch (message) {
    case WM_INITDIALOG:
      h.DialogBind(page);
      FillFlangePage(h);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kTypeCombo && (HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == CBN_SELENDOK ||
                                           HIWORD(wParam) == CBN_CLOSEUP)) {
        h.DialogBind(page);
        EnableReverseDiameter(h);
        return TRUE;
      }
      return FALSE;
    case WM_NOTIFY: return OnNotify(page, h, lParam, ReadFlangePage);
    default: return FALSE;
  }
}

INT_PTR BoltGasketPageProc(HWND page, UINT message, WPARAM /*wParam*/, LPARAM lParam) {
  DialogHelper& h = BoltHelper();
  switch (message) {
    case WM_INITDIALOG:
      h.DialogBind(page);
      FillBoltPage(h);
      return TRUE;
    case WM_NOTIFY: return OnNotify(page, h, lParam, ReadBoltPage);
    default: return FALSE;
  }
}
