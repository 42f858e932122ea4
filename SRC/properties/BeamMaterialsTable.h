// The "Beam materials" list of the List window and its report section:
// name, description, E, Nu, density and alpha of every beam material. Every
// cell is typed in place with the dialog's checks (Poisson's ratio too:
// 0.01 to below 0.5); a rename is confirmed once ("Material name") and
// follows into the Beam rows. Printed as "Beam materials" (text, CSV or the
// printer grid).
#pragma once

#include <string>

#include "properties/BeamRecordTable.h"

class BeamMaterialsTable : public BeamRecordTable {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  void StoreCell() override;
  void WriteText() override;

  std::string Title() override { return "Beam materials"; }
  int RecordCount() override;
  std::string RecordKey(int record) override;
  void InsertRecord(int row) override;
  void RemoveRecord(int row) override;
  void ClearRecord(int row) override;
  void AppendEntryRecord() override;
  bool RecordInUse(int record) override;
  std::string InUseMessage(int record) override;
  int RunDialog(int record, SnapshotToken token) override;
  RecordHighlighter Highlighter() override;
  void CheckRequired(int row) override;
};

BeamMaterialsTable& TheBeamMaterialsTable();
void OpenBeamMaterialsTable();
// The "Beam materials" section on the current report road; nothing when the
// model has none.
void PrintBeamMaterials();
