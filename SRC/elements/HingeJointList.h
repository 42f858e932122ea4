// The "Hinge joints" list of the List window (From, To, rotational
// stiffness, rotation limit, friction torque, weight and the axis, typed
// in with the dialog's parsing; a negative friction torque is refused) and
// the hinge joints' printed section.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class HingeJointsList : public ElementKindListTable {
 public:
  HingeJointsList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& HingeJointsListTable();
bool HingeJointsListOffered(const Model& model);
void OpenHingeJointsList();
void PrintHingeJointsDetails();  // the "Hinge joints" section on the current report road
// The hinge joint details text after its two nodes (RowDetails.h).
void HingeJointDetailsText(int row);
