// The "Compressors" and "Turbines" lists of the List window, their shared
// edit dialog (COMPRESSOR_DIALOG) and their report sections. One table
// serves both kinds: the opener points it at the model's compressor or
// turbine table. A line is a record: description, the inlet, exhaust and
// two extraction nodes and the shaft direction. Every cell is typed in
// place with the dialog's checks; Enter on a line requires the
// description and a shaft direction; the line after the last appends a
// record. A compressor whose shaft is not horizontal is stored after a
// warning (its checks take the shaft as the machine's axis all the same).
#pragma once

#include <string>

#include "properties/BeamRecordTable.h"
#include "records/Compressor.h"

enum class RotatingKind : int { Compressor = 1, Turbine = 2 };

class RotatingEquipmentTable : public UnnamedRecordList<RotatingEquipment> {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  void StoreCell() override;
  void WriteText() override;
  void PaintExtra() override;
  void DrawColumnRule(int column) override;

  std::string Title() override;
  ModelRecordTable<RotatingEquipment>& ModelRecords() override;
  std::string RecordKey(int record) override;
  int KeyColumn() override { return 1; }
  bool DescriptionColumn(int column) override { return column == 1; }
  int RunDialog(int record, SnapshotToken token) override;
  RecordHighlighter Highlighter() override;
  void CheckRequired(int row) override;

  RotatingKind kind = RotatingKind::Compressor;
};

RotatingEquipmentTable& TheRotatingEquipmentTable();
ModelRecordTable<RotatingEquipment>& RotatingEquipmentRecords(RotatingKind kind);
void OpenCompressorsList();
void OpenTurbinesList();

// COMPRESSOR_DIALOG for record `record` of `kind` under the undo snapshot
// `token`; 1 after OK stored or kept the record, 0 otherwise.
int RotatingEquipmentDialog(HWND owner, RotatingKind kind, int record, SnapshotToken token);
INT_PTR RotatingEquipmentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// True when `axis` has a component along the model's vertical axis.
bool ShaftAxisNotHorizontal(const std::array<float, 3>& axis, bool zVertical);

// The report sections "Compressors" and "Turbines" on the current report
// road; nothing for an empty table.
void PrintCompressors();
void PrintTurbines();
