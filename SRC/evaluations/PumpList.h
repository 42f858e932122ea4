// The "Pumps" list of the List window, the pump dialog (PUMP_DIALOG) and the
// pumps report section. A line is a pump: description, vertical mark, the
// suction and discharge nodes and locations, the shaft axis, the centre
// and the ANSI/HI type, size, material, bolt size or mounting and
// temperature. Only the description is typed in place; the other cells
// take typing (kept to number characters) but are changed through the
// dialog, which checks the whole record at once.
#pragma once

#include <string>

#include "properties/BeamRecordTable.h"
#include "records/Pump.h"

class PumpsTable : public UnnamedRecordList<Pump> {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  void StoreCell() override;
  void WriteText() override;
  void PaintExtra() override;
  void DrawColumnRule(int column) override;

  std::string Title() override { return "Pumps"; }
  ModelRecordTable<Pump>& ModelRecords() override;
  std::string RecordKey(int record) override;
  bool DescriptionColumn(int column) override { return column == 1; }
  // A new or cleared pump takes the dialog's defaults.
  void InsertRecord(int row) override;
  void ClearRecord(int row) override;
  void AppendEntryRecord() override;
  int RunDialog(int record, SnapshotToken token) override;
  RecordHighlighter Highlighter() override;
  void CheckRequired(int row) override;
};

PumpsTable& ThePumpsTable();
void OpenPumpsTable();
// The text of cell (pump, column) of the list, 1..17.
std::string PumpCellText(const Pump& pump, int column);

struct DialogHelper;
// The dialog's checks of OK over the record it edits: the edited record,
// or a thrown field message.
Pump CheckPumpInput(DialogHelper& helper, const Pump& stored);
int PumpDialog(HWND owner, int record, SnapshotToken token);
INT_PTR PumpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The pumps section on the current report road; nothing without pumps.
void WritePumpsReport();
