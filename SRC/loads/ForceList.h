// The "Forces" list of the List window and the forces' section of the
// printed model data: node, FX, FY, FZ in the force unit, MX, MY, MZ in the
// moment unit (blank where 0) and the loads the force is added to. The
// list is read-only: values change through FORCE_DIALOG, which Enter, a
// double click or Edit opens; Delete removes the force from its row.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class ForcesList : public KindListTable {
 public:
  ForcesList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  void EnterRow(bool control) override;
  void WriteText() override;
};

TableWindow& ForcesListTable();
bool ForcesListOffered(const Model& model);
void OpenForcesList();
// The "Forces" section on the current report road.
void PrintForcesTable();
// The text-report line of the force of `row`: the node, each non-zero
// component decimal-aligned under its heading, and what it is added to.
std::string DescribeNodalForce(int row);
// The force's details text after its node (RowDetails.h).
void NodalForceDetailsText(int row);
