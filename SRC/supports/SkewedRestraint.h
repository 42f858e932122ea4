// The skewed restraint (DataType 3): a translational or rotational spring at
// the row's node along a direction given by its components, or, when they
// are all 0, by the line from a connected node.
//
// Model-file record: the tag (above version 720), the rotational flag as a
// byte, stiffness and direction X, Y, Z as floats, and the connected node as
// an int32 (recoded in files of version 681 and below).
#pragma once

#include <cstdint>
#include <string>

#include "model/RowObjects.h"

class SkewedRestraint : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::string tag;
  std::uint8_t rotational = 0;  // 0 translational, 1 rotational
  float stiffness = 0.0f;       // lb/inch or inch-pound per radian; 1.0e12 rigid
  float dirX = 0.0f, dirY = 0.0f, dirZ = 0.0f;  // as entered
  std::int32_t connectedNode = 0;  // NodeId; 0 none
};
