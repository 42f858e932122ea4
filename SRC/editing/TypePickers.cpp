// The element and data type pickers (see TypePickers.h). The buttons are
// plain radio buttons with BS_NOTIFY: the dialog sets the radio mark itself,
// on BN_SETFOCUS (the arrow keys) and on BN_CLICKED (a click or a mnemonic,
// which also ends the dialog), so moving with the arrows never ends it.
#include "editing/TypePickers.h"

#include <string>

#include "editing/LayoutTable.h"
#include "editing/RowText.h"
#include "editing/UndoRedo.h"
#include "model/EditSteps.h"
#include "model/LayoutKeywords.h"
#include "model/Model.h"
#include "model/RowOperations.h"
#include "model/UndoFiles.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "records/ForceSpectrum.h"
#include "records/TimeFunction.h"
#include "services/Message.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"
#include "supports/Hanger.h"

int g_ElementTypeChoice = 0;
int g_DataTypeChoice = 0;

namespace {

const std::array<TypeButton, kElementTypeButtons> kElementButtons{{
    {1401, "&From", 1, 0},          {1402, "&Pipe", 3, 0},           {1403, "&Bend", 4, 0},
    {1404, "&Miter bend", 5, 0},    {1405, "&Valve", 8, 0},          {1406, "&Reducer", 9, 0},
    {1407, "&Bellows", 10, 0},      {1408, "&Slip joint", 11, 0},    {1409, "&Hinge Joint", 12, 0},
    {1410, "&Ball joint", 13, 0},   {1411, "&Rigid element", 14, 0}, {1412, "&Elastic element", 15, 0},
    {1413, "&Jacketed pipe", 6, 0}, {1414, "&Jacketed bend", 7, 0},  {1415, "&Cut pipe", 16, 0},
    {1416, "&Beam", 17, 0},         {1417, "&Tie rod", 19, 0},       {1418, "&Location", 2, 0},
    {1419, "&Comment", 18, 0},      {1420, "&Hydrotest load", 20, 0},
}};

const std::array<TypeButton, kDataTypeButtons> kDataButtons{{
    {1401, "&Anchor", 1, 0},           {1402, "&Branch SIF", 12, 0},      {1403, "&Conc. Mass", 17, 0},
    {1404, "&Constant Support", 4, 3}, {1405, "&Flange", 11, 0},          {1406, "&Force", 16, 0},
    {1407, "&Force Sp. Load", 20, 0},  {1408, "&Guide", 5, 0},            {1409, "&Hanger", 4, 0},
    {1410, "&Harmonic Load", 19, 0},   {1411, "&Jacket End Cap", 10, 0},  {1412, "&Limit Stop", 6, 0},
    {1413, "&Nozzle", 7, 0},           {1414, "&Restraint", 2, 0},        {1415, "&Rod Hanger", 4, 2},
    {1416, "&Skewed Restraint", 3, 0}, {1417, "&Snubber", 8, 0},          {1418, "&Spider", 9, 0},
    {1419, "&Threaded Joint", 15, 0},  {1420, "&Time Varying Load", 18, 0}, {1421, "&User Hanger", 4, 1},
    {1422, "&User SIF", 13, 0},        {1423, "&Weld", 14, 0},            {1424, "&Generic Support", 21, 0},
}};

constexpr int kFromButton = 1, kLocationButton = 18, kCommentButton = 19, kHydrotestButton = 20;
constexpr int kForceSpectrumButton = 7, kHarmonicButton = 10, kTimeVaryingButton = 20;

bool IsOneOf(ElementType type, ElementType a, ElementType b, ElementType c) {
  return type == a || type == b || type == c;
}

// The hanger button by the hanger's kind; subtype 1 user, 2 rod, 3 constant.
std::int32_t HangerSubtype(const LayoutRow& row) {
  const auto* hanger = dynamic_cast<const Hanger*>(row.item.get());
  if (hanger == nullptr) return 0;
  switch (hanger->kind) {
    case kUserHanger: return 1;
    case kRodHanger: return 2;
    case kConstantSupport: return 3;
    default: return 0;
  }
}

// The state a picker keeps while it is open.
struct PickerState {
  int row = 0;
  int choice = 0;  // 1-based button index
  int oldType = 0;
  std::int32_t oldSubtype = 0;
};

PickerState& ElementState() {
  static PickerState state;
  return state;
}

PickerState& DataState() {
  static PickerState state;
  return state;
}

void SetButtons(HWND dialog, const TypeButton* buttons, int count, const bool* enabled) {
  for (int i = 0; i < count; ++i) {
    SetDlgItemText(dialog, buttons[i].id, buttons[i].text);
    EnableWindow(GetDlgItem(dialog, buttons[i].id), enabled[i] ? TRUE : FALSE);
  }
}

void MarkChoice(HWND dialog, int count, int choice) {
  CheckRadioButton(dialog, kFirstTypeButton, kFirstTypeButton + count - 1,
                   choice > 0 ? kFirstTypeButton + choice - 1 : 0);
}

void Centre(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr) CenterWindowOnWindow(dialog, owner);
}

int ElementResult(int row, int choice) {
  const Model& model = TheModel();
  const ElementType type = model.row(row).elementType;
  if (IsOneOf(type, ElementType::Comment, ElementType::HydrotestLoad, ElementType::Location)) return 0;
  if (row == FirstFromRow(model) || choice == 0) return 0;
  return kElementButtons[static_cast<std::size_t>(choice) - 1].type;
}

// OK of the data picker: 0 for no change, -1 to stay open, else the type.
int DataResult(HWND dialog, const PickerState& state) {
  if (state.choice == 0) return 0;
  const TypeButton& button = kDataButtons[static_cast<std::size_t>(state.choice) - 1];
  g_KeywordSubtype = button.subtype;
  if (button.type == state.oldType && button.subtype == state.oldSubtype) return 0;
  if (state.oldType != 0) {
    const std::string from = DataItemTypeName(state.oldType, DataItemSubtype(TheModel().row(state.row)));
    const std::string to = DataItemTypeName(button.type, button.subtype);
    if (!ConfirmChange(dialog, "Data type", from, to)) return -1;
  }
  return button.type;
}

// The WM_COMMAND of both pickers: returns true when handled.
bool PickerCommand(HWND dialog, WPARAM wParam, int count, PickerState& state, bool data) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id >= kFirstTypeButton && id < kFirstTypeButton + count) {
    if (code != BN_SETFOCUS && code != BN_CLICKED) return false;
    state.choice = id - kFirstTypeButton + 1;
    MarkChoice(dialog, count, state.choice);
    if (code == BN_SETFOCUS) return true;
  } else if (id == IDCANCEL) {
    EndDialog(dialog, 0);
    return true;
  } else if (id != IDOK) {
    return false;
  }
  if (!data) {
    g_ElementTypeChoice = state.choice;
    EndDialog(dialog, ElementResult(state.row, state.choice));
    return true;
  }
  const int result = DataResult(dialog, state);
  if (result < 0) return true;
  g_DataTypeChoice = state.choice;
  EndDialog(dialog, result);
  return true;
}

void FocusChoice(HWND dialog, int choice) {
  HWND button = GetDlgItem(dialog, kFirstTypeButton + (choice > 0 ? choice - 1 : 0));
  if (button != nullptr && IsWindowEnabled(button)) SetFocus(button);
}

}  // namespace

const std::array<TypeButton, kElementTypeButtons>& ElementTypeButtons() { return kElementButtons; }
const std::array<TypeButton, kDataTypeButtons>& DataTypeButtons() { return kDataButtons; }

int FirstFromRow(const Model& model) {
  for (int r = 1; r <= model.rowCount; ++r)
    if (model.row(r).elementType == ElementType::From) return r;
  return 0;
}

std::array<bool, kElementTypeButtons> ElementTypeButtonStates(const Model& model, int row) {
  std::array<bool, kElementTypeButtons> on{};
  const ElementType type = model.row(row).elementType;
  const bool firstElement = row == FirstElementRow(model);
  const bool firstFrom = row == FirstFromRow(model);
  if (type == ElementType::None || type == ElementType::Pipe) {
    on.fill(!firstElement);
    on[kFromButton - 1] = true;
    return on;
  }
  const bool special = IsOneOf(type, ElementType::Location, ElementType::Comment, ElementType::HydrotestLoad);
  if (!firstFrom && !firstElement && !special) {
    on.fill(true);
    on[kLocationButton - 1] = on[kCommentButton - 1] = on[kHydrotestButton - 1] = false;
    return on;
  }
  if (firstFrom || firstElement)
    on[kFromButton - 1] = true;
  else if (type == ElementType::Location)
    on[kLocationButton - 1] = true;
  else if (type == ElementType::Comment)
    on[kCommentButton - 1] = true;
  else
    on[kHydrotestButton - 1] = true;
  return on;
}

std::array<bool, kDataTypeButtons> DataTypeButtonStates(const Model& model, int row) {
  std::array<bool, kDataTypeButtons> on{};
  const ElementType type = model.row(row).elementType;
  if (IsOneOf(type, ElementType::Bend, ElementType::Miter, ElementType::JacketedBend)) return on;
  on.fill(true);
  if (model.options.PipingCode == 0)
    on[kForceSpectrumButton - 1] = on[kHarmonicButton - 1] = on[kTimeVaryingButton - 1] = false;
  if (!HasForceSpectra(model.forceSpectra)) on[kForceSpectrumButton - 1] = false;
  if (!HasTimeFunctions(model.timeFunctions)) on[kTimeVaryingButton - 1] = false;
  return on;
}

int ElementTypeButtonOfRow(const Model& model, int row) {
  const int type = static_cast<int>(model.row(row).elementType);
  for (std::size_t i = 0; i < kElementButtons.size(); ++i)
    if (kElementButtons[i].type == type) return static_cast<int>(i) + 1;
  return 0;
}

int DataTypeButtonOfRow(const Model& model, int row) {
  const LayoutRow& target = model.row(row);
  const int type = static_cast<int>(target.dataType);
  const std::int32_t subtype = target.dataType == DataType::Hanger ? HangerSubtype(target) : 0;
  for (std::size_t i = 0; i < kDataButtons.size(); ++i)
    if (kDataButtons[i].type == type && kDataButtons[i].subtype == subtype) return static_cast<int>(i) + 1;
  return 0;
}

INT_PTR ElementTypesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PickerState& state = ElementState();
  switch (message) {
    case WM_INITDIALOG: {
      state = PickerState{static_cast<int>(lParam)};
      const auto on = ElementTypeButtonStates(TheModel(), state.row);
      SetButtons(dialog, kElementButtons.data(), kElementTypeButtons, on.data());
      state.choice = ElementTypeButtonOfRow(TheModel(), state.row);
      MarkChoice(dialog, kElementTypeButtons, state.choice);
      Centre(dialog);
      FocusChoice(dialog, state.choice);
      return FALSE;
    }
    case WM_COMMAND: return PickerCommand(dialog, wParam, kElementTypeButtons, state, false) ? TRUE : FALSE;
    default: return FALSE;
  }
}

INT_PTR DataTypesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PickerState& state = DataState();
  switch (message) {
    case WM_INITDIALOG: {
      state = PickerState{static_cast<int>(lParam)};
      const LayoutRow& target = TheModel().row(state.row);
      const auto on = DataTypeButtonStates(TheModel(), state.row);
      SetButtons(dialog, kDataButtons.data(), kDataTypeButtons, on.data());
      state.oldType = static_cast<int>(target.dataType);
      state.oldSubtype = target.dataType == DataType::Hanger ? HangerSubtype(target) : 0;
      state.choice = DataTypeButtonOfRow(TheModel(), state.row);
      MarkChoice(dialog, kDataTypeButtons, state.choice);
      Centre(dialog);
      FocusChoice(dialog, state.choice);
      return FALSE;
    }
    case WM_COMMAND: return PickerCommand(dialog, wParam, kDataTypeButtons, state, true) ? TRUE : FALSE;
    default: return FALSE;
  }
}

int RunElementTypesDialog(HWND owner, int row) {
  const INT_PTR result = DialogBoxParam(nullptr, "ETYPES_DIALOG", owner, ElementTypesDialogProc, row);
  return result > 0 ? static_cast<int>(result) : 0;
}

int RunDataTypesDialog(HWND owner, int row) {
  const INT_PTR result = DialogBoxParam(nullptr, "DTYPES_DIALOG", owner, DataTypesDialogProc, row);
  return result > 0 ? static_cast<int>(result) : 0;
}

namespace {

// Puts `text` into a cell and stores it as if typed; true when refused.
bool StoreAsTyped(LayoutTable& table, int column, const std::string& text) {
  TableSetColumn(table, column);
  if (!table.editing) return true;
  table.editBuffer = text;
  table.caret = static_cast<int>(text.size());
  table.editChanged = true;
  return TableCommitEdit(table);
}

}  // namespace

void PickRowElementType(LayoutTable& table) {
  if (TableResultsShown() || TableCommitEdit(table)) return;
  const int row = table.currentRow;
  const SnapshotToken token = TakeUndoSnapshot(table.frame);
  const int code = RunElementTypesDialog(table.frame, row);
  const auto type = static_cast<ElementType>(code);
  if (code == 0) {
    TablePlaceCaret(table);
    PopTempFile(token);
  } else if (type == ElementType::Comment) {
    TableSetColumn(table, 1);
    SetElementType(TheModel(), row, ElementType::Comment);
    TheModel().modified = true;
    // The settling makes the model: the row's node is no longer made.
    if (!SettleLayoutEdit(table.frame, token)) return;
    TableLoadEditBuffer(table);
    TableDrawRow(table, row);
  } else if (type == ElementType::HydrotestLoad) {
    TableSetColumn(table, 1);
    if (OpenElementTypeDialog(TheModel(), row, type)) {
      TableDrawRow(table, row);
      // On the spare row the change is the row's own, entered next.
      if (!SettleLayoutEdit(table.frame, token)) return;
      TableCommitInPlace(table);
    } else {
      PopTempFile(token);
    }
  } else {
    // The Type store takes its own snapshot. A type it refuses refuses the
    // command: what the command stored first goes back with it.
    PopTempFile(token);
    if (StoreAsTyped(table, 2, ElementTypeCellName(type))) {
      PutBackFailedEdit(token, false);
      return;
    }
    if (type != ElementType::Location) TableSetColumn(table, 3);
    TablePlaceCaret(table);
  }
}

void PickRowDataType(LayoutTable& table) {
  if (TableResultsShown() || TableCommitEdit(table)) return;
  const SnapshotToken token = TakeUndoSnapshot(table.frame);
  const int code = RunDataTypesDialog(table.frame, table.currentRow);
  // A choice that changes nothing leaves the user in the cell he was
  // typing in, as Cancel does, so that what he types next goes on where
  // he stopped. A comment or hydrotest load row carries no data item
  // (entering it would drop one again): any choice there changes nothing.
  const ElementType kind = TheModel().row(table.currentRow).elementType;
  g_EditChangedModel = false;
  if (code != 0 && kind != ElementType::Comment && kind != ElementType::HydrotestLoad)
    ApplyDataType(table, static_cast<DataType>(code));
  if (!g_EditChangedModel) {
    PopTempFile(token);
    TablePlaceCaret(table);
    return;
  }
  // The data cell's store that opens the item's dialog is the same action:
  // it joins this edit, settled once after it (on the spare row the row's
  // entering is the one step).
  TableSetColumn(table, 9);
  TableCommitInPlace(table);
  SettleLayoutEdit(table.frame, token);
}
