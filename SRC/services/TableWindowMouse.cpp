// The "QuorvelTable" window class and its procedure, the table windows of
// dialogs, clicks (which make a cell current and put the caret at the
// clicked character), double clicks, the wheel and the right-click menu.
//
// A click that leaves the current cell first finishes its edit; when the
// commit is refused the click does nothing more, so the caret stays in the
// refused cell. A click into a table whose partner has an edit pending
// finishes the partner's edit first. In a dialog, Escape with nothing typed
// into the cell is the dialog's (DialogCode).
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"

int g_ListTableFocus = 0;
HWND g_ListTableWindows[2] = {nullptr, nullptr};

namespace {

constexpr int kRecordSlot = 0;
constexpr int kTableSlot = 4;
constexpr int kDialogTableItem = 1500;

int Left(const TableWindow& t, int column) { return t.x[static_cast<std::size_t>(column)] - t.hPosition; }

// The shown column under x; 0 in the row-number column or right of the columns.
int ColumnAt(const TableWindow& t, int x) {
  for (int c = 1; c <= t.columnCount; ++c)
    if (t.widths[static_cast<std::size_t>(c)] != 0 && x >= Left(t, c) && x < Left(t, c + 1)) return c;
  return 0;
}

int RowAt(const TableWindow& t, int y) {
  if (t.rowHeight <= 0 || y < t.headingHeight) return 0;
  return t.topRow + (y - t.headingHeight) / t.rowHeight + 1;
}

bool WideRow(TableWindow& t, int row) {
  return t.wideRows && row >= 1 && row <= t.rowCount && t.IsWideRow(row);
}

bool InsideCurrentCell(TableWindow& t, int x, int y) {
  const int top = t.headingHeight + (t.currentRow - t.topRow - 1) * t.rowHeight;
  if (y < top + 1 || y >= top + t.rowHeight) return false;
  const bool wide = WideRow(t, t.currentRow);
  const int left = Left(t, wide ? 1 : t.currentColumn);
  const int right = Left(t, wide ? t.columnCount + 1 : t.currentColumn + 1);
  return x >= left + 1 && x <= right;
}

bool CurrentCellEditable(TableWindow& t) {
  if (!t.editing || t.currentRow < 1 || t.currentRow > t.rowCount) return false;
  return WideRow(t, t.currentRow) || t.IsCellEditable(t.currentRow, t.currentColumn);
}

// A pending edit of the partner is finished first; true when the partner
// keeps the focus (its commit was refused or it must keep it).
bool PartnerKeeps(TableWindow& t) {
  TableWindow* partner = t.partnerTable;
  if (partner == nullptr) return false;
  partner->returnColumn = 0;
  if (!TableHasFocus(*partner)) return false;
  if (!TableCommitEdit(*partner) && !partner->MustKeepFocus()) return false;
  const int column = partner->returnColumn != 0 ? partner->returnColumn : TableFirstEditableColumn(*partner);
  if (column != 0) TableSetColumn(*partner, column);
  TablePlaceCaret(*partner);
  return true;
}

void ClickEditing(TableWindow& t, int row, int x) {
  TableGoTo(t, row);
  if (WideRow(t, row)) {
    TableSetColumn(t, 1);
    TableCaretToX(t, x);
    return;
  }
  for (int c = std::max(ColumnAt(t, x), 1); c <= t.columnCount; ++c) {
    if (!t.IsCellEditable(row, c)) continue;
    TableSetColumn(t, c);
    TableCaretToX(t, x);
    return;
  }
}

// The table windows of the frames (not those of dialogs): they draw in the
// text font and take it again when it changes.
std::vector<HWND>& FrameTableWindows() {
  static std::vector<HWND> windows;
  return windows;
}

void AttachRecord(HWND window, TableWindowRecord* record) {
  SetWindowLongPtr(window, kRecordSlot, reinterpret_cast<LONG_PTR>(record));
  SetWindowLongPtr(window, kTableSlot, 0);
  if (record == nullptr) return;
  record->window = window;
  // A record outlives its window (a program started again in one process):
  // the font it kept may be gone, so a frame's table takes the current one.
  if (record != &DialogTableWindowRecord()) {
    record->font = TableTextFont();
    FrameTableWindows().push_back(window);
  } else if (record->font == nullptr) {
    record->font = TableSmallFont();
  }
  record->dc = GetDC(window);
  SelectObject(record->dc, record->font);
  SetBkMode(record->dc, TRANSPARENT);
  record->metrics = MeasureTableFont(record->dc);
}

void OnSetFocus(HWND window, TableWindow* t) {
  for (int i = 0; i < 2; ++i)
    if (window == g_ListTableWindows[i]) g_ListTableFocus = i;
  if (t == nullptr) return;
  t->GotFocus();
  TableDrawRow(*t, t->currentRow);
  t->CurrentRowChanged();
  if (!t->editing) return;
  CreateCaret(window, nullptr, 2, t->Metrics().charHeight);
  TablePlaceCaret(*t);
  ShowCaret(window);
}

void OnKillFocus(TableWindow& t) {
  if (!t.showingRefusal) t.LostFocus();
  DestroyCaret();
  TableDrawCellFrame(t, false);
  TableDrawRow(t, t.currentRow);
}

bool OnSetCursor(HWND window, TableWindow& t, LPARAM lParam) {
  if (!t.editing || LOWORD(static_cast<std::uintptr_t>(lParam)) != HTCLIENT) return false;
  POINT point{0, 0};
  GetCursorPos(&point);
  ScreenToClient(window, &point);
  const int row = RowAt(t, point.y);
  const int column = ColumnAt(t, point.x);
  if (row < 1 || row > t.rowCount || column == 0) return false;
  if (!WideRow(t, row) && !t.IsCellEditable(row, column)) return false;
  SetCursor(LoadCursor(nullptr, IDC_IBEAM));
  return true;
}

// Table rows stay far below 65536, so the 16-bit position of the message suffices.
int ThumbPosition(WPARAM wParam) { return HIWORD(wParam); }

// What the table keeps of the keys a dialog reads: an editable one takes
// them all (Tab, Return and Escape act on its cells), except Escape with
// nothing typed into the cell, which has nothing to drop and leaves the
// dialog as its Cancel does.
LRESULT DialogCode(const TableWindow& t, const MSG* key) {
  if (!t.editable) return DLGC_WANTARROWS | DLGC_WANTCHARS;
  const bool escape = key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_ESCAPE;
  return escape && !t.editChanged ? DLGC_WANTARROWS | DLGC_WANTCHARS : DLGC_WANTALLKEYS;
}

// Without a bound table the table's own messages do nothing (a few keep
// their table-independent part); the rest get the default handling.
LRESULT Unbound(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: OnSetFocus(window, nullptr); return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KILLFOCUS:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEWHEEL: return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

LRESULT Bound(HWND window, TableWindow& t, UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_SETFOCUS: OnSetFocus(window, &t); return 0;
    case WM_KILLFOCUS: OnKillFocus(t); return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      TablePaint(t, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      if (OnSetCursor(window, t, lParam)) return TRUE;
      return DefWindowProc(window, message, wParam, lParam);
    case WM_GETDLGCODE: return DialogCode(t, reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN: t.KeyDown(static_cast<UINT>(wParam)); return 0;
    case WM_CHAR: TableChar(t, static_cast<int>(wParam & 0xFF)); return 0;
    case WM_VSCROLL: TableVScroll(t, LOWORD(wParam), ThumbPosition(wParam)); return 0;
    case WM_HSCROLL: TableHScroll(t, LOWORD(wParam), ThumbPosition(wParam)); return 0;
    case WM_LBUTTONDOWN: TableClick(t, x, y); return 0;
    case WM_LBUTTONDBLCLK:
      if (TableClick(t, x, y)) t.DoubleClick();
      return 0;
    case WM_RBUTTONDOWN: TableContextMenu(t, x, y); return 0;
    case WM_MOUSEWHEEL: {
      const auto delta = static_cast<short>(HIWORD(wParam));
      if (delta > 0) t.KeyDown(VK_UP);
      if (delta < 0) t.KeyDown(VK_DOWN);
      return 0;
    }
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

LRESULT TableWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      AttachRecord(window, static_cast<TableWindowRecord*>(create->lpCreateParams));
      return 0;
    }
    case WM_DESTROY: {
      auto& windows = FrameTableWindows();
      windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
      if (TableWindowRecord* record = RecordOfWindow(window)) {
        if (record->dc != nullptr) ReleaseDC(window, record->dc);
        record->dc = nullptr;
        record->window = nullptr;
      }
      SetWindowLongPtr(window, kTableSlot, 0);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: break;
  }
  TableWindow* table = TableOfWindow(window);
  if (table == nullptr) return Unbound(window, message, wParam, lParam);
  return Bound(window, *table, message, wParam, lParam);
}

void RegisterTableWindowClass() {
  WNDCLASS existing{};
  if (GetClassInfo(nullptr, kTableWindowClass, &existing)) return;
  WNDCLASS windowClass{};
  windowClass.style = CS_OWNDC | CS_DBLCLKS;
  windowClass.lpfnWndProc = TableWndProc;
  windowClass.cbWndExtra = 8;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
  windowClass.lpszClassName = kTableWindowClass;
  if (RegisterClass(&windowClass) == 0)
    throw std::string("Unable to register window class : ") + kTableWindowClass;
}

void TableWindowsReselectTextFont() {
  // A copy: reselecting may show a table, which must not disturb the loop.
  const std::vector<HWND> windows = FrameTableWindows();
  for (HWND window : windows) TableWindowReselectFont(window);
}

TableWindowRecord& DialogTableWindowRecord() {
  static TableWindowRecord record;
  return record;
}

HWND TableWindowCreate(HWND dialog) {
  TableWindowRecord& record = DialogTableWindowRecord();
  record.font = TableSmallFont();
  HWND parent = GetDlgItem(dialog, kDialogTableItem);
  // The item that holds the table takes no keyboard itself; marked as a
  // parent of controls, it lets the dialog's Tab order reach the table in
  // its place.
  if (parent != nullptr)
    SetWindowLong(parent, GWL_EXSTYLE, GetWindowLong(parent, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_CONTROLPARENT));
  else
    parent = dialog;
  return CreateWindowEx(WS_EX_CLIENTEDGE, kTableWindowClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                        parent, nullptr, nullptr, &record);
}

bool TableClick(TableWindow& t, int x, int y) {
  if (PartnerKeeps(t)) return true;
  if (t.Window() != nullptr && GetFocus() != t.Window()) SetFocus(t.Window());
  if (CurrentCellEditable(t) && InsideCurrentCell(t, x, y)) {
    TableCaretToX(t, x);
    return true;
  }
  if (x >= Left(t, t.columnCount + 1)) return false;
  if (y < t.headingHeight) {
    t.HeadingClicked(ColumnAt(t, x));
    return false;
  }
  const int row = RowAt(t, y);
  if (t.rowCount < 1 || row < 1 || row > t.rowCount) return false;
  if (TableEndEdit(t)) return false;
  if (t.editing) {
    ClickEditing(t, row, x);
    return true;
  }
  t.currentColumn = std::max(ColumnAt(t, x), 1);
  t.ColumnClicked();
  TableGoTo(t, row);
  return true;
}

void TableContextMenu(TableWindow& t, int x, int y) {
  if (TableWindow* partner = t.partnerTable) {
    partner->returnColumn = 0;
    if (TableHasFocus(*partner) && (TableCommitEdit(*partner) || partner->MustKeepFocus())) {
      TableSetColumn(*partner, TableFirstEditableColumn(*partner));
      TablePlaceCaret(*partner);
      return;
    }
  }
  if (t.Window() != nullptr && GetFocus() != t.Window()) SetFocus(t.Window());
  if (t.editing && TableEndEdit(t)) return;
  POINT point{x, y};
  ClientToScreen(t.Window(), &point);
  t.popupPoint = point;
  const int column = ColumnAt(t, x);
  if (y < t.headingHeight && x < Left(t, t.columnCount + 1)) {
    t.HeadingContextMenu(column);
    return;
  }
  const int row = RowAt(t, y);
  if (row < 1 || row > t.rowCount || x >= Left(t, t.columnCount + 1)) {
    t.ContextMenu();
    return;
  }
  TableGoTo(t, row);
  if (!t.editing) {
    t.CellContextMenu(column);
    return;
  }
  if (column != 0 && t.IsCellEditable(row, column)) TableSetColumn(t, column);
  HideCaret(t.Window());
  t.CellContextMenu(column);
  ShowCaret(t.Window());
}
