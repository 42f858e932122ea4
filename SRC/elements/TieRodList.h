// The "Tie rods" list of the List window (From, To, the tension and
// compression stiffnesses under "Stiffness", the two gaps under "Gap",
// typed in with the dialog's parsing) and the tie rods' printed section.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class TieRodsList : public ElementKindListTable {
 public:
  TieRodsList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& TieRodsListTable();
bool TieRodsListOffered(const Model& model);
void OpenTieRodsList();
void PrintTieRodsDetails();  // the "Tie rods" section on the current report road
// The tie rod details text after its two nodes (RowDetails.h).
void TieRodDetailsText(int row);
