// The "Beam sections" list of the List window ("Beams", ten columns: name,
// description, area, the two moments of inertia, the torsional constant,
// the two shear areas, depth and width) and its report. The same table
// edits the beam section library (library mode, "Beam Section Library"):
// the name column is hidden and the description is the key; Insert is
// allowed on any row.
//
// While the table is active in a model the List frame's first menu offers
// "Beam &Library..." (270: a library section's description and values into
// the current record, through LIBRARY_USE_DIALOG) and "&AISC Beam
// Library..." (244: a shape of the AISC table into the current record),
// which also show their toolbar buttons. Both keep the record's name. A
// changed depth or width draws the model again.
#pragma once

#include <string>

#include "properties/BeamRecordTable.h"

class BeamSectionsTable : public BeamRecordTable {
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
  int RecordCount() override;
  std::string RecordKey(int record) override;
  int KeyColumn() override;
  void InsertRecord(int row) override;
  void RemoveRecord(int row) override;
  void ClearRecord(int row) override;
  void AppendEntryRecord() override;
  bool RecordInUse(int record) override;
  std::string InUseMessage(int record) override;
  int RunDialog(int record, SnapshotToken token) override;
  RecordHighlighter Highlighter() override;
  void CheckRequired(int row) override;
  bool InsertAllowedAnywhere() override;
  void AddFileMenuItems() override;
  void RemoveFileMenuItems() override;
  void AddContextItems(HMENU menu) override;
};

BeamSectionsTable& TheBeamSectionsTable();
// Opens the list at the current Layout row's beam section (row 1 when it
// has none); in library mode at row 1.
void OpenBeamSectionsTable();
// Command 244: a shape of the AISC table into the current record.
void UseAiscShape(HWND owner);
// Command 270: a section of the beam section library into the current record.
void BeamLibraryImport(HWND owner);
void PrintBeamSections();
