// The "Slip joints" list of the List window (From, To, friction force and
// torque, thrust area and weight, blank for 0, typed in with the dialog's
// parsing) and the slip joints' printed section.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class SlipJointsList : public ElementKindListTable {
 public:
  SlipJointsList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& SlipJointsListTable();
bool SlipJointsListOffered(const Model& model);
void OpenSlipJointsList();
void PrintSlipJointsDetails();  // the "Slip joints" section on the current report road
// The slip joint details text after its two nodes (RowDetails.h).
void SlipJointDetailsText(int row);
