// The table chooser (see TableChooser.h).
#include "properties/TableChooser.h"

#include <algorithm>

#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/ProgramContext.h"

void TableChooser::DoubleClick() { PostMessage(dialog_, WM_COMMAND, IDOK, 0); }

INT_PTR TableChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto* table = reinterpret_cast<TableChooser*>(lParam);
      table->dialog_ = dialog;
      SetWindowText(dialog, table->caption.c_str());
      CreateDialogTable(dialog, *table, table->columns, 1);
      const int count = table->ItemCount();
      LayoutDialogTable(dialog, *table, count, std::clamp(table->CurrentItem(), 1, std::max(count, 1)), 1,
                        table->maxRows, {{IDOK, 8}, {IDCANCEL, 56}});
      return FALSE;
    }
    case WM_COMMAND: {
      auto* table = reinterpret_cast<TableChooser*>(GetWindowLongPtr(dialog, DWLP_USER));
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, table->currentRow);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

INT_PTR RunTableChooser(HWND owner, TableChooser& table) {
  return DialogBoxParam(InstanceHandle, "SELECT_DIALOG", owner, TableChooserProc, reinterpret_cast<LPARAM>(&table));
}
