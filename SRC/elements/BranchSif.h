// The branch SIF (DataType 12): the kind of branch connection at the row's
// node (welding tee, fabricated tee, extruded tee ...), with the one or two
// dimensions that its type takes, and for the "Use B31J" rules the number of
// flanges at the run pipe ends near the branch. A new branch SIF is a welding
// tee, or an unreinforced branch under the Swedish code, which has no
// welding tee.
//
// Model-file record: the type as an int32, dimension 1 and dimension 2 as
// floats, and the flanges as an int32 from version 781 (older files give 0).
#pragma once

#include <cstdint>

#include "model/RowObjects.h"

inline constexpr std::int32_t kBranchSifTypeLast = 9;
inline constexpr std::int32_t kBranchSifWeldingTee = 1;
inline constexpr std::int32_t kBranchSifUnreinforced = 3;

class BranchSif : public DataItem {
 public:
  BranchSif();
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::int32_t type = kBranchSifWeldingTee;  // BranchSifType 1 to 9
  float dimension1 = 0.0f;  // inch; pad thickness, crotch radius ... by type
  float dimension2 = 0.0f;  // inch; effective thickness or length by type
  std::int32_t flanges = 0;  // 0, 1 or 2
};
