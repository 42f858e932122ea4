// The "Bends" list of the List window and the bends' section of the printed
// model data. Columns: node, radius, radius type, thickness, material, the
// flexibility factors (the out-plane one with "Use B31J"), the SIFs (the
// out-plane one for codes with separate SIFs or B31J, the axial one for
// B31.3, the torsion one with B31J) and the two intermediate nodes with
// their angles; a column the code does not use has width 0. Radius,
// thickness, material and the factors are typed in; a typed radius makes
// the bend a User-radius bend and the model is made again.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class BendsList : public KindListTable {
 public:
  BendsList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void ContextMenu() override;
  void Prepare() override;
  void Close() override;
  void WriteText() override;
  bool CanDelete() override { return false; }

  // Whether column `column` is shown for the model's code and options.
  static bool ColumnShown(int column);
};

TableWindow& BendsListTable();
bool BendsListOffered(const Model& model);
void OpenBendsList();
// The "Bends" section on the current report road.
void PrintBendsDetails();
// The comma-separated cells of the bend of `row` after its node.
void DescribeBend(int row);
// The bend's details text after its node (RowDetails.h).
void BendDetailsText(int row);
// The text-report line of the bend of `row`.
std::string BendTextLine(int row);
