// The "Beam loads" list of the List window and its report: name, T1..T10
// (those the load cases do not use are hidden and kept), additional weight
// and the wind flag (Y or N). Every shown cell is typed in place with the
// dialog's checks; a record made on the entry row starts as a new beam load
// (every T the reference temperature, wind on).
#pragma once

#include <string>

#include "properties/BeamRecordTable.h"

class BeamLoadsTable : public BeamRecordTable {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  void StoreCell() override;
  void WriteText() override;

  std::string Title() override { return "Beam loads"; }
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
  bool DescriptionColumn(int) override { return false; }
};

BeamLoadsTable& TheBeamLoadsTable();
void OpenBeamLoadsTable();
void PrintBeamLoads();
