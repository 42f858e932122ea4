// The one shape of every kind's edit dialog. A kind's dialog is a
// KindDialog subclass that reads, compares and stores its own fields; the
// protocol around it is here, once:
//
//   WM_INITDIALOG  keep the row (the dialog's parameter), bind the helper,
//                  title "<kind> at node <n>", let the kind fill its
//                  controls from the row's item when the row carries the
//                  kind; while results are shown, lock every input and put
//                  the focus on OK; centre on the frame.
//   IDOK           while results are shown: end with 0, store nothing.
//                  Otherwise Read (fields in dialog order; the first fault
//                  throws its message, which is shown with the focus on the
//                  field, and the dialog stays). A row without the kind
//                  gets a new item (SetDataType) and the values; a row with
//                  it and no value changed stores nothing; else the values
//                  are stored. Anything stored marks the model modified.
//   IDCANCEL       end.
//
// The dialog ends with 1 exactly when the model changed (through this
// dialog or a dialog it opened), and 0 otherwise, so the caller keeps the
// undo snapshot it took for the edit only when there is something to undo.
// Each kind keeps one dialog object; the dialogs are modal.
//
// Element kinds run the same protocol through ElementKindDialog: a row
// without the kind is given it (SetElementType) before the values are
// stored, and a store that moves nodes makes the model again.
#pragma once

#include <initializer_list>
#include <string>

#include "model/LayoutRow.h"
#include "platform/Types.h"
#include "services/DialogHelper.h"

class DataItem;
class ElementData;

class KindDialog {
 public:
  virtual ~KindDialog() = default;

  virtual const char* KindName() const = 0;  // the title's text
  virtual DataType Type() const = 0;
  // After binding and the title: labels and choice lists, then the values
  // of `item` (null when the row does not carry the kind yet).
  virtual void Init(DataItem* item) = 0;
  // Makes every input read-only or disabled.
  virtual void LockForResults() = 0;
  // Reads and checks every field into the working values; throws the
  // message of the first fault (after pointing the helper at its field).
  virtual void Read() = 0;
  virtual bool Differs(const DataItem& item) const = 0;
  virtual void Store(DataItem& item) = 0;
  // Controls other than OK and Cancel; true when handled.
  virtual bool Command(int /*id*/, int /*code*/) { return false; }

  DialogHelper helper;
  HWND dialog = nullptr;
  int row = 0;
  // A dialog opened from this one stored a change of the row's item.
  bool changedByOtherDialog = false;
};

// The procedure body of every kind dialog.
INT_PTR KindDialogMessage(KindDialog& kind, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the window title: the text, " at node " and the row's node number.
void SetTitleAtNode(int row, HWND window, const std::string& text);
// Sets the window title: the text, " from ", the node of the element row
// before `row`, " to " and the row's node number.
void SetTitleFromTo(int row, HWND window, const std::string& text);
// Whether results are shown (edit dialogs then store nothing).
bool KindDialogInResults();
// While results are shown: the edits read-only, the buttons disabled, OK focused.
void LockDialogInputs(DialogHelper& helper, std::initializer_list<int> edits, std::initializer_list<int> buttons);
// The row's item when the row carries `type`, else null.
DataItem* RowItemOfType(int row, DataType type);

// The protocol above for an element kind's dialog.
class ElementKindDialog {
 public:
  virtual ~ElementKindDialog() = default;

  virtual const char* KindName() const = 0;
  virtual ElementType Type() const = 0;
  // Titles of elements between two nodes read "<kind> from <a> to <b>".
  virtual bool TitleFromTo() const { return false; }
  // Rows that are no element between nodes are titled by the kind alone.
  virtual bool TitleWithoutNode() const { return false; }
  // The row's element when it is of the kind, else null.
  virtual void Init(ElementData* element) = 0;
  virtual void LockForResults() = 0;
  virtual void Read() = 0;
  virtual bool Differs(const ElementData& element) const = 0;
  // True when the stored values move nodes (the model is made again).
  virtual bool Store(ElementData& element) = 0;
  virtual bool Command(int /*id*/, int /*code*/) { return false; }

  DialogHelper helper;
  HWND dialog = nullptr;
  int row = 0;
};

INT_PTR ElementKindDialogMessage(ElementKindDialog& kind, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The row's element when the row carries `type`, else null.
ElementData* RowElementOfType(int row, ElementType type);
