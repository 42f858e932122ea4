// The "Miter bends" list of the List window and the miters' printed
// section. Columns: node, radius, thickness, material, the flexibility
// factors (the out-plane one with "Use B31J"), the SIFs (the out-plane one
// for codes with separate SIFs or B31J, the axial one for B31.3, the
// torsion one with B31J) and the spacing; a column the code does not use
// has width 0. The list is not typed in: Enter and a double click open
// MITER_DIALOG.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class MitersList : public ElementKindListTable {
 public:
  MitersList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  void WriteText() override;
};

TableWindow& MitersListTable();
bool MitersListOffered(const Model& model);
void OpenMitersList();
void PrintMitersDetails();
std::string MiterTextLine(int row);
// The miter details text after its two nodes (RowDetails.h).
void MiterDetailsText(int row);
