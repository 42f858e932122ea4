// The user SIF (DataType 13): stress intensification factors that the user
// gives at the row's node, in-plane and out-of-plane, and for the codes that
// take them an axial and a torsion factor. 0 means not given.
//
// Model-file record: in-plane and out-plane SIF as floats; the axial and
// torsion SIF follow from version 781 (older files give 0).
#pragma once

#include <string>

#include "model/RowObjects.h"

class UserSif : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  // UserSifList.cpp: the list's factors (columns 2 to 5; hidden ones empty).
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;  // UserSifDialog.cpp

  float inPlaneSif = 0.0f;
  float outPlaneSif = 0.0f;
  float axialSif = 0.0f;
  float torsionSif = 0.0f;
};
