// The "Elastic elements" list of the List window (From, To, the three
// translational stiffnesses under the Stiffness unit and the three
// rotational ones under the Rot stiffness unit, each group one width, typed
// in with the dialog's parsing) and the elastic elements' printed section.
// While the list is shown, "Show LCS" of its View menu draws the local axes
// of the current line's element at its start node; leaving the list takes
// them away.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class ElasticElementsList : public ElementKindListTable {
 public:
  ElasticElementsList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void CurrentRowChanged() override;
  void Close() override;
  void WriteText() override;
};

TableWindow& ElasticElementsListTable();
bool ElasticElementsListOffered(const Model& model);
void OpenElasticElementsList();
void PrintElasticElementsDetails();
// The three text-report lines of the element of `row`.
std::vector<std::string> ElasticElementTextLines(int row);
// The elastic element details text after its two nodes (RowDetails.h).
void ElasticElementDetailsText(int row);
