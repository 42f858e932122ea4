// The "Beams" list of the List window and the beams' section of the printed
// model data: From and To nodes, beta and the twelve end releases (From and
// To of Axial, Major Bending, Minor Bending, Torsion, Major Shear, Minor
// Shear, "Y" when released) under the group heading "End Releases". Only
// beta is typed in; the releases come from the beam's dialog.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class BeamsList : public KindListTable {
 public:
  BeamsList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void PaintExtra() override;
  void DrawColumnRule(int column) override;
  void ContextMenu() override;
  void Prepare() override;
  void Close() override;
  void WriteText() override;
  bool CanDelete() override { return false; }
};

TableWindow& BeamsListTable();
bool BeamsListOffered(const Model& model);
void OpenBeamsList();
void PrintBeamsDetails();
// The comma-separated cells of the beam of `row` after its nodes: beta and
// the six From/To pairs.
void DescribeBeam(int row);
// The beam's details text after its two nodes (RowDetails.h).
void BeamDetailsText(int row);
