// A table window inside a modal dialog (the list pickers, the insulation
// list, the material properties): the table is created in the dialog, drawn
// in the small font, sized to its columns and to its rows between a lower
// and an upper limit (a vertical scroll bar beyond it), and the dialog's
// buttons are put in one row under it; the dialog is then sized around both
// and centred on its owner.
#pragma once

#include <utility>
#include <vector>

#include "platform/Types.h"
#include "services/TableWindow.h"

class DialogTableWindow : public TableWindow {
 public:
  void AdjustClientRect(RECT& area) override { area = place; }
  RECT place{0, 0, 0, 0};  // the table window's rectangle in the dialog's client
};

// Creates the table window in `dialog` and binds `table` to it with
// `columns` columns and `headingLines` heading lines (read-only unless
// `editLengths` is given).
HWND CreateDialogTable(HWND dialog, DialogTableWindow& table, int columns, int headingLines,
                       const std::vector<int>* editLengths = nullptr);

// Shows the table with `rows` rows at `current`, sizes it for between
// `minRows` and `maxRows` visible rows, moves the buttons (item, x in
// horizontal dialog units) one dialog unit under it, sizes the dialog around
// them and centres it; the table gets the focus.
void LayoutDialogTable(HWND dialog, DialogTableWindow& table, int rows, int current, int minRows, int maxRows,
                       const std::vector<std::pair<int, int>>& buttons);
// OK of a dialog refused by its table (a cell that does not store, a row
// the table's rules do not enter): the keyboard goes back to the table, to
// the cell the refusal made current, wherever it was when OK was pressed
// (on OK itself, after Tab, or after a click on OK), so that what the user
// types next mends it. Any table a dialog holds, a dialog table or not.
void DialogTableRefused(TableWindow& table);
