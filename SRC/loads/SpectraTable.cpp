// The "Spectrums" list and the menu changes it brings to the List window
// (see SpectraTable.h). Row r shows spectrum r - 1; the last row is the
// blank entry.
#include "loads/SpectraTable.h"

#include <algorithm>

#include "loads/ListEdits.h"
#include "loads/SpectrumFiles.h"
#include "loads/SpectrumLibrary.h"
#include "loads/SpectrumLibraryWindow.h"
#include "loads/SpectrumPrint.h"
#include "loads/SpectrumValuesGrid.h"
#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "records/PointTables.h"
#include "records/Spectrum.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"

namespace {

constexpr int kNameLength = 31;
constexpr int kFilePosition = 0;
constexpr int kOptionsPosition = 3;
constexpr int kPrintCommand = 106;
constexpr int kLibraryCommand = 270;
constexpr int kReadCommand = 250;
constexpr int kExportCommand = 351;
constexpr int kSeparatorCommand = 276;
constexpr int kUnitsCommand = 431;
constexpr int kOptionsCommand = 306;

Model& M() { return TheModel(); }
SpectrumList& List() {
  if (M().spectra.empty()) AppendBlankSpectrum(M().spectra);
  return M().spectra;
}

bool Shown(const SpectraTable& table) {
  return table.Window() != nullptr && IsWindowVisible(table.Window()) && TableOfWindow(table.Window()) == &table;
}

bool IsBlankEntry(const ResponseSpectrum& spectrum) { return spectrum.name.empty() && spectrum.points.empty(); }

ResponseSpectrum* EntryOfRow(int row) {
  SpectrumList& list = List();
  if (row < 1 || row > static_cast<int>(list.size())) return nullptr;
  return &list[static_cast<std::size_t>(row - 1)];
}

int VisibleRows() {
  const int size = static_cast<int>(List().size());
  return TableResultsShown() && size > 0 && IsBlankEntry(List().back()) ? size - 1 : size;
}

const char* Title() { return SpectrumLibraryEditing() ? "Spectrum Library" : "Spectrums"; }

// The caption counts the spectra; a name typed into the spare entry makes
// one, before its row is entered.
void ShowCount(SpectraTable& table) {
  TableSetCountTitle(table, Title(), SpectrumCount(List()));
  if (SpectrumLibraryEditing()) ShowSpectrumLibraryTitle();
}

void Refresh(SpectraTable& table, int row) {
  ShowCount(table);
  TableSetRows(table, VisibleRows());
  TableShowFocus(table);
  TableGoTo(table, std::clamp(row, 1, std::max(table.rowCount, 1)));
  if (table.rowCount > 0)
    TheSpectrumValuesGrid().Load(SpectraTableCurrentEntry());
  else
    TheSpectrumValuesGrid().Hide();
}

// The values grid's changes go into their spectrum before the list changes.
void CommitGrid() { TheSpectrumValuesGrid().Commit(); }

// The four items the list puts before Print: Library, Read Spectrum,
// Export and a separator, which has no command to be found by; they go by
// their place, after Library.
void RemoveFileItems(HMENU file) {
  for (int position = 0; position < GetMenuItemCount(file); ++position) {
    if (GetMenuItemID(file, position) != static_cast<UINT>(kLibraryCommand)) continue;
    for (int item = 0; item < 4; ++item) DeleteMenu(file, static_cast<UINT>(position), MF_BYPOSITION);
    return;
  }
}

void SetMenus(bool shown) {
  HMENU menu = ListFrame().menu;
  // The library's window has a menu of its own.
  if (menu == nullptr || SpectrumLibraryEditing()) return;
  if (HMENU options = GetSubMenu(menu, kOptionsPosition)) {
    if (shown)
      ModifyMenu(options, kUnitsCommand, MF_BYCOMMAND | MF_STRING, kOptionsCommand, "&Spectrum...");
    else
      ModifyMenu(options, kOptionsCommand, MF_BYCOMMAND | MF_STRING, kUnitsCommand, "&Units...\tCtrl+U");
  }
  if (TableResultsShown()) return;
  if (HMENU file = GetSubMenu(menu, kFilePosition)) {
    RemoveFileItems(file);
    if (shown) {
      InsertMenu(file, kPrintCommand, MF_BYCOMMAND | MF_STRING, kLibraryCommand, "&Library...");
      InsertMenu(file, kPrintCommand, MF_BYCOMMAND | MF_STRING, kReadCommand, "&Read Spectrum...");
      InsertMenu(file, kPrintCommand, MF_BYCOMMAND | MF_STRING, kExportCommand, "&Export...");
      InsertMenu(file, kPrintCommand, MF_BYCOMMAND | MF_SEPARATOR, kSeparatorCommand, nullptr);
    }
  }
  if (ListFrame().window != nullptr) DrawMenuBar(ListFrame().window);
}


}  // namespace

SpectraTable& TheSpectraTable() {
  static SpectraTable table;
  return table;
}

void SpectraTable::DefineColumns() {
  HDC dc = Dc();
  auto measure = [dc](const std::string& text) { return CellTextWidth(dc, text); };
  int width = 3 * measure("Name");
  for (const ResponseSpectrum& spectrum : List()) width = std::max(width, measure(spectrum.name));
  if (widths.size() > 1) widths[1] = width;
}

std::string SpectraTable::HeadingText(int column, int line) { return column == 1 && line == 0 ? "Name" : ""; }

std::string SpectraTable::CellText(int row, int column, int /*line*/) {
  const ResponseSpectrum* spectrum = EntryOfRow(row);
  return spectrum != nullptr && column == 1 ? spectrum->name : std::string();
}

int SpectraTable::FilterChar(int character) { return character == ' ' && EditLength() == 0 ? 0 : character; }

void SpectraTable::StoreCell() {
  ResponseSpectrum* spectrum = EntryOfRow(currentRow);
  if (spectrum == nullptr) return;
  const std::string name = KeptTableName(g_EditFieldText);
  if (name.empty()) TableFieldRequired("Name", 1);
  // Shown with the character made visible: a line end or a tab would break
  // the message where it stands.
  if (HoldsControlCharacter(name))
    throw FormatFieldError("Spectrum", VisibleText(g_EditFieldText), "may not hold a control character");
  const int other = FindSpectrum(List(), name);
  if (other >= 0 && other != currentRow - 1) ThrowFieldError("Spectrum", "is already defined");
  if (name == spectrum->name) return;
  RunEdit(frame, [&] {
    if (!spectrum->name.empty()) {
      if (!ConfirmChange(frame, "Spectrum name", spectrum->name, name)) return false;
      RenameSpectrum(M().spectra, M().spectrumLoad, spectrum->name, name);
      return true;
    }
    spectrum->name = name;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  ShowCount(*this);
  // A spectrum just named takes points in the grid.
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  if (grid.Loaded() && grid.Index() == static_cast<std::size_t>(currentRow - 1)) grid.Load(grid.Index(), true);
}

void SpectraTable::EnterRow(bool /*control*/) {
  const ResponseSpectrum* spectrum = EntryOfRow(currentRow);
  if (spectrum == nullptr) return;
  if (spectrum->name.empty()) TableFieldRequired("Name", 1);
  if (spectrum->points.empty()) throw std::string("Spectrum values are required");
  const int row = currentRow;
  if (row < rowCount) {
    TableGoTo(*this, row + 1);
    return;
  }
  if (!IsBlankEntry(List().back())) AppendBlankSpectrum(List());
  Refresh(*this, row + 1);
}

void SpectraTable::InsertRow() {
  const ResponseSpectrum* spectrum = EntryOfRow(currentRow);
  if (spectrum == nullptr || spectrum->name.empty()) {
    ErrorBeep();
    return;
  }
  CommitGrid();
  const int row = currentRow;
  RunEdit(frame, [&] {
    ResponseSpectrum blank;
    blank.logInterpolation1 = spectrum->logInterpolation1;
    blank.logInterpolation2 = spectrum->logInterpolation2;
    blank.periodAbscissa = spectrum->periodAbscissa;
    blank.ordinateUnit = spectrum->ordinateUnit;
    List().insert(List().begin() + (row - 1), blank);
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  Refresh(*this, row);
}

void SpectraTable::DeleteRow() {
  ResponseSpectrum* spectrum = EntryOfRow(currentRow);
  if (spectrum == nullptr) return;
  CommitGrid();
  // A library's spectra are used by no spectrum load.
  if (!SpectrumLibraryEditing() && IsSpectrumInUse(M().spectrumLoad, spectrum->name)) {
    ErrorBeep();
    ShowErrorMessage(frame, "Spectrum " + spectrum->name + " is in use, it cannot be deleted");
    return;
  }
  const int row = currentRow;
  RunEdit(frame, [&] {
    if (row == static_cast<int>(List().size())) {
      const bool changed = !spectrum->name.empty() || !spectrum->points.empty();
      spectrum->name.clear();
      spectrum->points.clear();
      return changed;
    }
    List().erase(List().begin() + (row - 1));
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  Refresh(*this, row);
}

// The spectrum's points are edited in the values grid that comes with the
// spectrum library; the list itself has nothing more to open.
void SpectraTable::EditCurrentItem() {}

void SpectraTable::CurrentRowChanged() {
  if (!Shown(*this) || rowCount < 1) return;
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  const std::size_t entry = SpectraTableCurrentEntry();
  if (grid.Loaded() && grid.Index() == entry && TableOfWindow(ListTableWindow(1)) == &grid) return;
  grid.Commit();
  grid.Load(entry);
}

bool SpectraTable::MustKeepFocus() {
  const ResponseSpectrum* spectrum = EntryOfRow(currentRow);
  if (spectrum == nullptr || TableResultsShown() || !spectrum->name.empty()) return false;
  if (currentRow == static_cast<int>(List().size()) && IsBlankEntry(*spectrum)) return false;
  ShowTableMessage(Window(), "Name is required", TableMessageKind::Error);
  return true;
}

void SpectraTable::ContextMenu() {
  if (frame == nullptr) return;
  HMENU menu = CreatePopupMenu();
  if (!TableResultsShown()) {
    AppendMenu(menu, MF_STRING, kInsertItemCommand, "&Insert");
    AppendMenu(menu, MF_STRING, kDeleteItemCommand, "&Delete");
  }
  AppendMenu(menu, MF_STRING, kOptionsCommand, "&Options...");
  if (!SpectrumLibraryEditing()) AppendMenu(menu, MF_STRING, kListCommand, "List");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, popupPoint.x, popupPoint.y, 0, frame, nullptr);
  DestroyMenu(menu);
}

void SpectraTable::UpdateMenu() {
  UpdateTableEditMenu(*this);
  if (menuMode == 1 && frameMenu != nullptr) EnableMenuItem(frameMenu, kEditItemCommand, MF_BYCOMMAND | MF_GRAYED);
}

void SpectraTable::Prepare() { SetMenus(true); }

void SpectraTable::Close() {
  CommitGrid();
  TheSpectrumValuesGrid().Hide();
  SetMenus(false);
}

void SpectraTable::WriteText() { PrintSpectra(); }

std::string SpectraTable::PrintName() { return Title(); }

bool SpectraOffered(const Model& model) { return HasSpectra(model.spectra); }

void OpenSpectraTable() {
  HWND window = ListTableWindow(0);
  TableWindowRecord* record = RecordOfWindow(window);
  if (record == nullptr) return;
  SpectraTable& table = TheSpectraTable();
  TableWindowClose(window);
  static const std::vector<int> kEditLengths{0, kNameLength};
  TableSetColumns(table, record, ListFrame().window, 1, 1, &kEditLengths);
  table.editable = true;
  SetCurrentListOpener(OpenSpectraTable);
  Refresh(table, std::max(table.currentRow, 1));
}

std::size_t SpectraTableCurrentEntry() {
  SpectraTable& table = TheSpectraTable();
  if (!Shown(table) || table.currentRow < 1) return List().size() - 1;
  return std::min(static_cast<std::size_t>(table.currentRow - 1), List().size() - 1);
}

bool SpectraListCommand(HWND window, int command) {
  SpectraTable& table = TheSpectraTable();
  if (!Shown(table)) return false;
  switch (command) {
    case kReadCommand:
      if (TableResultsShown()) return true;
    {
      CommitGrid();
      if (!RunEdit(window, [&] { return ReadSpectrumFromTextFile(window); })) return true;
      Refresh(table, table.currentRow);
      return true;
    }
    case kExportCommand: ExportSpectra(window); return true;
    case kLibraryCommand:
      if (TableResultsShown() || SpectrumLibraryEditing()) return true;
      CommitGrid();
      if (UseLibrarySpectrum(window, SpectraTableCurrentEntry())) Refresh(table, table.currentRow);
      return true;
    case kOptionsCommand:
      if (table.currentRow >= 1) SpectrumOptionsDialog(window, static_cast<std::size_t>(table.currentRow - 1));
      TableShowFocus(table);
      return true;
    default: return false;
  }
}
