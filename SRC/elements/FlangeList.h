// The "Flanges" list of the List window and the flanges' section of the
// printed model data: node, type, weight, gasket diameter and allowable
// pressure, the last three edited in place with the dialog's parsers and
// messages.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class FlangesList : public KindListTable {
 public:
  FlangesList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreItemCell(DataItem& item, int column) override;
  void WriteText() override;
  void CurrentRowChanged() override;
};

TableWindow& FlangesListTable();
bool FlangesListOffered(const Model& model);
void OpenFlangesList();
void PrintFlanges();  // the "Flanges" section on the current report road
// The details text after the node (RowDetails.h).
void FlangeDetailsText(int row);

// What follows the Flanges list's current row: the flange report shown in
// the Results window goes to the same flange (installed at start-up).
void SetFlangeRowFollower(void (*follower)(int layoutRow));
