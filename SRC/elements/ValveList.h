// The "Valves" list of the List window and the valves' section of the
// printed model data. Columns: From, To, Weight, Length, the thickness and
// insulation multipliers, the additional weight and its three offsets
// (under one heading); all but the nodes are typed in with the dialog's
// parsing. A typed length sets the row's offsets along the valve and makes
// the model again.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class ValvesList : public ElementKindListTable {
 public:
  ValvesList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void PaintExtra() override;
  void WriteText() override;
};

TableWindow& ValvesListTable();
bool ValvesListOffered(const Model& model);
void OpenValvesList();
// The "Valves" section on the current report road.
void PrintValvesDetails();
// The text-report line of the valve of `row` (DescribeValve's text form).
std::string ValveTextLine(int row);
// The valve's details text after its two nodes (RowDetails.h).
void ValveDetailsText(int row);
