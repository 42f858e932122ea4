// The material property tables (see MaterialPropertyTable.h).
#include "properties/MaterialPropertyTable.h"
#include "properties/PropertyTables.h"

#include <algorithm>

#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/TablePrint.h"
#include "records/Material.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kInsertCommand = 128;
constexpr int kDeleteCommand = 126;

int Code() { return TheModel().options.PipingCode; }


// The columns of a printed or shown table: the widest of the headings and
// the cells, 0 for a column the code does not use.
template <typename Measure>
void PropertyWidths(const PropertyRowsBuffer& buffer, int rows, std::vector<int>& widths, Measure measure) {
  for (int c = 1; c <= kPropertyColumns && c < static_cast<int>(widths.size()); ++c) {
    const PropertyColumnInfo info = PropertyColumnLayout(c, buffer.frp, Code());
    int width = 0;
    if (info.shown && info.field >= 0) {
      width = std::max(measure(info.heading), measure(UnitLabel(info.unit)));
      for (int r = 1; r <= rows; ++r) width = std::max(width, measure(PropertyCellText(buffer, r, c, Code())));
    }
    widths[static_cast<std::size_t>(c)] = width;
  }
}

// --- the dialog ----------------------------------------------------------------

struct PropertiesRun {
  PropertyRowsBuffer* target = nullptr;
  PropertyRowsTable table;
};

// Values typed on the entry row and never entered are still the user's:
// OK enters the row by its own rules, as Return would (a refusal shows why
// and keeps the dialog open), rather than drop what the table shows.
bool EnterTypedEntryRow(PropertyRowsTable& table) {
  const MaterialTempRow& entry = table.buffer.rows[static_cast<std::size_t>(table.buffer.count)];
  if (std::all_of(entry.values.begin(), entry.values.end(), [](float value) { return value == 0.0f; })) return true;
  if (table.currentRow != table.buffer.count) TableGoTo(table, table.buffer.count);
  return TableCommitCell(table, false);
}

INT_PTR PropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& run = *reinterpret_cast<PropertiesRun*>(lParam);
      PropertyRowsTable& table = run.table;
      table.inDialog = true;
      table.menuOwner = dialog;
      const std::vector<int> lengths(kPropertyColumns + 1, 12);
      CreateDialogTable(dialog, table, kPropertyColumns, 2, TableResultsShown() ? nullptr : &lengths);
      table.editable = !TableResultsShown();
      LayoutDialogTable(dialog, table, table.buffer.count, 1, 10, 20, {{IDOK, 8}, {IDCANCEL, 56}});
      MoveCursorToItem(dialog, IDOK);
      return FALSE;
    }
    case WM_COMMAND: {
      auto& run = *reinterpret_cast<PropertiesRun*>(GetWindowLongPtr(dialog, DWLP_USER));
      PropertyRowsTable& table = run.table;
      switch (LOWORD(wParam)) {
        case IDOK:
          if (TableResultsShown()) {
            EndDialog(dialog, 0);
            return TRUE;
          }
          if (TableEndEdit(table) || !EnterTypedEntryRow(table)) {  // refused: stay
            DialogTableRefused(table);
            return TRUE;
          }
          if (table.buffer.changed) {
            const std::vector<MaterialTempRow> kept = SortedPropertyRows(table.buffer, table.buffer.count - 1);
            PropertyRowsBuffer stored;
            stored.frp = table.buffer.frp;
            stored.changed = true;
            stored.count = static_cast<int>(kept.size());
            for (std::size_t i = 0; i < kept.size(); ++i) stored.rows[i + 1] = kept[i];
            *run.target = stored;
            EndDialog(dialog, 1);
          } else {
            EndDialog(dialog, 0);
          }
          return TRUE;
        case IDCANCEL:
          table.buffer.changed = false;
          EndDialog(dialog, 0);
          return TRUE;
        case kInsertCommand: table.InsertRow(); return TRUE;
        case kDeleteCommand: table.DeleteRow(); return TRUE;
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

}  // namespace

// --- the shared table ---------------------------------------------------------------

void PropertyRowsTable::DefineColumns() {
  HDC dc = Dc();
  PropertyWidths(buffer, rowCount, widths, [dc](const std::string& text) { return DcTextWidth(dc, text); });
}

std::string PropertyRowsTable::HeadingText(int column, int line) {
  const PropertyColumnInfo info = PropertyColumnLayout(column, buffer.frp, Code());
  if (!info.shown || info.field < 0) return {};
  return line == 0 ? info.heading : std::string(UnitLabel(info.unit));
}

std::string PropertyRowsTable::CellText(int row, int column, int) { return PropertyCellText(buffer, row, column, Code()); }

bool PropertyRowsTable::IsCellEditable(int, int column) {
  const PropertyColumnInfo info = PropertyColumnLayout(column, buffer.frp, Code());
  return info.shown && info.field >= 0 && !TableResultsShown();
}

int PropertyRowsTable::FilterChar(int character) {
  if (inDialog || currentColumn == 1) return character;
  if (character == ' ') return 0;
  return character >= 'a' && character <= 'z' ? character - 'a' + 'A' : character;
}

void PropertyRowsTable::StoreCell() {
  if (inDialog) {
    StorePropertyCell(buffer, currentRow, currentColumn, g_EditFieldText, Code());
    return;
  }
  const SnapshotToken token = TakeUndoSnapshot(frame);
  bool stored = false;
  try {
    stored = StorePropertyCell(buffer, currentRow, currentColumn, g_EditFieldText, Code());
  } catch (...) {
    PopTempFile(token);
    throw;
  }
  if (!stored) PopTempFile(token);
}

void PropertyRowsTable::EnterRow(bool) {
  const int before = rowCount;
  const int next = CommitPropertyRow(buffer, currentRow);
  if (buffer.count != before) TableSetRows(*this, buffer.count);
  TableGoTo(*this, next);
  InvalidateRect(Window(), nullptr, FALSE);
}

void PropertyRowsTable::InsertRow() {
  if (TableResultsShown() || !InsertPropertyRow(buffer, currentRow)) {
    ErrorBeep();
    return;
  }
  TableSetRows(*this, buffer.count);
  TableShow(*this);
}

void PropertyRowsTable::DeleteRow() {
  if (TableResultsShown()) return;
  DeletePropertyRow(buffer, currentRow);
  TableSetRows(*this, buffer.count);
  TableShow(*this);
}

void PropertyRowsTable::ContextMenu() {
  if (TableResultsShown() && !inDialog) return;
  HWND owner = menuOwner != nullptr ? menuOwner : frame;
  if (owner == nullptr) return;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kInsertCommand, "&Insert");
  AppendMenu(menu, MF_STRING, kDeleteCommand, "&Delete");
  POINT point = popupPoint;
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr);
  DestroyMenu(menu);
}

// --- the pane -----------------------------------------------------------------------

MaterialPropertyPane& TheMaterialPropertyPane() {
  static MaterialPropertyPane pane;
  return pane;
}

// Beside the materials table: from its right edge to the client's.
void MaterialPropertyPane::AdjustClientRect(RECT& area) {
  HWND first = ListTableWindow(0);
  if (first == nullptr || !IsWindowVisible(first)) return;
  RECT box{};
  GetWindowRect(first, &box);
  POINT corner{box.right, box.top};
  ScreenToClient(GetParent(first), &corner);
  area.left = std::min(corner.x + 4, area.right);
}

void MaterialPropertyPane::LostFocus() { StoreMaterialPropertyPane(); }

void LoadMaterialPropertyPane(int record, bool keepRow) {
  MaterialPropertyPane& pane = TheMaterialPropertyPane();
  Model& model = TheModel();
  HWND window = ListTableWindow(1);
  if (window == nullptr) return;
  if (record < 1 || record > model.materials.count) {
    HideMaterialPropertyPane();
    return;
  }
  const int row = pane.currentRow;
  pane.record = record;
  const std::vector<int> lengths(kPropertyColumns + 1, 12);
  TableWindowClose(window);
  TableSetColumns(pane, RecordOfWindow(window), ListFrame().window, kPropertyColumns, 2,
                  TableResultsShown() ? nullptr : &lengths);
  pane.editable = !TableResultsShown();
  pane.rowNumbers = true;
  pane.menuOwner = window;
  LoadPropertyRows(pane.buffer, model.materials[record], !TableResultsShown());
  TableReset(pane);
  TableSetRows(pane, pane.buffer.count);
  pane.currentRow = keepRow ? std::clamp(row, 1, pane.buffer.count) : 1;
  HWND list = ListTableWindow(0);
  if (TableWindow* materials = list != nullptr ? TableOfWindow(list) : nullptr) materials->followingTable = &pane;
  TableShow(pane);
  if (list != nullptr) TableWindowFit(list);
}

void StoreMaterialPropertyPane() {
  MaterialPropertyPane& pane = TheMaterialPropertyPane();
  Model& model = TheModel();
  if (!pane.buffer.changed || pane.record < 1 || pane.record > model.materials.count) return;
  StorePropertyRows(pane.buffer, pane.buffer.count, model.materials[pane.record]);
  pane.buffer.changed = false;
  model.modified = true;
  if (ListTableWindow(1) != nullptr && IsWindowVisible(ListTableWindow(1))) LoadMaterialPropertyPane(pane.record, true);
}

void HideMaterialPropertyPane() {
  MaterialPropertyPane& pane = TheMaterialPropertyPane();
  StoreMaterialPropertyPane();
  pane.record = 0;
  HWND list = ListTableWindow(0);
  if (TableWindow* materials = list != nullptr ? TableOfWindow(list) : nullptr) materials->followingTable = nullptr;
  if (HWND window = ListTableWindow(1)) {
    TableWindowClose(window);
    ShowWindow(window, SW_HIDE);
  }
}

int MaterialPropertiesDialog(HWND owner, PropertyRowsBuffer& buffer, bool frp) {
  PropertiesRun run;
  run.target = &buffer;
  run.table.buffer = buffer;
  run.table.buffer.frp = frp;
  run.table.buffer.changed = false;
  // The dialog shows the rows and, while editable, the entry row.
  if (!TableResultsShown()) run.table.buffer.count = std::min(buffer.count + 1, 40);
  run.table.buffer.count = std::max(run.table.buffer.count, 1);
  const INT_PTR result = DialogBoxParam(InstanceHandle, "MATERIAL_PROPERTIES_DIALOG", owner, PropertiesProc,
                                        reinterpret_cast<LPARAM>(&run));
  return result == 1 ? 1 : 0;
}

// --- printing -------------------------------------------------------------------------

namespace {

class PropertyRowsPrint : public PrintTable {
 public:
  explicit PropertyRowsPrint(const PropertyRowsBuffer& rows) : rows_(rows) {}
  void DefineColumns() override {
    SetColumns(kPropertyColumns);
    PropertyWidths(rows_, rows_.count, widths, [](const std::string& text) { return TextWidth(text); });
  }
  std::string HeadingText(int column, int line) override {
    const PropertyColumnInfo info = PropertyColumnLayout(column, rows_.frp, Code());
    if (!info.shown || info.field < 0) return {};
    return line == 0 ? info.heading : std::string(UnitLabel(info.unit));
  }
  std::string CellText(int row, int column, int) override { return PropertyCellText(rows_, row, column, Code()); }

 private:
  const PropertyRowsBuffer& rows_;
};

}  // namespace

void PrintMaterialPropertyRows(const Material& material, bool headingBar) {
  if (material.numtemps < 1) return;
  PropertyRowsBuffer rows;
  LoadPropertyRows(rows, material, false);
  PropertyRowsPrint table(rows);
  table.headingLines = 2;
  TablePrint(table, headingBar ? "Pipe material " + material.name + ": " + material.description : std::string(),
             rows.count);
}
