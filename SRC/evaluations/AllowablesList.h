// The "Allowables" list of the List window, its dialog (ALLOWABLE_DIALOG),
// Copy and Paste, and its report section. A line is a record: the node and
// its six allowable loads. A typed cell is stored through the dialog's
// parsers (the node must be defined and not a bend node; the values are
// forces or moments in the current units), so nothing typed is dropped. Copy remembers the current record; Paste
// copies it over the current line's record and opens the dialog on it.
#pragma once

#include <string>

#include "properties/BeamRecordTable.h"
#include "records/AllowableLoad.h"

class AllowablesTable : public UnnamedRecordList<Allowable> {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  void StoreCell() override;
  int FilterChar(int character) override;
  void WriteText() override;

  std::string Title() override { return "Allowables"; }
  ModelRecordTable<Allowable>& ModelRecords() override;
  std::string RecordKey(int record) override;
  int RunDialog(int record, SnapshotToken token) override;
  RecordHighlighter Highlighter() override;
  void CheckRequired(int row) override;
  void AddContextItems(HMENU menu) override;
};

AllowablesTable& TheAllowablesTable();
void OpenAllowablesTable();
bool AllowablesListShown();
std::string AllowableCellText(const Allowable& record, int column);

// Copy (363) and Paste (364) of the list: Copy remembers the values of the
// current line; Paste copies them over the current line's record and opens
// the dialog there. CanPaste: a record is remembered.
void SelectAllowableForEdit();
void StoreEditedAllowable();
bool AllowableCanCopy();
bool AllowableCanPaste();

int AllowableDialog(HWND owner, int record, SnapshotToken token);
INT_PTR AllowableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void PrintAllowables();
