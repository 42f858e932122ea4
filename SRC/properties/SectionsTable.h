// The "Pipe Sections" list of the List window: one row per pipe section and
// an entry row behind the last. Name, corrosion allowance, mill tolerance,
// insulation and lining are edited in place with the section dialog's
// checks; diameter, wall and the standard size come from the section dialog
// (Edit, a double-click, or Enter on a row without them). Insert, Delete
// (refused while the section is in use), Copy and Paste of a section's
// dimensions, and the printed and comma-separated report of the sections.
#pragma once

#include <string>

#include "services/TableWindow.h"

struct Model;

class SectionsTable : public ItemListTableWindow {
 public:
  void UpdateMenu() override;
  void Close() override;
  void EditCurrentItem() override;
  void InsertRow() override;
  void DeleteRow() override;
  void EnterRow(bool control) override;
  void WriteText() override;
  void Prepare() override;
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  void StoreCell() override;
  void ContextMenu() override;
  void CurrentRowChanged() override;
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override;
  std::string PrintName() override { return "Pipe Sections"; }
  bool CanInsert() override;
  bool CanDelete() override;
};

SectionsTable& TheSectionsTable();
// The opener of "&Sections", at the current Layout row's section.
void OpenSectionsTable();
void CopySectionData();
void PasteSectionData();
bool SectionCopied();

// The text of a cell of section `record` (columns 1 to 12).
std::string SectionCellText(const Model& model, int record, int column);
// The "Pipe sections" report on the current report road.
void PrintSections();
