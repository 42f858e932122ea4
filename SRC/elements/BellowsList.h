// The "Bellows" list of the List window (From, To, the four spring rates,
// the thrust area, the weight and the mean diameter, typed in with the
// dialog's parsing; the list derives no bending stiffness) and the bellows'
// printed section.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class BellowsList : public ElementKindListTable {
 public:
  BellowsList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& BellowsListTable();
bool BellowsListOffered(const Model& model);
void OpenBellowsList();
void PrintBellowsDetails();  // the "Bellows" section on the current report road
// The bellows details text after its two nodes (RowDetails.h).
void BellowsDetailsText(int row);
