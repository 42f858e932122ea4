// The wind dialog and its profile table (see WindDialog.h). Start reading
// at StoreDialog, the OK of the dialog.
#include "loads/WindDialog.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "properties/DialogTable.h"
#include "records/LoadCaseList.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kInsertCommand = 128;
constexpr int kDeleteCommand = 126;
// Points closer than this in elevation are one point.
constexpr double kSameElevation = 1.0e-8;

struct WindDialogState {
  DialogHelper helper;
  HWND dialog = nullptr;
  SnapshotToken snapshot = 0;
  bool changed = false;
  // The common settings as the dialog found them, for Cancel.
  std::uint8_t kind = 0;
  std::int32_t elevationUnit = 0, pressureUnit = 0, velocityUnit = 0;
};

WindDialogState& State() {
  static WindDialogState state;
  return state;
}

Model& M() { return TheModel(); }
WindData& Wind() { return M().wind; }
WindLoad& CurrentLoad() { return Wind().loads[static_cast<std::size_t>(CurrentWindLoad() - 1)]; }
bool Velocity() { return Wind().profileIsVelocity != 0; }
const char* ValueLabel() { return Velocity() ? "Velocity" : "Pressure"; }

void ReloadWindProfileTable() {
  std::vector<WindProfilePoint>& edit = WindProfileEdit();
  edit = WindProfileInForce(Wind(), CurrentWindLoad() - 1);
  if (!TableResultsShown()) edit.push_back({0.0f, 0.0f});
  WindProfileTable& table = TheWindProfileTable();
  TableReset(table);
  TableSetRows(table, static_cast<int>(edit.size()));
  table.currentRow = 1;
  TableShow(table);
}

void RedrawTable() {
  WindProfileTable& table = TheWindProfileTable();
  TableLayoutHeadings(table);
  TableFitWindow(table);
  if (table.Window() != nullptr) InvalidateRect(table.Window(), nullptr, FALSE);
}

void FillUnitCombo(DialogHelper& h, int item, const char* (*label)(int), int count, int selected) {
  h.DialogComboReset(item);
  for (int index = 0; index < count; ++index) h.DialogComboAddString(label(index));
  h.DialogComboSetSel(item, selected);
}

void Fill(HWND dialog) {
  WindDialogState& state = State();
  DialogHelper& h = state.helper;
  h.DialogBind(dialog);
  state.dialog = dialog;
  state.kind = Wind().profileIsVelocity;
  state.elevationUnit = Wind().elevationUnit;
  state.pressureUnit = Wind().pressureUnit;
  state.velocityUnit = Wind().velocityUnit;
  char title[32];
  std::snprintf(title, sizeof title, "Wind Load %d", CurrentWindLoad());
  SetWindowText(dialog, title);
  const WindLoad& load = CurrentLoad();
  h.DialogSetItemText(kWindShapeField, FormatFixedWidth(load.shapeFactor, 10, 2));
  for (int axis = 0; axis < 3; ++axis) {
    const float component = load.direction[static_cast<std::size_t>(axis)];
    if (component != 0.0f) h.DialogSetItemText(kWindFirstComponent + axis, FormatFixedWidth(component, 8, 3));
  }
  h.DialogCheckRadio(kWindPressureRadio, kWindVelocityRadio, Velocity() ? kWindVelocityRadio : kWindPressureRadio);
  FillUnitCombo(h, kWindElevationUnitCombo, WindElevationUnitLabel, 2, Wind().elevationUnit);
  FillUnitCombo(h, kWindPressureUnitCombo, WindPressureUnitLabel, 3, Wind().pressureUnit);
  FillUnitCombo(h, kWindVelocityUnitCombo, WindVelocityUnitLabel, 3, Wind().velocityUnit);
  WindProfileTable& table = TheWindProfileTable();
  static const std::vector<int> kEditLengths{0, 12, 12};
  TableSetColumns(table, &DialogTableWindowRecord(), dialog, 2, 2, &kEditLengths);
  TableWindowCreate(dialog);
  table.editable = true;
  table.rowNumbers = true;
  ReloadWindProfileTable();
  if (TableResultsShown()) {
    for (int item = kWindShapeField; item <= kWindFirstComponent + 2; ++item) h.DialogSetReadOnly(item);
    for (int item : {kWindPressureRadio, kWindVelocityRadio, kWindElevationUnitCombo, kWindPressureUnitCombo,
                     kWindVelocityUnitCombo, kWindDeleteButton})
      h.DialogDisableItem(item);
  }
  CenterWindowOnParent(dialog, IDOK);
  h.DialogSelectAndFocus(kWindShapeField);
  state.changed = false;
}

void OnKind(int radio) {
  const std::uint8_t velocity = radio == kWindVelocityRadio ? 1 : 0;
  if (velocity == Wind().profileIsVelocity) return;
  Wind().profileIsVelocity = velocity;
  State().changed = true;
  ReloadWindProfileTable();
}

void OnUnit(int combo) {
  const int selected = State().helper.DialogComboGetSel(combo);
  if (selected < 0) return;
  if (combo == kWindElevationUnitCombo) Wind().elevationUnit = selected;
  if (combo == kWindPressureUnitCombo) Wind().pressureUnit = selected;
  if (combo == kWindVelocityUnitCombo) Wind().velocityUnit = selected;
  RedrawTable();
}

void InsertPoint() {
  WindProfileTable& table = TheWindProfileTable();
  std::vector<WindProfilePoint>& edit = WindProfileEdit();
  const int row = table.currentRow;
  if (row < 1 || row >= table.rowCount || edit[static_cast<std::size_t>(row - 1)].elevation == 0.0f) return;
  edit.insert(edit.begin() + (row - 1), WindProfilePoint{});
  TableSetRows(table, static_cast<int>(edit.size()));
  State().changed = true;
  RedrawTable();
}

void DeletePoint() {
  WindProfileTable& table = TheWindProfileTable();
  std::vector<WindProfilePoint>& edit = WindProfileEdit();
  const int row = table.currentRow;
  if (row < 1 || row >= table.rowCount) return;
  edit.erase(edit.begin() + (row - 1));
  State().changed = true;
  TableSetRows(table, static_cast<int>(edit.size()));
  TableGoToRow(table, std::min(row, table.rowCount));
  RedrawTable();
}

// The profile as stored: sorted by elevation, one point per elevation.
std::vector<WindProfilePoint> SortedProfile(std::vector<WindProfilePoint> points) {
  std::stable_sort(points.begin(), points.end(),
                   [](const WindProfilePoint& a, const WindProfilePoint& b) { return a.elevation < b.elevation; });
  std::vector<WindProfilePoint> kept;
  for (const WindProfilePoint& point : points)
    if (kept.empty() || std::fabs(static_cast<double>(point.elevation) - kept.back().elevation) >= kSameElevation)
      kept.push_back(point);
  return kept;
}

// Reads the shape factor and the direction; throws a field's message.
void ReadFields(DialogHelper& h, float& shape, std::array<float, 3>& direction) {
  h.DialogGetItemText(kWindShapeField);
  if (g_EditFieldText.empty()) {
    h.DialogSetItemText(kWindShapeField, "0.6");
    g_EditFieldText = "0.6";
  }
  if (ParseFieldReal(shape) != 0 || shape < 0.0f) ThrowInvalidField("Shape factor");
  CheckDirectionInput(h, kWindFirstComponent, direction[0], direction[1], direction[2]);
}

// True when the dialog may close.
bool StoreDialog() {
  WindDialogState& state = State();
  DialogHelper& h = state.helper;
  float shape = 0.0f;
  std::array<float, 3> direction{};
  ReadFields(h, shape, direction);
  WindProfileTable& table = TheWindProfileTable();
  if (TableEndEdit(table)) {
    DialogTableRefused(table);
    return false;
  }
  std::vector<WindProfilePoint>& edit = WindProfileEdit();
  std::erase_if(edit, [](const WindProfilePoint& point) { return point.elevation == 0.0f; });
  if (edit.empty()) {
    edit.push_back({0.0f, 0.0f});
    TableSetRows(table, 1);
    TableGoToRow(table, 1);
    RedrawTable();
    ShowErrorMessage(state.dialog, "Wind load profile is required");
    if (table.Window() != nullptr) SetFocus(table.Window());
    return false;
  }
  WindLoad& load = CurrentLoad();
  if (shape == load.shapeFactor && direction == load.direction && !state.changed) {
    PopTempFile(state.snapshot);
    return true;
  }
  load.shapeFactor = shape;
  load.direction = direction;
  WindProfileInForce(Wind(), CurrentWindLoad() - 1) = SortedProfile(edit);
  BuildLoadCases(M());
  M().modified = true;
  return true;
}

void OnOk(HWND dialog) {
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  try {
    if (StoreDialog()) EndDialog(dialog, 1);
  } catch (const std::string& message) {
    State().helper.DialogFocusInvalid(message);
  }
}

void OnCancel(HWND dialog) {
  WindDialogState& state = State();
  Wind().profileIsVelocity = state.kind;
  Wind().elevationUnit = state.elevationUnit;
  Wind().pressureUnit = state.pressureUnit;
  Wind().velocityUnit = state.velocityUnit;
  PopTempFile(state.snapshot);
  EndDialog(dialog, 0);
}

void OnDelete(HWND dialog) {
  ResetWindLoad(Wind(), CurrentWindLoad() - 1);
  WindProfileEdit().clear();
  BuildLoadCases(M());
  M().modified = true;
  EndDialog(dialog, 1);
}

bool OnCommand(HWND dialog, int id, int code) {
  switch (id) {
    case IDOK: OnOk(dialog); return true;
    case IDCANCEL: OnCancel(dialog); return true;
    case kWindDeleteButton: OnDelete(dialog); return true;
    case kWindPressureRadio:
    case kWindVelocityRadio:
      if (code == BN_CLICKED) OnKind(id);
      return true;
    case kWindElevationUnitCombo:
    case kWindPressureUnitCombo:
    case kWindVelocityUnitCombo:
      if (code == CBN_SELENDOK || code == CBN_CLOSEUP) OnUnit(id);
      return true;
    case kInsertCommand:
      if (!TableResultsShown()) InsertPoint();
      return true;
    case kDeleteCommand:
      if (!TableResultsShown()) DeletePoint();
      return true;
    default: return false;
  }
}

std::string ShownValue(float value, double factor, const char* (*format)(double)) {
  if (value == 0.0f) return {};
  if (std::fabs(value) < kZeroThreshold) return "0";
  return format(value * factor);
}

}  // namespace

int& CurrentWindLoad() {
  static int number = 1;
  return number;
}

std::vector<WindProfilePoint>& WindProfileEdit() {
  static std::vector<WindProfilePoint> edit;
  return edit;
}

WindProfileTable& TheWindProfileTable() {
  static WindProfileTable table;
  return table;
}

std::string FormatWindElevation(float value, int unit) { return ShownValue(value, WindElevationFactor(unit), FormatG6); }

std::string FormatWindVelocity(float value, int unit) { return ShownValue(value, WindVelocityFactor(unit), FormatG6); }

std::string FormatWindPressure(float value, int unit) {
  const double shown = std::fabs(value * WindPressureFactor(unit));
  const char* (*format)(double) = shown < 0.001 ? FormatPrecise : (shown < 0.01 ? FormatG5 : FormatG6);
  return ShownValue(value, WindPressureFactor(unit), format);
}

void WindProfileTable::DefineColumns() {
  int width = 0;
  if (HDC dc = Dc(); dc != nullptr) {
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, "123456789", 9, &size);
    width = size.cx;
  }
  for (int column = 1; column <= 2 && column < static_cast<int>(widths.size()); ++column)
    widths[static_cast<std::size_t>(column)] = width;
}

std::string WindProfileTable::HeadingText(int column, int line) {
  const WindData& wind = TheModel().wind;
  if (column == 1) return line == 0 ? "Elevation" : WindElevationUnitLabel(wind.elevationUnit);
  if (column != 2) return {};
  if (line == 0) return ValueLabel();
  return wind.profileIsVelocity != 0 ? WindVelocityUnitLabel(wind.velocityUnit)
                                     : WindPressureUnitLabel(wind.pressureUnit);
}

std::string WindProfileTable::CellText(int row, int column, int /*line*/) {
  const std::vector<WindProfilePoint>& edit = WindProfileEdit();
  if (row < 1 || row > static_cast<int>(edit.size())) return {};
  const WindProfilePoint& point = edit[static_cast<std::size_t>(row - 1)];
  const WindData& wind = TheModel().wind;
  if (column == 1) return FormatWindElevation(point.elevation, wind.elevationUnit);
  if (column != 2) return {};
  return wind.profileIsVelocity != 0 ? FormatWindVelocity(point.value, wind.velocityUnit)
                                     : FormatWindPressure(point.value, wind.pressureUnit);
}

int WindProfileTable::FilterChar(int character) {
  const int upper = std::toupper(static_cast<unsigned char>(character));
  return upper == ' ' || IsNotNumberChar(static_cast<char>(upper)) ? 0 : upper;
}

void WindProfileTable::StoreCell() {
  std::vector<WindProfilePoint>& edit = WindProfileEdit();
  if (currentRow < 1 || currentRow > static_cast<int>(edit.size())) return;
  const bool elevation = currentColumn == 1;
  const char* label = elevation ? "Elevation" : ValueLabel();
  float parsed = 0.0f;
  if (ParseFieldReal(parsed) != 0) ThrowInvalidField(label);
  if (!elevation && !Velocity() && parsed < 0.0f) ThrowInvalidField(label);
  const WindData& wind = TheModel().wind;
  const double factor = elevation ? WindElevationFactor(wind.elevationUnit)
                                  : (Velocity() ? WindVelocityFactor(wind.velocityUnit)
                                                : WindPressureFactor(wind.pressureUnit));
  // The rule of a value is asked of what is stored, in the profile's own
  // unit: 1E-36 psf is 6.9E-39 psi, which no file may bring in either.
  if (!StoredValueAcceptable(parsed / factor)) ThrowInvalidField(label);
  // An emptied cell is no value; a typed zero is kept as a point.
  float value = static_cast<float>(parsed / factor);
  if (!g_EditFieldText.empty() && value == 0.0f) value = kExplicitZero;
  WindProfilePoint& point = edit[static_cast<std::size_t>(currentRow - 1)];
  float& field = elevation ? point.elevation : point.value;
  if (field == value) return;
  field = value;
  State().changed = true;
}

void WindProfileTable::EnterRow(bool /*control*/) {
  std::vector<WindProfilePoint>& edit = WindProfileEdit();
  if (currentRow < 1 || currentRow > static_cast<int>(edit.size())) return;
  const WindProfilePoint& point = edit[static_cast<std::size_t>(currentRow - 1)];
  if (point.elevation == 0.0f) TableFieldRequired("Elevation", 1);
  if (point.value == 0.0f) TableFieldRequired(ValueLabel(), 2);
  if (currentRow < rowCount) {
    TableGoTo(*this, currentRow + 1);
    return;
  }
  edit.push_back({0.0f, 0.0f});
  TableSetRows(*this, static_cast<int>(edit.size()));
  TableFitWindow(*this);
  TableGoTo(*this, rowCount);
}

void WindProfileTable::ContextMenu() {
  if (TableResultsShown() || frame == nullptr) return;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kInsertCommand, "&Insert");
  AppendMenu(menu, MF_STRING, kDeleteCommand, "&Delete");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

void WindProfileTable::AdjustClientRect(RECT& /*rect*/) {}

INT_PTR WindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: Fill(dialog); return FALSE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default: return FALSE;
  }
}

int WindLoadDialog(HWND owner, int number, SnapshotToken snapshot) {
  if (number < 1 || number > kWindLoadCount) {
    PopTempFile(snapshot);
    return 0;
  }
  CurrentWindLoad() = number;
  State().snapshot = snapshot;
  const INT_PTR result = DialogBoxParam(InstanceHandle, "WIND_DIALOG", owner, WindDialogProc, 0);
  TableWindow& table = TheWindProfileTable();
  table.windowRecord = nullptr;
  return result == 1 ? 1 : 0;
}
