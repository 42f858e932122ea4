// The generic support (DataType 21): ties the row's node to the ground
// through a full symmetric 6x6 stiffness matrix in global axes, given as the
// 21 terms of its upper triangle row by row (K11, K12 ... K16, K22 ... K66).
// The coupling terms (K14..K36) are shown in the item's own group B unit.
//
// Model-file record: the tag (above version 720), the group B unit index as
// an int32, then the 21 terms as floats. An index above the last unit is a
// damaged file; a negative one is kept for the list to repair, as the list
// does when it shows the support.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/RowObjects.h"

inline constexpr std::int32_t kGroupBUnitLast = 5;
inline constexpr int kGenericSupportTerms = 21;

class GenericSupport : public DataItem {
 public:
  GenericSupport();
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  // Place of K(i,j), 1 <= i <= j <= 6, in `terms`.
  static int TermIndex(int i, int j);

  std::string tag;
  std::int32_t groupBUnitIndex = 0;  // 0 "(lb/deg)"
  std::array<float, kGenericSupportTerms> terms{};
};
