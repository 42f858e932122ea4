// The node list "Coordinates": one line per node of the made model with its
// number and X, Y, Z in the length unit. It is a read-only item list of the
// List window, offered by the List menu while the model has nodes, and it
// opens on the node of the current Layout row. While it is shown the List
// menu's View submenu carries "&Distance...\tCtrl+D" (315) and, unless
// results are shown, the Edit submenu is greyed; leaving it undoes both.
#pragma once

#include <cstdint>
#include <string>

#include "services/TableWindow.h"

struct Model;

class NodeListTable : public ItemListTableWindow {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  std::int32_t RowNode(int row) override;
  // Moving to a row highlights its node in the graphics window.
  void CurrentRowChanged() override;
  // The Distance item and the greyed Edit menu come with every showing of
  // the list (a refresh shows it again, which closes it first) and go with
  // its closing.
  void Prepare() override;
  void Close() override;
  void UpdateMenu() override;
  void ContextMenu() override;
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override;
  std::string PrintName() override { return "Coordinates"; }
  void WriteText() override;  // NodeListPrint.cpp
  bool CanInsert() override { return false; }
  bool CanDelete() override { return false; }
};

NodeListTable& TheNodeList();

// The cell text of node `index` of the open model in `column` (1 to 4).
std::string NodeListCellText(const Model& model, int index, int column);
// The List menu's condition: the model has nodes.
bool NodeListOffered(const Model& model);
// The List menu's opener: fills the first List table with the nodes.
void OpenNodeList();
// The comma-separated lines of the list printed to a file (CR LF ends each
// line, as other programs read the file).
std::string NodeListFileText(const Model& model);
// The "Coordinates" section on the current report road.
void PrintNodeList();

constexpr int kDistanceCommand = 315;
