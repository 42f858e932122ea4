// The snubber (DataType 8): a support that acts only under dynamic loads,
// along a direction given by its components, with a stiffness that is rigid
// unless the user gives one.
//
// Model-file record: the tag (above version 720), then stiffness and
// direction X, Y, Z as floats.
#pragma once

#include <string>

#include "model/RowObjects.h"

class Snubber : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::string tag;
  float stiffness = 1.0e12f;  // lb/inch; rigid
  float dirX = 0.0f, dirY = 0.0f, dirZ = 0.0f;  // as entered
};
