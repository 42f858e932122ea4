// The "Materials" list (see MaterialsTable.h). A cell store is bracketed by
// an undo snapshot that is dropped when the store changes nothing; a
// refused value throws the same field message as the material dialog and
// leaves the record as it was.
#include "properties/MaterialsTable.h"
#include "properties/PropertyTables.h"

#include <algorithm>
#include <cctype>

#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "printing/ReportOutput.h"
#include "properties/MaterialDialog.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialPropertyTable.h"
#include "properties/PropertyEdits.h"
#include "records/Material.h"
#include "services/ErrorRecords.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kColumns = 8;
constexpr int kEditCommand = 113;

Model& M() { return TheModel(); }
int Code() { return M().options.PipingCode; }
bool SwedishOrNorwegian() { return Code() == 18 || Code() == 13 || Code() == 14; }
bool Pipeline() { return Code() == 19 || Code() == 20 || Code() == 22; }
bool ShowsType() { return Code() != 17 && !Pipeline(); }
bool YieldStrength() { return Code() == 3 || Pipeline(); }
bool TensileStrength() { return Code() == 17 || SwedishOrNorwegian() || Code() == 21 || Code() == 16; }
bool ShowsStrength() { return YieldStrength() || TensileStrength(); }

// The library window shows the library's materials, which have no names.
bool InLibrary() { return MaterialLibraryWindowOpen(); }
const char* Title() { return InLibrary() ? "Material Library" : "Materials"; }

bool Shown(int column) {
  switch (column) {
    case 1: return !InLibrary();
    case 3: return ShowsType();
    case 7: return SwedishOrNorwegian();
    case 8: return ShowsStrength();
    default: return column >= 1 && column <= kColumns;
  }
}


std::string Joint(float value) { return value != 0.0f ? FormatFixedWidth(value, 5, 2) : ""; }

// The record behind a row: the spare row after the last record has room
// made for it so that typing into it builds the next record.
Material& RecordOf(int row) {
  ModelRecordTable<Material>& table = M().materials;
  if (row > table.capacity) ModelRecordTableGrow(table, table.capacity + 4);
  return table[row];
}

// The copied values: a copy, never a reference into the table, which may
// move before the paste.
struct CopiedMaterial {
  bool held = false;
  Material values;
};
CopiedMaterial& Copied() {
  static CopiedMaterial copied;
  return copied;
}


void CheckNameAndDescription(const Material& m) {
  if (m.name.empty() && !InLibrary()) throw CI{"Name is required", 1};
  if (m.description.empty()) throw CI{"Description is required", 2};
}


// A joint factor: empty gives 1.0; a typed one keeps the rule of `which`.
float ParseJoint(const std::string& text, const Material& m, MaterialRuled which) {
  if (text.empty()) return 1.0f;
  float value = 0.0f;
  if (ParseReal(text, value) != 0) ThrowInvalidField(kMaterialRules[which].label);
  CheckFieldRule(kMaterialRules[which], value, m);
  return value;
}

}  // namespace

MaterialsTable& TheMaterialsTable() {
  static MaterialsTable table;
  return table;
}

std::string MaterialCellText(const Model& model, int record, int column) {
  if (record < 1 || record > model.materials.count + 1 || static_cast<std::size_t>(record) >= model.materials.records.size())
    return {};
  const Material& m = model.materials[record];
  switch (column) {
    case 1: return m.name;
    case 2: return m.description;
    case 3: return m.type;
    case 4: return m.density != 0.0f ? FormatDensity(m.density) : "";
    case 5: return m.nu != 0.0f ? FormatG3(m.nu) : "";
    case 6: return Joint(m.jointFactor);
    case 7: return Joint(m.circJointFactor);
    case 8: return m.strength != 0.0f ? FormatStress(m.strength) : "";
    default: return {};
  }
}

std::string MaterialsTable::PrintName() { return InLibrary() ? "Material Library" : "Pipe Materials"; }

// A column is never narrower than the texts it shows: a density or a
// strength may read longer than its sample in some units (1.235E+019), and
// the spare row may hold a record being typed.
void MaterialsTable::DefineColumns() {
  HDC dc = Dc();
  const Model& model = M();
  const char* samples[kColumns + 1] = {"", "MMMMM", "Description   ", "CS", "Density", "1.234", "12345", "12345", ""};
  for (int c = 1; c <= kColumns; ++c) {
    int width = 0;
    if (Shown(c)) {
      width = std::max({DcTextWidth(dc, samples[c]), DcTextWidth(dc, HeadingText(c, 0)), DcTextWidth(dc, HeadingText(c, 1))});
      for (int r = 1; r <= rowCount; ++r) width = std::max(width, DcTextWidth(dc, MaterialCellText(model, r, c)));
    }
    widths[static_cast<std::size_t>(c)] = width;
  }
}

std::string MaterialsTable::HeadingText(int column, int line) {
  if (!Shown(column)) return {};
  switch (column) {
    case 1: return line == 0 ? "Name" : "";
    case 2: return line == 0 ? "Description" : "";
    case 3: return line == 0 ? "Ty" : "pe";
    case 4: return line == 0 ? "Density" : UnitLabel(kUnitDensity);
    case 5: return line == 0 ? "Nu" : "";
    case 6: return line == 0 ? (SwedishOrNorwegian() ? "Long." : "Joint") : "factor";
    case 7: return line == 0 ? "Circ." : "factor";
    case 8: return line == 0 ? (YieldStrength() ? "Yield" : "Tensile") : UnitLabel(kUnitStress);
    default: return {};
  }
}

std::string MaterialsTable::CellText(int row, int column, int) { return Shown(column) ? MaterialCellText(M(), row, column) : ""; }

bool MaterialsTable::IsCellEditable(int, int column) { return Shown(column) && !TableResultsShown(); }

int MaterialsTable::FilterChar(int c) {
  if (currentColumn == 2) return c;
  if (c == ' ') return 0;
  const int upper = std::toupper(c);
  if (currentColumn == 1) return std::isalnum(c) || c == '-' || c == '/' ? upper : 0;
  if (currentColumn == 3) return std::isalpha(c) ? upper : 0;
  return IsNotNumberChar(static_cast<char>(c)) ? 0 : upper;
}

void MaterialsTable::StoreCell() {
  Model& model = M();
  const int row = currentRow;
  const std::string text = g_EditFieldText;
  RunEdit(frame, [&]() -> bool {
    Material& m = RecordOf(row);
    switch (currentColumn) {
      case 1: {
        std::string name = text;
        TrimBlanks(name);
        if (name.empty() || name == m.name) return false;
        g_EditFieldText = name;
        CheckMaterialName(model, name, row);
        if (!m.name.empty() && row <= model.materials.count && FindMaterialByName(model.materials, name) == 0) {
          if (!ConfirmChange(frame, "Material name", m.name, name)) return false;
          RenameMaterial(model, row, name);
          return true;
        }
        m.name = name;
        return true;
      }
      case 2: {
        if (text == m.description) return false;
        m.description = text.substr(0, 31);
        return true;
      }
      case 3: {
        const int index = FindMaterialTypeIndex(text);
        if (index < 0) ThrowInvalidField("Type");
        if (text == m.type) return false;
        // Poisson's ratio of a fibre-reinforced plastic may be one no other
        // type keeps.
        Material retyped = m;
        SetMaterialType(retyped, text);
        CheckFieldRule(kMaterialRules[kMaterialNuRule], m.nu, retyped);
        const bool wasFrp = m.isFrp != 0;
        SetMaterialType(m, text);
        if ((m.isFrp != 0) != wasFrp && row <= model.materials.count) LoadMaterialPropertyPane(row);
        return true;
      }
      case 4: {
        float value = 0.0f;
        if (ParseDensity(text, value) != 0) ThrowInvalidField("Density");
        CheckFieldRule(kMaterialRules[kMaterialDensityRule], value, m);
        return StoreFloat(m.density, value);
      }
      case 5: {
        float value = 0.0f;
        if (ParseReal(text, value) != 0) ThrowInvalidField("Nu");
        CheckFieldRule(kMaterialRules[kMaterialNuRule], value, m);
        return StoreFloat(m.nu, value);
      }
      case 6: return StoreFloat(m.jointFactor, ParseJoint(text, m, kMaterialJointRule));
      case 7: return StoreFloat(m.circJointFactor, ParseJoint(text, m, kMaterialCircJointRule));
      case 8: {
        float value = 0.0f;
        const char* label = YieldStrength() ? "Yield strength" : "Tensile strength";
        if (ParseStress(text, value) != 0) ThrowInvalidField(label);
        CheckFieldRule(kMaterialRules[kMaterialStrengthRule], value, m, label);
        return StoreFloat(m.strength, value);
      }
      default: return false;
    }
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  TableDrawRow(*this, row);
}

bool MaterialsTable::MustKeepFocus() {
  Model& model = M();
  if (currentRow > model.materials.count + 1 || TableResultsShown()) return false;
  Material& m = RecordOf(currentRow);
  const bool spare = currentRow == model.materials.count + 1;
  if (spare && m.name.empty() && m.description.empty()) return false;
  const bool nameMissing = m.name.empty() && !InLibrary();
  const char* missing = nameMissing ? "Name is required" : m.description.empty() ? "Description is required" : nullptr;
  if (missing != nullptr) {
    ShowTableMessage(Window(), missing, TableMessageKind::Error);
    TableSetColumn(*this, nameMissing ? 1 : 2);
    return true;
  }
  // The defaults filled in, and the entry row made a record, are one undo
  // step (none when nothing changed).
  RunEdit(frame, [&] {
    FillMaterialDefaults(m);
    if (spare) ++model.materials.count;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  if (spare) TableSetRowsTitled(*this, Title(), model.materials.count);
  return false;
}

void MaterialsTable::EnterRow(bool) {
  Model& model = M();
  if (TableResultsShown() || currentRow > model.materials.count + 1) return;
  Material& m = RecordOf(currentRow);
  CheckNameAndDescription(m);
  const bool entry = currentRow == model.materials.count + 1;
  // One undo step, kept when something changed: "Properties are required"
  // below follows it and the record stays.
  RunEdit(frame, [&] {
    FillMaterialDefaults(m);
    if (entry) ++model.materials.count;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  if (entry) {
    TableSetRowsTitled(*this, Title(), model.materials.count);
    TableShowFocus(*this);
    TableGoTo(*this, currentRow);
    LoadMaterialPropertyPane(currentRow);
  }
  if (RecordOf(currentRow).numtemps < 1) throw CI{"Properties are required", 2};
  if (currentRow < rowCount) TableGoTo(*this, currentRow + 1);
}

bool MaterialsTable::CanInsert() {
  const Model& model = M();
  if (TableResultsShown() || currentRow < 1 || currentRow > model.materials.count) return false;
  if (InLibrary()) return true;
  return !model.materials[currentRow].name.empty() &&
         (currentRow == 1 || !model.materials[currentRow - 1].name.empty());
}

bool MaterialsTable::CanDelete() {
  return !TableResultsShown() && !IsMaterialInUse(M(), currentRow);
}

void MaterialsTable::InsertRow() {
  Model& model = M();
  if (!CanInsert()) {
    ErrorBeep();
    return;
  }
  StoreMaterialPropertyPane();
  ModelRecordTable<Material>& table = model.materials;
  RunEdit(frame, [&] {
    InsertRecordAt(table, currentRow);
    return true;
  });
  TableSetRowsTitled(*this, Title(), table.count);
  TableShowFocus(*this);
  LoadMaterialPropertyPane(currentRow);
}

void MaterialsTable::DeleteRow() {
  Model& model = M();
  ModelRecordTable<Material>& table = model.materials;
  if (TableResultsShown() || currentRow < 1) return;
  if (currentRow > table.count) {
    RecordOf(currentRow) = Material{};
    TableDrawRow(*this, currentRow);
    return;
  }
  if (IsMaterialInUse(model, currentRow)) {
    ErrorBeep();
    ShowTableMessage(Window(), "Material " + table[currentRow].name + " is in use, it cannot be deleted",
                     TableMessageKind::Error);
    return;
  }
  TheMaterialPropertyPane().buffer.changed = false;
  RunEdit(frame, [&] {
    RemoveRecordAt(table, currentRow);
    return true;
  });
  TableSetRowsTitled(*this, Title(), table.count);
  TableShowFocus(*this);
  LoadMaterialPropertyPane(std::min(currentRow, table.count));
}

void MaterialsTable::EditCurrentItem() {
  Model& model = M();
  if (currentRow < 1 || currentRow > model.materials.count) return;
  if (TableEndEdit(*this)) return;
  StoreMaterialPropertyPane();
  const int row = currentRow;
  const SnapshotToken token = TakeUndoSnapshot(frame);
  const bool stored = MaterialDialog(frame, row, token) == 1;
  if (!SettleEdit(frame, token) || !stored) return;
  TableShowFocus(*this);
  TableGoTo(*this, row);
  LoadMaterialPropertyPane(row);
}

void MaterialsTable::CurrentRowChanged() {
  if (TheMaterialPropertyPane().record != currentRow) {
    StoreMaterialPropertyPane();
    LoadMaterialPropertyPane(currentRow);
  }
  HighlightListRecord(HighlightMaterial, currentRow, M().materials.count);
}

void MaterialsTable::UpdateMenu() { UpdateTableEditMenu(*this); }

namespace {

void ShowLibraryButton(bool shown) {
  for (HWND toolbar : {ListFrame().smallToolbar, ListFrame().largeToolbar}) {
    if (toolbar == nullptr) continue;
    SendMessage(toolbar, TB_HIDEBUTTON, 270, shown ? FALSE : TRUE);
    SendMessage(toolbar, TB_ENABLEBUTTON, 270, shown ? TRUE : FALSE);
  }
}

bool IsSeparatorAt(HMENU menu, int position) {
  return position >= 0 && (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

int PositionOf(HMENU menu, UINT command) {
  for (int position = 0; position < GetMenuItemCount(menu); ++position)
    if (GetMenuItemID(menu, position) == command) return position;
  return -1;
}

}  // namespace

void MaterialsTable::Prepare() {
  g_CsvExportDefaultName = "Materials.csv";
  HMENU menu = ListFrame().menu;
  if (menu == nullptr || TableResultsShown() || InLibrary()) return;
  ShowListGraphicsButtons(true);
  ShowLibraryButton(true);
  HMENU file = GetSubMenu(menu, 0);
  if (file != nullptr && GetMenuState(file, 270, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
    InsertMenu(file, 106, MF_BYCOMMAND | MF_STRING, 270, "&Library...");
    if (GetMenuState(file, 351, MF_BYCOMMAND) == static_cast<UINT>(-1))
      InsertMenu(file, 106, MF_BYCOMMAND | MF_STRING, 351, "&Export...");
    InsertMenu(file, 106, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
  }
  HMENU edit = GetSubMenu(menu, 1);
  if (edit != nullptr && GetMenuState(edit, 128, MF_BYCOMMAND) == static_cast<UINT>(-1))
    InsertMenu(edit, 126, MF_BYCOMMAND | MF_STRING, 128, "&Insert\tCtrl+Ins");
}

void MaterialsTable::Close() {
  HideMaterialPropertyPane();
  g_CsvExportDefaultName.clear();
  if (InLibrary()) return;
  ShowListGraphicsButtons(false);
  ShowLibraryButton(false);
  HMENU menu = ListFrame().menu;
  if (menu == nullptr) return;
  if (HMENU file = GetSubMenu(menu, 0)) {
    const bool added = GetMenuState(file, 270, MF_BYCOMMAND) != static_cast<UINT>(-1);
    DeleteMenu(file, 270, MF_BYCOMMAND);
    DeleteMenu(file, 351, MF_BYCOMMAND);
    // The separator Prepare put before Print, when the one above it remains.
    const int print = PositionOf(file, 106);
    if (added && IsSeparatorAt(file, print - 1) && IsSeparatorAt(file, print - 2))
      DeleteMenu(file, static_cast<UINT>(print - 1), MF_BYPOSITION);
  }
  if (HMENU edit = GetSubMenu(menu, 1)) DeleteMenu(edit, 128, MF_BYCOMMAND);
}

void MaterialsTable::CellContextMenu(int column) {
  if (column != 3 || TableResultsShown() || !ShowsType()) {
    ContextMenu();
    return;
  }
  if (currentRow > M().materials.count + 1) return;
  // A type text that is no known code selects nothing rather than the
  // empty type, which OK would store over it.
  const int chosen = MaterialTypesDialog(frame, FindMaterialTypeIndex(RecordOf(currentRow).type));
  if (chosen < 0) return;
  TableSetColumn(*this, 3);
  g_EditFieldText = MaterialTypeCode(chosen);
  try {
    StoreCell();
  } catch (const std::string& message) {
    ShowTableMessage(Window(), message, TableMessageKind::Error);
  }
  if (editing) TableLoadEditBuffer(*this);
}

void MaterialsTable::ContextMenu() {
  if (TableResultsShown()) {
    TablePopupListMenu(*this);
    return;
  }
  if (frame == nullptr) return;
  HMENU menu = CreatePopupMenu();
  if (CanInsert()) AppendMenu(menu, MF_STRING, 128, "&Insert");
  if (CanDelete()) AppendMenu(menu, MF_STRING, 126, "&Delete");
  AppendMenu(menu, MF_STRING, kEditCommand, "&Edit");
  if (!InLibrary()) {
    AppendMenu(menu, MF_STRING, 270, "&Library...");
    AppendMenu(menu, MF_STRING, 302, "List...");
  }
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

bool MaterialsTable::RowOfCurrentLayoutRow(ItemListEntries& entries) {
  const Model& model = M();
  entries.title = "Materials";
  entries.count = model.materials.count;
  entries.layoutRows.clear();
  return false;
}

void OpenMaterialsTable() {
  MaterialsTable& table = TheMaterialsTable();
  Model& model = M();
  HWND window = ListTableWindow(0);
  if (window == nullptr || ListFrame().window == nullptr) return;
  TableWindowClose(window);
  const std::vector<int> lengths{0, 5, 31, 2, 12, 12, 12, 12, 12};
  TableSetColumns(table, RecordOfWindow(window), ListFrame().window, kColumns, 2, &lengths);
  table.editable = true;
  table.rowNumbers = true;
  SetCurrentListOpener(OpenMaterialsTable);
  const int found = InLibrary() ? 0 : FindMaterialByName(model.materials, model.row(model.currentRow).material);
  const int row = found != 0 ? found : std::min(std::max(table.currentRow, 1), model.materials.count + 1);
  TableOpenAt(table, Title(), model.materials.count, row, 0);
  LoadMaterialPropertyPane(table.currentRow);
  TableWindowFit(window);
}


void CopyMaterial() {
  const Model& model = M();
  const int row = TheMaterialsTable().currentRow;
  if (row < 1 || row > model.materials.count) return;
  Copied() = {true, model.materials[row]};
}

bool MaterialCopied() { return Copied().held; }

void PasteMaterial() {
  Model& model = M();
  MaterialsTable& table = TheMaterialsTable();
  const int row = table.currentRow;
  if (!Copied().held || row < 1 || row > model.materials.count + 1) return;
  RunEdit(table.frame, [&] {
    Material& target = RecordOf(row);
    const std::string name = target.name;
    target = Copied().values;
    target.name = name;
    if (target.circJointFactor == 0.0f) target.circJointFactor = 1.0f;
    return true;
  });
  Copied() = {};
  TableDrawRow(table, row);
  if (row <= model.materials.count) LoadMaterialPropertyPane(row);
}

// --- the type chooser --------------------------------------------------------------

namespace {

constexpr int kTypeList = 1701;

INT_PTR TypesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      HWND list = GetDlgItem(dialog, kTypeList);
      for (int index = 0; index < kMaterialTypeCount; ++index)
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(index == 0 ? " " : MaterialTypeName(index)));
      SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(lParam), 0);
      CenterWindowOnParent(dialog, IDOK);
      SetFocus(list);
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == kTypeList && HIWORD(wParam) == LBN_DBLCLK)) {
        const LRESULT selected = SendMessage(GetDlgItem(dialog, kTypeList), LB_GETCURSEL, 0, 0);
        EndDialog(dialog, selected < 0 ? -1 : selected);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, -1);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

int MaterialTypesDialog(HWND owner, int selected) {
  const INT_PTR result = DialogBoxParam(InstanceHandle, "MATERIAL_TYPES_DIALOG", owner, TypesProc, selected);
  return result >= 0 && result < kMaterialTypeCount ? static_cast<int>(result) : -1;
}
