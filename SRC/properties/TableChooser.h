// A table chooser: the SELECT_DIALOG template holding a read-only table of
// the items, one heading line, opened on the current item and sized to
// between one and `maxRows` visible rows, OK and Cancel under it. A
// double-click chooses like OK. The dialog ends with the row chosen, or 0
// after Cancel. The Results window's support, equipment and time-history
// item choosers are this one machine; each says only what its table shows
// and how many items it has.
#pragma once

#include <string>

#include "platform/Types.h"
#include "properties/DialogTable.h"

class TableChooser : public DialogTableWindow {
 public:
  void DoubleClick() override;

  std::string caption;  // the dialog's title
  int columns = 2;
  int maxRows = 8;

 protected:
  // The items and the one the table opens on, asked when the dialog opens.
  virtual int ItemCount() const = 0;
  virtual int CurrentItem() const = 0;

 private:
  friend INT_PTR TableChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HWND dialog_ = nullptr;
};

// Runs the chooser over `owner`: what the dialog ended with.
INT_PTR RunTableChooser(HWND owner, TableChooser& table);
