// The pump dialog PUMP_DIALOG; see PumpList.h. Three field sets follow the
// standard radio buttons: Horizontal (API 610) takes the nozzle locations,
// shaft axis and centre; Vertical inline (API 610) only the nodes; ANSI/HI
// 9.6.2 the pump type with its size list, the material, the temperature
// and, for B73.5 and axial split case pumps, the mounting type or bolt
// size. OK checks the fields in order; the first that fails keeps the
// dialog open with its message on that field and the record unchanged.
#include <cmath>
#include <cstdio>

#include "evaluations/PumpVocabulary.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Controls.h"
#include "properties/NamedRecordDialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

enum Item : int {
  kDescription = 1301, kTemperature = 1302, kSuctionNode = 1303, kDischargeNode = 1304, kFirstAxis = 1305,
  kFirstCentre = 1308, kHorizontal = 1401, kVertical = 1402, kAnsi = 1403, kSuctionTop = 1404, kSuctionSide = 1405,
  kSuctionEnd = 1406, kDischargeTop = 1407, kDischargeSide = 1408, kDischargeEnd = 1409, kCategory = 2001,
  kSize = 2002, kBoltOrMounting = 2003, kMaterial = 2004, kDischargeLocationLabel = 1503, kBoltLabel = 1513,
  kSizeLabel = 1514, kTemperatureUnit = 1601, kLengthUnit = 1602
};
constexpr std::size_t kNameLength = 15;

struct PumpDialogState : NamedRecordDialogState {
  int rememberedCategory = -1;
};

PumpDialogState& StateOf(HWND dialog) { return NamedRecordDialogStateOf<PumpDialogState>(dialog); }
Model& M() { return TheModel(); }

void FillCombo(DialogHelper& helper, int item, const std::vector<std::string>& entries) {
  helper.DialogComboReset(item);
  for (const std::string& entry : entries) helper.DialogComboAddString(entry);
}

void EnableItems(DialogHelper& helper, std::initializer_list<int> items, bool enable) {
  for (int item : items) helper.DialogEnableItem(item, enable);
}

void ShowIfNotZero(DialogHelper& helper, int item, float value, const std::string& text) {
  helper.DialogSetItemText(item, value == 0.0f ? std::string() : text);
}

void SetDischargeWords(DialogHelper& helper, bool turbine) {
  helper.DialogSetItemText(kDischargeLocationLabel, turbine ? "Flange Position" : "Location");
  helper.DialogSetItemText(kDischargeTop, turbine ? "Above base" : "Top");
  helper.DialogSetItemText(kDischargeSide, turbine ? "Below base" : "Side");
  helper.DialogShowItem(kDischargeEnd);
  if (turbine) helper.DialogHideItem(kDischargeEnd);
}

// The category-dependent lists and fields of the ANSI/HI set.
void FillCategoryLists(DialogHelper& helper, int category) {
  SetDischargeWords(helper, false);
  helper.DialogSetItemText(kSizeLabel, category == 4 ? "Nominal size" : category == 5 ? "Nozzle size" : "Pump Size");
  helper.DialogSetItemText(kBoltLabel, category == 4 ? "Bolt size" : "&Mounting Type");
  helper.DialogComboReset(kBoltOrMounting);
  const bool bolt = category == 3 || category == 4;
  helper.DialogEnableItem(kBoltOrMounting, bolt);
  if (category == 3) FillCombo(helper, kBoltOrMounting, PumpMountingNames());
  if (category == 4) FillCombo(helper, kBoltOrMounting, PumpBoltSizeNames());
  FillCombo(helper, kSize, PumpSizeNames(category));
  const bool axis = category != 1 && category != 5;
  for (int i = 0; i < 3; ++i) EnableItems(helper, {kFirstAxis + i, kFirstCentre + i}, axis);
  if (category == 5) {
    SetDischargeWords(helper, true);
    EnableItems(helper, {kDischargeTop, kDischargeSide}, true);
  }
}

void ShowHorizontalSet(DialogHelper& helper) {
  helper.DialogCheckRadio(kHorizontal, kAnsi, kHorizontal);
  SetDischargeWords(helper, false);
  EnableItems(helper, {kCategory, kSize, kBoltOrMounting, kMaterial, kTemperature}, false);
  EnableItems(helper, {kSuctionTop, kSuctionSide, kSuctionEnd, kDischargeTop, kDischargeSide, kDischargeEnd}, true);
  helper.DialogCheckRadio(kSuctionTop, kSuctionEnd, kSuctionTop);
  helper.DialogCheckRadio(kDischargeTop, kDischargeEnd, kDischargeTop);
  for (int i = 0; i < 3; ++i) EnableItems(helper, {kFirstAxis + i, kFirstCentre + i}, true);
}

void ShowVerticalSet(DialogHelper& helper) {
  helper.DialogCheckRadio(kHorizontal, kAnsi, kVertical);
  SetDischargeWords(helper, false);
  EnableItems(helper, {kCategory, kSize, kBoltOrMounting, kMaterial, kTemperature}, false);
  EnableItems(helper, {kSuctionTop, kSuctionSide, kSuctionEnd, kDischargeTop, kDischargeSide, kDischargeEnd}, false);
  for (int i = 0; i < 3; ++i) EnableItems(helper, {kFirstAxis + i, kFirstCentre + i}, false);
}

void ShowAnsiSet(DialogHelper& helper, int category) {
  helper.DialogCheckRadio(kHorizontal, kAnsi, kAnsi);
  EnableItems(helper, {kCategory, kSize, kMaterial, kTemperature}, true);
  helper.DialogEnableItem(kBoltOrMounting, category == 3 || category == 4);
  EnableItems(helper, {kSuctionTop, kSuctionSide, kSuctionEnd, kDischargeTop, kDischargeSide, kDischargeEnd}, false);
  helper.DialogCheckRadio(kSuctionTop, kSuctionEnd, kSuctionTop);
  helper.DialogCheckRadio(kDischargeTop, kDischargeEnd, kDischargeTop);
  for (int i = 0; i < 3; ++i) EnableItems(helper, {kFirstAxis + i, kFirstCentre + i}, true);
  if (category >= 0) FillCategoryLists(helper, category);
}

void ShowAxisAndCentre(DialogHelper& helper, const Pump& p) {
  helper.DialogCheckRadio(kSuctionTop, kSuctionEnd, kSuctionTop + p.suctionLocation);
  helper.DialogCheckRadio(kDischargeTop, kDischargeEnd, kDischargeTop + p.dischargeLocation);
  for (int i = 0; i < 3; ++i) {
    const float axis = p.shaftAxis[static_cast<std::size_t>(i)];
    const float centre = p.centre[static_cast<std::size_t>(i)];
    ShowIfNotZero(helper, kFirstAxis + i, axis, FormatFixedWidthTrim(axis, 8, 3));
    ShowIfNotZero(helper, kFirstCentre + i, centre, FormatLength(centre));
  }
}

void OnInit(HWND dialog, PumpDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  Pump p = M().pumps[state.record];
  char title[40];
  std::snprintf(title, sizeof title, "Pump # %d", state.record);
  SetWindowText(dialog, title);
  helper.DialogSetUnitLabel(kTemperatureUnit, kUnitTemperature);
  helper.DialogSetUnitLabel(kLengthUnit, kUnitLength);
  EnableItems(helper, {kCategory, kSize, kBoltOrMounting, kMaterial, kTemperature}, false);
  FillCombo(helper, kCategory, PumpCategoryNames());
  FillCombo(helper, kMaterial, PumpMaterialNames());
  FillCombo(helper, kSize, PumpSizeNames(0));
  state.rememberedCategory = -1;
  helper.DialogSetItemTextAndLimit(kDescription, p.name, static_cast<int>(kNameLength));
  if (p.standard == 0) p.standard = kPumpHorizontalApi610;
  if (p.vertical != 0 || p.standard == kPumpVerticalInlineApi610) {
    ShowVerticalSet(helper);
  } else {
    if (p.standard == kPumpAnsiHi962) {
      helper.DialogComboSetSel(kCategory, p.category);
      ShowAnsiSet(helper, p.category);
      state.rememberedCategory = p.category;
      helper.DialogComboSetSel(kSize, p.size);
      helper.DialogComboSetSel(kMaterial, p.materialGroup);
      if (p.category == 3 || p.category == 4) helper.DialogComboSetSel(kBoltOrMounting, p.boltOrMounting);
      helper.DialogSetItemText(kTemperature, FormatTemperature(p.temperature));
    } else {
      ShowHorizontalSet(helper);
    }
    ShowAxisAndCentre(helper, p);
  }
  helper.DialogSetItemText(kSuctionNode, p.suctionNode == 0 ? std::string() : NodeNumberText(p.suctionNode));
  helper.DialogSetItemText(kDischargeNode, p.dischargeNode == 0 ? std::string() : NodeNumberText(p.dischargeNode));
  if (TableResultsShown()) {
    for (int item = kDescription; item <= 1310; ++item) helper.DialogSetReadOnly(item);
    for (int item = kHorizontal; item <= kDischargeEnd; ++item) helper.DialogDisableItem(item);
    for (int item = kCategory; item <= kMaterial; ++item) helper.DialogDisableItem(item);
    helper.DialogFocusItem(IDOK);
  } else {
    helper.DialogSelectAndFocus(kDescription);
  }
  CenterWindowOnParent(dialog, IDOK);
}

void OnCategoryChosen(PumpDialogState& state) {
  DialogHelper& helper = state.helper;
  const int category = helper.DialogComboGetSel(kCategory);
  if (category < 0 || category == state.rememberedCategory) return;
  state.rememberedCategory = category;
  if (helper.DialogIsChecked(kAnsi)) FillCategoryLists(helper, category);
}

NodeId ReadNode(DialogHelper& helper, int item, const char* label) {
  helper.DialogReadFieldTrimmed(item);
  return GetDefinedNodeNumber(label);
}

float ReadCentre(DialogHelper& helper, int item, const char* label) {
  helper.DialogReadFieldTrimmed(item);
  float value = 0.0f;
  if (ParseFieldLength(value) != 0) ThrowInvalidField(label);
  return value;
}

}  // namespace

// The dialog's OK checks over the record it edits: the edited record, or a
// thrown field message.
Pump CheckPumpInput(DialogHelper& helper, const Pump& stored) {
  Pump edited = stored;
  helper.DialogReadFieldTrimmed(kDescription);
  edited.name = g_EditFieldText.substr(0, kNameLength);
  if (edited.name.empty()) throw std::string("Description is required");
  edited.standard = helper.DialogIsChecked(kVertical) ? kPumpVerticalInlineApi610
                    : helper.DialogIsChecked(kAnsi)   ? kPumpAnsiHi962
                                                      : kPumpHorizontalApi610;
  edited.vertical = edited.standard == kPumpVerticalInlineApi610 ? 1 : 0;
  const bool ansi = edited.standard == kPumpAnsiHi962;
  if (ansi) {
    edited.category = helper.DialogComboGetSel(kCategory);
    if (edited.category < 0) throw std::string("Pump category not selected");
    edited.size = helper.DialogComboGetSel(kSize);
    if (edited.size < 0) throw std::string("Pump or Nozzle size not selected");
    edited.materialGroup = helper.DialogComboGetSel(kMaterial);
    if (edited.materialGroup < 0) throw std::string("Pump material not selected");
    edited.boltOrMounting = 0;
    if (edited.category == 3 || edited.category == 4) {
      edited.boltOrMounting = helper.DialogComboGetSel(kBoltOrMounting);
      if (edited.boltOrMounting < 0) throw std::string("Bolt Size or Mounting Type not selected");
    }
    helper.DialogReadFieldTrimmed(kTemperature);
    if (ParseFieldTemperature(edited.temperature) != 0) ThrowInvalidField("Temperature");
    if (edited.temperature > 500.0f) throw std::string("Temperature cannot be > 500");
  }
  const bool vertical = edited.standard == kPumpVerticalInlineApi610;
  edited.suctionNode = ReadNode(helper, kSuctionNode, "Suction Node");
  if (!vertical) edited.suctionLocation = helper.DialogCheckedRadio(kSuctionTop, kSuctionEnd);
  edited.dischargeNode = ReadNode(helper, kDischargeNode, "Discharge Node");
  if (!vertical) edited.dischargeLocation = helper.DialogCheckedRadio(kDischargeTop, kDischargeEnd);
  if (edited.suctionLocation < 0 || edited.suctionLocation > 2) edited.suctionLocation = kNozzleTop;
  if (edited.dischargeLocation < 0 || edited.dischargeLocation > 2) edited.dischargeLocation = kNozzleTop;
  if (edited.suctionNode == 0 && edited.dischargeNode == 0) {
    helper.DialogFocusItem(kSuctionNode);
    throw std::string("Suction or discharge node is required");
  }
  if (vertical) edited.suctionLocation = edited.dischargeLocation = kNozzleSide;
  if (!vertical && !(ansi && (edited.category == 1 || edited.category == 5))) {
    CheckDirectionInput(helper, kFirstAxis, edited.shaftAxis[0], edited.shaftAxis[1], edited.shaftAxis[2]);
    if (std::string fault = PumpShaftAxisFault(edited, M().options.ZVertical != 0); !fault.empty()) {
      helper.DialogFocusItem(kFirstAxis + (M().options.ZVertical != 0 ? 2 : 1));
      throw fault;
    }
    const char* const labels[3] = {"X", "Y", "Z"};
    for (int i = 0; i < 3; ++i) edited.centre[static_cast<std::size_t>(i)] = ReadCentre(helper, kFirstCentre + i, labels[i]);
    const double distance = std::sqrt(static_cast<double>(edited.centre[0]) * edited.centre[0] +
                                      static_cast<double>(edited.centre[1]) * edited.centre[1] +
                                      static_cast<double>(edited.centre[2]) * edited.centre[2]);
    if (distance < 0.01) {
      helper.DialogFocusItem(kFirstCentre);
      throw std::string("Center of the pump is required");
    }
  } else {
    edited.shaftAxis = {};
    edited.centre = {};
  }
  if (!ansi) {
    edited.category = edited.size = edited.materialGroup = edited.boltOrMounting = 0;
    edited.temperature = 0.0f;
  }
  return edited;
}

namespace {

bool Same(const Pump& a, const Pump& b) {
  return a.name == b.name && a.suctionNode == b.suctionNode && a.suctionLocation == b.suctionLocation &&
         a.dischargeNode == b.dischargeNode && a.dischargeLocation == b.dischargeLocation &&
         a.shaftAxis == b.shaftAxis && a.centre == b.centre && a.vertical == b.vertical &&
         a.standard == b.standard && a.category == b.category && a.size == b.size &&
         a.boltOrMounting == b.boltOrMounting && a.temperature == b.temperature && a.materialGroup == b.materialGroup;
}

void OnOk(HWND dialog, PumpDialogState& state) {
  auto read = [](DialogHelper& helper, int record) { return CheckPumpInput(helper, TheModel().pumps[record]); };
  if (StoreUnnamedRecord(dialog, state, M().pumps[state.record], read, Same)) EndDialog(dialog, 1);
}

}  // namespace

INT_PTR PumpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<PumpDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      PumpDialogState& state = StateOf(dialog);
      const int code = HIWORD(wParam);
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, state); return TRUE;
        case IDCANCEL: CancelNamedRecordDialog(dialog, state.token); return TRUE;
        case kHorizontal:
          if (code == BN_CLICKED) ShowHorizontalSet(state.helper);
          return TRUE;
        case kVertical:
          if (code == BN_CLICKED) ShowVerticalSet(state.helper);
          return TRUE;
        case kAnsi:
          if (code == BN_CLICKED) {
            ShowAnsiSet(state.helper, state.helper.DialogComboGetSel(kCategory));
            state.rememberedCategory = state.helper.DialogComboGetSel(kCategory);
          }
          return TRUE;
        case kCategory:
          if (code == CBN_SELENDOK || code == CBN_SELCHANGE) OnCategoryChosen(state);
          return TRUE;
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

int PumpDialog(HWND owner, int record, SnapshotToken token) {
  PumpDialogState state;
  return RunNamedRecordDialog(owner, "PUMP_DIALOG", PumpDialogProc, state, record, TheModel().pumps.count, token);
}
