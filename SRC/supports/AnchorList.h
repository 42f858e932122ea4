// The "Anchors" list of the List window and the anchors' section of the
// printed model data. Columns: node, tag, KX/kx .. KZZ/kzz, the six
// releases under the group heading "Releases", and the axes ("GCS" or
// "Pipe LCS"). Every column but the node is typed in and stored through
// the dialog's checks; a release is typed only while the anchor is in
// global axes, and typing Y for the axes clears the releases.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class AnchorsList : public KindListTable {
 public:
  AnchorsList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreItemCell(DataItem& item, int column) override;
  void PaintExtra() override;
  void DrawColumnRule(int column) override;
  void WriteText() override;
};

TableWindow& AnchorsListTable();
bool AnchorsListOffered(const Model& model);
void OpenAnchorsList();
// The "Anchors" section on the current report road.
void PrintAnchorsDetails();
// The text-report line of the anchor of `row` (its node, stiffnesses,
// releases and axes at their columns).
std::string DescribeAnchor(int row);
// The anchor's details text after its node (RowDetails.h).
void AnchorDetailsText(int row);
