// The "Ball joints" list of the List window (From, To, the two stiffnesses,
// the two rotation limits, the two friction torques and the weight, typed
// in with the dialog's parsing) and the ball joints' printed section.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class BallJointsList : public ElementKindListTable {
 public:
  BallJointsList();
  std::string HeadingText(int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  bool StoreElementCell(ElementData& element, int column) override;
  void WriteText() override;
};

TableWindow& BallJointsListTable();
bool BallJointsListOffered(const Model& model);
void OpenBallJointsList();
void PrintBallJointsDetails();  // the "Ball joints" section on the current report road
// The ball joint details text after its two nodes (RowDetails.h).
void BallJointDetailsText(int row);
