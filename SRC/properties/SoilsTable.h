// The "Soils" list of the List window (reached from Misc > Soils and the
// list menu) and its report section. One row per soil and an entry row;
// no cell is typed in place: Edit and a double-click open the soil dialog,
// Enter checks the row's name, Insert puts a fresh soil at a named row whose
// previous row is named, Delete refuses a soil a section still names.
// Printed as "Soils" (printer grid, text or CSV), followed by the buried
// sections (each section with a soil) when any section has one.
#pragma once

#include <string>

#include "properties/BeamRecordTable.h"

struct Model;

class SoilsTable : public BeamRecordTable {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int, int) override { return false; }
  void DeleteRow() override;
  void CurrentRowChanged() override {}
  void WriteText() override;

  std::string Title() override { return "Soils"; }
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

SoilsTable& TheSoilsTable();
void OpenSoilsTable();
// The text of a soil's cell (columns 1..7), empty for a value of 0 and for
// the values its type does not use.
std::string SoilCellText(const Model& model, int record, int column);
// The "Soils" section on the current report road; nothing when the model
// has no soils.
void PrintSoils();
