// The "Rigid elements" list of the List window (From, To, the weight,
// typed in, and "Add CIL") and the rigid elements' printed section.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class RigidElementsList : public ElementKindListTable {
 public:
  RigidElementsList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& RigidElementsListTable();
bool RigidElementsListOffered(const Model& model);
void OpenRigidElementsList();
void PrintRigidElementsDetails();
std::string RigidElementTextLine(int row);
// The rigid element details text after its two nodes (RowDetails.h).
void RigidElementDetailsText(int row);
