// The "Reducers" list of the List window and the reducers' section of the
// printed model data. Columns: From, To, OD1, Thk1, OD2, Thk2, the cone
// angle, knuckles and delta, the last three of width 0 where the code does
// not use them (ReducerFieldMode). Every shown value is typed in with the
// dialog's checks.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class ReducersList : public ElementKindListTable {
 public:
  ReducersList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& ReducersListTable();
bool ReducersListOffered(const Model& model);
void OpenReducersList();
void PrintReducersDetails();
std::string ReducerTextLine(int row);
// The reducer details text after its two nodes (RowDetails.h).
void ReducerDetailsText(int row);
