// The nodal force (DataType 16, "Force"): three force and three moment
// components in global axes at the row's node, added either to the
// weight-and-pressure loads (AddedTo 1, "W+P") or to the loads of one
// operating temperature T1 to T10 (AddedTo 2 to 11). A component of exactly
// 0 is no load in that direction.
//
// Model-file record: FX, FY, FZ, MX, MY, MZ as floats, then AddedTo as an
// int32, present from version 641 (older files give 1); 28 bytes written.
#pragma once

#include <cstdint>

#include "model/RowObjects.h"

inline constexpr std::int32_t kAddedToWeightAndPressure = 1;
inline constexpr std::int32_t kAddedToLast = 11;  // T10

class NodalForce : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  // Analysis (ForceAnalysis.cpp): the components in every case with
  // sustained loads (AddedTo 0 or 1), or in the cases of its thermal state.
  void AddLoads(int rowNumber) override;
  void AddCaseLoads(int rowNumber, int loadCase) override;

  float FX = 0.0f, FY = 0.0f, FZ = 0.0f;  // lb
  float MX = 0.0f, MY = 0.0f, MZ = 0.0f;  // inch-pound
  std::int32_t AddedTo = kAddedToWeightAndPressure;
};
