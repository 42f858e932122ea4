// The limit stop (DataType 6): a one-directional support that lets the pipe
// move freely between a lower and an upper limit along a direction and stops
// it with a spring beyond them, with friction across the direction once a
// limit is reached. The direction comes from its components or from the line
// from a connected node.
//
// Model-file record: the tag (above version 720), lower and upper limit,
// direction X, Y, Z, friction coefficient and stiffness as floats, and the
// connected node as an int32 (recoded in files of version 681 and below).
#pragma once

#include <cstdint>
#include <string>

#include "model/RowObjects.h"

class LimitStop : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::string tag;
  float lowerLimit = -1.0e30f;  // inch; beyond 5.0e29 in magnitude = none
  float upperLimit = 1.0e30f;
  float dirX = 0.0f, dirY = 0.0f, dirZ = 0.0f;  // all 0 = not given
  float frictionCoefficient = 0.0f;
  float stiffness = 1.0e12f;  // lb/inch; rigid
  std::int32_t connectedNode = 0;  // NodeId; 0 none
};
