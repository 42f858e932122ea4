// The "Jacketed pipes/bends" list of the List window, shared by jacketed
// pipes and jacketed bends, and its printed section. Columns: From, To, the
// type ("Jpipe" or "Jbend"), then pairs of the jacket's and the core's
// material, section, load, bend radius and bend wall (the last two pairs
// for bends only). It is not typed in: Enter and a double click open the
// row's own dialog.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class JacketedList : public ElementKindListTable {
 public:
  JacketedList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  void EditCurrentItem() override;
  void PaintExtra() override;
  void WriteText() override;
};

TableWindow& JacketedListTable();
bool JacketedListOffered(const Model& model);
void OpenJacketedList();
void PrintJacketedDetails();
std::string JacketedTextLine(int row);
// The jacketed pipe or bend details text after its two nodes (RowDetails.h).
void JacketedDetailsText(int row);
