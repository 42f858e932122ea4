// The "Restraints" list of the List window and the restraints' section of
// the printed model data: node, tag and the three directions (Y when
// held). The tag and the directions are typed in (Y or N) and stored as
// the dialog would store them; Enter or a double click opens the dialog.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class RestraintsList : public KindListTable {
 public:
  RestraintsList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreItemCell(DataItem& item, int column) override;
  void EnterRow(bool control) override;
  void WriteText() override;
};

TableWindow& RestraintsListTable();
bool RestraintsListOffered(const Model& model);
void OpenRestraintsList();
// The "Restraints" section on the current report road.
void PrintRestraintsDetails();
// The text-report line of the restraint of `row`.
std::string DescribeRestraint(int row);
// The restraint's details text after its node (RowDetails.h).
void RestraintDetailsText(int row);
