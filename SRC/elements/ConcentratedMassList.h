// The "Concentrated masses" list of the List window and the masses' section
// of the printed model data: node, weight and the offsets of the centre of
// gravity (empty cells for a mass at its node). The weight and the offsets
// are edited in place with the dialog's parsers and messages.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class ConcentratedMassesList : public KindListTable {
 public:
  ConcentratedMassesList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreItemCell(DataItem& item, int column) override;
  void WriteText() override;
};

TableWindow& ConcentratedMassesListTable();
bool ConcentratedMassesListOffered(const Model& model);
void OpenConcentratedMassesList();
// The "Concentrated masses" section on the current report road.
void PrintConcentratedMasses();
// The details text after the node (RowDetails.h).
void ConcentratedMassDetailsText(int row);
