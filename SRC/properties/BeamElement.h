// The beam element (ElementType 17): a straight structural member (steel
// beam, column or brace) between the row's start node and its own node. Its
// row names a beam material, beam section and beam load instead of the pipe
// records; the object holds what is particular to one beam: the orientation
// angle beta of its cross-section about its own axis and the twelve end
// releases.
//
// Model-file record, 16 bytes in every version: beta as a float (degrees),
// then the twelve release bytes, From end first, each end in the order
// Axial, Major Bending, Minor Bending, Torsion, Major Shear, Minor Shear.
// The drawing boxes and the analysis working data join with their modules.
#pragma once

#include <array>
#include <cstdint>

#include "model/RowObjects.h"

inline constexpr int kBeamReleaseCount = 12;

class Beam : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float beta = 0.0f;  // degrees
  std::array<std::uint8_t, kBeamReleaseCount> releases{};  // 1 = released
};
