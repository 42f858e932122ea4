// The guide (DataType 5): holds the pipe at the row's node against movement
// across the pipe while it slides along its axis, with one lateral stiffness,
// an optional gap on each side, Coulomb friction for the sliding, and
// optionally a connected node to act against instead of the ground.
//
// Model-file record: the tag (above version 720), friction coefficient and
// stiffness as floats, then from version 503 the gap as a float and the
// connected node as an int32 (recoded in files of version 681 and below;
// older files give gap 0 and no connected node).
#pragma once

#include <cstdint>
#include <string>

#include "model/RowObjects.h"

class Guide : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::string tag;
  float frictionCoefficient = 0.0f;
  float stiffness = 1.0e12f;  // lb/inch; rigid
  float gap = 0.0f;           // inch, each side
  std::int32_t connectedNode = 0;  // NodeId; 0 = the ground
};
