// The "Cut pipes" list of the List window (From, To, the cut, typed in with
// the dialog's checks and its sign kept, and "Short" or "Long") and the cut
// pipes' printed section.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class CutPipesList : public ElementKindListTable {
 public:
  CutPipesList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& CutPipesListTable();
bool CutPipesListOffered(const Model& model);
void OpenCutPipesList();
void PrintCutPipesDetails();
std::string CutPipeTextLine(int row);
// The cut pipe details text after its two nodes (RowDetails.h).
void CutPipeDetailsText(int row);
