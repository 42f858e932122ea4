// Tables in dialogs (see DialogTable.h).
#include "properties/DialogTable.h"

#include <algorithm>

#include "platform/Dialog.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kMargin = 6;  // pixels around the table

// A table of one column fills the client width that the title or the
// buttons give the dialog: widened by `extra` pixels, never an empty band
// beside a narrow list.
void FillClientWidth(DialogTableWindow& table, int extra) {
  if (table.columnCount != 1 || extra <= 0) return;
  table.widths[1] += extra;
  table.x[2] += extra;
  table.totalWidth += extra;
  table.place.right += extra;
  TableFitWindow(table);
}

}  // namespace

HWND CreateDialogTable(HWND dialog, DialogTableWindow& table, int columns, int headingLines,
                       const std::vector<int>* editLengths) {
  HWND window = TableWindowCreate(dialog);
  TableSetColumns(table, &DialogTableWindowRecord(), nullptr, columns, headingLines, editLengths);
  table.rowNumbers = false;
  table.place = RECT{kMargin, kMargin, kMargin + 200, kMargin + 100};
  return window;
}

void LayoutDialogTable(HWND dialog, DialogTableWindow& table, int rows, int current, int minRows, int maxRows,
                       const std::vector<std::pair<int, int>>& buttons) {
  TableReset(table);
  TableSetRows(table, rows);
  table.currentRow = std::clamp(current, rows > 0 ? 1 : 0, rows);
  TableShow(table);  // lays out the headings: widths, heading and row heights
  const int shown = std::clamp(rows, minRows, maxRows);
  const bool scrolls = rows > shown;
  const int edgeX = 2 * GetSystemMetrics(SM_CXEDGE), edgeY = 2 * GetSystemMetrics(SM_CYEDGE);
  const int width = table.totalWidth + (scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 1) + edgeX;
  const int height = table.headingHeight + shown * table.rowHeight + edgeY;
  table.place = RECT{kMargin, kMargin, kMargin + width, kMargin + height};
  TableFitWindow(table);

  RECT unit{0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  const int top = kMargin + height + unit.bottom / 8 + kMargin / 2;
  int right = kMargin + width, bottom = top;
  for (const auto& [item, x] : buttons) {
    HWND button = GetDlgItem(dialog, item);
    if (button == nullptr) continue;
    RECT box{};
    GetWindowRect(button, &box);
    const int left = x * unit.right / 4;
    SetWindowPos(button, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    right = std::max(right, left + (box.right - box.left));
    bottom = std::max(bottom, top + (box.bottom - box.top));
  }
  // Wide enough for the whole caption in the window manager's title bar.
  char title[256] = "";
  GetWindowText(dialog, title, sizeof title);
  const int caption = TitleBarWidth(title);
  right = std::max(right + kMargin, caption) - kMargin;
  FillClientWidth(table, right - (kMargin + width));
  RECT frame{0, 0, right + kMargin, bottom + kMargin};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  CenterWindowOnParent(dialog, 0);
  TableGoTo(table, table.currentRow);
  if (table.Window() != nullptr) SetFocus(table.Window());
}

void DialogTableRefused(TableWindow& table) {
  HWND window = table.Window();
  if (window == nullptr || !IsWindowVisible(window)) return;
  if (GetFocus() != window) SetFocus(window);
  TablePlaceCaret(table);
}
