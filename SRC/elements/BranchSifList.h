// The "Branch SIFs" list of the List window and the branch SIFs' section of
// the printed model data: node and the item's text (type and dimensions).
// The list is read-only; Enter or a double click opens the dialog.
//
// Also the check of every branch SIF against the model's piping code that
// runs before the Layout window saves: a type the code has no rule for is
// offered to be replaced by the welding tee (the unreinforced branch under
// the Swedish code).
#pragma once

#include <string>

#include "kindbase/KindList.h"
#include "platform/Types.h"

class BranchSifsList : public KindListTable {
 public:
  BranchSifsList();
  std::string HeadingText(int column, int line) override;
  void EnterRow(bool control) override;
  void WriteText() override;
};

TableWindow& BranchSifsListTable();
bool BranchSifsListOffered(const Model& model);
void OpenBranchSifsList();
// The "Branch SIFs" section on the current report road.
void PrintBranchSifs();
// The text-report line of the branch SIF of `row`: its node and its text.
std::string DescribeBranchSif(int row);
// The branch SIF's details text after its node (RowDetails.h).
void BranchSifDetailsText(int row);

// Asks, row by row, to replace each type invalid for the code; the save
// goes on whatever the answers. True when a type was replaced.
bool CheckBranchSifsAgainstCode(HWND parent);
