// The "Branch Points" list of the List window: one line per branch node of
// the model (a node where more than two element ends meet), with the text
// of the Branch SIF found at that node, empty where the node has none, so
// that a tee entered without its Branch SIF row stands out. Read-only;
// moving to a line highlights its node in the graphics; while it is shown
// the List window's first two menus are disabled. It prints as "Branch
// Points" with the count of branch nodes (printer grid, text, CSV).
#pragma once

#include <cstdint>
#include <string>

#include "services/TableWindow.h"

struct Model;

class BranchPointsTable : public ItemListTableWindow {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  std::int32_t RowNode(int row) override;
  void CurrentRowChanged() override;
  void Close() override;
  void ContextMenu() override;
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override;
  std::string PrintName() override { return "Branch Points"; }
  void WriteText() override;
  bool CanInsert() override { return false; }
  bool CanDelete() override { return false; }
};

BranchPointsTable& TheBranchPointsTable();
// The List menu's condition (the model has branch nodes) and opener.
bool BranchPointsListOffered(const Model& model);
void OpenBranchPointsList();
void RegisterBranchPointsList();
// The text of line `row`: 1 the node, 2 the Branch SIF's text.
std::string BranchPointCellText(const Model& model, int row, int column);
// The "Branch Points" section on the current report road.
void PrintBranchPoints();
